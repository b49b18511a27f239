#pragma once
// The measurement journal messungen.csv: every saved shadow timing, one line
// each, so that the heights of many timings can be averaged.
//
// A text file like the program's others: Windows-1252, lines ended by CR LF,
// found by bare name in the working folder. It is a CSV file a spreadsheet
// opens: a header line, then one line per measurement with its fields
// separated by ";"; a text holding ";" or '"' stands in double quotes, a '"'
// in it doubled. Numbers carry the system's decimal separator and are read
// with "," or ".". Every change goes through the twin messungen2.csv (see
// platform/text_file.h); a file whose write permission is taken away is
// never replaced.
//
// A height measured on a photograph has the same fields and the same line:
// its transit time is 0 (a timing is never 0) and its site field names the
// picture, "Berlin (Foto: mond.tif)". A version of the program that knows
// no photographs reads such a line as a timing of 0 s at that site, with
// its height, and keeps it; this one reads the picture's name out again.

#include <string>
#include <string_view>
#include <vector>

inline constexpr const char* kJournalFileName = "messungen.csv";

/// One saved measurement: when, where, what, and what came of it.
struct JournalMeasurement {
    int Day = 1;  ///< date and time of the observation, MEZ
    int Month = 1;
    int Year = 2000;
    int Hour = 0;
    int Minute = 0;
    std::string SiteName;
    double SiteLatitude = 0;   ///< geographic, degrees, north positive
    double SiteLongitude = 0;  ///< geographic, degrees, east positive
    std::string Formation;
    double FormationLatitude = 0;     ///< selenographic, degrees
    double FormationLongitude = 0;    ///< selenographic, degrees
    double TransitSeconds = 0;        ///< the timed shadow transit, 0 < t <= 5
    double Height = 0;                ///< computed height, metres, as the panel shows it (tenths)
    std::string CatalogueHeight;      ///< the catalogue's height text at the time, may be empty
    double TerminatorCorrection = 0;  ///< lambda_c, degrees
    double SunAltitude = 0;           ///< the Sun over the formation, degrees
    std::string PhotoName{};          ///< the picture's file name for a measurement on a photograph;
                                      ///< empty for a timing (TransitSeconds is then 0)

    bool operator==(const JournalMeasurement&) const = default;
};

/// A measurement as it stands in the file: its line, to delete exactly it.
struct JournalEntry {
    JournalMeasurement Measurement;
    int Line = 0;         ///< line number in the file, from 1
    std::string RawLine;  ///< the line's bytes (Windows-1252) without its line end
};

/// A line the journal cannot read; it is skipped and kept as it is.
struct DamagedJournalLine {
    int Line = 0;
    std::string Message;  ///< "messungen.csv, Zeile 7: ..."
};

struct Journal {
    std::vector<JournalEntry> Entries;  ///< in file order
    std::vector<DamagedJournalLine> Damaged;
    /// Why the file must not be rewritten, empty when it may: a file saved
    /// as UTF-8 with characters Windows-1252 lacks is read as it is and
    /// kept so (appends add UTF-8 lines), but never rewritten.
    std::string ReadOnlyReason;
};

/// The date and the time as the file writes them: "15.03.2003" (the year
/// with four digits, "01.01.0302"), "20:05".
std::string JournalDateText(const JournalMeasurement& measurement);
std::string JournalTimeText(const JournalMeasurement& measurement);

/// The header line, in UTF-8.
std::string JournalHeader();

/// The line of a measurement (UTF-8, without line end). Numbers with
/// `decimalSeparator`; the height, lambda_c and the Sun's altitude rounded
/// to 0.1 m and 0.0001 degrees.
std::string JournalLine(const JournalMeasurement& measurement, char decimalSeparator);

/// Whether a measurement was made on a photograph.
inline bool IsPhotoMeasurement(const JournalMeasurement& measurement) { return !measurement.PhotoName.empty(); }

/// A line of the file (UTF-8) back into a measurement, a photograph's
/// name read out of its site field. Throws ConversionError naming the field
/// when the line has not the 13 fields, or a field is no valid date (the
/// year with four digits), time or number within its range, or the height
/// has grouped thousands ("1.000"), and when the line holds a control
/// character (a TAB, a NUL, a lone CR), which no line the program writes
/// does.
JournalMeasurement ParseJournalLine(std::string_view line);

/// The same by the rules of a version that knows no photographs: the 13
/// fields as they stand, a photograph's name left in the site field.
JournalMeasurement ParseJournalFields(std::string_view line);

/// Reads `fileName`. A missing file is an empty journal; blank lines and
/// header lines are passed over; a line that cannot be read is listed in
/// Damaged with its number and skipped. Throws when something is there but
/// cannot be read (a folder, a FIFO, a link to nothing, an I/O error).
Journal ReadJournal(const std::string& fileName = kJournalFileName);

/// Appends one line to `fileName`, all or nothing, one writer at a time; a
/// missing or empty file is created with the header first. The old content
/// stays byte for byte, damaged lines included (a file kept as UTF-8 gets
/// the line in UTF-8). Throws EncodingError before anything is written when
/// a name cannot be stored, FileAccessError when the file is write
/// protected, in use by another writer too long, or cannot be written (it
/// is then unchanged).
void AppendToJournal(const JournalMeasurement& measurement, char decimalSeparator,
                     const std::string& fileName = kJournalFileName);

/// Removes the given entries' lines from `fileName`, rewriting it through
/// its twin; every other line, damaged ones included, stays byte for byte.
/// When a line no longer holds what was read (the file changed meanwhile),
/// nothing is removed and FileAccessError says so. Returns the number
/// removed.
int DeleteFromJournal(const std::vector<JournalEntry>& entries, const std::string& fileName = kJournalFileName);

/// Writes the header and the measurements, in the given order, to `path`
/// as a journal file, replacing a file there all or nothing. The journal
/// itself is refused as `path`: a filtered view would replace it.
void ExportJournal(const std::vector<JournalMeasurement>& measurements, char decimalSeparator, const std::string& path);

#include "journal/measurement_journal.h"

#include "astronomy/clock.h"
#include "platform/cp1252.h"
#include "platform/errors.h"
#include "platform/exported_file.h"
#include "platform/file_change.h"
#include "platform/file_messages.h"
#include "platform/number_text.h"
#include "platform/regular_file.h"
#include "platform/rounding.h"
#include "platform/text_file.h"
#include "platform/time_text.h"

#include <algorithm>
#include <cstdio>
#include <optional>

namespace {

constexpr char kFieldSeparator = ';';
constexpr const char* kLineEnd = "\r\n";
constexpr char kQuote = '"';

// A photograph's name in the site field: "Berlin (Foto: mond.tif)".
constexpr std::string_view kPhotoMark = " (Foto: ";

// The Moon's radius: no height from a shadow comes near it, so a larger
// number is damage and must not enter the statistics.
constexpr double kLargestHeight = 1738000;

// The fields of a line, left to right, with their header texts.
enum Field {
    kDate,
    kTime,
    kSite,
    kSiteLatitude,
    kSiteLongitude,
    kFormation,
    kFormationLatitude,
    kFormationLongitude,
    kTransit,
    kHeight,
    kCatalogueHeight,
    kTerminatorCorrection,
    kSunAltitude,
    kFieldCount
};

constexpr const char* kHeaderTexts[kFieldCount] = {
    "Datum",          "Zeit (MEZ)",     "Ort",
    "Breite Ort (°)", "Länge Ort (°)",  "Formation",
    "Breite (°)",     "Länge (°)",      "Durchgangszeit (s)",
    "Höhe (m)",       "Kartenwert (m)", "Terminatorkorrektur (°)",
    "Sonnenhöhe (°)",
};

// `value` with at least `digits` digits, zeros in front.
std::string Padded(int value, int digits)
{
    char text[16];
    std::snprintf(text, sizeof text, "%0*d", digits, value);
    return text;
}

// Rounded to `scale` parts of the unit (10: tenths), halves to even.
double Rounded(double value, double scale) { return static_cast<double>(RoundHalfEven(value * scale)) / scale; }

// A text field as CSV writes it: in quotes when it holds the separator or a
// quote, a quote inside doubled.
std::string CsvField(const std::string& text)
{
    if (text.find_first_of(";\"") == std::string::npos) return text;
    std::string quoted(1, kQuote);
    for (char c : text) {
        if (c == kQuote) quoted += kQuote;
        quoted += c;
    }
    quoted += kQuote;
    return quoted;
}

// Splits a line at the separators outside quotes; a quoted field must be
// followed by the separator or the end of the line.
std::vector<std::string> SplitCsvLine(std::string_view line)
{
    std::vector<std::string> fields;
    size_t i = 0;
    for (;;) {
        std::string field;
        if (i < line.size() && line[i] == kQuote) {
            ++i;
            for (;;) {
                if (i >= line.size()) throw ConversionError("Anführungszeichen nicht geschlossen");
                if (line[i] == kQuote) {
                    if (i + 1 < line.size() && line[i + 1] == kQuote) {
                        field += kQuote;
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += line[i++];
            }
            if (i < line.size() && line[i] != kFieldSeparator)
                throw ConversionError("Text nach dem schließenden Anführungszeichen");
        } else {
            size_t end = std::min(line.find(kFieldSeparator, i), line.size());
            field.assign(line.substr(i, end - i));
            i = end;
        }
        fields.push_back(std::move(field));
        if (i >= line.size()) return fields;
        ++i;  // the separator
    }
}

// Reads a number of `fewest` to `most` digits (nothing else) from the front
// of `text`, and the `separator` after it unless it is the last part.
bool ReadDigits(std::string_view& text, size_t fewest, size_t most, int& value, char separator)
{
    size_t digits = 0;
    value = 0;
    while (digits < text.size() && digits <= most && text[digits] >= '0' && text[digits] <= '9')
        value = value * 10 + (text[digits++] - '0');
    if (digits < fewest || digits > most) return false;
    text.remove_prefix(digits);
    if (separator == 0) return text.empty();
    if (text.empty() || text.front() != separator) return false;
    text.remove_prefix(1);
    return true;
}

// "15.03.2003" or "15.3.2003"; the year has all four digits, so that a cut
// "15.03.3" is no date in the year 3.
void ParseDate(const std::string& text, JournalMeasurement& m)
{
    std::string_view rest = text;
    if (!ReadDigits(rest, 1, 2, m.Day, '.') || !ReadDigits(rest, 1, 2, m.Month, '.') ||
        !ReadDigits(rest, 4, 4, m.Year, 0) || !IsValidDate(m.Year, m.Month, m.Day))
        throw ConversionError("'" + text + "' ist kein gültiges Datum");
}

// "20:05" or "9:05".
void ParseTime(const std::string& text, JournalMeasurement& m)
{
    std::string_view rest = text;
    if (!ReadDigits(rest, 1, 2, m.Hour, ':') || !ReadDigits(rest, 1, 2, m.Minute, 0) || m.Hour > 23 || m.Minute > 59)
        throw ConversionError("'" + text + "' ist keine gültige Uhrzeit");
}

double Number(const std::vector<std::string>& fields, Field field, double low, double high)
{
    double value = FileTextToFloat(fields[field]);
    if (value < low || value > high)
        throw ConversionError(OutOfRangeMessage(fields[field], FloatToText(low, ','), FloatToText(high, ',')));
    return value;
}

// "1.000" or "12,500": grouped thousands, as a spreadsheet may write a
// height. Read as a decimal it would be 1 m; the program writes heights to
// the tenth, never with three decimals.
bool LooksLikeGroupedThousands(std::string_view text)
{
    const size_t separator = text.find_first_of(".,");
    if (separator == std::string_view::npos || separator == 0 || separator > 3) return false;
    for (size_t i = 0; i < text.size(); ++i) {
        const bool digit = text[i] >= '0' && text[i] <= '9';
        const bool groupEnd = i > separator && (i - separator) % 4 == 0;
        if (groupEnd ? (text[i] != '.' && text[i] != ',') : (i != separator && !digit)) return false;
    }
    return (text.size() - separator) % 4 == 0;
}

double Height(const std::vector<std::string>& fields)
{
    if (LooksLikeGroupedThousands(fields[kHeight]))
        throw ConversionError("'" + fields[kHeight] + "' ist keine gültige Höhe (Tausendertrennzeichen?)");
    return Number(fields, kHeight, 0, kLargestHeight);
}

// A control character no field the program writes can hold; EncodeField
// would refuse it when the line is written again (an export).
void RefuseControlCharacters(std::string_view line)
{
    for (char c : line) {
        if (!IsControlCharacter(static_cast<unsigned char>(c))) continue;
        if (c == '\t') throw ConversionError("die Zeile enthält einen Tabulator");
        if (c == '\r') throw ConversionError("die Zeile enthält einen einzelnen Wagenrücklauf (CR)");
        if (c == '\0') throw ConversionError("die Zeile enthält ein Nullzeichen");
        char code[8];
        std::snprintf(code, sizeof code, "%02X", static_cast<unsigned>(static_cast<unsigned char>(c)));
        throw ConversionError(std::string("die Zeile enthält das Steuerzeichen 0x") + code);
    }
}

bool IsBlank(std::string_view line) { return line.find_first_not_of(" \t") == std::string_view::npos; }

bool IsHeader(std::string_view line) { return line == JournalHeader(); }

std::string EncodedLine(const JournalMeasurement& m, char decimalSeparator)
{
    // Checked field by field first, so a bad name names its field.
    EncodeField(m.SiteName, "Ort");
    EncodeField(m.Formation, "Formation");
    EncodeField(m.CatalogueHeight, "Kartenwert");
    EncodeField(m.PhotoName, "Bildname");
    return Utf8ToCp1252(JournalLine(m, decimalSeparator));
}

}  // namespace

std::string JournalDateText(const JournalMeasurement& m)
{
    // The year with all four digits: the reader takes no other.
    return Padded(m.Day, 2) + "." + Padded(m.Month, 2) + "." + Padded(m.Year, 4);
}

std::string JournalTimeText(const JournalMeasurement& m) { return ClockTimeText(m.Hour, m.Minute); }

std::string JournalHeader()
{
    std::string header;
    for (int field = 0; field < kFieldCount; ++field) {
        if (field > 0) header += kFieldSeparator;
        header += kHeaderTexts[field];
    }
    return header;
}

std::string JournalLine(const JournalMeasurement& m, char decimalSeparator)
{
    auto number = [&](double value) { return FloatToText(value, decimalSeparator); };
    const std::string fields[kFieldCount] = {
        JournalDateText(m),
        JournalTimeText(m),
        CsvField(IsPhotoMeasurement(m) ? m.SiteName + std::string(kPhotoMark) + m.PhotoName + ")" : m.SiteName),
        number(m.SiteLatitude),
        number(m.SiteLongitude),
        CsvField(m.Formation),
        number(m.FormationLatitude),
        number(m.FormationLongitude),
        number(IsPhotoMeasurement(m) ? 0.0 : m.TransitSeconds),
        number(Rounded(m.Height, 10)),
        CsvField(m.CatalogueHeight),
        number(Rounded(m.TerminatorCorrection, 1e4)),
        number(Rounded(m.SunAltitude, 1e4)),
    };
    std::string line;
    for (int field = 0; field < kFieldCount; ++field) {
        if (field > 0) line += kFieldSeparator;
        line += fields[field];
    }
    return line;
}

JournalMeasurement ParseJournalLine(std::string_view line)
{
    JournalMeasurement m = ParseJournalFields(line);
    // Only a line of 0 s names a photograph; a site of a timing may hold anything.
    const size_t mark = m.SiteName.find(kPhotoMark);
    if (m.TransitSeconds == 0 && mark != std::string::npos && m.SiteName.ends_with(')') &&
        m.SiteName.size() > mark + kPhotoMark.size() + 1) {
        m.PhotoName = m.SiteName.substr(mark + kPhotoMark.size(), m.SiteName.size() - mark - kPhotoMark.size() - 1);
        m.SiteName.resize(mark);
    }
    return m;
}

JournalMeasurement ParseJournalFields(std::string_view line)
{
    RefuseControlCharacters(line);
    std::vector<std::string> fields = SplitCsvLine(line);
    if (fields.size() != kFieldCount)
        throw ConversionError(std::to_string(fields.size()) + " statt " + std::to_string(kFieldCount) + " Feldern");
    JournalMeasurement m;
    ParseDate(fields[kDate], m);
    ParseTime(fields[kTime], m);
    m.SiteName = fields[kSite];
    m.SiteLatitude = Number(fields, kSiteLatitude, -90, 90);
    m.SiteLongitude = Number(fields, kSiteLongitude, -180, 180);
    m.Formation = fields[kFormation];
    m.FormationLatitude = Number(fields, kFormationLatitude, -90, 90);
    m.FormationLongitude = Number(fields, kFormationLongitude, -180, 180);
    m.TransitSeconds = Number(fields, kTransit, 0, 5);
    m.Height = Height(fields);
    m.CatalogueHeight = fields[kCatalogueHeight];
    m.TerminatorCorrection = Number(fields, kTerminatorCorrection, -90, 90);
    m.SunAltitude = Number(fields, kSunAltitude, -90, 90);
    return m;
}

Journal ReadJournal(const std::string& fileName)
{
    Journal journal;
    std::optional<std::string> bytes = ReadRegularFileIfPresent(fileName);
    if (!bytes) return journal;
    std::string utf8Reason;
    TextFileReader file = ReadTextKeepingUtf8(fileName, std::move(*bytes), utf8Reason);
    // Lines of a journal kept as UTF-8 are UTF-8 already.
    const bool keptAsUtf8 = !utf8Reason.empty();
    if (keptAsUtf8)
        journal.ReadOnlyReason = utf8Reason + ". " + fileName +
                                 " ist als UTF-8 gespeichert und kann nicht als Windows-1252 neu geschrieben "
                                 "werden; das Messprotokoll zeigt die Messungen, löscht aber keine. Neue Messungen "
                                 "werden weiter angehängt.";
    while (!file.AtEnd()) {
        std::string_view raw = file.ReadRawLine();
        std::string line = keptAsUtf8 ? std::string(raw) : Cp1252ToUtf8(raw);
        if (IsBlank(line) || IsHeader(line)) continue;
        try {
            journal.Entries.push_back({ParseJournalLine(line), file.LastLineNumber(), std::string(raw)});
        } catch (const MireltaError& error) {
            journal.Damaged.push_back(
                {file.LastLineNumber(), Located(FileLine(fileName, file.LastLineNumber()), error.what())});
        }
    }
    return journal;
}

void AppendToJournal(const JournalMeasurement& measurement, char decimalSeparator, const std::string& fileName)
{
    const std::string line = EncodedLine(measurement, decimalSeparator);
    const std::string header = Utf8ToCp1252(JournalHeader());
    ChangeFile(fileName, {.MayCreate = true}, [&](const std::string* old) {
        if (!old) return header + kLineEnd + line + kLineEnd;
        std::string utf8Reason;
        TextFileReader file = ReadTextKeepingUtf8(fileName, *old, utf8Reason);
        if (!utf8Reason.empty()) {
            // A journal Windows-1252 cannot hold stays UTF-8, every old byte
            // as it is; the new line joins it in UTF-8.
            std::string content = *old;
            if (!content.ends_with('\n')) content += kLineEnd;
            return content + JournalLine(measurement, decimalSeparator) + kLineEnd;
        }
        // The old content stays byte for byte, damaged lines included.
        TextFileWriter twin;
        const bool empty = file.AtEndOfRecords();
        CopyWholeRecords(file, 1, twin);
        if (empty) twin.WriteRawLine(header);
        twin.WriteRawLine(line);
        return twin.Content();
    });
}

int DeleteFromJournal(const std::vector<JournalEntry>& entries, const std::string& fileName)
{
    std::vector<const JournalEntry*> wanted;
    for (const JournalEntry& entry : entries) wanted.push_back(&entry);
    std::sort(wanted.begin(), wanted.end(), [](auto* a, auto* b) { return a->Line < b->Line; });
    wanted.erase(std::unique(wanted.begin(), wanted.end(), [](auto* a, auto* b) { return a->Line == b->Line; }),
                 wanted.end());

    int removed = 0;
    RewriteThroughTwin(fileName, [&](TextFileReader& old, TextFileWriter& twin) {
        auto next = wanted.begin();
        while (!old.AtEnd()) {
            std::string_view line = old.ReadRawLine();
            if (next != wanted.end() && (*next)->Line == old.LastLineNumber() && (*next)->RawLine == line) {
                ++next;
                ++removed;
                continue;
            }
            twin.WriteRawLine(line);
        }
        if (next != wanted.end())
            throw FileAccessError(fileName +
                                  " wurde seit dem Lesen geändert; es wurde nichts gelöscht. Bitte öffnen Sie das "
                                  "Messprotokoll neu");
    });
    return removed;
}

void ExportJournal(const std::vector<JournalMeasurement>& measurements, char decimalSeparator, const std::string& path)
{
    // A filtered view written over the journal would replace it.
    if (IsSameFile(path, kJournalFileName))
        ThrowWriteRefusal(path, std::string("das ist das Messprotokoll ") + kJournalFileName + " selbst",
                          ReadRegularFileIfPresent(kJournalFileName).has_value());
    TextFileWriter file;
    file.WriteRawLine(Utf8ToCp1252(JournalHeader()));
    for (const JournalMeasurement& m : measurements) file.WriteRawLine(EncodedLine(m, decimalSeparator));
    WriteExportedBytes(path, file.Content());
}

#include "journal/measurement_journal.h"

#include "astronomy/clock.h"
#include "platform/cp1252.h"
#include "platform/errors.h"
#include "platform/exported_file.h"
#include "platform/file_operations.h"
#include "platform/number_text.h"
#include "platform/rounding.h"
#include "platform/text_file.h"
#include "platform/time_text.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstdio>

namespace {

constexpr char kFieldSeparator = ';';
constexpr char kQuote = '"';

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

std::string TwoDigits(int value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02d", value);
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

// "15.03.2003" or "15.3.2003".
void ParseDate(const std::string& text, JournalMeasurement& m)
{
    int consumed = 0;
    if (std::sscanf(text.c_str(), "%2d.%2d.%4d%n", &m.Day, &m.Month, &m.Year, &consumed) != 3 ||
        consumed != static_cast<int>(text.size()) || !IsValidDate(m.Year, m.Month, m.Day))
        throw ConversionError("'" + text + "' ist kein gültiges Datum");
}

// "20:05" or "9:05".
void ParseTime(const std::string& text, JournalMeasurement& m)
{
    int consumed = 0;
    if (std::sscanf(text.c_str(), "%2d:%2d%n", &m.Hour, &m.Minute, &consumed) != 2 ||
        consumed != static_cast<int>(text.size()) || m.Hour < 0 || m.Hour > 23 || m.Minute < 0 || m.Minute > 59)
        throw ConversionError("'" + text + "' ist keine gültige Uhrzeit");
}

double Number(const std::vector<std::string>& fields, Field field, double low, double high)
{
    double value = FileTextToFloat(fields[field]);
    if (value < low || value > high)
        throw ConversionError(OutOfRangeMessage(fields[field], FloatToText(low, ','), FloatToText(high, ',')));
    return value;
}

bool IsBlank(std::string_view line) { return line.find_first_not_of(" \t") == std::string_view::npos; }

bool IsHeader(std::string_view line) { return line == JournalHeader(); }

bool Exists(const std::string& fileName)
{
    struct stat info {};
    return ::stat(fileName.c_str(), &info) == 0;
}

std::string EncodedLine(const JournalMeasurement& m, char decimalSeparator)
{
    // Checked field by field first, so a bad name names its field.
    EncodeField(m.SiteName, "Ort");
    EncodeField(m.Formation, "Formation");
    EncodeField(m.CatalogueHeight, "Kartenwert");
    return Utf8ToCp1252(JournalLine(m, decimalSeparator));
}

}  // namespace

std::string JournalDateText(const JournalMeasurement& m)
{
    return TwoDigits(m.Day) + "." + TwoDigits(m.Month) + "." + std::to_string(m.Year);
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
        CsvField(m.SiteName),
        number(m.SiteLatitude),
        number(m.SiteLongitude),
        CsvField(m.Formation),
        number(m.FormationLatitude),
        number(m.FormationLongitude),
        number(m.TransitSeconds),
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
    m.Height = Number(fields, kHeight, 0, kLargestHeight);
    m.CatalogueHeight = fields[kCatalogueHeight];
    m.TerminatorCorrection = Number(fields, kTerminatorCorrection, -90, 90);
    m.SunAltitude = Number(fields, kSunAltitude, -90, 90);
    return m;
}

Journal ReadJournal(const std::string& fileName)
{
    Journal journal;
    if (!Exists(fileName)) return journal;
    TextFileReader file(fileName);
    while (!file.AtEnd()) {
        std::string_view raw = file.ReadRawLine();
        std::string line = Cp1252ToUtf8(raw);
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
    if (!Exists(fileName)) return WriteFileThroughTwin(fileName, header + "\r\n" + line + "\r\n");
    const bool empty = TextFileReader(fileName).AtEndOfRecords();
    AppendThroughTwin(fileName, 1, [&](TextFileWriter& end) {
        if (empty) end.WriteRawLine(header);
        end.WriteRawLine(line);
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
    TextFileWriter file;
    file.WriteRawLine(Utf8ToCp1252(JournalHeader()));
    for (const JournalMeasurement& m : measurements) file.WriteRawLine(EncodedLine(m, decimalSeparator));
    WriteFileThroughTwin(path, file.Content(), ExportTwinPath);
}

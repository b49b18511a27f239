#include "reports/ephemeris_table_text.h"

#include "astronomy/clock.h"
#include "platform/exported_file.h"
#include "platform/number_text.h"
#include "reports/observing_conditions.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

std::string TwoDigits(int value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02d", value);
    return text;
}

/// A column holding a number: where it stands, which value of the row, and
/// how many decimals the window shows (the JD to a second, hours to 0.04 s
/// of time, degrees to 0.4", the distance to 0.6 km, the age to 15 min).
struct NumberColumn {
    std::size_t column;
    double EphemerisRow::*value;
    int displayDecimals;
};

constexpr NumberColumn kNumberColumns[] = {
    {2,  &EphemerisRow::JulianDate,               5},
    {3,  &EphemerisRow::RightAscensionHours,      5},
    {4,  &EphemerisRow::Declination,              4},
    {5,  &EphemerisRow::Azimuth,                  4},
    {6,  &EphemerisRow::Altitude,                 4},
    {7,  &EphemerisRow::EclipticLongitude,        4},
    {8,  &EphemerisRow::EclipticLatitude,         4},
    {9,  &EphemerisRow::Distance,                 4},
    {10, &EphemerisRow::LibrationLongitude,       4},
    {11, &EphemerisRow::LibrationLatitude,        4},
    {12, &EphemerisRow::AxisPositionAngle,        4},
    {13, &EphemerisRow::SunSelenographicLatitude, 4},
    {14, &EphemerisRow::TerminatorLongitude,      4},
    {15, &EphemerisRow::Colongitude,              4},
    {16, &EphemerisRow::MoonAge,                  2},
    {18, &EphemerisRow::SunAltitude,              2},
};
static_assert(std::size(kNumberColumns) + 3 == EphemerisColumnCount, "date, time, phase and the numbers");

template <class NumberText>
std::string FieldText(const EphemerisRow& row, std::size_t column, NumberText numberText)
{
    if (column == 0) return TableDateText(row.Moment);
    if (column == 1) return TableTimeText(row.Moment);
    if (column == EphemerisPhaseColumn) return std::string(PhaseWord(row.MoonAge));
    for (const NumberColumn& c : kNumberColumns)
        if (c.column == column) return numberText(row.*c.value, c.displayDecimals);
    return {};
}

template <class NumberText>
std::array<std::string, EphemerisColumnCount> Fields(const EphemerisRow& row, NumberText numberText)
{
    std::array<std::string, EphemerisColumnCount> fields;
    for (std::size_t column = 0; column < EphemerisColumnCount; ++column)
        fields[column] = FieldText(row, column, numberText);
    return fields;
}

auto DisplayNumber(char decimalSeparator)
{
    return
        [decimalSeparator](double value, int decimals) { return FixedDecimalsText(value, decimals, decimalSeparator); };
}

template <class Texts>
std::string Joined(const Texts& texts)
{
    std::string line;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (i > 0) line += EphemerisFieldSeparator;
        line += texts[i];
    }
    return line;
}

bool IsDigits(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

/// Splits "15.3.2003" or "20:05" at `separator` into whole numbers of at
/// most four digits; empty when a part is missing or no such number.
std::vector<int> WholeNumberParts(std::string_view text, char separator)
{
    std::vector<int> parts;
    for (;;) {
        const std::size_t end = text.find(separator);
        const std::string_view part = text.substr(0, end);
        if (!IsDigits(part) || part.size() > 4) return {};
        parts.push_back(std::stoi(std::string(part)));
        if (end == std::string_view::npos) return parts;
        text.remove_prefix(end + 1);
    }
}

}  // namespace

std::optional<MezMoment> ReadTableDate(std::string_view text)
{
    const std::vector<int> parts = WholeNumberParts(text, '.');
    if (parts.size() != 3 || parts[2] < 1 || parts[2] > kLastTableYear || !IsValidDate(parts[2], parts[1], parts[0]))
        return std::nullopt;
    return MezMoment{parts[2], parts[1], parts[0], 0, 0};
}

bool ReadTableTime(std::string_view text, MezMoment& moment)
{
    const std::vector<int> parts = WholeNumberParts(text, ':');
    if (parts.size() != 2 || parts[0] > 23 || parts[1] > 59) return false;
    moment.Hour = parts[0];
    moment.Minute = parts[1];
    return true;
}

std::string TableDateText(const MezMoment& m)
{
    return TwoDigits(m.Day) + "." + TwoDigits(m.Month) + "." + std::to_string(m.Year);
}

std::string TableTimeText(const MezMoment& m) { return TwoDigits(m.Hour) + ":" + TwoDigits(m.Minute); }

std::array<std::string, EphemerisColumnCount> EphemerisFields(const EphemerisRow& row, char decimalSeparator)
{
    return Fields(row, [&](double value, int) { return FloatToText(value, decimalSeparator); });
}

std::array<std::string, EphemerisColumnCount> EphemerisDisplayFields(const EphemerisRow& row, char decimalSeparator)
{
    return Fields(row, DisplayNumber(decimalSeparator));
}

std::string EphemerisDisplayField(const EphemerisRow& row, std::size_t column, char decimalSeparator)
{
    return FieldText(row, column, DisplayNumber(decimalSeparator));
}

std::string EphemerisHeaderLine() { return Joined(EphemerisColumnNames); }

std::string EphemerisLine(const EphemerisRow& row, char decimalSeparator)
{
    return Joined(EphemerisFields(row, decimalSeparator));
}

std::string FixedDecimalsText(double value, int decimals, char decimalSeparator)
{
    const double scale = std::pow(10.0, decimals);
    char text[64];
    // Adding 0.0 turns a rounded -0.0 into 0.0, so that no "-0,0" appears.
    std::snprintf(text, sizeof text, "%.*f", decimals, std::round(value * scale) / scale + 0.0);
    std::string result(text);
    std::replace(result.begin(), result.end(), '.', decimalSeparator);
    return result;
}

void WriteEphemerisCsv(const std::string& path, const std::vector<EphemerisRow>& rows, char decimalSeparator)
{
    std::vector<std::string> lines;
    lines.reserve(rows.size() + 1);
    lines.push_back(EphemerisHeaderLine());
    for (const EphemerisRow& row : rows) lines.push_back(EphemerisLine(row, decimalSeparator));
    WriteExportedFile(path, lines);
}

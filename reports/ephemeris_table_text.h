#pragma once
// The ephemeris table as text: its columns, each row's fields, the window's
// shorter figures and the CSV file. Without widgets, so that the window, the
// export and the command line write the same texts.

#include "observing/ephemeris_table.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

/// The columns, left to right, with their header names.
inline constexpr std::array<std::string_view, 19> EphemerisColumnNames = {
    "Datum",
    "Zeit (MEZ)",
    "JD",
    "Rektaszension (h)",
    "Deklination (°)",
    "Azimut (°)",
    "Höhe (°)",
    "Ekliptikale Länge (°)",
    "Ekliptikale Breite (°)",
    "Entfernung (Erdradien)",
    "Libration in Länge (°)",
    "Libration in Breite (°)",
    "Positionswinkel (°)",
    "Selenogr. Breite der Sonne (°)",
    "Terminator (°)",
    "Colongitude (°)",
    "Mondalter (Tage)",
    "Phase",
    "Sonnenhöhe (°)",
};
inline constexpr std::size_t EphemerisColumnCount = EphemerisColumnNames.size();

/// The column of the Moon's azimuth, counted from the south through west.
inline constexpr std::size_t EphemerisAzimuthColumn = 5;
static_assert(EphemerisColumnNames[EphemerisAzimuthColumn] == "Azimut (°)");
/// The first two columns hold date and time, this one the phase word, all
/// others numbers.
inline constexpr std::size_t EphemerisPhaseColumn = 17;
inline constexpr bool IsEphemerisNumberColumn(std::size_t column)
{
    return column >= 2 && column < EphemerisColumnCount && column != EphemerisPhaseColumn;
}

/// The fields of one row separated by ';'.
inline constexpr char EphemerisFieldSeparator = ';';

/// "15.03.2003": day and month with two digits, so that spreadsheets read it
/// as a date.
std::string TableDateText(const MezMoment& moment);

/// "20:05", "08:00": hour and minute with two digits.
std::string TableTimeText(const MezMoment& moment);

/// The last year a table date may have.
inline constexpr int kLastTableYear = 9999;

/// A day typed as "15.3.2003" or "15.03.2003" (day.month.year, years 1 to
/// kLastTableYear); empty when it is no such text or no date of the calendar.
std::optional<MezMoment> ReadTableDate(std::string_view text);

/// A time typed as "20:05" or "8:00" (hours 0 to 23, minutes 0 to 59) set
/// into `moment`; false, leaving it alone, when it is no such text.
bool ReadTableTime(std::string_view text, MezMoment& moment);

/// The fields of a row in column order: date, time, then every number in
/// the program's number text (at most 15 significant digits, no trailing
/// zeros) with `decimalSeparator`, and the phase word (PhaseWord of the
/// Moon's age).
std::array<std::string, EphemerisColumnCount> EphemerisFields(const EphemerisRow& row, char decimalSeparator);

/// The fields the window shows: the same values rounded to a fixed number
/// of decimals per column (about 0.5" for the angles), with
/// `decimalSeparator`.
std::array<std::string, EphemerisColumnCount> EphemerisDisplayFields(const EphemerisRow& row, char decimalSeparator);

/// One of EphemerisDisplayFields; empty for a column beyond the last.
std::string EphemerisDisplayField(const EphemerisRow& row, std::size_t column, char decimalSeparator);

/// The header line: the column names joined by ';'.
std::string EphemerisHeaderLine();

/// A row's fields joined by ';'.
std::string EphemerisLine(const EphemerisRow& row, char decimalSeparator);

/// `value` rounded to `decimals` places, with all of them written: "12,30",
/// "-0,4"; never "-0,0".
std::string FixedDecimalsText(double value, int decimals, char decimalSeparator);

/// Writes the table as a CSV file at `path`: the header line, then one line
/// per row, ';' between fields, `decimalSeparator` in the numbers,
/// Windows-1252, CR LF. All or nothing (WriteExportedFile).
void WriteEphemerisCsv(const std::string& path, const std::vector<EphemerisRow>& rows, char decimalSeparator);

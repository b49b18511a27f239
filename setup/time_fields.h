#pragma once
// The observation date and time as typed into the time dialog, and their
// check (standard C++ only).

#include <optional>
#include <string>

/// The five fields of the dialog as typed.
struct TimeFields {
    std::string Day, Month, Year, Hour, Minute;
};

/// A checked observation date and time.
struct ObservationTime {
    int Day = 0, Month = 0, Year = 0, Hour = 0, Minute = 0;
};

/// Reads the fields as whole numbers and checks them: month 1..12, day
/// within the month (IsValidDate: leap years by the Gregorian rule, for
/// every year), year 1..9999, hour 0..23, minute 0..59. Nothing when a value
/// is out of range. Fields are read in the order month; for a valid month
/// the year (February only) and the day; then year, hour and minute; the
/// first field that is not a whole number throws ConversionError. A minute
/// field of a "0" and one more character is read as that character alone.
std::optional<ObservationTime> ReadTimeFields(const TimeFields& fields);

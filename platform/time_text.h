#pragma once
// Clock times as the windows write them.

#include <string>

/// "21:05", "9:30", "0:00": the hour without leading zero, the minute always
/// with two digits.
inline std::string ClockTimeText(int hour, int minute)
{
    return std::to_string(hour) + (minute < 10 ? ":0" : ":") + std::to_string(minute);
}

/// "15. 3. 2003 um 20:05": the date with blanks after the dots, then the time.
inline std::string DateAndTimeText(int day, int month, int year, int hour, int minute)
{
    return std::to_string(day) + ". " + std::to_string(month) + ". " + std::to_string(year) + " um " +
           ClockTimeText(hour, minute);
}

#pragma once
// Clock times as the windows write them.

#include <string>

/// "21:05", "9:30", "0:00": the hour without leading zero, the minute always
/// with two digits.
inline std::string ClockTimeText(int hour, int minute)
{
    return std::to_string(hour) + (minute < 10 ? ":0" : ":") + std::to_string(minute);
}

#include "astronomy/clock.h"

#include <chrono>
#include <ctime>

namespace {

std::chrono::year_month_day CalendarDate(int year, int month, int day)
{
    return std::chrono::year_month_day{std::chrono::year{year}, std::chrono::month{static_cast<unsigned>(month)},
                                       std::chrono::day{static_cast<unsigned>(day)}};
}

constexpr int March = 3;
constexpr int October = 10;

}  // namespace

ClockReading ReadSystemClock()
{
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    // std::localtime shares one buffer; the program reads the clock only on
    // its user-interface thread, so the copy below is taken at once.
    const std::tm local = *std::localtime(&now);
    return ClockReading{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min};
}

int Weekday(int year, int month, int day)
{
    const std::chrono::weekday weekday{std::chrono::sys_days{CalendarDate(year, month, day)}};
    return static_cast<int>(weekday.c_encoding()) + 1;
}

bool IsValidDate(int year, int month, int day)
{
    if (month < 1 || month > 12 || day < 1 || day > 31) return false;
    return CalendarDate(year, month, day).ok();
}

int LastSundayOf31DayMonth(int year, int month) { return 32 - Weekday(year, month, 31); }

bool IsSummerTime(const ClockReading& r)
{
    if (r.Month > March && r.Month < October) return true;
    if (r.Month == March) {
        const int lastSunday = LastSundayOf31DayMonth(r.Year, March);
        return r.Day > lastSunday || (r.Day == lastSunday && r.Hour >= 3);
    }
    if (r.Month == October) {
        const int lastSunday = LastSundayOf31DayMonth(r.Year, October);
        return r.Day < lastSunday || (r.Day == lastSunday && r.Hour <= 2);
    }
    return false;
}

ClockReading ToMez(ClockReading r)
{
    if (!IsSummerTime(r)) return r;
    if (r.Hour != 0) {
        r.Hour -= 1;
        return r;
    }
    if (r.Day > 1) {
        r.Day -= 1;
    } else {
        // Summer time never covers 1 January, so the year stays.
        r.Month -= 1;
        r.Day = 31;
        while (!IsValidDate(r.Year, r.Month, r.Day)) r.Day -= 1;
    }
    r.Hour = 23;
    return r;
}

void SetClockTime(ObservationState& state, const ClockSource& readClock)
{
    const ClockReading mez = ToMez(readClock());
    state.Year = static_cast<std::uint16_t>(mez.Year);
    state.Month = static_cast<std::uint16_t>(mez.Month);
    state.Day = static_cast<std::uint16_t>(mez.Day);
    state.Hour = static_cast<std::uint16_t>(mez.Hour);
    state.Minute = static_cast<std::uint16_t>(mez.Minute);
}

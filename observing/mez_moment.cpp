#include "observing/mez_moment.h"

#include <chrono>

namespace {

using std::chrono::days;
using std::chrono::sys_days;
using std::chrono::year_month_day;

std::int64_t FloorDivide(std::int64_t a, std::int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

}  // namespace

std::int64_t MinuteNumber(const MezMoment& moment)
{
    const year_month_day date{std::chrono::year(moment.Year), std::chrono::month(static_cast<unsigned>(moment.Month)),
                              std::chrono::day(static_cast<unsigned>(moment.Day))};
    const std::int64_t day = sys_days(date).time_since_epoch().count();
    return day * MinutesPerDay + moment.Hour * 60 + moment.Minute;
}

MezMoment MomentOfMinute(std::int64_t minuteNumber)
{
    const std::int64_t day = FloorDivide(minuteNumber, MinutesPerDay);
    const std::int64_t minuteOfDay = minuteNumber - day * MinutesPerDay;
    const year_month_day date{sys_days(days(day))};
    return MezMoment{static_cast<int>(date.year()), static_cast<int>(static_cast<unsigned>(date.month())),
                     static_cast<int>(static_cast<unsigned>(date.day())), static_cast<int>(minuteOfDay / 60),
                     static_cast<int>(minuteOfDay % 60)};
}

MezMoment ObservationMoment(const ObservationState& state)
{
    return MezMoment{state.Year, state.Month, state.Day, state.Hour, state.Minute};
}

void SetObservationMoment(ObservationState& state, const MezMoment& moment)
{
    state.Year = static_cast<std::uint16_t>(moment.Year);
    state.Month = static_cast<std::uint16_t>(moment.Month);
    state.Day = static_cast<std::uint16_t>(moment.Day);
    state.Hour = static_cast<std::uint16_t>(moment.Hour);
    state.Minute = static_cast<std::uint16_t>(moment.Minute);
}

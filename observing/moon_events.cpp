#include "observing/moon_events.h"

#include "astronomy/lunar_phases.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <vector>

namespace {

/// Julian date of 1 January 1970, 0:00 UT: where MinuteNumber counts from
/// in MEZ, an hour later.
constexpr double UnixEpochJulianDate = 2440587.5;

constexpr LunarPhase Phases[] = {LunarPhase::NewMoon, LunarPhase::FirstQuarter, LunarPhase::FullMoon,
                                 LunarPhase::LastQuarter};

MoonEventKind KindOf(LunarPhase phase)
{
    switch (phase) {
        case LunarPhase::NewMoon:
            return MoonEventKind::NewMoon;
        case LunarPhase::FirstQuarter:
            return MoonEventKind::FirstQuarter;
        case LunarPhase::FullMoon:
            return MoonEventKind::FullMoon;
        case LunarPhase::LastQuarter:
            break;
    }
    return MoonEventKind::LastQuarter;
}

MoonEventKind KindOf(HorizonEventKind kind)
{
    switch (kind) {
        case HorizonEventKind::Rise:
            return MoonEventKind::Rise;
        case HorizonEventKind::Culmination:
            return MoonEventKind::Culmination;
        case HorizonEventKind::Set:
            break;
    }
    return MoonEventKind::Set;
}

}  // namespace

std::string_view MoonEventName(MoonEventKind kind)
{
    switch (kind) {
        case MoonEventKind::Rise:
            return "Aufgang";
        case MoonEventKind::Culmination:
            return "Kulmination";
        case MoonEventKind::Set:
            return "Untergang";
        case MoonEventKind::NewMoon:
            return "Neumond";
        case MoonEventKind::FirstQuarter:
            return "Erstes Viertel";
        case MoonEventKind::FullMoon:
            return "Vollmond";
        case MoonEventKind::LastQuarter:
            break;
    }
    return "Letztes Viertel";
}

MezMoment MezMinuteOf(double julianDateUt)
{
    const double minutes = (julianDateUt - UnixEpochJulianDate) * MinutesPerDay + 60.0;
    return MomentOfMinute(static_cast<std::int64_t>(std::llround(minutes)));
}

void ForEachMoonEvent(const MezMoment& firstDay, const MezMoment& lastDay, double latitude, double longitude,
                      const std::function<void(const MoonEvent&)>& report)
{
    const std::int64_t first = MinuteNumber({firstDay.Year, firstDay.Month, firstDay.Day, 0, 0});
    const std::int64_t last = MinuteNumber({lastDay.Year, lastDay.Month, lastDay.Day, 0, 0});
    std::vector<MoonEvent> events;
    // The next phase of each kind from the range's start on, moved on as
    // the days pass.
    const double rangeStart = MoonDay(MomentOfMinute(first), latitude, longitude).StartJulianDate();
    double nextPhase[std::size(Phases)];
    for (std::size_t k = 0; k < std::size(Phases); ++k) nextPhase[k] = NextPhaseInstant(rangeStart - 1e-9, Phases[k]);
    for (std::int64_t day = first; day <= last; day += MinutesPerDay) {
        events.clear();
        const double dayEnd = rangeStart + static_cast<double>(day - first + MinutesPerDay) / MinutesPerDay;
        for (std::size_t k = 0; k < std::size(Phases); ++k)
            for (; nextPhase[k] < dayEnd; nextPhase[k] = NextPhaseInstant(nextPhase[k], Phases[k]))
                events.push_back({KindOf(Phases[k]), nextPhase[k], std::nullopt});
        for (const HorizonEvent& event : MoonHorizonEvents(MomentOfMinute(day), latitude, longitude)) {
            MoonEvent moonEvent{KindOf(event.Kind), event.JulianDateUt, std::nullopt};
            if (event.Kind == HorizonEventKind::Culmination) moonEvent.Altitude = event.Altitude;
            events.push_back(moonEvent);
        }
        std::stable_sort(events.begin(), events.end(),
                         [](const MoonEvent& a, const MoonEvent& b) { return a.JulianDateUt < b.JulianDateUt; });
        for (const MoonEvent& event : events) report(event);
    }
}

#include "observing/moon_events.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

/// Julian date of 1 January 1970, 0:00 UT: where MinuteNumber counts from
/// in MEZ, an hour later.
constexpr double UnixEpochJulianDate = 2440587.5;

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
    for (std::int64_t day = first; day <= last; day += MinutesPerDay) {
        events.clear();
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

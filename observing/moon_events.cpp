#include "observing/moon_events.h"

#include "astronomy/calendar.h"
#include "astronomy/lunar_phases.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <vector>

namespace {

/// Julian Date minus Modified Julian Date.
constexpr double MjdOffset = 2400000.5;

std::int64_t FloorDivide(std::int64_t a, std::int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

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
    // Whole minutes of MEZ since the midnight before JD 0 (1 January -4712);
    // then the date of that day number in the calendar the program reads
    // dates in (Julian up to 4 October 1582,
    // Gregorian from 15 October 1582 on; Meeus, Astronomical Algorithms,
    // ch. 7), so that a date printed here reads back as the same instant.
    const std::int64_t minutes = std::llround((julianDateUt + 0.5 + 1.0 / 24) * MinutesPerDay);
    const std::int64_t z = FloorDivide(minutes, MinutesPerDay);
    const std::int64_t minuteOfDay = minutes - z * MinutesPerDay;
    std::int64_t a = z;
    if (z >= 2299161) {
        const std::int64_t alpha = FloorDivide(4 * z - 7468865, 146097);  // (z - 1867216.25) / 36524.25
        a = z + 1 + alpha - FloorDivide(alpha, 4);
    }
    const std::int64_t b = a + 1524;
    const std::int64_t c = FloorDivide(20 * b - 2442, 7305);                   // (b - 122.1) / 365.25
    const std::int64_t d = FloorDivide(1461 * c, 4);                           // 365.25 c
    const std::int64_t e = FloorDivide(10000 * (b - d), 306001);               // (b - d) / 30.6001
    const int day = static_cast<int>(b - d - FloorDivide(306001 * e, 10000));  // minus 30.6001 e
    const int month = static_cast<int>(e < 14 ? e - 1 : e - 13);
    const int year = static_cast<int>(month > 2 ? c - 4716 : c - 4715);
    return MezMoment{year, month, day, static_cast<int>(minuteOfDay / 60), static_cast<int>(minuteOfDay % 60)};
}

void ForEachMoonEvent(const MezMoment& firstDay, const MezMoment& lastDay, double latitude, double longitude,
                      const std::function<void(const MoonEvent&)>& report)
{
    // Days are counted on the Julian date, not on the civil calendar, so
    // that the dates read, the days walked and the dates printed agree also
    // before and across the calendar reform of 1582.
    const double rangeStart = ModifiedJulianDate(firstDay.Day, firstDay.Month, firstDay.Year, -1.0) + MjdOffset;
    const double rangeEnd = ModifiedJulianDate(lastDay.Day, lastDay.Month, lastDay.Year, 23.0) + MjdOffset;
    std::vector<MoonEvent> events;
    // The next phase of each kind from the range's start on, moved on as
    // the days pass.
    double nextPhase[std::size(Phases)];
    for (std::size_t k = 0; k < std::size(Phases); ++k) nextPhase[k] = NextPhaseInstant(rangeStart - 1e-9, Phases[k]);
    for (double dayStart = rangeStart; dayStart < rangeEnd - 0.5; dayStart += 1.0) {
        events.clear();
        const double dayEnd = dayStart + 1.0;
        for (std::size_t k = 0; k < std::size(Phases); ++k)
            for (; nextPhase[k] < dayEnd; nextPhase[k] = NextPhaseInstant(nextPhase[k], Phases[k]))
                events.push_back({KindOf(Phases[k]), nextPhase[k], std::nullopt});
        for (const HorizonEvent& event : MoonHorizonEvents(MezMinuteOf(dayStart), latitude, longitude)) {
            MoonEvent moonEvent{KindOf(event.Kind), event.JulianDateUt, std::nullopt};
            if (event.Kind == HorizonEventKind::Culmination) moonEvent.Altitude = event.Altitude;
            events.push_back(moonEvent);
        }
        std::stable_sort(events.begin(), events.end(),
                         [](const MoonEvent& a, const MoonEvent& b) { return a.JulianDateUt < b.JulianDateUt; });
        for (const MoonEvent& event : events) report(event);
    }
}

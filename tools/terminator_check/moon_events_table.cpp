// Reads days and sites, one per line as "year month day latitude longitude"
// (a MEZ date, degrees), and writes for each the Moon's events on that day
// as mirelta --ereignisse lists them (ForEachMoonEvent): the count, then
// "kind julianDateUt altitude" for each event, kind 0 rise, 1 culmination,
// 2 set, 3 new moon, 4 first quarter, 5 full moon, 6 last quarter, the
// altitude (degrees) seen from the site, 0 where there is none.
// check_events.mjs compares them with astronomy-engine.

#include "observing/moon_events.h"

#include <cstdio>
#include <iostream>
#include <vector>

int main()
{
    MezMoment day;
    double latitude = 0, longitude = 0;
    while (std::cin >> day.Year >> day.Month >> day.Day >> latitude >> longitude) {
        std::vector<MoonEvent> events;
        ForEachMoonEvent(day, day, latitude, longitude, [&](const MoonEvent& event) { events.push_back(event); });
        std::printf("%zu", events.size());
        for (const MoonEvent& event : events)
            std::printf(" %d %.8f %.5f", static_cast<int>(event.Kind), event.JulianDateUt, event.Altitude.value_or(0));
        std::printf("\n");
    }
    return 0;
}

// Reads days and sites, one per line as "year month day latitude longitude"
// (a MEZ date, degrees), and writes for each the Moon's rises, upper
// culminations and sets on that day as this program finds them
// (MoonHorizonEvents): the count, then "kind julianDateUt altitude" for each
// event, kind 0 rise, 1 culmination, 2 set, the altitude (degrees) seen from
// the site. check_events.mjs compares them with astronomy-engine.

#include "observing/moon_rise_set.h"

#include <cstdio>
#include <iostream>

int main()
{
    MezMoment day;
    double latitude = 0, longitude = 0;
    while (std::cin >> day.Year >> day.Month >> day.Day >> latitude >> longitude) {
        const std::vector<HorizonEvent> events = MoonHorizonEvents(day, latitude, longitude);
        std::printf("%zu", events.size());
        for (const HorizonEvent& event : events)
            std::printf(" %d %.8f %.5f", static_cast<int>(event.Kind), event.JulianDateUt, event.Altitude);
        std::printf("\n");
    }
    return 0;
}

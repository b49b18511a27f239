// Reads observation instants, one per line as "year month day hour minute"
// (MEZ), and writes for each the Sun over the Moon as this program computes
// it: "subsolarLongitude subsolarLatitude colongitude terminatorLongitude
// librationLongitude librationLatitude", degrees. check_terminator.mjs
// compares these with a modern ephemeris.

#include "astronomy/Rechn.h"
#include "astronomy/sun_over_formation.h"

#include <cstdio>
#include <iostream>

int main()
{
    int year = 0, month = 0, day = 0, hour = 0, minute = 0;
    while (std::cin >> year >> month >> day >> hour >> minute) {
        ObservationState state;
        state.Year = static_cast<std::uint16_t>(year);
        state.Month = static_cast<std::uint16_t>(month);
        state.Day = static_cast<std::uint16_t>(day);
        state.Hour = static_cast<std::uint16_t>(hour);
        state.Minute = static_cast<std::uint16_t>(minute);
        const SunOverMoon sun = ComputeSunOverMoon(state);
        std::printf("%.6f %.6f %.6f %.6f %.6f %.6f\n", sun.SubsolarLongitude, sun.SubsolarLatitude, sun.Colongitude,
                    state.TerminatorLongitude, state.LibrationLongitude, state.LibrationLatitude);
    }
    return 0;
}

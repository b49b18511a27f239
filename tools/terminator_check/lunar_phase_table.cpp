// The program's side of check_phases.mjs. Reads one request per line and
// writes one answer per line:
//
//   "age year month day hour minute"  the Moon's age in days (MoonAge) for
//                                     that observation time (MEZ)
//   "next jdUt phase"                 NextPhaseInstant(jdUt, phase), phase
//                                     0 new moon .. 3 last quarter
//   "previous jdUt"                   PreviousNewMoon(jdUt)
//   "deltat decimalYear"              DeltaTSeconds(decimalYear)
//
// Julian dates are written with 8 decimals (a millisecond).

#include "astronomy/Rechn.h"
#include "astronomy/delta_t.h"
#include "astronomy/lunar_phases.h"
#include "observing/mez_moment.h"

#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>

int main()
{
    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream fields(line);
        std::string request;
        fields >> request;
        if (request == "age") {
            int year = 0, month = 0, day = 0, hour = 0, minute = 0;
            fields >> year >> month >> day >> hour >> minute;
            ObservationState state;
            SetObservationMoment(state, MezMoment{year, month, day, hour, minute});
            std::printf("%.8f\n", MoonAge(state));
        } else if (request == "next") {
            double jd = 0;
            int phase = 0;
            fields >> jd >> phase;
            std::printf("%.8f\n", NextPhaseInstant(jd, static_cast<LunarPhase>(phase)));
        } else if (request == "previous") {
            double jd = 0;
            fields >> jd;
            std::printf("%.8f\n", PreviousNewMoon(jd));
        } else if (request == "deltat") {
            double year = 0;
            fields >> year;
            std::printf("%.6f\n", DeltaTSeconds(year));
        } else {
            std::fprintf(stderr, "lunar_phase_table: unknown request '%s'\n", request.c_str());
            return 1;
        }
    }
    return 0;
}

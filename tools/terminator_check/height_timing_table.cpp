// How an error of the timing, and one of the terminator, carries into the
// height the panel "Höhenberechnung" shows. Reads lines "year month day hour
// minute siteLatitude siteLongitude formationLatitude formationLongitude
// catalogueHeight transitSeconds" (MEZ, degrees, metres, seconds) and writes
// for each
//
//   "expectedTransit height heightTerminatorPlus heightTerminatorMinus"
//
// expectedTransit: the transit time that gives the catalogue height
// (ExpectedTransitTime, as the window "Lichtgrenze" shows it; -1 if none);
// height: what the panel computes for transitSeconds (MeasureMountainHeight,
// -1 for "ungültig"); the last two: the same with the terminator moved by
// +0.1 and -0.1 degrees, the size of the program's terminator error.
//
// For the manual's chapter on accuracy, e.g. Mons Hadley on 10 March 2003:
//   printf '2003 3 10 20 5 52.52 13.405 26.6948 4.1183 4500 %s\n' 1.25 1.3 1.35 |
//     build/tools/terminator_check/height_timing_table

#include "astronomy/mountain_height.h"
#include "observing/mez_moment.h"
#include "observing/shadow_transit.h"

#include <cstdio>
#include <iostream>
#include <optional>

namespace {

constexpr double kTerminatorError = 0.1;  // degrees

double OrMinusOne(const std::optional<double>& value) { return value.value_or(-1.0); }

double HeightWithTerminatorMoved(ObservationState prepared, double shift, double seconds, double latitude,
                                 double longitude)
{
    prepared.TerminatorLongitude += shift;
    double terminatorCorrection = 0;
    return OrMinusOne(MountainHeight(prepared, seconds, latitude, longitude, terminatorCorrection));
}

}  // namespace

int main()
{
    MezMoment moment;
    double siteLatitude = 0, siteLongitude = 0, latitude = 0, longitude = 0, catalogueHeight = 0, seconds = 0;
    while (std::cin >> moment.Year >> moment.Month >> moment.Day >> moment.Hour >> moment.Minute >> siteLatitude >>
           siteLongitude >> latitude >> longitude >> catalogueHeight >> seconds) {
        ObservationState state;
        SetObservationMoment(state, moment);
        state.Latitude = siteLatitude;
        state.Longitude = siteLongitude;
        const HeightMeasurement measured = MeasureMountainHeight(state, seconds, latitude, longitude);
        std::printf("%.4f %.1f %.1f %.1f\n",
                    OrMinusOne(ExpectedTransitTime(state, latitude, longitude, catalogueHeight)),
                    OrMinusOne(measured.Height),
                    HeightWithTerminatorMoved(state, kTerminatorError, seconds, latitude, longitude),
                    HeightWithTerminatorMoved(state, -kTerminatorError, seconds, latitude, longitude));
    }
    return 0;
}

// How errors carry into the height the panel "Höhenberechnung" shows: the
// timing, the Sun's position and the Sun's disc. Reads lines "year month day
// hour minute siteLatitude siteLongitude formationLatitude formationLongitude
// catalogueHeight transitSeconds" (MEZ, degrees, metres, seconds) and writes
// for each
//
//   "sunAltitude expectedTransit height sunPlus sunMinus upperLimb lowerLimb"
//
// sunAltitude: the Sun over the formation, degrees; expectedTransit: the
// transit time of a summit of the catalogue height (as "Lichtgrenze" shows
// it; -1 if none); height: what the panel computes for transitSeconds (-1
// for none); sunPlus, sunMinus: the same with the Sun 0.03 deg higher and
// lower over the formation (the program's error of the subsolar point for
// 95 % of instants); upperLimb, lowerLimb: the same with the Sun 0.267 deg
// higher and lower (where the Sun's upper and lower limb stand, so that the
// dark shadow ends and the half-light begins).
//
// For the manual's chapter on accuracy, e.g. Manilius on 10 March 2003:
//   printf '2003 3 10 20 5 52.52 13.405 14.452 9.0737 3100 %s\n' 0.8 0.86 0.9 |
//     build/tools/terminator_check/height_timing_table

#include "astronomy/angles.h"
#include "astronomy/mountain_shadow.h"
#include "observing/mez_moment.h"

#include <cmath>
#include <cstdio>
#include <iostream>
#include <optional>

namespace {

constexpr double kSunError = 0.03;          // degrees
constexpr double kSunSemiDiameter = 0.267;  // degrees

double OrMinusOne(const std::optional<double>& value) { return value.value_or(-1.0); }

/// The height for `seconds` with the Sun `shift` degrees higher over the
/// formation than the program has it.
double HeightWithSunRaised(ShadowScene scene, double shift, double seconds)
{
    const Vector3 up = scene.Foot;
    Vector3& sun = scene.View.Globe.SunDirection;
    const Vector3 level = Unit(sun - Dot(sun, up) * up);
    const double altitude = (scene.SunAltitude + shift) * DegreeFactor;
    sun = std::sin(altitude) * up + std::cos(altitude) * level;
    scene.SunAltitude += shift;
    return OrMinusOne(HeightFromTransit(scene, seconds).Height);
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
        const ShadowScene scene = PrepareShadowScene(state, latitude, longitude);
        const std::optional<ShadowOnSky> expected = CastShadow(scene, catalogueHeight);
        std::printf("%.3f %.4f %.1f %.1f %.1f %.1f %.1f\n", scene.SunAltitude,
                    expected ? expected->TransitSeconds : -1.0, OrMinusOne(HeightFromTransit(scene, seconds).Height),
                    HeightWithSunRaised(scene, kSunError, seconds), HeightWithSunRaised(scene, -kSunError, seconds),
                    HeightWithSunRaised(scene, kSunSemiDiameter, seconds),
                    HeightWithSunRaised(scene, -kSunSemiDiameter, seconds));
    }
    return 0;
}

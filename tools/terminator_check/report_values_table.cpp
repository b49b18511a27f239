// Reads observation instants and sites, one per line as "year month day hour
// minute latitude longitude deltaT" (MEZ, degrees, seconds), and writes for
// each the values the reports show, computed twice:
//
//   1. as the program computes them: the Moon position report's LocateMoon,
//      the physical ephemerides report's ComputePhysicalEphemeridesInDegrees
//      and the Moon's age, with universal time as every routine takes it;
//   2. the same routines in the same order, but with the theories of the
//      Moon and the Sun given terrestrial time, UT + deltaT (the sidereal
//      time keeps universal time), to tell the time-scale error apart from
//      the rest.
//
// Each is written as "lambda beta distance rightAscension declination azimuth
// altitude librationL librationB positionAngle terminator sunLatitude
// colongitude" (degrees, azimuth from the south through west, distance in
// Earth radii); the first part ends with the Moon's age in days. One line
// per input line. check_accuracy.mjs compares these with a modern ephemeris.
//
// With deltaT = 0 the second way must give exactly the first: the program
// stops with an error otherwise, so that the copy of the call order below
// cannot drift from the reports'.

#include "astronomy/Rechn.h"
#include "astronomy/sun_over_formation.h"
#include "observing/mez_moment.h"
#include "reports/report_texts.h"

#include <array>
#include <cstdio>
#include <iostream>

namespace {

constexpr double SecondsPerCentury = 86400.0 * 36525.0;

using ReportValues = std::array<double, 13>;

ReportValues ValuesOf(const ObservationState& s, const SunOverMoon& sun)
{
    return {s.MoonEclipticLongitude,
            s.MoonEclipticLatitude,
            s.MoonDistance,
            s.MoonRightAscension,
            s.MoonDeclination,
            s.Azimuth,
            s.Altitude,
            s.LibrationLongitude,
            s.LibrationLatitude,
            s.AxisPositionAngle,
            s.TerminatorLongitude,
            s.SunSelenographicLatitude,
            sun.Colongitude};
}

/// What the Moon position report and the physical ephemerides report show,
/// through their own functions.
ReportValues AsReported(ObservationState& s)
{
    LocateMoon(s);
    const double azimuth = s.Azimuth, altitude = s.Altitude;
    const SunOverMoon sun = ComputeSunOverMoon(s);  // runs MoonPosition again, the same way
    ReportValues values = ValuesOf(s, sun);
    values[5] = azimuth;
    values[6] = altitude;
    return values;
}

/// The same calls in the same order, the theories given UT + deltaT.
ReportValues WithTerrestrialTime(ObservationState& s, double deltaTSeconds)
{
    const double universal = JulianCenturies(s);
    const double terrestrial = universal + deltaTSeconds / SecondsPerCentury;

    MoonPosition(s, terrestrial, s.MoonRightAscension, s.MoonDeclination, s.MoonDistance);
    HorizontalPosition(s, s.MoonRightAscension, s.MoonDeclination, s.Longitude, universal);
    const double azimuth = s.Azimuth, altitude = s.Altitude;

    MoonPosition(s, terrestrial, s.MoonRightAscension, s.MoonDeclination, s.MoonDistance);
    SunPosition(terrestrial, s.SunEclipticLongitude, s.SunEclipticLatitude, s.SunDistance);
    s.SunDistance = SunDistanceForEphemerides(s.SunDistance);
    PhysicalEphemerides(s, terrestrial, s.MoonEclipticLongitude, s.MoonEclipticLatitude, s.MoonDistance,
                        s.MoonRightAscension, s.SunEclipticLongitude, s.SunDistance);
    for (double* field : {&s.LibrationLongitude, &s.LibrationLatitude, &s.AxisPositionAngle, &s.TerminatorLongitude,
                          &s.SunSelenographicLatitude})
        *field /= DegreeFactor;

    ReportValues values = ValuesOf(s, SunOverMoonFromEphemerides(s));
    values[5] = azimuth;
    values[6] = altitude;
    return values;
}

void Print(const ReportValues& values)
{
    for (double value : values) std::printf(" %.9f", value);
}

}  // namespace

int main()
{
    MezMoment moment;
    double latitude = 0, longitude = 0, deltaT = 0;
    while (std::cin >> moment.Year >> moment.Month >> moment.Day >> moment.Hour >> moment.Minute >> latitude >>
           longitude >> deltaT) {
        ObservationState state;
        SetObservationMoment(state, moment);
        state.Latitude = latitude;
        state.Longitude = longitude;

        const ReportValues reported = AsReported(state);
        const double age = MoonAge(state);
        if (WithTerrestrialTime(state, 0.0) != reported) {
            std::fprintf(stderr, "The copied call order no longer gives the reports' values.\n");
            return 1;
        }
        Print(reported);
        std::printf(" %.9f", age);
        Print(WithTerrestrialTime(state, deltaT));
        std::printf("\n");
    }
    return 0;
}

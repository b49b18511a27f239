#include "observing/moon_rise_set.h"

#include "astronomy/angles.h"
#include "astronomy/calendar.h"
#include "astronomy/coordinates.h"
#include "astronomy/distance_units.h"
#include "astronomy/moon_globe.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr double SecondsPerDay = 86400.0;
constexpr double SecondsPerCentury = SecondsPerDay * 36525.0;
/// The standard refraction at the horizon, degrees (34').
constexpr double HorizonRefraction = 34.0 / 60.0;

/// The search's sampling of the day: every 10 minutes, 0:00 to 24:00.
constexpr double SampleSeconds = 600.0;
constexpr int SampleCount = static_cast<int>(SecondsPerDay / SampleSeconds) + 1;
/// Bisection ends when the interval is shorter than this.
constexpr double ResolutionSeconds = 0.5;

/// Narrows [a, b], on whose ends `f` has opposite signs (positive meaning
/// "after"), to the instant of the sign change.
template <class F>
double Bisect(F f, double a, double b)
{
    const bool aPositive = f(a) > 0;
    while (b - a > ResolutionSeconds) {
        const double middle = 0.5 * (a + b);
        if ((f(middle) > 0) == aPositive)
            a = middle;
        else
            b = middle;
    }
    return 0.5 * (a + b);
}

/// The turning point of the parabola through (t0, f0), (t0 + h, f1),
/// (t0 + 2h, f2); NaN when the three lie on a line.
double ParabolaTurningPoint(double t0, double h, double f0, double f1, double f2)
{
    const double curvature = f0 - 2 * f1 + f2;
    if (curvature == 0) return NAN;
    return t0 + h * (1 + (f0 - f2) / (2 * curvature));
}

/// A horizon crossing: when, and whether the Moon comes up there.
struct Crossing {
    double Seconds = 0;
    bool Rising = false;
};

}  // namespace

double MoonRiseAltitude(double distanceEarthRadii)
{
    const double parallax = std::asin(1.0 / distanceEarthRadii) / DegreeFactor;
    return 0.7275 * parallax - HorizonRefraction;
}

MoonDay::MoonDay(const MezMoment& day, double latitude, double longitude) : latitude_(latitude), longitude_(longitude)
{
    ObservationState start;
    SetObservationMoment(start, {day.Year, day.Month, day.Day, 0, 0});
    start.Latitude = latitude;
    start.Longitude = longitude;
    startCenturies_ = JulianCenturies(start);
    UpdateLocalSiderealTime(start, startCenturies_, longitude / 15.0);
    startSiderealHours_ = start.LocalSiderealTime;
    startJulianDate_ = JulianDate(start);
}

MoonSkyPlace MoonDay::PlaceAt(double seconds) const
{
    ObservationState scratch;
    MoonSkyPlace place;
    MoonPosition(scratch, startCenturies_ + seconds / SecondsPerCentury, place.RightAscension, place.Declination,
                 place.Distance);
    const double sidereal = startSiderealHours_ + seconds * SiderealPerSolar / 3600.0;
    place.HourAngle = -std::remainder(place.RightAscension - 15.0 * sidereal, 360.0);
    if (place.HourAngle <= -180.0) place.HourAngle += 360.0;
    const double phi = latitude_ * DegreeFactor;
    const double dec = place.Declination * DegreeFactor;
    const double sinAltitude =
        std::sin(phi) * std::sin(dec) + std::cos(phi) * std::cos(dec) * std::cos(place.HourAngle * DegreeFactor);
    place.Altitude = std::asin(std::clamp(sinAltitude, -1.0, 1.0)) / DegreeFactor;
    return place;
}

double MoonDay::AltitudeFromSiteAt(double seconds) const
{
    const MoonSkyPlace place = PlaceAt(seconds);
    const double sidereal = startSiderealHours_ + seconds * SiderealPerSolar / 3600.0;
    const Vector3 moon =
        (place.Distance * EarthRadiusKm) * EquatorialUnitVector(place.RightAscension, place.Declination);
    return AltitudeFromSite(SiteFromEarthCentre(latitude_, sidereal), moon);
}

bool MoonAboveHorizon(const MoonDay& day, double seconds)
{
    const MoonSkyPlace place = day.PlaceAt(seconds);
    return place.Altitude > MoonRiseAltitude(place.Distance);
}

std::vector<HorizonEvent> MoonHorizonEvents(const MezMoment& date, double latitude, double longitude)
{
    const MoonDay day(date, latitude, longitude);
    const auto aboveHorizon = [&](double seconds) {
        const MoonSkyPlace place = day.PlaceAt(seconds);
        return place.Altitude - MoonRiseAltitude(place.Distance);
    };
    const auto hourAngle = [&](double seconds) { return day.PlaceAt(seconds).HourAngle; };

    std::array<double, SampleCount> height{}, angle{};
    for (int i = 0; i < SampleCount; ++i) {
        const MoonSkyPlace place = day.PlaceAt(i * SampleSeconds);
        height[i] = place.Altitude - MoonRiseAltitude(place.Distance);
        angle[i] = place.HourAngle;
    }

    std::vector<Crossing> crossings;  // seconds after 0:00 MEZ
    std::vector<double> transits;
    const auto cross = [&](double a, double b, bool rising) {
        crossings.push_back({Bisect(aboveHorizon, a, b), rising});
    };
    for (int i = 0; i + 1 < SampleCount; ++i) {
        const double a = i * SampleSeconds, b = a + SampleSeconds;
        if ((height[i] > 0) != (height[i + 1] > 0)) {
            cross(a, b, height[i] <= 0);
        } else {
            // Both ends on one side: the Moon may still graze the horizon
            // between them, which the parabola through three samples shows.
            const int first = std::min(i, SampleCount - 3);
            const double turn = ParabolaTurningPoint(first * SampleSeconds, SampleSeconds, height[first],
                                                     height[first + 1], height[first + 2]);
            if (turn > a && turn < b && (aboveHorizon(turn) > 0) != (height[i] > 0)) {
                cross(a, turn, height[i] <= 0);
                cross(turn, b, height[i] > 0);
            }
        }
        // The upper transit: the hour angle passes 0 upward (not its jump
        // from +180 to -180 at the lower transit).
        if (angle[i] < 0 && angle[i + 1] >= 0 && angle[i + 1] - angle[i] < 180.0)
            transits.push_back(Bisect(hourAngle, a, b));
    }

    std::vector<HorizonEvent> events;
    for (const Crossing& crossing : crossings)
        events.push_back({crossing.Rising ? HorizonEventKind::Rise : HorizonEventKind::Set,
                          day.StartJulianDate() + crossing.Seconds / SecondsPerDay,
                          day.AltitudeFromSiteAt(crossing.Seconds)});
    for (double seconds : transits)
        events.push_back({HorizonEventKind::Culmination, day.StartJulianDate() + seconds / SecondsPerDay,
                          day.AltitudeFromSiteAt(seconds)});
    std::sort(events.begin(), events.end(),
              [](const HorizonEvent& x, const HorizonEvent& y) { return x.JulianDateUt < y.JulianDateUt; });
    return events;
}

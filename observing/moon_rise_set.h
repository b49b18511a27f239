#pragma once
// When the Moon rises, culminates and sets at a site: the instants to the
// second, found from the program's own Moon positions.

#include "observing/mez_moment.h"

#include <vector>

/// What happens at a horizon event.
enum class HorizonEventKind { Rise, Culmination, Set };

/// One rise, upper culmination or set of the Moon.
struct HorizonEvent {
    HorizonEventKind Kind = HorizonEventKind::Rise;
    double JulianDateUt = 0;  ///< days, universal time, to about a second
    double Altitude = 0;      ///< degrees, the centre's altitude seen from the site (with the
                              ///< parallax, no refraction); for rise and set about -0.8
};

/// The Moon's apparent place for a site: what the search works on.
struct MoonSkyPlace {
    double RightAscension = 0;  ///< degrees, true equator of date (MoonPosition)
    double Declination = 0;     ///< degrees
    double Distance = 0;        ///< Earth radii
    double HourAngle = 0;       ///< degrees, -180 < H <= 180, west of the meridian positive
    double Altitude = 0;        ///< degrees, geocentric, no refraction
};

/// The altitude of the Moon's centre, geocentric, at which its upper limb
/// touches the sea horizon with the standard refraction:
/// h0 = 0.7275 pi - 0 deg 34', pi the horizontal parallax (sin pi = 1 /
/// distance in Earth radii), degrees, about +0.13 to +0.17.
/// Reference: Meeus, Astronomical Algorithms, ch. 15.
double MoonRiseAltitude(double distanceEarthRadii);

/// A MEZ day and a site, and the Moon's place in the sky during it.
///
/// Made once per day: the Moon's position and the sidereal time at 0:00 MEZ
/// come from the program's routines (MoonPosition, UpdateLocalSiderealTime);
/// an instant `seconds` later gets the Moon of JulianCenturies + seconds
/// and the sidereal time advanced at the sidereal rate, so the search can
/// go below the state's whole minutes.
class MoonDay {
public:
    MoonDay(const MezMoment& day, double latitude, double longitude);

    /// Julian date (UT) of 0:00 MEZ of the day.
    double StartJulianDate() const { return startJulianDate_; }

    /// The Moon's place `seconds` after 0:00 MEZ (any value, also beyond
    /// the day).
    MoonSkyPlace PlaceAt(double seconds) const;

    /// The altitude of the centre seen from the site (with the parallax),
    /// degrees, no refraction, `seconds` after 0:00 MEZ.
    double AltitudeFromSiteAt(double seconds) const;

private:
    double latitude_;
    double longitude_;
    double startCenturies_;
    double startSiderealHours_;
    double startJulianDate_;
};

/// The Moon's rises, upper culminations and sets during one MEZ day
/// (0:00 to 24:00 MEZ), in time order.
///
/// Given: the day (its time of day is not used); the site's latitude
///   (degrees, -90..90, north positive) and longitude (degrees, east
///   positive), at sea level.
/// Returned: each event at most once, to about a second. Rise and set are
///   those of the upper limb with the standard refraction of 34' (the
///   centre's geocentric altitude crosses MoonRiseAltitude, Meeus ch. 15);
///   the culmination is the upper transit (hour angle 0). A day on which the
///   Moon stays above or below the horizon has no rise or set; near the
///   poles a day may have two of a kind or none at all.
///
/// Notes:
///   1. The altitude is sampled every 10 minutes; a sign change, or a
///      parabola through three samples whose turning point crosses the
///      horizon between them (a Moon that only grazes it), gives an
///      interval that bisection narrows to half a second. The loop counts
///      are fixed, so the search always ends.
///   2. The Moon's positions come in universal time, as everywhere in the
///      program; the missing Delta T (up to about 3 minutes around 2100)
///      moves the events by under 10 seconds.
///   3. Against astronomy-engine (SearchRiseSet, SearchHourAngle) on 5000
///      random days 1900-2100 at sites from 60 S to 65 N: rise and set within
///      0.03 / 0.14 / 0.29 minutes (median / 95 % / largest), the
///      culmination within 0.17 minutes and its altitude within 0.018
///      degrees. Beyond 65 degrees, where the Moon may only graze the
///      horizon, rise and set differ by up to 2.8 minutes
///      (tools/terminator_check/check_events.mjs).
std::vector<HorizonEvent> MoonHorizonEvents(const MezMoment& day, double latitude, double longitude);

/// Whether the Moon's upper limb stands above the sea horizon (with the
/// standard refraction) `seconds` after 0:00 MEZ of the day: the test that
/// rise and set are the crossings of.
bool MoonAboveHorizon(const MoonDay& day, double seconds);

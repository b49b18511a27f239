#pragma once
// The Sun's azimuth and altitude for the observation site, for telling
// night from day (twilight) where the Moon is observed.

#include "astronomy/observation_state.h"

/// Where the Sun stands above the site's horizon.
struct SunAtSite {
    double RightAscension = 0;  ///< degrees (not hours), 0 <= value < 360, true equator of date
    double Declination = 0;     ///< degrees, -90..90
    double Azimuth = 0;         ///< degrees from the south point through west, 0 <= value < 360
    double Altitude = 0;        ///< degrees, -90..90, geocentric, no refraction: -6 is the end of
                                ///< civil twilight, -12 nautical, -18 astronomical
};

/// The Sun's place above the horizon of the state's site at the state's
/// date and time.
///
/// Given: `state` with the date, time and site (Latitude, Longitude); it is
///   not changed: the routines that write state fields run on a copy.
/// Returned: see SunAtSite.
///
/// Notes:
///   1. The Sun takes the Moon's road: SunPosition (the ecliptic position of
///      the Sun theory) for JulianCenturies, then EclipticToTrueEquatorial
///      (to the equator, nutation, spherical coordinates) and
///      HorizontalPosition for the site's longitude, as MoonPosition and the
///      reports do for the Moon. So both bodies are treated alike.
///   2. Geocentric and without refraction, like the Moon's altitude: at the
///      horizon the refraction lifts the Sun by about 0.6 deg, which matters
///      for sunrise, not for twilight depths.
///   3. Accuracy against a modern ephemeris (astronomy-engine: VSOP87 Sun,
///      its nutation and sidereal time, Horizon() without refraction; see
///      tools/terminator_check/check_sun_altitude.mjs), over 400 random
///      instants 1950-2050 and sites from 60 S to 65 N: the altitude lies
///      within 0.003 deg (median), 0.008 deg (95 %) and 0.009 deg (largest)
///      of it, the azimuth alike. Most of it is the aberration (20"), which
///      the Sun theory leaves out; twilight limits need far less.
SunAtSite SunHorizontalPosition(const ObservationState& state);

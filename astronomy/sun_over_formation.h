#pragma once
// The Sun over the Moon's surface: the point where it stands overhead, its
// altitude above the horizon of any formation, and whether a formation sees
// it rise (morning terminator) or set (evening terminator).

#include "astronomy/observation_state.h"

/// Where the Sun stands over the Moon at the observation instant.
struct SunOverMoon {
    double SubsolarLatitude = 0;   ///< degrees, the Sun's selenographic latitude Bs, about -1.6..1.6
    double SubsolarLongitude = 0;  ///< degrees, the Sun's selenographic longitude l0, -180 < l0 <= 180,
                                   ///< east positive
    double Colongitude = 0;        ///< degrees, 0 <= c0 < 360: 90 - l0 reduced by whole turns. The
                                   ///< morning terminator lies at longitude -c0 (360 - c0), the evening
                                   ///< terminator at 180 - c0. About 270 at new moon, 0 at first quarter,
                                   ///< 90 at full moon, 180 at last quarter.
};

/// The terminator a formation lies at: where the Sun rises or where it sets.
enum class TerminatorSide { Morning, Evening };

/// The Sun over the Moon for the state's date and time.
///
/// Runs ComputePhysicalEphemeridesInDegrees (Moon position, Sun position,
/// the Sun's distance rescaled, PhysicalEphemerides, conversion to degrees),
/// the same calls in the same order as the physical ephemerides report, and
/// derives the subsolar point with SunOverMoonFromEphemerides.
/// Reads the date and time; writes every field those routines write (the
/// Moon's and the Sun's positions, NutationInLongitude, the five results of
/// the physical ephemerides in degrees), exactly as the report leaves them.
SunOverMoon ComputeSunOverMoon(ObservationState& state);

/// The subsolar point from the results the physical ephemerides left.
///
/// Reads (degrees, i.e. after the callers' conversion) TerminatorLongitude,
///   SunSelenographicLatitude and, to tell the two terminators apart,
///   LibrationLongitude, MoonEclipticLongitude and SunEclipticLongitude.
///   Writes nothing.
/// Returned: the subsolar point and the colongitude (see SunOverMoon).
///
/// Notes:
///   1. PhysicalEphemerides keeps the Sun's selenographic longitude l0 only
///      as the terminator on the Earth-facing hemisphere: l0 - 90 when
///      l0 >= 0 (the morning terminator, waxing Moon), l0 + 90 otherwise
///      (the evening terminator, waning Moon). Of the two longitudes that
///      terminator allows, the one nearer to the rough estimate
///      l0 ~ L + 180 - (lambda_moon - lambda_sun) (the phase angle seen from
///      the Moon, good to a few degrees) is taken; the two lie 180 degrees
///      apart, so the choice is never in doubt, and l0 is the value the
///      routine itself computed.
///   2. Bs is SunSelenographicLatitude unchanged.
///   3. Accuracy against a modern ephemeris (astronomy-engine: VSOP87 Sun,
///      its Moon, the IAU rotation model of the Moon; see
///      tools/terminator_check), over 400 random instants 1900-2100: the
///      subsolar longitude, and with it the terminator's longitude and the
///      colongitude, lies within 0.099 deg (median), 0.163 deg (95 %) and
///      0.183 deg (largest) of it; the subsolar latitude within 0.016,
///      0.033 and 0.039 deg. Almost all of the longitude error is one term:
///      PhysicalEphemerides looks at the Sun along its direction from the
///      Earth's centre, lambda0 + 180, without Meeus's correction
///      (Delta/R) cos(beta) sin(lambda0 - lambda) for the Moon's distance
///      from the Earth (up to 0.15 deg). With that term the differences
///      would be 0.014 / 0.031 / 0.034 deg; it is left out so that the
///      terminator here is the one the physical ephemerides report shows.
/// Reference: Meeus, Astronomical Algorithms, ch. 53 (the selenographic
///   position of the Sun, the colongitude).
SunOverMoon SunOverMoonFromEphemerides(const ObservationState& state);

/// The Sun's altitude above the horizon of a point of the Moon.
///
/// Given:
///   sun        the Sun over the Moon (ComputeSunOverMoon)
///   latitude   selenographic latitude of the point, degrees, -90..90
///   longitude  selenographic longitude of the point, degrees, east
///              positive, any range
/// Returned: degrees, -90..90; 90 at the subsolar point, 0 on the
///   terminator, negative on the night side.
///
/// Notes:
///   1. sin h = sin Bs sin b + cos Bs cos b cos(l - l0), which is Meeus's
///      sin h = sin b0 sin b + cos b0 cos b sin(c0 + l) with c0 = 90 - l0.
///   2. The Moon is a smooth sphere here: the point's own height and the
///      Sun's semi-diameter (0.27 deg) are not counted; the Sun's upper limb
///      rises about 0.27 deg before its centre does.
/// Reference: Meeus, Astronomical Algorithms, ch. 53.
double SunAltitudeOver(const SunOverMoon& sun, double latitude, double longitude);

/// Whether a point of the Moon lies at the morning terminator (west of the
/// subsolar meridian, the Sun rising or about to rise) or at the evening
/// terminator (east of it, the Sun setting or set).
///
/// Given: sun as above; longitude of the point, degrees, any range.
/// Returned: Morning when the point lies less than 180 degrees west of the
///   subsolar meridian (the subsolar meridian itself counts as morning),
///   Evening otherwise. The subsolar point moves west by about 12.2 degrees
///   a day, so a waxing Moon shows its morning terminator, a waning Moon its
///   evening terminator.
TerminatorSide TerminatorSideAt(const SunOverMoon& sun, double longitude);

/// True when a point of the Moon lies on the hemisphere that faces the
/// Earth: less than 90 degrees from the apparent centre of the disc.
/// Reads LibrationLatitude and LibrationLongitude in degrees (after the
/// ephemerides ran and were converted, e.g. by ComputeSunOverMoon).
bool FacesEarth(const ObservationState& state, double latitude, double longitude);

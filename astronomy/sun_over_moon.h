#pragma once
// Where the Sun stands over the Moon: the point where it stands overhead and
// its altitude above the horizon of any point. Everything in the program
// that asks where the Sun stands over a formation asks here.

#include "astronomy/observation_state.h"

/// Where the Sun stands over the Moon at the observation instant.
struct SunOverMoon {
    double SubsolarLatitude = 0;   ///< degrees, the Sun's selenographic latitude, about -1.6..1.6
    double SubsolarLongitude = 0;  ///< degrees, the Sun's selenographic longitude l0, -180 < l0 <= 180,
                                   ///< east positive
    double Colongitude = 0;        ///< degrees, 0 <= c0 < 360: 90 - l0 reduced by whole turns. The
                                   ///< morning terminator lies at longitude -c0 (360 - c0), the evening
                                   ///< terminator at 180 - c0. About 270 at new moon, 0 at first quarter,
                                   ///< 90 at full moon, 180 at last quarter.
};

/// The Sun over the Moon for the state's date and time.
///
/// Runs ComputeEphemeridesAndSubsolarPoint: the Moon position, the Sun
/// position, the Sun's distance rescaled, PhysicalEphemerides and the
/// conversion to degrees, the same calls in the same order as the physical
/// ephemerides report, then the subsolar point seen from the Moon.
/// Reads the date and time; writes every field those routines write,
/// exactly as the report leaves them.
/// Returned: the same as SunOverMoonFromEphemerides afterwards, bit for bit.
SunOverMoon ComputeSunOverMoon(ObservationState& state);

/// The Sun over the Moon from the results the physical ephemerides left
/// (ComputePhysicalEphemeridesInDegrees, or any routine that runs it).
///
/// Reads what SubsolarPoint reads (physical_ephemerides.h). Writes nothing.
/// Returned: the subsolar point and the colongitude.
///
/// Notes:
///   1. The Sun is seen from the Moon's centre (SubsolarPoint). The
///      terminator of the physical ephemerides report (Lgr/Ls) and its Bs
///      look at the Sun from the Earth's centre instead and differ from this
///      by up to 0.15 deg in longitude and 0.02 deg in latitude; the report
///      keeps its own values.
///   2. Accuracy against a modern ephemeris (astronomy-engine: VSOP87 Sun,
///      its Moon, the IAU rotation model of the Moon; see
///      tools/terminator_check), over 400 random instants 1900-2100: the
///      subsolar longitude, and with it the colongitude, lies within
///      0.014 deg (median), 0.031 deg (95 %) and 0.034 deg (largest) of it;
///      the subsolar latitude within 0.016, 0.024 and 0.026 deg. (Seen from
///      the Earth's centre, as the report's terminator is, the longitude
///      was off by 0.099, 0.163 and 0.183 deg.)
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

#pragma once
// Physical ephemerides of the Moon: optical and physical libration, position
// angle of the axis, the Sun's selenographic position and the terminator.

#include "astronomy/observation_state.h"
#include "astronomy/selenographic_point.h"

/// Inclination of the mean lunar equator to the ecliptic, radians (1.54242 deg).
inline constexpr double LunarEquatorInclination = 0.026920307448610944;

/// How the Moon's globe is turned toward the Earth and lit by the Sun.
///
/// Given:
///   T        Julian centuries since J2000.0 (JulianCenturies)
///   lambda   the Moon's geocentric ecliptic longitude, degrees
///            (MoonEclipticLongitude)
///   beta     the Moon's geocentric ecliptic latitude, degrees
///            (MoonEclipticLatitude)
///   delta    the Moon's distance, Earth radii (MoonDistance)
///   alpha    the Moon's right ascension, degrees (MoonRightAscension)
///   lambda0  the Sun's geocentric ecliptic longitude, degrees
///            (SunEclipticLongitude)
///   R        the Sun's distance as SunDistanceForEphemerides gives it
///            (SunDistance after the callers' rescale), about 2.3e7
/// Reads NutationInLongitude (radians, as MoonPosition left it).
/// Writes, all in radians (callers convert to degrees right afterwards):
///   LibrationLongitude        L, selenographic longitude of the apparent
///                             disc centre, principal value (a few degrees)
///   LibrationLatitude         B, its latitude, about -7..+7 deg
///   AxisPositionAngle         P, 0..pi/2 or 3pi/2..2pi (a negative P is
///                             returned as 2 pi + P)
///   TerminatorLongitude       selenographic longitude of the terminator on
///                             the hemisphere facing the Earth, -pi/2..pi/2
///   SunSelenographicLatitude  Bs, about -1.6..+1.6 deg
/// Rewrites NutationInLongitude with its value times DegreeFactor, the value
///   this routine uses as the nutation in longitude (so the correction it
///   applies is small by that factor; since every caller runs MoonPosition
///   right before, the rescale never compounds).
///
/// Notes:
///   1. The libration is the optical libration of the mean lunar equator plus
///      the physical libration series rho, sigma, tau.
///   2. The Sun is seen from the Moon as at lambda0 + 180 deg and latitude
///      beta * delta / R, with no further correction.
/// Reference: Meeus, Astronomical Algorithms, ch. 53 (Ephemeris for Physical
///   Observations of the Moon).
void PhysicalEphemerides(ObservationState& state, double T, double lambda, double beta, double delta, double alpha,
                         double lambda0, double R);

/// The Sun's distance in the unit PhysicalEphemerides takes for R: the
/// distance in astronomical units / EarthRadiusKm * AstronomicalUnitScale.
double SunDistanceForEphemerides(double astronomicalUnits);

/// Runs the full sequence every user of the ephemerides needs, for the
/// state's date and time: MoonPosition into MoonRightAscension,
/// MoonDeclination and MoonDistance; SunPosition into the three Sun fields;
/// SunDistance rescaled to the unit PhysicalEphemerides expects;
/// PhysicalEphemerides; and its five results converted to degrees.
/// Writes every field those routines write.
void ComputePhysicalEphemeridesInDegrees(ObservationState& state);

/// The Sun's distance in Earth radii from the value the callers rescaled
/// for PhysicalEphemerides (SunDistanceForEphemerides), about 23,500.
double SunDistanceInEarthRadii(double rescaledSunDistance);

/// Where the Sun stands overhead on the Moon, seen from the Moon's centre.
///
/// Reads, as ComputePhysicalEphemeridesInDegrees leaves them: the date and
///   time (T), MoonEclipticLongitude, MoonEclipticLatitude, MoonDistance,
///   SunEclipticLongitude, SunEclipticLatitude, SunDistance (rescaled) and
///   NutationInLongitude (rescaled). Writes nothing.
/// Returned: the subsolar point, degrees (longitude -180..180).
///
/// Notes:
///   1. The globe is turned exactly as in PhysicalEphemerides (the same
///      optical and physical libration), but the Sun is looked at from the
///      Moon: the direction from the Sun to the Moon is the difference of
///      their geocentric ecliptic vectors, instead of the Sun's direction
///      from the Earth's centre turned round (lambda0 + 180, latitude
///      beta * delta / R in the rescaled unit, i.e. almost 0). To first
///      order that is Meeus's lambdaH = lambda0 + 180 + (delta/R) cos(beta)
///      sin(lambda0 - lambda), betaH = (delta/R) beta; the vector form has
///      no second-order remainder and takes the Sun's own latitude.
///   2. The Moon stands up to 0.15 deg off the line from the Earth to the
///      Sun, as seen from the Sun; the subsolar longitude of
///      PhysicalEphemerides (its terminator) is off by that much.
///   3. Against astronomy-engine (VSOP87 Sun, its Moon, the IAU rotation
///      model of the Moon; tools/terminator_check), over 400 random instants
///      1900-2100, the subsolar longitude lies within 0.014 deg (median),
///      0.031 deg (95 %) and 0.034 deg (largest) of it, the latitude within
///      0.016, 0.024 and 0.026 deg (PhysicalEphemerides: 0.099, 0.163 and
///      0.183 deg in longitude, 0.016, 0.033 and 0.039 deg in latitude).
/// Reference: Meeus, Astronomical Algorithms, ch. 53.
SelenographicPoint SubsolarPoint(const ObservationState& ephemerides);

/// ComputePhysicalEphemeridesInDegrees followed by SubsolarPoint, with the
/// physical libration series summed only once. Writes what
/// ComputePhysicalEphemeridesInDegrees writes, bit for bit.
SelenographicPoint ComputeEphemeridesAndSubsolarPoint(ObservationState& state);

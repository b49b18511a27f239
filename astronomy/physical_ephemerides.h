#pragma once
// Physical ephemerides of the Moon: optical and physical libration, position
// angle of the axis, the Sun's selenographic position and the terminator.

#include "astronomy/observation_state.h"

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

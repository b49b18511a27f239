#pragma once
// The two scale constants the callers of the physical ephemerides and of the
// semi-diameter setter use.

/// Equatorial radius of the Earth, kilometres.
inline constexpr double EarthRadiusKm = 6378.169;

/// The astronomical unit as the program scales it: 1.49598e11 (its value in
/// metres, divided here by the Earth radius in kilometres). An AU times
/// AstronomicalUnitScale / EarthRadiusKm is therefore the Sun's distance in
/// thousandths of an Earth radius, the unit PhysicalEphemerides takes for the
/// Sun; the constant of SetMoonSemiDiameter is scaled for the same factor.
inline constexpr double AstronomicalUnitScale = 1.49598e11;

/// The astronomical unit in kilometres, the same value as AstronomicalUnitScale.
inline constexpr double KilometresPerAstronomicalUnit = AstronomicalUnitScale / 1000.0;

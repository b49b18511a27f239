#pragma once
// Geocentric ecliptic position of the Sun: mean longitude, the elliptic terms
// of the Earth's orbit, the perturbations by Venus, Mars, Jupiter and Saturn,
// the Earth's offset from the Earth-Moon barycentre and four long-period
// terms.
//
// Reference: Montenbruck & Pfleger, Astronomy on the Personal Computer, the
//   Sun series of the routine SUN200 (terms and constants as published
//   there); a few arcseconds in longitude for some centuries around 2000.
//   The fractional part PositiveFrac comes from platform/rounding.h.

#include "astronomy/angles.h"

#include <array>

/// One periodic term of the Sun theory: the argument e*M3 + p*M (M3 the
/// Earth's mean anomaly, M the perturbing planet's) times T^t.
struct SunTerm {
    int e;       ///< multiple of the Earth's mean anomaly M3, -1..7
    int p;       ///< multiple of the planet's mean anomaly M, -8..0
    int t;       ///< power of T, 0..2; rows with t > 0 follow their t - 1 row
    double DLC;  ///< longitude, cosine coefficient, arcseconds
    double DLS;  ///< longitude, sine coefficient, arcseconds
    double DRC;  ///< radius, cosine coefficient, 10^-6 AU
    double DRS;  ///< radius, sine coefficient, 10^-6 AU
    double DBC;  ///< latitude, cosine coefficient, arcseconds
    double DBS;  ///< latitude, sine coefficient, arcseconds
};

/// Working context of one SunPosition call, shared by its term routines.
/// Lives on the caller's stack for that one call; nothing survives it.
struct SunTermContext {
    double T = 0;  ///< Julian centuries since J2000.0

    // Fundamental angles, radians, 0..2 pi.
    double M2 = 0;  ///< mean anomaly of Venus
    double M3 = 0;  ///< mean anomaly of the Earth
    double M4 = 0;  ///< mean anomaly of Mars
    double M5 = 0;  ///< mean anomaly of Jupiter
    double M6 = 0;  ///< mean anomaly of Saturn
    double D = 0;   ///< mean elongation of the Moon
    double A = 0;   ///< mean anomaly of the Moon
    double U = 0;   ///< mean argument of latitude of the Moon

    static constexpr int MinEarthMultiple = -1;
    static constexpr int MaxEarthMultiple = 7;
    static constexpr int MinPlanetMultiple = -8;

    /// cos(k M3), sin(k M3) for k = -1..7, stored at index k + 1.
    std::array<double, 9> earthCos{}, earthSin{};
    /// cos(k M), sin(k M) of the current planet for k = 0..-8, stored at index -k.
    std::array<double, 9> planetCos{}, planetSin{};

    /// Cosine and sine of the current term's argument (times T^t); a row with
    /// t > 0 scales the pair the previous row left.
    double termCos = 0, termSin = 0;

    double DL = 0;  ///< longitude sum, arcseconds
    double DR = 0;  ///< radius sum, 10^-6 AU
    double DB = 0;  ///< latitude sum, arcseconds

    double& EarthCos(int k) { return earthCos[k - MinEarthMultiple]; }
    double& EarthSin(int k) { return earthSin[k - MinEarthMultiple]; }
    double& PlanetCos(int k) { return planetCos[-k]; }
    double& PlanetSin(int k) { return planetSin[-k]; }
};

/// Adds one term of the tables to the sums of the context.
///
/// Given:
///   e, p, t   multiples of M3 and of the planet's M, power of T (see SunTerm)
///   DLC..DBS  coefficients (see SunTerm for units)
/// Reads and writes context: for t = 0 the term pair becomes
///   cos/sin(e M3 + p M) from the two multiple tables; for t > 0 the pair the
///   previous call left is multiplied by T. Then
///   DL += DLC cos + DLS sin, DR += DRC cos + DRS sin, DB += DBC cos + DBS sin.
void AddTerm(SunTermContext& context, int e, int p, int t, double DLC, double DLS, double DRC, double DRS, double DBC,
             double DBS);

// The planet routines each fill the planet table with the multiples 0, -1,
// ... of their planet's mean anomaly (one cosine and one sine, the rest by
// AddAngles), down to the deepest multiple their rows use, then call AddTerm
// for each row of their table in order. They need the Earth table filled.

/// Perturbations by Venus (M = M2, multiples down to -6), including, as its
/// rows with p = 0, the elliptic terms of the Earth's own orbit.
void VenusTerms(SunTermContext& context);
/// Perturbations by Mars (M = M4, multiples down to -8).
void MarsTerms(SunTermContext& context);
/// Perturbations by Jupiter (M = M5, multiples down to -4).
void JupiterTerms(SunTermContext& context);
/// Perturbations by Saturn (M = M6, multiples down to -2).
void SaturnTerms(SunTermContext& context);
/// Offset of the Earth from the Earth-Moon barycentre (lunar angles D, A, U).
void BarycentreTerms(SunTermContext& context);

/// Geocentric ecliptic coordinates of the Sun, mean ecliptic and equinox of
/// date.
///
/// Given:
///   T  Julian centuries since J2000.0 (JulianCenturies); any value
/// Returned:
///   L  ecliptic longitude, degrees, 0 <= L < 360
///   B  ecliptic latitude, degrees (below 1" in magnitude)
///   R  distance, astronomical units
/// Reads and writes nothing in the observation state; the callers bind the
/// outputs to SunEclipticLongitude, SunEclipticLatitude and SunDistance.
///
/// Notes:
///   1. 52 table terms; the cosines and sines of all multiples come from one
///      cosine and sine per anomaly by the angle-addition recurrence.
///   2. No nutation is applied.
void SunPosition(double T, double& L, double& B, double& R);

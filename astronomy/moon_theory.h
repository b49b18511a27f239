#pragma once
// Analytic lunar theory: the Moon's geocentric ecliptic longitude, latitude
// and distance from series of periodic terms.
//
// Reference: Montenbruck & Pfleger, Astronomy on the Personal Computer, the
//   routine MOON (Brown's lunar theory as condensed there: long-periodic
//   corrections, solar perturbation series, latitude series, planetary
//   perturbations); a few arcseconds in longitude.

/// Geocentric ecliptic coordinates of the Moon, mean ecliptic and equinox of
/// date.
///
/// Given:
///   T  Julian centuries of 36525 days since J2000.0 (MJD 51544.5), any value;
///      the program passes JulianCenturies, i.e. universal time with no
///      Delta T correction
/// Returned:
///   lambda  ecliptic longitude, degrees, 0 <= lambda < 360
///   beta    ecliptic latitude, degrees, about -5.3..+5.3
///   R       distance from the Earth's centre, Earth radii, about 55..64
///
/// Reads and writes nothing in the observation state; keeps nothing between
/// calls and allocates nothing.
///
/// Notes:
///   1. No nutation, aberration or parallax is applied.
///   2. The cosines and sines of the multiples of the four main arguments
///      (l, l', F, D) come from one cosine and one sine each by the
///      angle-addition recurrence, scaled by each argument's factor; the 114
///      periodic terms need no further trigonometric call.
///   3. R is ARC / (sine of the horizontal parallax in arcseconds), with
///      ARC = 206264.81.
void MoonEclipticPosition(double T, double& lambda, double& beta, double& R);

#include "astronomy/physical_ephemerides.h"

#include "astronomy/angles.h"
#include "astronomy/calendar.h"
#include "astronomy/coordinates.h"
#include "astronomy/distance_units.h"
#include "astronomy/sun_position.h"
#include "platform/rounding.h"

#include <cmath>

namespace {

constexpr double Pi = TwoPi / 2;

/// A polynomial angle in degrees reduced into (-360, 360) (keeping its sign)
/// and turned into radians.
double ReducedRadians(double degrees) { return (degrees - 360.0 * Int(degrees / 360.0)) * DegreeFactor; }

/// An angle in radians reduced by whole turns into (-pi, pi].
double PrincipalValue(double a)
{
    while (a > Pi) a -= TwoPi;
    while (a <= -Pi) a += TwoPi;
    return a;
}

/// The physical libration in longitude (tau) and the two terms (rho, sigma)
/// of the libration of the rotation axis, radians, with the fundamental
/// arguments they need.
struct Libration {
    double F;      ///< Moon's argument of latitude, radians
    double Omega;  ///< longitude of the ascending node, radians
    double rho, sigma, tau;
};

Libration PhysicalLibration(double T)
{
    const double T2 = T * T, T3 = T2 * T, T4 = T3 * T;
    const double D = ReducedRadians(297.8502042 + 445267.1115168 * T - 0.00163 * T2 + T3 / 545868.0 - T4 / 113065000.0);
    const double M = ReducedRadians(357.5291092 + 35999.0502909 * T - 0.0001536 * T2 + T3 / 24490000.0);
    const double Mm = ReducedRadians(134.9634114 + 477198.8676313 * T + 0.008997 * T2 + T3 / 69699.0 - T4 / 14712000.0);
    const double F =
        ReducedRadians(93.2720993 + 483202.0175273 * T - 0.0034029 * T2 - T3 / 3526000.0 + T4 / 863310000.0);
    const double Omega =
        ReducedRadians(125.044555 - 1934.1361849 * T + 0.0020762 * T2 + T3 / 467410.0 - T4 / 60616000.0);
    const double E = 1.0 - 0.002516 * T - 0.0000074 * T2;
    const double K1 = (119.75 + 131.849 * T) * DegreeFactor;
    const double K2 = (72.56 + 20.186 * T) * DegreeFactor;

    using std::cos, std::sin;
    const double rho = -0.02752 * cos(Mm) - 0.02245 * sin(F) + 0.00684 * cos(Mm - 2 * F) - 0.00293 * cos(2 * F) -
                       0.00085 * cos(2 * F - 2 * D) - 0.00054 * cos(Mm - 2 * D) - 0.00020 * sin(Mm + F) -
                       0.00020 * cos(Mm + 2 * F) - 0.00020 * cos(Mm - F) + 0.00014 * cos(Mm + 2 * F - 2 * D);
    const double sigma = -0.02816 * sin(Mm) + 0.02244 * cos(F) - 0.00682 * sin(Mm - 2 * F) - 0.00279 * sin(2 * F) -
                         0.00083 * sin(2 * F - 2 * D) + 0.00069 * sin(Mm - 2 * D) + 0.00040 * cos(Mm + F) -
                         0.00025 * sin(2 * Mm) - 0.00023 * sin(Mm + 2 * F) + 0.00020 * cos(Mm - F) +
                         0.00019 * sin(Mm - F) + 0.00013 * sin(Mm + 2 * F - 2 * D) - 0.00010 * cos(Mm - 3 * F);
    const double tau = 0.02520 * E * sin(M) + 0.00473 * sin(2 * Mm - 2 * F) - 0.00467 * sin(Mm) + 0.00396 * sin(K1) +
                       0.00276 * sin(2 * Mm - 2 * D) + 0.00196 * sin(Omega) - 0.00183 * cos(Mm - F) +
                       0.00115 * sin(Mm - 2 * D) - 0.00096 * sin(Mm - D) + 0.00046 * sin(2 * F - 2 * D) -
                       0.00039 * sin(Mm - F) - 0.00032 * sin(Mm - M - D) + 0.00027 * sin(2 * Mm - M - 2 * D) +
                       0.00023 * sin(K2) - 0.00014 * sin(2 * D) + 0.00014 * cos(2 * Mm - 2 * F) -
                       0.00012 * sin(Mm - 2 * F) - 0.00012 * sin(2 * Mm) + 0.00011 * sin(2 * Mm - 2 * M - 2 * D);
    return Libration{F, Omega, rho * DegreeFactor, sigma * DegreeFactor, tau * DegreeFactor};
}

/// Selenographic longitude and latitude (radians) of the point of the lunar
/// globe that faces a body at ecliptic longitude W from the node (radians)
/// and ecliptic latitude beta (radians), with the physical libration added;
/// A is the auxiliary angle the position angle and the libration terms use.
struct Selenographic {
    double A, longitude, latitude;
};

Selenographic SubPoint(double W, double beta, const Libration& lib)
{
    const double sinI = std::sin(LunarEquatorInclination);
    const double cosI = std::cos(LunarEquatorInclination);
    const double sinW = std::sin(W), cosW = std::cos(W);
    const double sinB = std::sin(beta), cosB = std::cos(beta);

    const double A = Atan2Degrees(sinW * cosB * cosI - sinB * sinI, cosW * cosB) * DegreeFactor;
    const double lOptical = PrincipalValue(A - lib.F);
    const double bOptical = ArcSine(-sinW * cosB * sinI - sinB * cosI);
    const double sinA = std::sin(A), cosA = std::cos(A);
    return Selenographic{
        A,
        lOptical - lib.tau + (lib.rho * cosA + lib.sigma * sinA) * std::tan(bOptical),
        bOptical + lib.sigma * cosA - lib.rho * sinA,
    };
}

}  // namespace

void PhysicalEphemerides(ObservationState& state, double T, double lambda, double beta, double delta, double alpha,
                         double lambda0, double R)
{
    const Libration lib = PhysicalLibration(T);
    const double eps = 0.4090928 - 0.00022696 * T;

    // The nutation in longitude, rescaled by the degree factor as used here.
    const double dpsi = state.NutationInLongitude * DegreeFactor;
    state.NutationInLongitude = dpsi;

    // Libration: the disc centre seen from the Earth.
    const Selenographic earth = SubPoint(lambda * DegreeFactor - dpsi - lib.Omega, beta * DegreeFactor, lib);
    state.LibrationLongitude = earth.longitude;
    state.LibrationLatitude = earth.latitude;

    // Position angle of the axis.
    const double I = LunarEquatorInclination;
    const double V = lib.Omega + dpsi + lib.sigma / std::sin(I);
    const double X = std::sin(I + lib.rho) * std::sin(V);
    const double Y = std::sin(I + lib.rho) * std::cos(V) * std::cos(eps) - std::cos(I + lib.rho) * std::sin(eps);
    const double omega = Atan2Degrees(X, Y) * DegreeFactor;
    double P = ArcSine(std::sqrt(X * X + Y * Y) * std::cos(alpha * DegreeFactor - omega) / std::cos(earth.latitude));
    if (P < 0) P += TwoPi;
    state.AxisPositionAngle = P;

    // The Sun seen from the Moon, and the terminator.
    const double lambdaH = lambda0 + 180.0;
    const double betaH = beta * delta / R;
    const Selenographic sun = SubPoint(lambdaH * DegreeFactor - dpsi - lib.Omega, betaH * DegreeFactor, lib);
    state.SunSelenographicLatitude = sun.latitude;
    state.TerminatorLongitude = sun.longitude >= 0 ? sun.longitude - HalfPi : sun.longitude + HalfPi;
}

double SunDistanceForEphemerides(double astronomicalUnits)
{
    return astronomicalUnits / EarthRadiusKm * AstronomicalUnitScale;
}

void ComputePhysicalEphemeridesInDegrees(ObservationState& s)
{
    const double T = JulianCenturies(s);
    MoonPosition(s, T, s.MoonRightAscension, s.MoonDeclination, s.MoonDistance);
    SunPosition(T, s.SunEclipticLongitude, s.SunEclipticLatitude, s.SunDistance);
    s.SunDistance = SunDistanceForEphemerides(s.SunDistance);
    PhysicalEphemerides(s, JulianCenturies(s), s.MoonEclipticLongitude, s.MoonEclipticLatitude, s.MoonDistance,
                        s.MoonRightAscension, s.SunEclipticLongitude, s.SunDistance);
    for (double* field : {&s.LibrationLongitude, &s.LibrationLatitude, &s.AxisPositionAngle, &s.TerminatorLongitude,
                          &s.SunSelenographicLatitude})
        *field /= DegreeFactor;
}

#include "astronomy/physical_ephemerides.h"

#include "astronomy/angles.h"
#include "astronomy/calendar.h"
#include "astronomy/coordinates.h"
#include "astronomy/distance_units.h"
#include "astronomy/sun_position.h"
#include "platform/rounding.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <span>

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

/// The arguments the physical libration terms combine, in this order.
enum LibrationArgument {
    MoonAnomaly,         ///< M', the Moon's mean anomaly
    SunAnomaly,          ///< M, the Sun's mean anomaly
    ArgumentOfLatitude,  ///< F, the Moon's mean argument of latitude
    Elongation,          ///< D, the Moon's mean elongation
    Node,                ///< Omega, the longitude of the Moon's ascending node
    K1,                  ///< 119.75 deg + 131.849 deg T
    K2,                  ///< 72.56 deg + 20.186 deg T
    LibrationArgumentCount
};

enum class Trig : std::uint8_t { Sin, Cos };

/// One term of a physical libration series: coefficient * sin or cos of
/// the sum of multiples of the arguments.
struct LibrationTerm {
    double coefficient;  ///< degrees
    Trig function;
    std::array<std::int8_t, LibrationArgumentCount> multiples;  ///< of M', M, F, D, Omega, K1, K2
    bool timesE = false;                                        ///< also multiplied by the eccentricity factor E
};

constexpr Trig Sin = Trig::Sin;
constexpr Trig Cos = Trig::Cos;

// The 42 terms of the physical librations rho, sigma and tau (Meeus, ch. 53).
// Each row: coefficient (degrees), function, multiples of M', M, F, D,
// Omega, K1, K2, and whether E multiplies it.
constexpr LibrationTerm RhoTerms[] = {
    {-0.02752, Cos, {1, 0, 0, 0, 0, 0, 0} },
    {-0.02245, Sin, {0, 0, 1, 0, 0, 0, 0} },
    {0.00684,  Cos, {1, 0, -2, 0, 0, 0, 0}},
    {-0.00293, Cos, {0, 0, 2, 0, 0, 0, 0} },
    {-0.00085, Cos, {0, 0, 2, -2, 0, 0, 0}},
    {-0.00054, Cos, {1, 0, 0, -2, 0, 0, 0}},
    {-0.00020, Sin, {1, 0, 1, 0, 0, 0, 0} },
    {-0.00020, Cos, {1, 0, 2, 0, 0, 0, 0} },
    {-0.00020, Cos, {1, 0, -1, 0, 0, 0, 0}},
    {0.00014,  Cos, {1, 0, 2, -2, 0, 0, 0}},
};

constexpr LibrationTerm SigmaTerms[] = {
    {-0.02816, Sin, {1, 0, 0, 0, 0, 0, 0} },
    {0.02244,  Cos, {0, 0, 1, 0, 0, 0, 0} },
    {-0.00682, Sin, {1, 0, -2, 0, 0, 0, 0}},
    {-0.00279, Sin, {0, 0, 2, 0, 0, 0, 0} },
    {-0.00083, Sin, {0, 0, 2, -2, 0, 0, 0}},
    {0.00069,  Sin, {1, 0, 0, -2, 0, 0, 0}},
    {0.00040,  Cos, {1, 0, 1, 0, 0, 0, 0} },
    {-0.00025, Sin, {2, 0, 0, 0, 0, 0, 0} },
    {-0.00023, Sin, {1, 0, 2, 0, 0, 0, 0} },
    {0.00020,  Cos, {1, 0, -1, 0, 0, 0, 0}},
    {0.00019,  Sin, {1, 0, -1, 0, 0, 0, 0}},
    {0.00013,  Sin, {1, 0, 2, -2, 0, 0, 0}},
    {-0.00010, Cos, {1, 0, -3, 0, 0, 0, 0}},
};

constexpr LibrationTerm TauTerms[] = {
    {0.02520, Sin, {0, 1, 0, 0, 0, 0, 0}, true},
    {0.00473,       Sin,    {2, 0, -2, 0, 0, 0, 0}               },
    {-0.00467,       Sin,   {1, 0, 0, 0, 0, 0, 0}},
    {0.00396,       Sin,    {0, 0, 0, 0, 0, 1, 0}                },
    {0.00276,       Sin,    {2, 0, 0, -2, 0, 0, 0}},
    {0.00196,       Sin,    {0, 0, 0, 0, 1, 0, 0}                },
    {-0.00183,       Cos,   {1, 0, -1, 0, 0, 0, 0}},
    {0.00115,       Sin,    {1, 0, 0, -2, 0, 0, 0}                 },
    {-0.00096,       Sin,   {1, 0, 0, -1, 0, 0, 0}},
    {0.00046,       Sin,    {0, 0, 2, -2, 0, 0, 0}                  },
    {-0.00039,       Sin,   {1, 0, -1, 0, 0, 0, 0}},
    {-0.00032,       Sin,   {1, -1, 0, -1, 0, 0, 0}                  },
    {0.00027,       Sin,    {2, -1, 0, -2, 0, 0, 0}},
    {0.00023,       Sin,    {0, 0, 0, 0, 0, 0, 1}                  },
    {-0.00014,       Sin,   {0, 0, 0, 2, 0, 0, 0}},
    {0.00014,       Cos,    {2, 0, -2, 0, 0, 0, 0}                   },
    {-0.00012,       Sin,   {1, 0, -2, 0, 0, 0, 0}},
    {-0.00012,       Sin,   {2, 0, 0, 0, 0, 0, 0}                   },
    {0.00011,       Sin,    {2, -2, 0, -2, 0, 0, 0}},
};

static_assert(std::size(RhoTerms) + std::size(SigmaTerms) + std::size(TauTerms) == 42, "42 libration terms");

/// The sum of a physical libration series, degrees, for the arguments
/// (radians, in the order of LibrationArgument) and the eccentricity factor E.
double LibrationSeries(std::span<const LibrationTerm> terms,
                       const std::array<double, LibrationArgumentCount>& arguments, double E)
{
    double sum = 0;
    for (const LibrationTerm& term : terms) {
        double argument = 0;
        for (int k = 0; k < LibrationArgumentCount; ++k) argument += term.multiples[k] * arguments[k];
        double coefficient = term.coefficient;
        if (term.timesE) coefficient *= E;
        sum += coefficient * (term.function == Trig::Sin ? std::sin(argument) : std::cos(argument));
    }
    return sum;
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

    const std::array<double, LibrationArgumentCount> arguments = {Mm, M, F, D, Omega, K1, K2};
    const double rho = LibrationSeries(RhoTerms, arguments, E);
    const double sigma = LibrationSeries(SigmaTerms, arguments, E);
    const double tau = LibrationSeries(TauTerms, arguments, E);
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

/// PhysicalEphemerides with the physical libration of T summed before.
void PhysicalEphemeridesWith(const Libration& lib, ObservationState& state, double T, double lambda, double beta,
                             double delta, double alpha, double lambda0, double R)
{
    const double eps = LinearMeanObliquity(T);

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

/// The subsolar point seen from the Moon's centre, degrees, for the state
/// the ephemerides left and the physical libration of its instant.
SelenographicPoint SubsolarPointWith(const Libration& lib, const ObservationState& s)
{
    // Ecliptic vectors of date in Earth radii; the Sun minus the Moon points
    // from the Moon to the Sun, so the Moon minus the Sun is the direction
    // PhysicalEphemerides calls (lambdaH, betaH).
    double mx = 0, my = 0, mz = 0, sx = 0, sy = 0, sz = 0;
    SphericalToCartesian(s.MoonDistance, s.MoonEclipticLatitude, s.MoonEclipticLongitude, mx, my, mz);
    SphericalToCartesian(SunDistanceInEarthRadii(s.SunDistance), s.SunEclipticLatitude, s.SunEclipticLongitude, sx, sy,
                         sz);
    double r = 0, betaH = 0, lambdaH = 0;
    CartesianToSpherical(mx - sx, my - sy, mz - sz, r, betaH, lambdaH);
    const double dpsi = s.NutationInLongitude;  // rescaled by PhysicalEphemerides
    const Selenographic sun = SubPoint(lambdaH * DegreeFactor - dpsi - lib.Omega, betaH * DegreeFactor, lib);
    return {sun.latitude / DegreeFactor, PrincipalValue(sun.longitude) / DegreeFactor};
}

/// The calls of ComputePhysicalEphemeridesInDegrees; the physical libration
/// is returned for the subsolar point.
Libration RunEphemeridesInDegrees(ObservationState& s)
{
    const double T = JulianCenturies(s);
    MoonPosition(s, T, s.MoonRightAscension, s.MoonDeclination, s.MoonDistance);
    SunPosition(T, s.SunEclipticLongitude, s.SunEclipticLatitude, s.SunDistance);
    s.SunDistance = SunDistanceForEphemerides(s.SunDistance);
    const Libration lib = PhysicalLibration(T);
    PhysicalEphemeridesWith(lib, s, T, s.MoonEclipticLongitude, s.MoonEclipticLatitude, s.MoonDistance,
                            s.MoonRightAscension, s.SunEclipticLongitude, s.SunDistance);
    for (double* field : {&s.LibrationLongitude, &s.LibrationLatitude, &s.AxisPositionAngle, &s.TerminatorLongitude,
                          &s.SunSelenographicLatitude})
        *field /= DegreeFactor;
    return lib;
}

}  // namespace

void PhysicalEphemerides(ObservationState& state, double T, double lambda, double beta, double delta, double alpha,
                         double lambda0, double R)
{
    PhysicalEphemeridesWith(PhysicalLibration(T), state, T, lambda, beta, delta, alpha, lambda0, R);
}

double SunDistanceForEphemerides(double astronomicalUnits)
{
    return astronomicalUnits / EarthRadiusKm * AstronomicalUnitScale;
}

void ComputePhysicalEphemeridesInDegrees(ObservationState& s) { RunEphemeridesInDegrees(s); }

double SunDistanceInEarthRadii(double rescaledSunDistance)
{
    return rescaledSunDistance * KilometresPerAstronomicalUnit / AstronomicalUnitScale;
}

SelenographicPoint SubsolarPoint(const ObservationState& ephemerides)
{
    return SubsolarPointWith(PhysicalLibration(JulianCenturies(ephemerides)), ephemerides);
}

SelenographicPoint ComputeEphemeridesAndSubsolarPoint(ObservationState& state)
{
    const Libration lib = RunEphemeridesInDegrees(state);
    return SubsolarPointWith(lib, state);
}

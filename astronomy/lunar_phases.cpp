#include "astronomy/lunar_phases.h"

#include "astronomy/angles.h"
#include "astronomy/delta_t.h"

#include <cmath>

namespace {

/// JDE of the mean new moon of lunation 0 (6 January 2000), days (TT).
constexpr double kMeanNewMoonEpoch = 2451550.09766;
/// Mean synodic month, days.
constexpr double kMeanLunation = 29.530588861;
/// Lunations per Julian century, for T = k / kLunationsPerCentury.
constexpr double kLunationsPerCentury = 1236.85;
constexpr double kSecondsPerDay = 86400;

/// One periodic term of a phase's correction: Coefficient * E^EPower *
/// sin(m*M + mp*M' + f*F + n*Omega), or the cosine for the quarters' W.
struct PhaseTerm {
    double Coefficient;  ///< days
    int EPower;          ///< power of the eccentricity factor E, 0..2
    int m;               ///< multiple of the Sun's mean anomaly M
    int mp;              ///< multiple of the Moon's mean anomaly M'
    int f;               ///< multiple of the Moon's argument of latitude F
    int n;               ///< multiple of the longitude of the ascending node
};

/// New moon and full moon share their arguments; only the coefficients
/// differ a little.
struct SyzygyTerm {
    double NewMoon;           ///< days
    double FullMoon;          ///< days
    int EPower, m, mp, f, n;  ///< as PhaseTerm
};

// Meeus, ch. 49: new moon and full moon.
constexpr SyzygyTerm kSyzygyTerms[] = {
    {-0.40720, -0.40614, 0, 0,  1, 0,  0},
    {0.17241,  0.17302,  1, 1,  0, 0,  0},
    {0.01608,  0.01614,  0, 0,  2, 0,  0},
    {0.01039,  0.01043,  0, 0,  0, 2,  0},
    {0.00739,  0.00734,  1, -1, 1, 0,  0},
    {-0.00514, -0.00515, 1, 1,  1, 0,  0},
    {0.00208,  0.00209,  2, 2,  0, 0,  0},
    {-0.00111, -0.00111, 0, 0,  1, -2, 0},
    {-0.00057, -0.00057, 0, 0,  1, 2,  0},
    {0.00056,  0.00056,  1, 1,  2, 0,  0},
    {-0.00042, -0.00042, 0, 0,  3, 0,  0},
    {0.00042,  0.00042,  1, 1,  0, 2,  0},
    {0.00038,  0.00038,  1, 1,  0, -2, 0},
    {-0.00024, -0.00024, 1, -1, 2, 0,  0},
    {-0.00017, -0.00017, 0, 0,  0, 0,  1},
    {-0.00007, -0.00007, 0, 2,  1, 0,  0},
    {0.00004,  0.00004,  0, 0,  2, -2, 0},
    {0.00004,  0.00004,  0, 3,  0, 0,  0},
    {0.00003,  0.00003,  0, 1,  1, -2, 0},
    {0.00003,  0.00003,  0, 0,  2, 2,  0},
    {-0.00003, -0.00003, 0, 1,  1, 2,  0},
    {0.00003,  0.00003,  0, -1, 1, 2,  0},
    {-0.00002, -0.00002, 0, -1, 1, -2, 0},
    {-0.00002, -0.00002, 0, 1,  3, 0,  0},
    {0.00002,  0.00002,  0, 0,  4, 0,  0},
};

// First and last quarter.
constexpr PhaseTerm kQuarterTerms[] = {
    {-0.62801, 0, 0,  1, 0,  0},
    {0.17172,  1, 1,  0, 0,  0},
    {-0.01183, 1, 1,  1, 0,  0},
    {0.00862,  0, 0,  2, 0,  0},
    {0.00804,  0, 0,  0, 2,  0},
    {0.00454,  1, -1, 1, 0,  0},
    {0.00204,  2, 2,  0, 0,  0},
    {-0.00180, 0, 0,  1, -2, 0},
    {-0.00070, 0, 0,  1, 2,  0},
    {-0.00040, 0, 0,  3, 0,  0},
    {-0.00034, 1, -1, 2, 0,  0},
    {0.00032,  1, 1,  0, 2,  0},
    {0.00032,  1, 1,  0, -2, 0},
    {-0.00028, 2, 2,  1, 0,  0},
    {0.00027,  1, 1,  2, 0,  0},
    {-0.00017, 0, 0,  0, 0,  1},
    {-0.00005, 0, -1, 1, -2, 0},
    {0.00004,  0, 0,  2, 2,  0},
    {-0.00004, 0, 1,  1, 2,  0},
    {0.00004,  0, -2, 1, 0,  0},
    {0.00003,  0, 1,  1, -2, 0},
    {0.00003,  0, 3,  0, 0,  0},
    {0.00002,  0, 0,  2, -2, 0},
    {0.00002,  0, -1, 1, 2,  0},
    {-0.00002, 0, 1,  3, 0,  0},
};

// The quarters' W (cosine terms, plus the constant 0.00306 days): added at
// first quarter, subtracted at last quarter.
constexpr double kQuarterWConstant = 0.00306;
constexpr PhaseTerm kQuarterWTerms[] = {
    {-0.00038, 1, 1,  0, 0, 0},
    {0.00026,  0, 0,  1, 0, 0},
    {-0.00002, 0, -1, 1, 0, 0},
    {0.00002,  0, 1,  1, 0, 0},
    {0.00002,  0, 0,  0, 2, 0},
};

/// A planetary term: Coefficient * sin(Start + Rate*k + T2*T^2), degrees.
struct PlanetaryTerm {
    double Coefficient;  ///< days
    double Start;        ///< degrees
    double Rate;         ///< degrees per lunation
    double T2;           ///< degrees per century squared
};

// A1..A14, the same for every phase.
constexpr PlanetaryTerm kPlanetaryTerms[] = {
    {0.000325, 299.77, 0.107408,  -0.009173},
    {0.000165, 251.88, 0.016321,  0        },
    {0.000164, 251.83, 26.651886, 0        },
    {0.000126, 349.42, 36.412478, 0        },
    {0.000110, 84.66,  18.206239, 0        },
    {0.000062, 141.74, 53.303771, 0        },
    {0.000060, 207.14, 2.453732,  0        },
    {0.000056, 154.84, 7.306860,  0        },
    {0.000047, 34.52,  27.261239, 0        },
    {0.000042, 207.19, 0.121824,  0        },
    {0.000040, 291.34, 1.844379,  0        },
    {0.000037, 161.72, 24.198154, 0        },
    {0.000035, 239.56, 25.513099, 0        },
    {0.000023, 331.55, 3.592518,  0        },
};

/// The fundamental arguments of lunation k, radians.
struct PhaseArguments {
    double E;      ///< eccentricity factor of the Earth's orbit
    double M;      ///< Sun's mean anomaly
    double Mp;     ///< Moon's mean anomaly
    double F;      ///< Moon's argument of latitude
    double Omega;  ///< longitude of the Moon's ascending node
};

double Radians(double degrees) { return std::fmod(degrees, 360.0) * DegreeFactor; }

PhaseArguments ArgumentsOf(double k, double T)
{
    const double T2 = T * T, T3 = T2 * T, T4 = T3 * T;
    return {
        1 - 0.002516 * T - 0.0000074 * T2,
        Radians(2.5534 + 29.10535670 * k - 0.0000014 * T2 - 0.00000011 * T3),
        Radians(201.5643 + 385.81693528 * k + 0.0107582 * T2 + 0.00001238 * T3 - 0.000000058 * T4),
        Radians(160.7108 + 390.67050284 * k - 0.0016118 * T2 - 0.00000227 * T3 + 0.000000011 * T4),
        Radians(124.7746 - 1.56375588 * k + 0.0020672 * T2 + 0.00000215 * T3),
    };
}

double EccentricityFactor(int power, const PhaseArguments& a)
{
    return power == 0 ? 1 : (power == 1 ? a.E : a.E * a.E);
}

double Argument(int m, int mp, int f, int n, const PhaseArguments& a)
{
    return m * a.M + mp * a.Mp + f * a.F + n * a.Omega;
}

template <std::size_t N>
double SumOf(const PhaseTerm (&terms)[N], const PhaseArguments& a, double (*wave)(double))
{
    double sum = 0;
    for (const PhaseTerm& t : terms)
        sum += t.Coefficient * EccentricityFactor(t.EPower, a) * wave(Argument(t.m, t.mp, t.f, t.n, a));
    return sum;
}

double SyzygySum(LunarPhase phase, const PhaseArguments& a)
{
    double sum = 0;
    for (const SyzygyTerm& t : kSyzygyTerms)
        sum += (phase == LunarPhase::NewMoon ? t.NewMoon : t.FullMoon) * EccentricityFactor(t.EPower, a) *
               std::sin(Argument(t.m, t.mp, t.f, t.n, a));
    return sum;
}

double Sine(double x) { return std::sin(x); }
double Cosine(double x) { return std::cos(x); }

/// Julian date (UT) of the phase of lunation k; k + 0.25, + 0.5 and + 0.75
/// are the first quarter, full moon and last quarter of lunation k.
double PhaseInstant(double k, LunarPhase phase)
{
    const double T = k / kLunationsPerCentury;
    const double T2 = T * T;
    double jde =
        kMeanNewMoonEpoch + kMeanLunation * k + 0.00015437 * T2 - 0.000000150 * T2 * T + 0.00000000073 * T2 * T2;
    const PhaseArguments a = ArgumentsOf(k, T);
    switch (phase) {
        case LunarPhase::NewMoon:
        case LunarPhase::FullMoon:
            jde += SyzygySum(phase, a);
            break;
        case LunarPhase::FirstQuarter:
        case LunarPhase::LastQuarter: {
            const double w = kQuarterWConstant + SumOf(kQuarterWTerms, a, Cosine);
            jde += SumOf(kQuarterTerms, a, Sine) + (phase == LunarPhase::FirstQuarter ? w : -w);
            break;
        }
    }
    for (const PlanetaryTerm& term : kPlanetaryTerms)
        jde += term.Coefficient * std::sin(Radians(term.Start + term.Rate * k + term.T2 * T2));
    return jde - DeltaTSeconds(DecimalYear(jde)) / kSecondsPerDay;
}

double QuarterOf(LunarPhase phase) { return static_cast<int>(phase) / 4.0; }

/// The phase's instant of lunation number `lunation`.
double InstantOf(long long lunation, LunarPhase phase)
{
    return PhaseInstant(static_cast<double>(lunation) + QuarterOf(phase), phase);
}

/// The lunation whose mean phase lies nearest to jdUt; the true phase is
/// at most a day or so away (periodic terms and Delta T).
long long NearestLunation(double jdUt, LunarPhase phase)
{
    return std::llround((jdUt - kMeanNewMoonEpoch) / kMeanLunation - QuarterOf(phase));
}

/// The lunation of the last phase of that kind at or before jdUt.
long long LunationAtOrBefore(double jdUt, LunarPhase phase)
{
    if (!std::isfinite(jdUt)) return 0;  // no instant to search from; never loop on NaN
    long long k = NearestLunation(jdUt, phase);
    while (InstantOf(k, phase) > jdUt) --k;
    while (InstantOf(k + 1, phase) <= jdUt) ++k;
    return k;
}

}  // namespace

double NextPhaseInstant(double jdUt, LunarPhase phase) { return InstantOf(LunationAtOrBefore(jdUt, phase) + 1, phase); }

double PreviousNewMoon(double jdUt)
{
    return InstantOf(LunationAtOrBefore(jdUt, LunarPhase::NewMoon), LunarPhase::NewMoon);
}

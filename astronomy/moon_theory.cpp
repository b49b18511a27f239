#include "astronomy/moon_theory.h"

#include "astronomy/angles.h"
#include "platform/rounding.h"

#include <array>
#include <cmath>
#include <cstdint>

namespace {

/// Arcseconds per radian, as the lunar series were fitted with.
constexpr double Arc = 206264.81;

/// A term's argument p l + q l' + r F + s D, as multiples of the four main
/// arguments in the order of the multiple-angle tables.
struct Multiples {
    std::int8_t p;  ///< of l, the Moon's mean anomaly, |p| <= 4
    std::int8_t q;  ///< of l', the Sun's mean anomaly, |q| <= 3
    std::int8_t r;  ///< of F, the Moon's mean argument of latitude, |r| <= 4
    std::int8_t s;  ///< of D, the mean elongation, |s| <= 6
};

/// A term of the solar perturbation series; coefficients in arcseconds.
struct SolarTerm {
    Multiples m;
    double cLambda;  ///< longitude, times the sine part
    double cS;       ///< argument of latitude, times the sine part
    double cGamma;   ///< latitude amplitude, times the cosine part
    double cPi;      ///< sine of the parallax, times the cosine part
};

/// A term of the latitude series; coefficient in arcseconds.
struct LatitudeTerm {
    Multiples m;
    double cN;  ///< latitude, times the sine part
};

// The three solar lists in reference order: 35 rows, then 46, then 23.
constexpr SolarTerm SolarTerms[] = {
    {{0, 0, 0, 4},   13.902,    14.06,    -0.001, 0.2607  }, // first list
    {{0, 0, 0, 3},   0.403,     -4.01,    0.394,  0.0023  },
    {{0, 0, 0, 2},   2369.912,  2373.36,  0.601,  28.2333 },
    {{0, 0, 0, 1},   -125.154,  -112.79,  -0.725, -0.9781 },
    {{1, 0, 0, 4},   1.979,     6.98,     -0.445, 0.0433  },
    {{1, 0, 0, 2},   191.953,   192.72,   0.029,  3.0861  },
    {{1, 0, 0, 1},   -8.466,    -13.51,   0.455,  -0.1093 },
    {{1, 0, 0, 0},   22639.5,   22609.07, 0.079,  186.5398},
    {{1, 0, 0, -1},  18.609,    3.59,     -0.094, 0.0118  },
    {{1, 0, 0, -2},  -4586.465, -4578.13, -0.077, 34.3117 },
    {{1, 0, 0, -3},  3.215,     5.44,     0.192,  -0.0386 },
    {{1, 0, 0, -4},  -38.428,   -38.64,   0.001,  0.6008  },
    {{1, 0, 0, -6},  -0.393,    -1.43,    -0.092, 0.0086  },
    {{0, 1, 0, 4},   -0.289,    -1.59,    0.123,  -0.0053 },
    {{0, 1, 0, 2},   -24.42,    -25.1,    0.04,   -0.3    },
    {{0, 1, 0, 1},   18.023,    17.93,    0.007,  0.1494  },
    {{0, 1, 0, 0},   -668.146,  -126.98,  -1.302, -0.3997 },
    {{0, 1, 0, -1},  0.56,      0.32,     -0.001, -0.0037 },
    {{0, 1, 0, -2},  -165.145,  -165.06,  0.054,  1.9178  },
    {{0, 1, 0, -4},  -1.877,    -6.46,    -0.416, 0.0339  },
    {{2, 0, 0, 4},   0.213,     1.02,     -0.074, 0.0054  },
    {{2, 0, 0, 2},   14.387,    14.78,    -0.017, 0.2833  },
    {{2, 0, 0, 1},   -0.586,    -1.2,     0.054,  -0.01   },
    {{2, 0, 0, 0},   769.016,   767.96,   9.107,  10.1657 },
    {{2, 0, 0, -1},  1.75,      2.01,     -0.018, 0.0155  },
    {{2, 0, 0, -2},  -211.656,  -152.53,  5.679,  -0.3039 },
    {{2, 0, 0, -3},  1.225,     0.91,     -0.03,  -0.0088 },
    {{2, 0, 0, -4},  -30.773,   -34.07,   -0.308, 0.3722  },
    {{2, 0, 0, -6},  -0.57,     -1.4,     -0.074, 0.0109  },
    {{1, 1, 0, 2},   -2.921,    -11.75,   0.787,  -0.0484 },
    {{1, 1, 0, 1},   1.267,     1.52,     -0.022, 0.0164  },
    {{1, 1, 0, 0},   -109.673,  -115.18,  0.461,  -0.949  },
    {{1, 1, 0, -2},  -205.962,  -182.36,  2.056,  1.4437  },
    {{1, 1, 0, -3},  0.233,     0.36,     0.012,  -0.0025 },
    {{1, 1, 0, -4},  -4.391,    -9.66,    -0.471, 0.0673  },
    {{1, -1, 0, 4},  0.283,     1.53,     -0.111, 0.006   }, // second list
    {{1, -1, 0, 2},  14.577,    31.7,     -1.54,  0.2302  },
    {{1, -1, 0, 0},  147.687,   138.76,   0.679,  1.1528  },
    {{1, -1, 0, -1}, -1.089,    0.55,     0.021,  0       },
    {{1, -1, 0, -2}, 28.475,    23.59,    -0.443, -0.2257 },
    {{1, -1, 0, -3}, -0.276,    -0.38,    -0.006, -0.0036 },
    {{1, -1, 0, -4}, 0.636,     2.27,     0.146,  -0.0102 },
    {{0, 2, 0, 2},   -0.189,    -1.68,    0.131,  -0.0028 },
    {{0, 2, 0, 0},   -7.486,    -0.66,    -0.037, -0.0086 },
    {{0, 2, 0, -2},  -8.096,    -16.35,   -0.74,  0.0918  },
    {{0, 0, 2, 2},   -5.741,    -0.04,    0,      -0.0009 },
    {{0, 0, 2, 1},   0.255,     0,        0,      0       },
    {{0, 0, 2, 0},   -411.608,  -0.2,     0,      -0.0126 },
    {{0, 0, 2, -1},  0.584,     0.84,     0,      0.0071  },
    {{0, 0, 2, -2},  -55.173,   -52.14,   0,      -0.1052 },
    {{0, 0, 2, -3},  0.254,     0.25,     0,      -0.0017 },
    {{0, 0, 2, -4},  0.025,     -1.67,    0,      0.0031  },
    {{3, 0, 0, 2},   1.06,      2.96,     -0.166, 0.0243  },
    {{3, 0, 0, 0},   36.124,    50.64,    -1.3,   0.6215  },
    {{3, 0, 0, -2},  -13.193,   -16.4,    0.258,  -0.1187 },
    {{3, 0, 0, -4},  -1.187,    -0.74,    0.042,  0.0074  },
    {{3, 0, 0, -6},  -0.293,    -0.31,    -0.002, 0.0046  },
    {{2, 1, 0, 2},   -0.29,     -1.45,    0.116,  -0.0051 },
    {{2, 1, 0, 0},   -7.649,    -10.56,   0.259,  -0.1038 },
    {{2, 1, 0, -2},  -8.627,    -7.59,    0.078,  -0.0192 },
    {{2, 1, 0, -4},  -2.74,     -2.54,    0.022,  0.0324  },
    {{2, -1, 0, 2},  1.181,     3.32,     -0.212, 0.0213  },
    {{2, -1, 0, 0},  9.703,     11.67,    -0.151, 0.1268  },
    {{2, -1, 0, -1}, -0.352,    -0.37,    0.001,  -0.0028 },
    {{2, -1, 0, -2}, -2.494,    -1.17,    -0.003, -0.0017 },
    {{2, -1, 0, -4}, 0.36,      0.2,      -0.012, -0.0043 },
    {{1, 2, 0, 0},   -1.167,    -1.25,    0.008,  -0.0106 },
    {{1, 2, 0, -2},  -7.412,    -6.12,    0.117,  0.0484  },
    {{1, 2, 0, -4},  -0.311,    -0.65,    -0.032, 0.0044  },
    {{1, -2, 0, 2},  0.757,     1.82,     -0.105, 0.0112  },
    {{1, -2, 0, 0},  2.58,      2.32,     0.027,  0.0196  },
    {{1, -2, 0, -2}, 2.533,     2.4,      -0.014, -0.0212 },
    {{0, 3, 0, -2},  -0.344,    -0.57,    -0.025, 0.0036  },
    {{1, 0, 2, 2},   -0.992,    -0.02,    0,      0       },
    {{1, 0, 2, 0},   -45.099,   -0.02,    0,      -0.001  },
    {{1, 0, 2, -2},  -0.179,    -9.52,    0,      -0.0833 },
    {{1, 0, 2, -4},  -0.301,    -0.33,    0,      0.0014  },
    {{1, 0, -2, 2},  -6.382,    -3.37,    0,      -0.0481 },
    {{1, 0, -2, 0},  39.528,    85.13,    0,      -0.7136 },
    {{1, 0, -2, -2}, 9.366,     0.71,     0,      -0.0112 },
    {{1, 0, -2, -4}, 0.202,     0.02,     0,      0       },
    {{0, 1, 2, 0},   0.415,     0.1,      0,      0.0013  }, // third list
    {{0, 1, 2, -2},  -2.152,    -2.26,    0,      -0.0066 },
    {{0, 1, -2, 2},  -1.44,     -1.3,     0,      0.0014  },
    {{0, 1, -2, -2}, 0.384,     -0.04,    0,      0       },
    {{4, 0, 0, 0},   1.938,     3.6,      -0.145, 0.0401  },
    {{4, 0, 0, -2},  -0.952,    -1.58,    0.052,  -0.013  },
    {{3, 1, 0, 0},   -0.551,    -0.94,    0.032,  -0.0097 },
    {{3, 1, 0, -2},  -0.482,    -0.57,    0.005,  -0.0045 },
    {{3, -1, 0, 0},  0.681,     0.96,     -0.026, 0.0115  },
    {{2, 2, 0, -2},  -0.297,    -0.27,    0.002,  -0.0009 },
    {{2, -2, 0, -2}, 0.254,     0.21,     -0.003, 0       },
    {{1, 3, 0, -2},  -0.25,     -0.22,    0.004,  0.0014  },
    {{2, 0, 2, 0},   -3.996,    0,        0,      0.0004  },
    {{2, 0, 2, -2},  0.557,     -0.75,    0,      -0.009  },
    {{2, 0, -2, 2},  -0.459,    -0.38,    0,      -0.0053 },
    {{2, 0, -2, 0},  -1.298,    0.74,     0,      0.0004  },
    {{2, 0, -2, -2}, 0.538,     1.14,     0,      -0.0141 },
    {{1, 1, 2, 0},   0.263,     0.02,     0,      0       },
    {{1, 1, -2, -2}, 0.426,     0.07,     0,      -0.0006 },
    {{1, -1, 2, 0},  -0.304,    0.03,     0,      0.0003  },
    {{1, -1, -2, 2}, -0.372,    -0.19,    0,      -0.0027 },
    {{0, 0, 4, 0},   0.418,     0,        0,      0       },
    {{3, 0, 2, 0},   -0.33,     -0.04,    0,      0       },
};

constexpr LatitudeTerm LatitudeTerms[] = {
    {{0, 0, 1, -2},  -526.069},
    {{0, 0, 1, -4},  -3.352  },
    {{1, 0, 1, -2},  44.297  },
    {{1, 0, 1, -4},  -6      },
    {{-1, 0, 1, 0},  20.599  },
    {{-1, 0, 1, -2}, -30.598 },
    {{-2, 0, 1, 0},  -24.649 },
    {{-2, 0, 1, -2}, -2      },
    {{0, 1, 1, -2},  -22.571 },
    {{0, -1, 1, -2}, 10.985  },
};

/// A long-periodic term: the sine of phase + rate T (T in Julian centuries)
/// and what it adds to the mean arguments, arcseconds per unit of the sine.
struct LongPeriodicTerm {
    double phase;  ///< revolutions
    double rate;   ///< revolutions per Julian century
    double cL0;    ///< to the mean longitude L0
    double cl;     ///< to the Moon's mean anomaly l
    double cls;    ///< to the Sun's mean anomaly l'
    double cF;     ///< to the mean argument of latitude F
};

// The seven long-periodic sines A1 to A7 of the lunar theory, in the
// reference's order.
constexpr LongPeriodicTerm LongPeriodicTerms[] = {
    {0.19833, 0.05611,  0.84,  2.94,  -6.40, 0.21  },
    {0.27869, 0.04508,  0.31,  0.31,  0,     0.31  },
    {0.16827, -0.36903, 14.27, 14.27, 0,     14.27 },
    {0.34734, -5.37261, 7.26,  9.34,  0,     -88.70},
    {0.10498, -5.37899, 0.28,  1.12,  0,     -15.30},
    {0.42681, -0.41855, 0.24,  0.83,  -1.89, 0.24  },
    {0.14943, -5.37511, 0,     0,     0,     -1.86 },
};

/// A term amplitude * sin(phase + rate T), T in Julian centuries.
struct SineTerm {
    double amplitude;  ///< unit of the table's sum
    double phase;      ///< revolutions
    double rate;       ///< revolutions per Julian century
};

// The long-periodic correction of the latitude amplitude factor (dimensionless).
constexpr SineTerm LatitudeFactorTerms[] = {
    {-0.000003332, 0.59734, -5.37261},
    {-0.000000539, 0.35498, -5.37899},
    {-0.000000064, 0.39943, -5.37511},
};

// The planetary perturbations of the longitude (arcseconds).
constexpr SineTerm PlanetaryTerms[] = {
    {0.82, 0.7736, -62.5552 },
    {0.31, 0.0466, -125.1025},
    {0.35, 0.5785, -25.1042 },
    {0.66, 0.4591, 1335.8075},
    {0.64, 0.3130, -91.5680 },
    {1.14, 0.1480, 1331.2898},
    {0.21, 0.5918, 1056.5859},
    {0.44, 0.5784, 1322.8595},
    {0.24, 0.2275, -5.7374  },
    {0.28, 0.2965, 2.6929   },
    {0.33, 0.3132, 6.3368   },
};

static_assert(std::size(SolarTerms) == 35 + 46 + 23, "three solar lists");
static_assert(std::size(LatitudeTerms) == 10, "latitude list");
static_assert(std::size(LongPeriodicTerms) == 7, "A1 to A7");
static_assert(std::size(PlanetaryTerms) == 11, "planetary list");

/// Largest multiple of any argument in the tables (of D).
constexpr int MaxMultiple = 6;

/// f^|j| cos(j a) and f^|j| sin(j a) for j = -jmax..jmax, stored at j + MaxMultiple.
struct MultipleAngles {
    std::array<double, 2 * MaxMultiple + 1> C{}, S{};

    /// Builds the table of argument a (radians) scaled by factor f up to jmax.
    MultipleAngles(double a, double f, int jmax)
    {
        C[MaxMultiple] = 1.0;
        S[MaxMultiple] = 0.0;
        C[MaxMultiple + 1] = f * std::cos(a);
        S[MaxMultiple + 1] = f * std::sin(a);
        for (int j = 2; j <= jmax; ++j)
            AddAngles(C[MaxMultiple + j - 1], S[MaxMultiple + j - 1], C[MaxMultiple + 1], S[MaxMultiple + 1],
                      C[MaxMultiple + j], S[MaxMultiple + j]);
        for (int j = 1; j <= jmax; ++j) {
            C[MaxMultiple - j] = C[MaxMultiple + j];
            S[MaxMultiple - j] = -S[MaxMultiple + j];
        }
    }
};

/// The four multiple-angle tables of one evaluation: l, l', F, D.
struct ArgumentTables {
    MultipleAngles table[4];

    /// Cosine part X and sine part Y of a term: the product of its table
    /// entries, one factor per nonzero multiple, taken in the order l, l', F, D.
    void TermValue(const Multiples& m, double& X, double& Y) const
    {
        X = 1.0;
        Y = 0.0;
        const int n[4] = {m.p, m.q, m.r, m.s};
        for (int k = 0; k < 4; ++k)
            if (n[k] != 0) AddAngles(X, Y, table[k].C[MaxMultiple + n[k]], table[k].S[MaxMultiple + n[k]], X, Y);
    }
};

/// Sine of an angle given in revolutions.
double Sine(double revolutions) { return std::sin(TwoPi * PositiveFrac(revolutions)); }

/// The sum of a table of sine terms at T.
template <std::size_t N>
double SineSeries(const SineTerm (&terms)[N], double T)
{
    double sum = 0;
    for (const SineTerm& term : terms) sum += term.amplitude * Sine(term.phase + term.rate * T);
    return sum;
}

/// The long-periodic corrections of the mean arguments, arcseconds.
struct LongPeriodicCorrections {
    double L0 = 0, l = 0, ls = 0, F = 0;
};

LongPeriodicCorrections LongPeriodic(double T)
{
    LongPeriodicCorrections d;
    for (const LongPeriodicTerm& term : LongPeriodicTerms) {
        const double A = Sine(term.phase + term.rate * T);
        d.L0 += term.cL0 * A;
        d.l += term.cl * A;
        d.ls += term.cls * A;
        d.F += term.cF * A;
    }
    return d;
}

}  // namespace

void MoonEclipticPosition(double T, double& lambda, double& beta, double& R)
{
    const double T2 = T * T;

    // Long-periodic corrections (arcseconds); the elongation's follows from
    // those of the mean longitude and of the Sun's anomaly.
    const LongPeriodicCorrections d = LongPeriodic(T);
    const double dL0 = d.L0, dl = d.l, dls = d.ls, dF = d.F;
    const double dD = dL0 - dls;
    const double dGamma = SineSeries(LatitudeFactorTerms, T);

    // Mean arguments (radians).
    const double L0 = TwoPi * PositiveFrac(0.60643382 + 1336.85522467 * T - 0.00000313 * T2) + dL0 / Arc;
    const double l = TwoPi * PositiveFrac(0.37489701 + 1325.55240982 * T + 0.00002565 * T2) + dl / Arc;
    const double ls = TwoPi * PositiveFrac(0.99312619 + 99.99735956 * T - 0.00000044 * T2) + dls / Arc;
    const double F = TwoPi * PositiveFrac(0.25909918 + 1342.2278298 * T - 0.00000892 * T2) + dF / Arc;
    const double D = TwoPi * PositiveFrac(0.82736186 + 1236.85308708 * T - 0.00000397 * T2) + dD / Arc;

    const double factorF = 1.000002708 + 139.978 * dGamma;
    const ArgumentTables tables{
        {
         MultipleAngles(l, 1.000002208, 4),
         MultipleAngles(ls, 0.997504612 - 0.002495388 * T, 3),
         MultipleAngles(F, factorF, 4),
         MultipleAngles(D, 1.0, 6),
         }
    };

    // Solar perturbations (arcseconds).
    double sumLambda = 0, sumS = 0, sumGamma = 0, sumPi = 3422.7;
    for (const SolarTerm& term : SolarTerms) {
        double X = 0, Y = 0;
        tables.TermValue(term.m, X, Y);
        sumLambda += term.cLambda * Y;
        sumS += term.cS * Y;
        sumGamma += term.cGamma * X;
        sumPi += term.cPi * X;
    }

    // Latitude series (arcseconds).
    double N = 0;
    for (const LatitudeTerm& term : LatitudeTerms) {
        double X = 0, Y = 0;
        tables.TermValue(term.m, X, Y);
        N += term.cN * Y;
    }

    // Planetary perturbations of the longitude (arcseconds).
    sumLambda += SineSeries(PlanetaryTerms, T);

    lambda = 360.0 * PositiveFrac((L0 + sumLambda / Arc) / TwoPi);
    const double Fs = F + sumS / Arc;
    beta = (factorF * (18519.7 + sumGamma) * std::sin(Fs) - 6.24 * std::sin(3 * Fs) + N) / 3600.0;
    sumPi *= 0.999953253;
    R = Arc / sumPi;
}

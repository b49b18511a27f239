#include "astronomy/sun_position.h"

#include "platform/rounding.h"

#include <cmath>
#include <span>

namespace {

// Rows in evaluation order; see SunTerm for the columns and their units.

// Venus; the rows with p = 0 are the Earth's own elliptic terms.
constexpr SunTerm VenusRows[] = {
    {1, 0,  0, -0.22, 6892.76, -16707.37, -0.54, 0.00,  0.00 },
    {1, 0,  1, -0.06, -17.35,  42.04,     -0.15, 0.00,  0.00 },
    {1, 0,  2, -0.01, -0.05,   0.13,      -0.02, 0.00,  0.00 },
    {2, 0,  0, 0.00,  71.98,   -139.57,   0.00,  0.00,  0.00 },
    {2, 0,  1, 0.00,  -0.36,   0.70,      0.00,  0.00,  0.00 },
    {3, 0,  0, 0.00,  1.04,    -1.75,     0.00,  0.00,  0.00 },
    {0, -1, 0, 0.03,  -0.07,   -0.16,     -0.07, 0.02,  -0.02},
    {1, -1, 0, 2.35,  -4.23,   -4.75,     -2.64, 0.00,  0.00 },
    {1, -2, 0, -0.10, 0.06,    0.12,      0.20,  0.02,  0.00 },
    {2, -1, 0, -0.06, -0.03,   0.20,      -0.01, 0.01,  -0.09},
    {2, -2, 0, -4.70, 2.90,    8.28,      13.42, 0.01,  -0.01},
    {3, -2, 0, 1.80,  -1.74,   -1.44,     -1.57, 0.04,  -0.06},
    {3, -3, 0, -0.67, 0.03,    0.11,      2.43,  0.01,  0.00 },
    {4, -2, 0, 0.03,  -0.03,   0.10,      0.09,  0.01,  -0.01},
    {4, -3, 0, 1.51,  -0.40,   -0.88,     -3.36, 0.18,  -0.10},
    {4, -4, 0, -0.19, -0.09,   -0.38,     0.77,  0.00,  0.00 },
    {5, -3, 0, 0.76,  -0.68,   0.30,      0.37,  0.01,  0.00 },
    {5, -4, 0, -0.14, -0.04,   -0.11,     0.43,  -0.03, 0.00 },
    {5, -5, 0, -0.05, -0.07,   -0.31,     0.21,  0.00,  0.00 },
    {6, -4, 0, 0.15,  -0.04,   -0.06,     -0.21, 0.01,  0.00 },
    {6, -5, 0, -0.03, -0.03,   -0.09,     0.09,  -0.01, 0.00 },
    {6, -6, 0, 0.00,  -0.04,   -0.18,     0.02,  0.00,  0.00 },
    {7, -5, 0, -0.12, -0.03,   -0.08,     0.31,  -0.02, -0.01},
};

constexpr SunTerm MarsRows[] = {
    {1, -1, 0, -0.22, 0.17,  -0.21, -0.27, 0.00, 0.00},
    {1, -2, 0, -1.66, 0.62,  0.16,  0.28,  0.00, 0.00},
    {2, -2, 0, 1.96,  0.57,  -1.32, 4.55,  0.00, 0.01},
    {2, -3, 0, 0.40,  0.15,  -0.17, 0.46,  0.00, 0.00},
    {2, -4, 0, 0.53,  0.26,  0.09,  -0.22, 0.00, 0.00},
    {3, -3, 0, 0.05,  0.12,  -0.35, 0.15,  0.00, 0.00},
    {3, -4, 0, -0.13, -0.48, 1.06,  -0.29, 0.01, 0.00},
    {3, -5, 0, -0.04, -0.20, 0.20,  -0.04, 0.00, 0.00},
    {4, -4, 0, 0.00,  -0.03, 0.10,  0.04,  0.00, 0.00},
    {4, -5, 0, 0.05,  -0.07, 0.20,  0.14,  0.00, 0.00},
    {4, -6, 0, -0.10, 0.11,  -0.23, -0.22, 0.00, 0.00},
    {5, -7, 0, -0.05, 0.00,  0.01,  -0.14, 0.00, 0.00},
    {5, -8, 0, 0.05,  0.01,  -0.02, 0.10,  0.00, 0.00},
};

// The first row is the only one with e = -1 (the Earth table's entry -1).
constexpr SunTerm JupiterRows[] = {
    {-1, -1, 0, 0.01,  0.07,  0.18,  -0.02,  0.00, -0.02},
    {0,  -1, 0, -0.31, 2.58,  0.52,  0.34,   0.02, 0.00 },
    {1,  -1, 0, -7.21, -0.06, 0.13,  -16.27, 0.00, -0.02},
    {1,  -2, 0, -0.54, -1.52, 3.09,  -1.12,  0.01, -0.17},
    {1,  -3, 0, -0.03, -0.21, 0.38,  -0.06,  0.00, -0.02},
    {2,  -1, 0, -0.16, 0.05,  -0.18, -0.31,  0.01, 0.00 },
    {2,  -2, 0, 0.14,  -2.73, 9.23,  0.48,   0.00, 0.00 },
    {2,  -3, 0, 0.07,  -0.55, 1.83,  0.25,   0.01, 0.00 },
    {2,  -4, 0, 0.02,  -0.08, 0.25,  0.06,   0.00, 0.00 },
    {3,  -2, 0, 0.01,  -0.07, 0.16,  0.04,   0.00, 0.00 },
    {3,  -3, 0, -0.16, -0.03, 0.08,  -0.64,  0.00, 0.00 },
    {3,  -4, 0, -0.04, -0.01, 0.03,  -0.17,  0.00, 0.00 },
};

constexpr SunTerm SaturnRows[] = {
    {0, -1, 0, 0.00,  0.32,  0.01,  0.00,  0.00, 0.00 },
    {1, -1, 0, -0.08, -0.41, 0.97,  -0.18, 0.00, -0.01},
    {1, -2, 0, 0.04,  0.10,  -0.23, 0.10,  0.00, 0.00 },
    {2, -2, 0, 0.04,  0.10,  -0.35, 0.13,  0.00, 0.00 },
};

static_assert(std::size(VenusRows) + std::size(MarsRows) + std::size(JupiterRows) + std::size(SaturnRows) == 52,
              "the Sun theory has 52 table terms");

/// 2 pi * PositiveFrac(a + b T): a fundamental angle in radians from its
/// value a and rate b in revolutions.
double Revolutions(double a, double b, double T) { return TwoPi * PositiveFrac(a + b * T); }

/// Fills the planet table with the multiples 0 down to deepest of M, then adds
/// the planet's rows to the sums.
void PlanetTerms(SunTermContext& c, double M, int deepest, std::span<const SunTerm> rows)
{
    c.PlanetCos(0) = 1.0;
    c.PlanetSin(0) = 0.0;
    c.PlanetCos(-1) = std::cos(M);
    c.PlanetSin(-1) = -std::sin(M);
    for (int k = -2; k >= deepest; --k)
        AddAngles(c.PlanetCos(k + 1), c.PlanetSin(k + 1), c.PlanetCos(-1), c.PlanetSin(-1), c.PlanetCos(k),
                  c.PlanetSin(k));
    for (const SunTerm& row : rows)
        AddTerm(c, row.e, row.p, row.t, row.DLC, row.DLS, row.DRC, row.DRS, row.DBC, row.DBS);
}

}  // namespace

void AddTerm(SunTermContext& c, int e, int p, int t, double DLC, double DLS, double DRC, double DRS, double DBC,
             double DBS)
{
    if (t == 0) {
        AddAngles(c.EarthCos(e), c.EarthSin(e), c.PlanetCos(p), c.PlanetSin(p), c.termCos, c.termSin);
    } else {
        c.termCos *= c.T;
        c.termSin *= c.T;
    }
    c.DL += DLC * c.termCos + DLS * c.termSin;
    c.DR += DRC * c.termCos + DRS * c.termSin;
    c.DB += DBC * c.termCos + DBS * c.termSin;
}

void VenusTerms(SunTermContext& c) { PlanetTerms(c, c.M2, -6, VenusRows); }
void MarsTerms(SunTermContext& c) { PlanetTerms(c, c.M4, -8, MarsRows); }
void JupiterTerms(SunTermContext& c) { PlanetTerms(c, c.M5, -4, JupiterRows); }
void SaturnTerms(SunTermContext& c) { PlanetTerms(c, c.M6, -2, SaturnRows); }

void BarycentreTerms(SunTermContext& c)
{
    const double D = c.D, A = c.A, M3 = c.M3;
    c.DL += 6.45 * std::sin(D) - 0.42 * std::sin(D - A) + 0.18 * std::sin(D + A) + 0.17 * std::sin(D - M3) -
            0.06 * std::sin(D + M3);
    c.DR += 30.76 * std::cos(D) - 3.06 * std::cos(D - A) + 0.85 * std::cos(D + A) - 0.58 * std::cos(D + M3) +
            0.57 * std::cos(D - M3);
    c.DB += 0.576 * std::sin(c.U);
}

void SunPosition(double T, double& L, double& B, double& R)
{
    SunTermContext c;
    c.T = T;
    c.M2 = Revolutions(0.1387306, 162.5485917, T);
    c.M3 = Revolutions(0.9931266, 99.9973604, T);
    c.M4 = Revolutions(0.0543250, 53.1666028, T);
    c.M5 = Revolutions(0.0551750, 8.4293972, T);
    c.M6 = Revolutions(0.8816500, 3.3938722, T);
    c.D = Revolutions(0.8274, 1236.8531, T);
    c.A = Revolutions(0.3749, 1325.5524, T);
    c.U = Revolutions(0.2591, 1342.2278, T);

    // Earth table: multiples -1..7 of M3.
    c.EarthCos(0) = 1.0;
    c.EarthSin(0) = 0.0;
    c.EarthCos(1) = std::cos(c.M3);
    c.EarthSin(1) = std::sin(c.M3);
    c.EarthCos(-1) = c.EarthCos(1);
    c.EarthSin(-1) = -c.EarthSin(1);
    for (int k = 2; k <= SunTermContext::MaxEarthMultiple; ++k)
        AddAngles(c.EarthCos(k - 1), c.EarthSin(k - 1), c.EarthCos(1), c.EarthSin(1), c.EarthCos(k), c.EarthSin(k));

    VenusTerms(c);
    MarsTerms(c);
    JupiterTerms(c);
    SaturnTerms(c);
    BarycentreTerms(c);

    // Long-period terms.
    c.DL += 6.40 * std::sin(TwoPi * (0.6983 + 0.0561 * T)) + 1.87 * std::sin(TwoPi * (0.5764 + 0.4174 * T)) +
            0.27 * std::sin(TwoPi * (0.4189 + 0.3306 * T)) + 0.20 * std::sin(TwoPi * (0.3581 + 2.4814 * T));

    L = 360.0 * PositiveFrac(0.7859453 + c.M3 / TwoPi + ((6191.2 + 1.1 * T) * T + c.DL) / 1296000.0);
    R = 1.0001398 - 0.0000007 * T + c.DR * 1e-6;
    B = c.DB / 3600.0;
}

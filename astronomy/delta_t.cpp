#include "astronomy/delta_t.h"

#include <array>
#include <cstddef>

namespace {

/// One span of years with its polynomial in t = (year - Origin) / Scale.
struct DeltaTSpan {
    double End;                         ///< first year after the span
    double Origin;                      ///< year at which t = 0
    double Scale;                       ///< years per unit of t: 1 or 100
    std::array<double, 8> Coefficient;  ///< seconds, for t^0 .. t^7
};

// Espenak & Meeus, section 2.6, in order of years; the divisors of the
// published expressions (t^3 / 2547 ...) are written as their reciprocals.
constexpr DeltaTSpan kSpans[] = {
    {500,  0,    100, {10583.6, -1014.41, 33.78311, -5.952053, -0.1798452, 0.022174192, 0.0090316521, 0}                },
    {1600, 1000, 100, {1574.2, -556.01, 71.23472, 0.319781, -0.8503463, -0.005050998, 0.0083572073, 0}                  },
    {1700, 1600, 1,   {120, -0.9808, -0.01532, 1.0 / 7129, 0, 0, 0, 0}                                                  },
    {1800, 1700, 1,   {8.83, 0.1603, -0.0059285, 0.00013336, -1.0 / 1174000, 0, 0, 0}                                   },
    {1860, 1800, 1,   {13.72, -0.332447, 0.0068612, 0.0041116, -0.00037436, 0.0000121272, -0.0000001699, 0.000000000875}},
    {1900, 1860, 1,   {7.62, 0.5737, -0.251754, 0.01680668, -0.0004473624, 1.0 / 233174, 0, 0}                          },
    {1920, 1900, 1,   {-2.79, 1.494119, -0.0598939, 0.0061966, -0.000197, 0, 0, 0}                                      },
    {1941, 1920, 1,   {21.20, 0.84493, -0.076100, 0.0020936, 0, 0, 0, 0}                                                },
    {1961, 1950, 1,   {29.07, 0.407, -1.0 / 233, 1.0 / 2547, 0, 0, 0, 0}                                                },
    {1986, 1975, 1,   {45.45, 1.067, -1.0 / 260, -1.0 / 718, 0, 0, 0, 0}                                                },
    {2005, 2000, 1,   {63.86, 0.3345, -0.060374, 0.0017275, 0.000651814, 0.00002373599, 0, 0}                           },
    {2050, 2000, 1,   {62.92, 0.32217, 0.005589, 0, 0, 0, 0, 0}                                                         },
};

constexpr double kFirstSpanStart = -500;
constexpr double kLastPolynomialYear = 2150;

/// The long-term parabola, seconds, outside the polynomials' years.
double LongTermDeltaT(double year)
{
    const double u = (year - 1820) / 100;
    return -20 + 32 * u * u;
}

double Polynomial(const DeltaTSpan& span, double year)
{
    const double t = (year - span.Origin) / span.Scale;
    double sum = 0;
    for (std::size_t i = span.Coefficient.size(); i-- > 0;) sum = sum * t + span.Coefficient[i];
    return sum;
}

}  // namespace

double DeltaTSeconds(double year)
{
    if (year < kFirstSpanStart || year >= kLastPolynomialYear) return LongTermDeltaT(year);
    for (const DeltaTSpan& span : kSpans)
        if (year < span.End) return Polynomial(span, year);
    // 2050 to 2150: the parabola, bent to meet the 2005-2050 polynomial.
    return LongTermDeltaT(year) - 0.5628 * (kLastPolynomialYear - year);
}

double DecimalYear(double julianDate) { return 2000.0 + (julianDate - 2451545.0) / 365.25; }

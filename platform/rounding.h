#pragma once
// Numeric primitives with the exact meanings the whole program relies on.

#include <cmath>
#include <cstdint>
#include <limits>

/// Whole part of x, truncated toward zero (as a double).
inline double Int(double x) { return std::trunc(x); }

/// x - Int(x); keeps the sign of x, so it lies in (-1, 0] for negative x.
inline double Frac(double x) { return x - std::trunc(x); }

/// Converts a whole-numbered double to an integer; values beyond the 64-bit
/// range saturate and NaN gives 0, so no input is undefined behaviour.
inline std::int64_t SaturatingInt64(double whole)
{
    constexpr double kLimit = 9223372036854775808.0;  // 2^63
    if (std::isnan(whole)) return 0;
    if (whole >= kLimit) return INT64_MAX;
    if (whole < -kLimit) return INT64_MIN;
    return static_cast<std::int64_t>(whole);
}

/// x truncated toward zero, as an integer (saturating, see above).
inline std::int64_t Trunc(double x) { return SaturatingInt64(std::trunc(x)); }

/// Fractional part in [0, 1) also for negative x: x - Trunc(x), plus 1 if negative.
inline double PositiveFrac(double x)
{
    double f = x - std::trunc(x);
    return f < 0 ? f + 1.0 : f;
}

/// Nearest integer, halves to the even neighbour (banker's rounding).
inline std::int64_t RoundHalfEven(double x)
{
    double below = std::floor(x);
    double diff = x - below;
    if (diff > 0.5 || (diff == 0.5 && std::fmod(below, 2.0) != 0.0)) below += 1.0;
    return SaturatingInt64(below);
}

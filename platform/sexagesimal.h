#pragma once
// Angles (or hours) as whole units, minutes and seconds: 12° 30' 5"
//
// One implementation for every window: the rounded form rounds the seconds
// (halves to even) and carries 60 seconds into the minutes and 60 minutes into
// the whole units, away from zero; the truncated form cuts the seconds and
// never carries. The whole units show a minus sign whenever the value is
// negative, also when they are 0 ("-0° 30' 0"").

#include <cstdint>
#include <string>
#include <string_view>

struct SexagesimalParts {
    bool valid = true;       ///< false for NaN, infinity and magnitudes of 1e15 and more
    bool negative = false;   ///< the value was below zero
    std::int64_t whole = 0;  ///< whole units, carrying the sign of the value
    int minutes = 0;         ///< 0..59 (0..60 never survives the carry)
    int seconds = 0;         ///< 0..59
};

/// Degrees, minutes and seconds with rounded seconds and carrying.
SexagesimalParts SexagesimalRounded(double value);

/// Degrees, minutes and seconds with truncated seconds, no carrying.
SexagesimalParts SexagesimalTruncated(double value);

/// The whole units as text, "-0" for negative values whose whole part is 0,
/// "?" when the value has no sexagesimal form (parts.valid false).
std::string WholeUnitsText(const SexagesimalParts& parts);

inline constexpr std::string_view kDegreeUnit = "° ";
inline constexpr std::string_view kHourUnit = "h ";

/// Rounded form with the seconds mark: 12° 30' 5"  (unit "° " or "h ").
/// A value without a sexagesimal form (see SexagesimalParts::valid) shows
/// "?" for each number, never a made-up angle.
std::string AngleText(double value, std::string_view unit = kDegreeUnit);

/// Truncated form without the seconds mark: 51° 19' 59
std::string TruncatedAngleText(double value);

#include "platform/sexagesimal.h"

#include "platform/rounding.h"

#include <cmath>

namespace {

// Beyond this the seconds are lost in the double's precision anyway.
constexpr double kLargestMagnitude = 1e15;

SexagesimalParts Split(double value, bool roundSeconds)
{
    SexagesimalParts parts;
    parts.negative = value < 0;
    if (!(std::abs(value) < kLargestMagnitude)) {  // also NaN
        parts.valid = false;
        return parts;
    }
    parts.whole = Trunc(value);
    double fraction = value - static_cast<double>(parts.whole);
    double minutesWithFraction = fraction * 60;
    parts.minutes = static_cast<int>(std::abs(Trunc(minutesWithFraction)));
    double seconds = Frac(minutesWithFraction) * 60;
    parts.seconds = static_cast<int>(std::abs(roundSeconds ? RoundHalfEven(seconds) : Trunc(seconds)));
    return parts;
}

}  // namespace

SexagesimalParts SexagesimalRounded(double value)
{
    SexagesimalParts parts = Split(value, true);
    if (parts.seconds == 60) {
        parts.seconds = 0;
        ++parts.minutes;
    }
    if (parts.minutes == 60) {
        parts.minutes = 0;
        parts.whole += parts.negative ? -1 : 1;
    }
    return parts;
}

SexagesimalParts SexagesimalTruncated(double value) { return Split(value, false); }

std::string WholeUnitsText(const SexagesimalParts& parts)
{
    if (!parts.valid) return "?";
    if (parts.negative && parts.whole == 0) return "-0";
    return std::to_string(parts.whole);
}

namespace {

std::string MinutesOrSecondsText(const SexagesimalParts& parts, int value)
{
    return parts.valid ? std::to_string(value) : "?";
}

}  // namespace

std::string AngleText(double value, std::string_view unit)
{
    SexagesimalParts parts = SexagesimalRounded(value);
    return WholeUnitsText(parts) + std::string(unit) + MinutesOrSecondsText(parts, parts.minutes) + "' " +
           MinutesOrSecondsText(parts, parts.seconds) + "\"";
}

std::string TruncatedAngleText(double value)
{
    SexagesimalParts parts = SexagesimalTruncated(value);
    return WholeUnitsText(parts) + std::string(kDegreeUnit) + MinutesOrSecondsText(parts, parts.minutes) + "' " +
           MinutesOrSecondsText(parts, parts.seconds);
}

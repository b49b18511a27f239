#pragma once
// The height measurement from a shadow transit as the height panel runs it,
// and its inverse: the transit time to expect for a formation of known
// height.

#include "astronomy/observation_state.h"

#include <optional>

/// The longest transit time the height panel takes, seconds.
inline constexpr double LongestTransitSeconds = 5.0;

/// What one measurement gives: the height (empty when the formula has no
/// result for these inputs) and the terminator correction lambda_c.
struct HeightMeasurement {
    std::optional<double> Height;     ///< metres
    double TerminatorCorrection = 0;  ///< degrees
};

/// Prepares the state for MountainHeight, for the state's date, time and
/// site: ComputePhysicalEphemeridesInDegrees (Moon position, Sun position,
/// the Sun's distance rescaled, physical ephemerides in degrees), the Moon's
/// HorizontalPosition at the site, and SetMoonSemiDiameter for the Moon's
/// distance. Writes every field those routines write.
void PrepareMountainHeight(ObservationState& state);

/// PrepareMountainHeight, then MountainHeight for a shadow transit of
/// `transitSeconds` over a formation at `latitude`, `longitude`
/// (selenographic, degrees). Every result stays in the state.
HeightMeasurement MeasureMountainHeight(ObservationState& state, double transitSeconds, double latitude,
                                        double longitude);

/// The transit time the height panel would turn into `height`.
///
/// Given:
///   prepared   a state after PrepareMountainHeight (not changed)
///   latitude, longitude  the formation's selenographic position, degrees
///   height     the formation's height, metres, > 0
/// Returned: the smallest t in 0..LongestTransitSeconds seconds for which
///   MountainHeight(prepared, t, latitude, longitude) equals `height`, to
///   1e-9 s; empty when no t in that range gives it (the Sun
///   stands too high for a shadow that short, or the formula leaves its
///   domain first) or when `height` is not positive.
///
/// Notes:
///   1. The height grows with t from 0 at t = 0. The range is walked in
///      steps of 0.1 s until a step reaches the height, then that step is
///      halved until the time is known to 1e-9 s; so even a height that
///      does not grow monotonically gives the first time that reaches it.
std::optional<double> ExpectedTransitTime(const ObservationState& prepared, double latitude, double longitude,
                                          double height);

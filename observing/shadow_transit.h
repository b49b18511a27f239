#pragma once
// The height measurement from a shadow transit as the height panel runs it,
// and the other way round: the transit time to expect for a formation of
// known height, and whether an observer can time it now.

#include "astronomy/mountain_shadow.h"
#include "astronomy/observation_state.h"

#include <optional>

/// Transit times that are worth timing, seconds: shorter ones cannot be
/// timed by hand with any accuracy.
inline constexpr double ShortestTimedTransitSeconds = 0.5;

/// How far the Sun must stand above the lowest Sun for a formation's
/// shadow (LowestSunForShadow), degrees, before the shadow is offered for
/// timing: its tip then lies clear of the terminator's half-light.
inline constexpr double TimingSunMargin = 0.2;

/// What one measurement gives: the height (empty when none results, with
/// the reason) and the terminator correction lambda_c.
struct HeightMeasurement {
    std::optional<double> Height;                  ///< metres
    double TerminatorCorrection = 0;               ///< degrees
    NoHeightReason Reason = NoHeightReason::None;  ///< why there is no height
};

/// Prepares the state for MountainHeight, for the state's date, time and
/// site (PrepareShadowView): the Moon position, the Sun position, the
/// physical ephemerides in degrees, the Moon's HorizontalPosition at the
/// site, and SetMoonSemiDiameter for the Moon's distance. Writes every
/// field those routines write.
void PrepareMountainHeight(ObservationState& state);

/// PrepareMountainHeight, then MountainHeight for a shadow transit of
/// `transitSeconds` over a formation at `latitude`, `longitude`
/// (selenographic, degrees). Every result stays in the state.
HeightMeasurement MeasureMountainHeight(ObservationState& state, double transitSeconds, double latitude,
                                        double longitude);

/// The transit time to expect for a formation of known height.
///
/// Given:
///   prepared   a state after PrepareMountainHeight (not changed)
///   latitude, longitude  the formation's selenographic position, degrees
///   height     the formation's height, metres, > 0
/// Returned: the time the shadow of that summit takes to cross the
///   reticle (CastShadow), seconds, when it lies in
///   0 < t <= LongestTransitSeconds, so that MountainHeight gives `height`
///   back for it; empty otherwise, when the scene is refused, or when the
///   shadow ends in the night.
std::optional<double> ExpectedTransitTime(const ObservationState& prepared, double latitude, double longitude,
                                          double height);

/// Whether the shadow of a formation of known height can be timed.
enum class TimingVerdict {
    Timeable,          ///< Sun high enough, time within ShortestTimedTransitSeconds..LongestTransitSeconds
    MoonBelowHorizon,  ///< the Moon is below the site's horizon
    NotVisible,        ///< the formation is turned away from the site
    NightSide,         ///< the Sun is below the formation's horizon
    SunTooLow,         ///< the Sun stands below LowestSunForShadow + TimingSunMargin
    TooShort,          ///< the transit would be shorter than ShortestTimedTransitSeconds
    TooLong,           ///< the transit would be longer than LongestTransitSeconds
};

/// The shadow to expect: its transit time (when the shadow ends on lit
/// ground) and whether it can be timed.
struct ExpectedShadow {
    std::optional<double> TransitSeconds;  ///< seconds (CastShadow)
    TimingVerdict Verdict = TimingVerdict::Timeable;
};

/// The shadow of a summit `height` metres (> 0) high in a scene.
ExpectedShadow ExpectShadow(const ShadowScene& scene, double height);

/// The lowest Sun over a formation of that height at which its shadow is
/// offered for timing, degrees: LowestSunForShadow + TimingSunMargin.
double LowestTimingSun(double height);

#pragma once
// Planning ahead: the intervals of the coming days in which a formation can
// be measured from the site - the Sun low over the formation (long
// shadows), the Moon high enough above the site's horizon, and the sky dark.

#include "astronomy/observation_state.h"
#include "observing/mez_moment.h"
#include "observing/terminator_zone.h"

#include <cstdint>
#include <optional>
#include <vector>

/// How many days a plan may cover, and the default.
inline constexpr int DefaultPlanningDays = 30;
inline constexpr int MaxPlanningDays = 366;

/// The grid the plan walks, minutes; the interval ends are then found to
/// the minute.
inline constexpr int PlanningStepMinutes = 10;

/// The three conditions a moment must meet.
struct PlanningLimits {
    /// The Sun's altitude over the formation, degrees: low enough for long
    /// shadows, high enough for the formation to be lit (for a formation of
    /// known height: for its shadow to end on lit ground,
    /// DefaultPlanningLimits).
    SunAltitudeBand SunOverFormation{1.0, 10.0};
    /// The Moon's altitude above the site's horizon at least, degrees.
    double LowestMoonAltitude = 20.0;
    /// The Sun's altitude above the site's horizon at most, degrees: -6 is
    /// the end of civil twilight.
    double HighestSunAltitude = -6.0;
};

/// The formation to plan for.
struct PlannedFormation {
    SelenographicPoint Position;
    std::optional<double> Height;  ///< metres (> 0) when the catalogue gives one
};

/// The conditions at one moment.
struct MomentConditions {
    double SunAltitude = 0;   ///< degrees, the Sun above the site's horizon (SunHorizontalPosition)
    double MoonAltitude = 0;  ///< degrees, the Moon above the site's horizon (HorizontalPosition)
    /// degrees, the Sun over the formation (SunAltitudeOver); empty while the
    /// formation lies on the far side (FacesEarth).
    std::optional<double> SunOverFormation;
    bool Met = false;  ///< all three within the limits
};

/// The limits a plan for this formation starts with: those of
/// PlanningLimits, but for a formation with a height the lowest Sun over it
/// is the one at which its shadow can be timed (LowestTimingSun), rounded
/// up to a tenth of a degree.
PlanningLimits DefaultPlanningLimits(const PlannedFormation& formation);

/// Checks one moment: the state's date, time and site.
///
/// Runs, in this order: SunHorizontalPosition (the Sun at the site, on a
/// copy of the state); ComputeSunOverMoon (the Moon, the Sun, the physical
/// ephemerides in degrees, as the physical ephemerides report runs them)
/// with FacesEarth and SunAltitudeOver for the formation; then
/// HorizontalPosition of the Moon for the site (as the Moon position report).
/// The results of the last two stay in the state.
///
/// With `stopAtFirstFailure` the check ends at the first condition that
/// fails (Met false; the values not reached are NaN or empty); the plan
/// uses this, since most moments fail on daylight alone.
MomentConditions CheckMoment(ObservationState& state, const SelenographicPoint& formation, const PlanningLimits& limits,
                             bool stopAtFirstFailure = false);

/// One interval in which every condition holds.
struct PlanInterval {
    MezMoment Start;  ///< the first minute at which all hold (or the plan's first moment)
    MezMoment End;    ///< the last minute at which all hold (or the plan's last moment)
    /// The moment of the longest expected shadow transit time in the
    /// interval (formations with a height); without a height, or when no
    /// moment has a transit time within LongestTransitSeconds, the moment of
    /// the lowest Sun over the formation (the longest shadows).
    MezMoment Best;
    std::optional<double> TransitSeconds;  ///< at Best (ExpectedTransitTime), seconds
    double SunOverFormation = 0;           ///< at Best, degrees
    double MoonAltitude = 0;               ///< at Best, degrees
    double Colongitude = 0;                ///< at Best, degrees, 0..360
};

/// The intervals of the `days` days from the state's date, 0:00 MEZ, to
/// 0:00 MEZ `days` days later (both included), for the state's site.
///
/// Walks the range in steps of PlanningStepMinutes with CheckMoment; where
/// the outcome changes between two steps, halves that step down to the
/// minute. Steps at which a failing condition cannot have been met yet are
/// passed over (its quantity is short of its limit by more than it can
/// change in the time: an altitude above the site's horizon by more than
/// 0.3 degrees a minute, the Sun's altitude over the formation by more than
/// 0.012), which changes nothing in the outcome. An interval still open at an end of the range is cut there.
/// Conditions that hold for less than a step between two steps that fail
/// are not seen. For each interval the best moment is sought among its
/// ends and the steps inside, then to the minute among its neighbours
/// (PrepareShadowView and the expected shadow, as the window "Lichtgrenze").
///
/// `state` is not changed (the plan works on a copy). `days` is clamped to
/// 1..MaxPlanningDays.
std::vector<PlanInterval> PlanObservations(const ObservationState& state, const PlannedFormation& formation,
                                           const PlanningLimits& limits, int days = DefaultPlanningDays);

/// The first and the last moment a plan of `days` days from the state's
/// date covers.
MezMoment PlanStart(const ObservationState& state);
MezMoment PlanEnd(const ObservationState& state, int days);

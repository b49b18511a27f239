#include "observing/observation_planner.h"

#include "astronomy/calendar.h"
#include "astronomy/coordinates.h"
#include "observing/shadow_transit.h"
#include "observing/sun_at_site.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kNotComputed = std::numeric_limits<double>::quiet_NaN();

// Bounds on how fast the planned quantities change, degrees a minute, with
// room to spare. An altitude above the site's horizon changes at most as
// fast as the sky turns, 15 degrees an hour (0.25 a minute; the Sun's and
// the Moon's own motion only slow that down). The Sun's altitude over a
// point of the Moon changes at most as fast as the point under the Sun moves
// round the Moon, 12.2 degrees a day (0.0085 a minute).
constexpr double kFastestAltitudeChangeAtSite = 0.3;
constexpr double kFastestSunAltitudeChangeOnTheMoon = 0.012;

int ClampedDays(int days) { return std::clamp(days, 1, MaxPlanningDays); }

/// Walks one formation's conditions minute by minute on a scratch state.
class ConditionScan {
public:
    ConditionScan(const ObservationState& state, const PlannedFormation& formation, const PlanningLimits& limits)
        : state_(state), formation_(formation), limits_(limits)
    {}

    bool Holds(std::int64_t minute)
    {
        SetObservationMoment(state_, MomentOfMinute(minute));
        const MomentConditions c = CheckMoment(state_, formation_.Position, limits_, true);
        failingUntil_ = c.Met ? minute : minute + MinutesStillFailing(c);
        return c.Met;
    }

    /// The last minute up to which the conditions surely still fail, after
    /// Holds found them failing (else the minute it looked at).
    std::int64_t FailingUntil() const { return failingUntil_; }

    /// The first minute in (before, after] whose outcome is `outcomeAfter`,
    /// knowing that `before` has the other one.
    std::int64_t FirstMinuteWith(bool outcomeAfter, std::int64_t before, std::int64_t after)
    {
        while (after - before > 1) {
            const std::int64_t middle = before + (after - before) / 2;
            if (Holds(middle) == outcomeAfter)
                after = middle;
            else
                before = middle;
        }
        return after;
    }

private:
    /// How many minutes after a moment whose conditions `c` failed they
    /// surely still fail: the condition that failed is short of its limit by
    /// more than its quantity can change in that time.
    std::int64_t MinutesStillFailing(const MomentConditions& c) const
    {
        double shortBy = 0, rate = 1;
        if (c.SunAltitude > limits_.HighestSunAltitude) {
            shortBy = c.SunAltitude - limits_.HighestSunAltitude;
            rate = kFastestAltitudeChangeAtSite;
        } else if (!c.SunOverFormation) {
            return 0;  // turned away from the Earth: no bound
        } else if (!limits_.SunOverFormation.Contains(*c.SunOverFormation)) {
            shortBy = std::max(limits_.SunOverFormation.Lowest - *c.SunOverFormation,
                               *c.SunOverFormation - limits_.SunOverFormation.Highest);
            rate = kFastestSunAltitudeChangeOnTheMoon;
        } else {
            shortBy = limits_.LowestMoonAltitude - c.MoonAltitude;
            rate = kFastestAltitudeChangeAtSite;
        }
        if (!(shortBy > 0)) return 0;
        return std::max<std::int64_t>(static_cast<std::int64_t>(std::floor(shortBy / rate)) - 1, 0);
    }

    ObservationState state_;
    const PlannedFormation& formation_;
    const PlanningLimits& limits_;
    std::int64_t failingUntil_ = 0;
};

struct MinuteSpan {
    std::int64_t first, last;
};

std::vector<MinuteSpan> SpansWhereAllHold(ConditionScan& scan, std::int64_t first, std::int64_t last)
{
    std::vector<MinuteSpan> spans;
    bool inside = scan.Holds(first);
    std::int64_t start = first;
    for (std::int64_t before = first; before < last;) {
        const std::int64_t after = std::min(before + PlanningStepMinutes, last);
        const bool holds = scan.Holds(after);
        if (holds != inside) {
            const std::int64_t change = scan.FirstMinuteWith(holds, before, after);
            if (holds)
                start = change;
            else
                spans.push_back({start, change - 1});
            inside = holds;
        }
        before = after;
        // While the conditions fail, the steps at which they surely still
        // fail need no look: the outcome there is known.
        if (!holds) {
            const std::int64_t knownSteps = (scan.FailingUntil() - before) / PlanningStepMinutes;
            if (knownSteps > 0) before = std::min(before + knownSteps * PlanningStepMinutes, last);
        }
    }
    if (inside) spans.push_back({start, last});
    return spans;
}

/// What a moment offers for a height measurement.
struct Candidate {
    std::int64_t minute = 0;
    std::optional<double> transitSeconds;
    double sunOverFormation = 0;
    double moonAltitude = 0;
    double colongitude = 0;
};

Candidate Evaluate(ObservationState& s, const PlannedFormation& formation, std::int64_t minute)
{
    SetObservationMoment(s, MomentOfMinute(minute));
    const ShadowView view = PrepareShadowView(s);
    const SunOverMoon sun = SunOverMoonFromEphemerides(s);
    const SelenographicPoint& p = formation.Position;
    Candidate c;
    c.minute = minute;
    c.sunOverFormation = SunAltitudeOver(sun, p.Latitude, p.Longitude);
    c.moonAltitude = s.Altitude;
    c.colongitude = sun.Colongitude;
    if (formation.Height) {
        const std::optional<double> t = ExpectShadow(SceneOf(view, p), *formation.Height).TransitSeconds;
        if (t && *t > 0 && *t <= LongestTransitSeconds) c.transitSeconds = t;
    }
    return c;
}

/// A longer transit time wins; any transit time beats none; without one on
/// either side the lower Sun wins.
bool IsBetter(const Candidate& a, const Candidate& b)
{
    if (a.transitSeconds && b.transitSeconds) return *a.transitSeconds > *b.transitSeconds;
    if (a.transitSeconds || b.transitSeconds) return a.transitSeconds.has_value();
    return a.sunOverFormation < b.sunOverFormation;
}

Candidate BestMoment(ObservationState& s, const PlannedFormation& formation, const MinuteSpan& span,
                     std::int64_t gridOrigin)
{
    Candidate best = Evaluate(s, formation, span.first);
    auto consider = [&](std::int64_t minute) {
        Candidate c = Evaluate(s, formation, minute);
        if (IsBetter(c, best)) best = c;
    };
    // The grid steps inside the span, then its last minute.
    std::int64_t minute = gridOrigin + ((span.first - gridOrigin) / PlanningStepMinutes + 1) * PlanningStepMinutes;
    for (; minute < span.last; minute += PlanningStepMinutes) consider(minute);
    if (span.last != span.first) consider(span.last);

    // To the minute: climb to the better neighbour while there is one.
    for (int direction : {-1, +1}) {
        for (std::int64_t next = best.minute + direction; span.first <= next && next <= span.last; next += direction) {
            Candidate c = Evaluate(s, formation, next);
            if (!IsBetter(c, best)) break;
            best = c;
        }
    }
    return best;
}

}  // namespace

PlanningLimits DefaultPlanningLimits(const PlannedFormation& formation)
{
    PlanningLimits limits;
    if (formation.Height) limits.SunOverFormation.Lowest = std::ceil(LowestTimingSun(*formation.Height) * 10) / 10;
    return limits;
}

MomentConditions CheckMoment(ObservationState& s, const SelenographicPoint& formation, const PlanningLimits& limits,
                             bool stopAtFirstFailure)
{
    MomentConditions c;
    c.SunAltitude = SunHorizontalPosition(s).Altitude;
    c.MoonAltitude = kNotComputed;
    bool met = c.SunAltitude <= limits.HighestSunAltitude;
    if (!met && stopAtFirstFailure) return c;

    const SunOverMoon sun = ComputeSunOverMoon(s);
    c.SunOverFormation = VisibleSunAltitudeOver(s, sun, formation);
    met = met && c.SunOverFormation && limits.SunOverFormation.Contains(*c.SunOverFormation);
    if (!met && stopAtFirstFailure) return c;

    HorizontalPosition(s, s.MoonRightAscension, s.MoonDeclination, s.Longitude, JulianCenturies(s));
    c.MoonAltitude = s.Altitude;
    c.Met = met && c.MoonAltitude >= limits.LowestMoonAltitude;
    return c;
}

MezMoment PlanStart(const ObservationState& state) { return MezMoment{state.Year, state.Month, state.Day, 0, 0}; }

MezMoment PlanEnd(const ObservationState& state, int days)
{
    return MomentOfMinute(MinuteNumber(PlanStart(state)) + ClampedDays(days) * MinutesPerDay);
}

std::vector<PlanInterval> PlanObservations(const ObservationState& state, const PlannedFormation& formation,
                                           const PlanningLimits& limits, int days)
{
    const std::int64_t first = MinuteNumber(PlanStart(state));
    const std::int64_t last = MinuteNumber(PlanEnd(state, days));
    ConditionScan scan(state, formation, limits);
    ObservationState scratch = state;

    std::vector<PlanInterval> intervals;
    for (const MinuteSpan& span : SpansWhereAllHold(scan, first, last)) {
        const Candidate best = BestMoment(scratch, formation, span, first);
        intervals.push_back(PlanInterval{MomentOfMinute(span.first), MomentOfMinute(span.last),
                                         MomentOfMinute(best.minute), best.transitSeconds, best.sunOverFormation,
                                         best.moonAltitude, best.colongitude});
    }
    return intervals;
}

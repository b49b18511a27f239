#include "observing/shadow_transit.h"

#include "astronomy/mountain_height.h"

#include <cmath>

void PrepareMountainHeight(ObservationState& state) { PrepareShadowView(state); }

HeightMeasurement MeasureMountainHeight(ObservationState& state, double transitSeconds, double latitude,
                                        double longitude)
{
    PrepareMountainHeight(state);
    HeightMeasurement result;
    result.Height =
        MountainHeight(state, transitSeconds, latitude, longitude, result.TerminatorCorrection, &result.Reason);
    return result;
}

std::optional<double> ExpectedTransitTime(const ObservationState& prepared, double latitude, double longitude,
                                          double height)
{
    if (!(height > 0)) return std::nullopt;
    const ShadowScene scene = SceneOf(ShadowViewFromEphemerides(prepared), {latitude, longitude});
    const std::optional<ShadowOnSky> shadow = CastShadow(scene, height);
    if (!shadow || !(shadow->TransitSeconds > 0 && shadow->TransitSeconds <= LongestTransitSeconds))
        return std::nullopt;
    return shadow->TransitSeconds;
}

double LowestTimingSun(double height) { return LowestSunForShadow(height) + TimingSunMargin; }

ExpectedShadow ExpectShadow(const ShadowScene& scene, double height)
{
    switch (scene.Refusal) {
        case NoHeightReason::MoonBelowHorizon:
            return {std::nullopt, TimingVerdict::MoonBelowHorizon};
        case NoHeightReason::NotVisible:
            return {std::nullopt, TimingVerdict::NotVisible};
        case NoHeightReason::NightSide:
            return {std::nullopt, TimingVerdict::NightSide};
        default:
            break;
    }
    ExpectedShadow expected;
    if (const std::optional<ShadowOnSky> shadow = CastShadow(scene, height))
        expected.TransitSeconds = shadow->TransitSeconds;
    if (!expected.TransitSeconds || scene.SunAltitude < LowestTimingSun(height))
        expected.Verdict = TimingVerdict::SunTooLow;
    else if (*expected.TransitSeconds < ShortestTimedTransitSeconds)
        expected.Verdict = TimingVerdict::TooShort;
    else if (*expected.TransitSeconds > LongestTransitSeconds)
        expected.Verdict = TimingVerdict::TooLong;
    return expected;
}

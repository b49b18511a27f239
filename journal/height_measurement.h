#pragma once
// The mountain height panel's computation and texts, apart from the window.

#include "astronomy/observation_state.h"
#include "observing/shadow_transit.h"  // MeasureMountainHeight, the computation itself

#include <optional>
#include <string>

/// True for transit times the panel computes: 0 < t <= 5 seconds.
bool IsMeasurableTransitTime(double transitSeconds);

/// The height rounded to tenths, "1350m" or "1350,4m"; the note "ungültig"
/// when there is no height.
std::string HeightText(const std::optional<double>& height, char decimalSeparator);

/// What the panel shows in place of the number: HeightText of the height,
/// or the short reason why there is none (NoHeightText).
std::string HeightResultText(const HeightMeasurement& measured, char decimalSeparator);

/// Deviation of the rounded height from the catalogue height in percent,
/// "-10%"; "- - -" when the catalogue height is empty, not a whole number or
/// 0, or when there is no height.
std::string DeviationText(const std::optional<double>& height, const std::string& catalogueHeight);

/// "(Messung am 15. 3. 2003 um 20:05 Uhr" and " MEZ  in Bonn)".
std::string MeasurementDateLine(const ObservationState& state);
std::string MeasurementSiteLine(const ObservationState& state);

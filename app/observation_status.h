#pragma once
// The main window's status line when no hint is shown: where and when the
// map, the height panel and the reports compute.

#include "astronomy/observation_state.h"

#include <string>

/// "Berlin · 7. 12. 2026 20:05 MEZ (laufend)": the site, the observation
/// date and time, and "(laufend)" while the time follows the computer's
/// clock. Without a site name the line starts with the date.
std::string ObservationStatusText(const ObservationState& state, bool followsClock);

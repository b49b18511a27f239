#include "app/observation_status.h"

#include "platform/time_text.h"

std::string ObservationStatusText(const ObservationState& state, bool followsClock)
{
    std::string text = state.SiteName.empty() ? std::string() : state.SiteName + " · ";
    text += std::to_string(state.Day) + ". " + std::to_string(state.Month) + ". " + std::to_string(state.Year) + " " +
            ClockTimeText(state.Hour, state.Minute) + " MEZ";
    if (followsClock) text += " (laufend)";
    return text;
}

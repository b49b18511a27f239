#include "journal/height_measurement.h"

#include "astronomy/Rechn.h"
#include "platform/number_text.h"
#include "platform/time_text.h"

namespace {

// Tenths of a metre, halves to even, as the panel shows the height.
double RoundedHeight(double height) { return static_cast<double>(RoundHalfEven(height * 10)) / 10; }

}  // namespace

bool IsMeasurableTransitTime(double transitSeconds)
{
    return transitSeconds > 0 && transitSeconds <= LongestTransitSeconds;
}

std::string HeightText(const std::optional<double>& height, char decimalSeparator)
{
    if (!height) return "ungültig";
    return FloatToText(RoundedHeight(*height), decimalSeparator) + "m";
}

std::string HeightResultText(const HeightMeasurement& measured, char decimalSeparator)
{
    if (!measured.Height && measured.Reason != NoHeightReason::None) return NoHeightText(measured.Reason);
    return HeightText(measured.Height, decimalSeparator);
}

std::string DeviationText(const std::optional<double>& height, const std::string& catalogueHeight)
{
    int catalogue = 0;
    if (!height || !TryTextToInt(catalogueHeight, catalogue) || catalogue == 0) return "- - -";
    double deviation = (RoundedHeight(*height) - catalogue) / (catalogue / 100.0);
    return std::to_string(RoundHalfEven(deviation)) + "%";
}

std::string MeasurementDateLine(const ObservationState& state)
{
    return "(Messung am " + DateAndTimeText(state.Day, state.Month, state.Year, state.Hour, state.Minute) + " Uhr";
}

std::string MeasurementSiteLine(const ObservationState& state) { return " MEZ  in " + state.SiteName + ")"; }

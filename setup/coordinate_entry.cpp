#include "setup/coordinate_entry.h"

#include "astronomy/angles.h"
#include "platform/number_text.h"

namespace {

// Adds `countText` units of 1/`unitsPerDegree` degree to the angle in
// `result`, written back as text; the count is read before the angle.
void AddPart(const std::string& countText, double unitsPerDegree, bool negative, char decimalSeparator,
             std::string& result)
{
    if (countText.empty()) return;
    int count = TextToInt(countText);
    result = FloatToText(AddAnglePart(TextToFloat(result, decimalSeparator), negative, count, unitsPerDegree),
                         decimalSeparator);
}

}  // namespace

void BuildCoordinateText(const std::string& degrees, const std::string& minutes, const std::string& seconds,
                         char decimalSeparator, std::string& result)
{
    result = degrees;
    const bool negative = DegreeTextIsNegative(degrees);
    AddPart(minutes, 60.0, negative, decimalSeparator, result);
    AddPart(seconds, 60.0 * 60.0, negative, decimalSeparator, result);
}

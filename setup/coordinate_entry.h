#pragma once
// The coordinate entry dialog's arithmetic: degrees, minutes and seconds
// as typed into one decimal-degree text (standard C++ only).

#include <string>

/// The decimal-degree text of an entry, built into `result` step by step:
/// the degrees text exactly as typed; then, if given, the minutes and then
/// the seconds (whole numbers, scaled by 1/60 and 1/3600) added with the
/// sign of the degrees (DegreeTextIsNegative, AddAnglePart), the sum written
/// back as text each time. When a step throws ConversionError, `result`
/// holds the text of the steps before it.
void BuildCoordinateText(const std::string& degrees, const std::string& minutes, const std::string& seconds,
                         char decimalSeparator, std::string& result);

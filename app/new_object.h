#pragma once
// A formation the user outlines on the map and describes: the checks of the
// entry and the record it becomes (standard C++ only).

#include "catalogue/lunar_object.h"
#include "map/map_geometry.h"

#include <string>

/// The new-object panel's fields as typed (UTF-8).
struct NewObjectEntry {
    std::string Name;
    std::string LatitudeDegrees, LatitudeMinutes, LatitudeSeconds;
    std::string LongitudeDegrees, LongitudeMinutes, LongitudeSeconds;
    std::string Height;
    std::string Description1, Description2, Description3;
};

/// Checks the entry in the panel's order (name, degree fields present,
/// degree ranges -90..90, minute and second ranges 0..59, then every
/// degree, minute and second a whole number, and last the whole latitude
/// and longitude within ±90°, which 90° 30' is not) and returns the message
/// of the first failing check, or an empty text when the entry is complete.
/// Empty minute and second fields must have been set to "0" before.
/// Throws ConversionError for a field that is not a number under
/// `decimalSeparator`.
std::string NewObjectProblem(const NewObjectEntry& entry, char decimalSeparator);

/// sign * (|degrees| + minutes / 60 + seconds / 3600); the sign is minus when
/// the degree field's number is negative or its text begins with "-" after
/// any blanks (so "-0" and " -0" with 30 minutes give -0.5).
double EnteredAngle(const std::string& degreesText, double degrees, double minutes, double seconds);

/// The catalogue record of a checked entry: the frame normalised so that
/// left <= right and top <= bottom, the angles in the general number form,
/// origin "2".
LunarObject MakeUserObject(const NewObjectEntry& entry, const DrawnFrame& frame, char decimalSeparator);

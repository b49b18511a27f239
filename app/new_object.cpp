#include "app/new_object.h"

#include "astronomy/angles.h"
#include "platform/number_text.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kMaxDegrees = 90;
constexpr double kMaxMinutesOrSeconds = 59;

const char* const kLatitudeRangeMessage =
    "Beobachtbare Objekte auf dem Mond haben eine selenographische Breite zwischen -90° und +90°";
const char* const kLongitudeRangeMessage =
    "Beobachtbare Objekte auf dem Mond haben eine selenographische Länge zwischen -90° und +90°";

struct Field {
    const std::string* text;
    const char* wholeNumberName;  // for the whole-number message
};

// The angle of one coordinate's three fields, in degrees.
double FieldsAngle(const std::string& degrees, const std::string& minutes, const std::string& seconds, char separator)
{
    return EnteredAngle(degrees, TextToFloat(degrees, separator), TextToFloat(minutes, separator),
                        TextToFloat(seconds, separator));
}

}  // namespace

std::string NewObjectProblem(const NewObjectEntry& entry, char separator)
{
    if (entry.Name.empty()) return "Bitte geben Sie einen Namen für das Objekt ein!";
    if (entry.LatitudeDegrees.empty())
        return "Für Höhenberechnungen wird die selenographische Breite des Objekts benötigt.";
    if (entry.LongitudeDegrees.empty())
        return "Für Höhenberechnungen wird die selenographische Länge des Objekts benötigt.";

    auto outside = [&](const std::string& text, double low, double high) {
        double value = TextToFloat(text, separator);
        return value < low || value > high;
    };
    if (outside(entry.LatitudeDegrees, -kMaxDegrees, kMaxDegrees)) return kLatitudeRangeMessage;
    if (outside(entry.LongitudeDegrees, -kMaxDegrees, kMaxDegrees)) return kLongitudeRangeMessage;
    if (outside(entry.LatitudeMinutes, 0, kMaxMinutesOrSeconds))
        return "Ungültige Eingabe für den Minutenwert der selenographischen Breite";
    if (outside(entry.LongitudeMinutes, 0, kMaxMinutesOrSeconds))
        return "Ungültige Eingabe für den Minutenwert der selenographischen Länge";
    if (outside(entry.LatitudeSeconds, 0, kMaxMinutesOrSeconds))
        return "Ungültige Eingabe für den Sekundenwert der selenographischen Breite";
    if (outside(entry.LongitudeSeconds, 0, kMaxMinutesOrSeconds))
        return "Ungültige Eingabe für den Sekundenwert der selenographischen Länge";

    const Field fields[] = {
        {&entry.LatitudeDegrees,  "den Gradwert der selenographischen Breite"    },
        {&entry.LatitudeMinutes,  "den Minutenwert der selenographischen Breite" },
        {&entry.LatitudeSeconds,  "den Sekundenwert der selenographischen Breite"},
        {&entry.LongitudeDegrees, "den Gradwert der selenographischen Länge"    },
        {&entry.LongitudeMinutes, "den Minutenwert der selenographischen Länge" },
        {&entry.LongitudeSeconds, "den Sekundenwert der selenographischen Länge"},
    };
    for (const Field& field : fields) {
        double value = TextToFloat(*field.text, separator);
        if (value != std::trunc(value))
            return std::string("Bitte geben Sie für ") + field.wholeNumberName + " eine ganze Zahl ein.";
    }
    // 90° 30' would pass the degree checks alone, but the whole angle must
    // lie within the range its message states, or the catalogue would hold
    // a latitude beyond the poles.
    if (std::abs(FieldsAngle(entry.LatitudeDegrees, entry.LatitudeMinutes, entry.LatitudeSeconds, separator)) >
        kMaxDegrees)
        return kLatitudeRangeMessage;
    if (std::abs(FieldsAngle(entry.LongitudeDegrees, entry.LongitudeMinutes, entry.LongitudeSeconds, separator)) >
        kMaxDegrees)
        return kLongitudeRangeMessage;
    return {};
}

double EnteredAngle(const std::string& degreesText, double degrees, double minutes, double seconds)
{
    const bool negative = degrees < 0 || DegreeTextIsNegative(degreesText);
    double angle = negative ? -std::abs(degrees) : std::abs(degrees);
    angle = AddAnglePart(angle, negative, minutes, 60);
    return AddAnglePart(angle, negative, seconds, 3600);
}

LunarObject MakeUserObject(const NewObjectEntry& entry, const DrawnFrame& frame, char separator)
{
    auto angle = [&](const std::string& degrees, const std::string& minutes, const std::string& seconds) {
        return FloatToText(FieldsAngle(degrees, minutes, seconds, separator), separator);
    };
    LunarObject object;
    object.FrameLeft = std::min(frame.StartX, frame.EndX);
    object.FrameRight = std::max(frame.StartX, frame.EndX);
    object.FrameTop = std::min(frame.StartY, frame.EndY);
    object.FrameBottom = std::max(frame.StartY, frame.EndY);
    object.Name = entry.Name;
    object.SelenographicLatitude = angle(entry.LatitudeDegrees, entry.LatitudeMinutes, entry.LatitudeSeconds);
    object.SelenographicLongitude = angle(entry.LongitudeDegrees, entry.LongitudeMinutes, entry.LongitudeSeconds);
    object.Height = entry.Height;
    object.Description1 = entry.Description1;
    object.Description2 = entry.Description2;
    object.Description3 = entry.Description3;
    object.Origin = "2";
    return object;
}

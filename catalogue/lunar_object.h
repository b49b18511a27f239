#pragma once
// One formation of the catalogue objects.dat: a record of twelve lines.
//   1-4  frame on the map: left, right, top, bottom (map pixels, inclusive)
//   5    name (compared exactly)
//   6-7  selenographic latitude and longitude, decimal degrees, may be empty
//   8    height in metres, free text, may be empty
//   9-11 three description lines
//   12   origin: "1" catalogue object with height measurement,
//        "2" defined by the user, anything else catalogue object without

#include <string>
#include <string_view>

/// Only the first character of the origin line counts; "2" marks an object
/// the user defined.
inline bool IsUserOrigin(std::string_view origin) { return !origin.empty() && origin[0] == '2'; }

struct LunarObject {
    int FrameLeft = 0;
    int FrameRight = 0;
    int FrameTop = 0;
    int FrameBottom = 0;
    std::string Name;
    std::string SelenographicLatitude;
    std::string SelenographicLongitude;
    std::string Height;
    std::string Description1;
    std::string Description2;
    std::string Description3;
    std::string Origin;

    /// True when map pixel (x, y) lies in the frame, edges included: the
    /// pick on the map.
    bool FrameContains(int x, int y) const
    {
        return FrameLeft <= x && x <= FrameRight && FrameTop <= y && y <= FrameBottom;
    }

    bool IsUserDefined() const { return IsUserOrigin(Origin); }

    /// Origin "1", or a user object with both coordinates.
    bool OffersHeightMeasurement() const
    {
        if (!Origin.empty() && Origin[0] == '1') return true;
        return IsUserDefined() && !SelenographicLatitude.empty() && !SelenographicLongitude.empty();
    }
};

/// The record's lines in file order: the four frame lines, then the eight
/// text lines with the names messages give them. Every reader and writer of
/// the record walks these two lists.
inline constexpr int LunarObject::*kLunarObjectFrameLines[] = {&LunarObject::FrameLeft, &LunarObject::FrameRight,
                                                               &LunarObject::FrameTop, &LunarObject::FrameBottom};

struct LunarObjectTextLine {
    std::string LunarObject::*field;
    const char* label;
};
inline constexpr LunarObjectTextLine kLunarObjectTextLines[] = {
    {&LunarObject::Name,                   "Name"          },
    {&LunarObject::SelenographicLatitude,  "Breite"        },
    {&LunarObject::SelenographicLongitude, "Länge"        },
    {&LunarObject::Height,                 "Höhe"         },
    {&LunarObject::Description1,           "Beschreibung 1"},
    {&LunarObject::Description2,           "Beschreibung 2"},
    {&LunarObject::Description3,           "Beschreibung 3"},
    {&LunarObject::Origin,                 "Herkunft"      },
};

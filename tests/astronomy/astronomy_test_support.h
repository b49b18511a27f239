#pragma once
// Small helpers shared by the astronomy tests.

#include "astronomy/Rechn.h"

#include <cstdint>

/// A state holding only an observation date and time (MEZ) and a site.
inline ObservationState StateAt(int day, int month, int year, int hour, int minute = 0, double latitude = 0,
                                double longitude = 0)
{
    ObservationState s;
    s.Day = static_cast<std::uint16_t>(day);
    s.Month = static_cast<std::uint16_t>(month);
    s.Year = static_cast<std::uint16_t>(year);
    s.Hour = static_cast<std::uint16_t>(hour);
    s.Minute = static_cast<std::uint16_t>(minute);
    s.Latitude = latitude;
    s.Longitude = longitude;
    return s;
}

/// T of 1992 April 12, 0h (MJD 48724), the date of the worked examples.
inline constexpr double T1992April12 = (48724 - 51544.5) / 36525;

#pragma once
// The Moon's events over a range of days, in time order: rises,
// culminations and sets at a site, and the four principal phases.

#include "observing/mez_moment.h"
#include "observing/moon_rise_set.h"

#include <functional>
#include <optional>
#include <string_view>

/// What happens.
enum class MoonEventKind { Rise, Culmination, Set, NewMoon, FirstQuarter, FullMoon, LastQuarter };

/// One event.
struct MoonEvent {
    MoonEventKind Kind = MoonEventKind::Rise;
    double JulianDateUt = 0;         ///< days, universal time
    std::optional<double> Altitude;  ///< degrees, the centre seen from the site (with the parallax,
                                     ///< no refraction); for the culmination only
};

/// "Aufgang", "Kulmination", "Untergang", "Neumond", "Erstes Viertel",
/// "Vollmond", "Letztes Viertel".
std::string_view MoonEventName(MoonEventKind kind);

/// The MEZ moment (UT + 1 h) of a Julian date (UT), rounded to the nearest
/// minute: 20:05:30 becomes 20:06, 23:59:40 the next day's 0:00. The date
/// is in the calendar the program reads dates in (Julian up to 4.10.1582,
/// Gregorian from 15.10.1582 on), so it reads back as the same instant.
MezMoment MezMinuteOf(double julianDateUt);

/// Calls `report` for each event from 0:00 MEZ of `firstDay` to the end of
/// `lastDay` (24:00 MEZ; the days' times of day are not used), in time
/// order: the Moon's rises, upper culminations and sets at the site
/// (MoonHorizonEvents, sea level) and its principal phases (NextPhaseInstant,
/// astronomy/lunar_phases.h). Works day by day, so a long range needs no
/// memory; nothing when lastDay lies before firstDay.
void ForEachMoonEvent(const MezMoment& firstDay, const MezMoment& lastDay, double latitude, double longitude,
                      const std::function<void(const MoonEvent&)>& report);

#pragma once
// The command line's list of the Moon's events: rises, culminations, sets
// and the four principal phases over a range of days.

#include "astronomy/observation_state.h"
#include "observing/mez_moment.h"
#include "observing/moon_events.h"

#include <iosfwd>
#include <string>
#include <string_view>

/// "Datum;Zeit (MEZ);Ereignis;Höhe (°)".
inline constexpr std::string_view EventsHeaderLine = "Datum;Zeit (MEZ);Ereignis;Höhe (°)";

/// One line of the list: the date and time in MEZ rounded to the minute as
/// the ephemeris table writes them ("13.12.2026;15:32"), the event's name,
/// and for a culmination the altitude of the Moon's centre seen from the
/// site, rounded to 0.1 degree, with `decimalSeparator` ("18,2"); empty for
/// the other events.
std::string EventLine(const MoonEvent& event, char decimalSeparator);

/// Prints the header line and every event from 0:00 MEZ of `firstDay` to the
/// end of `lastDay` at the state's site (Latitude, Longitude), one a line,
/// in time order; stops early when `out` fails.
void PrintMoonEvents(const MezMoment& firstDay, const MezMoment& lastDay, const ObservationState& site,
                     char decimalSeparator, std::ostream& out);

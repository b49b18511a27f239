#include "app/events_command.h"

#include "platform/number_text.h"
#include "reports/ephemeris_table_text.h"

#include <cmath>
#include <ostream>

std::string EventLine(const MoonEvent& event, char decimalSeparator)
{
    const MezMoment moment = MezMinuteOf(event.JulianDateUt);
    std::string line =
        TableDateText(moment) + ';' + TableTimeText(moment) + ';' + std::string(MoonEventName(event.Kind)) + ';';
    if (event.Altitude) line += FloatToText(std::round(*event.Altitude * 10.0) / 10.0 + 0.0, decimalSeparator);
    return line;
}

void PrintMoonEvents(const MezMoment& firstDay, const MezMoment& lastDay, const ObservationState& site,
                     char decimalSeparator, std::ostream& out)
{
    out << EventsHeaderLine << '\n';
    ForEachMoonEvent(firstDay, lastDay, site.Latitude, site.Longitude, [&](const MoonEvent& event) {
        if (out) out << EventLine(event, decimalSeparator) << '\n';
    });
}

#include "map/eyepiece_texts.h"

#include "observing/moon_events.h"
#include "reports/ephemeris_table_text.h"
#include "reports/observing_conditions.h"

#include <cmath>

namespace {

/// Librations smaller than this favour no limb, degrees.
constexpr double NoticeableLibration = 1.0;

std::string SignedText(double value, char decimalSeparator)
{
    const std::string text = OneDecimalText(value, decimalSeparator);
    return text.front() == '-' || text == OneDecimalText(0.0, decimalSeparator) ? text : "+" + text;
}

std::string EventLine(const HorizonEvent& event, char decimalSeparator)
{
    const MoonEventKind kind = event.Kind == HorizonEventKind::Rise          ? MoonEventKind::Rise
                               : event.Kind == HorizonEventKind::Culmination ? MoonEventKind::Culmination
                                                                             : MoonEventKind::Set;
    std::string line = std::string(MoonEventName(kind)) + ": " + TableTimeText(MezMinuteOf(event.JulianDateUt));
    if (kind == MoonEventKind::Culmination)
        line += " in " + OneDecimalText(event.Altitude, decimalSeparator) + "° Höhe";
    return line + "\n";
}

std::string TerminatorLine(const TerminatorSurvey& survey)
{
    std::string names;
    for (std::size_t i = 0; i < survey.Formations.size() && i < TerminatorLineLength; ++i)
        names += (i > 0 ? ", " : "") + survey.Formations[i].Name;
    return "Lichtgrenze: " + (names.empty() ? std::string("keine Formation der Objektliste") : names) + "\n";
}

}  // namespace

std::string TonightText(const ObservationState& state, const MoonTonight& tonight, const TerminatorSurvey& survey,
                        char decimalSeparator)
{
    const MezMoment moment = ObservationMoment(state);
    std::string text =
        "Am " + TableDateText(moment) + (state.SiteName.empty() ? "" : " in " + state.SiteName) + " (MEZ):\n";
    for (const HorizonEvent& event : tonight.Events) text += EventLine(event, decimalSeparator);
    if (tonight.UpAllDay) text += "Der Mond bleibt den ganzen Tag über dem Horizont.\n";
    if (tonight.DownAllDay) text += "Der Mond bleibt den ganzen Tag unter dem Horizont.\n";

    const std::string now = "Um " + TableTimeText(moment);
    const std::string altitude = OneDecimalText(tonight.Altitude, decimalSeparator) + "°";
    if (tonight.AboveHorizon)
        text += now + " steht der Mond " + altitude + " hoch.\n";
    else
        text += now + " steht der Mond unter dem Horizont (" + altitude + ").\n";

    text += "\nBeleuchtet: " + std::to_string(static_cast<int>(std::lround(100 * tonight.IlluminatedFraction))) +
            " %, " + std::string(PhaseWord(tonight.Age)) + "\n";
    text += "Alter: " + OneDecimalText(tonight.Age, decimalSeparator) + " Tage\n";
    text += "Scheinbarer Durchmesser: " + OneDecimalText(tonight.ApparentDiameter / 60.0, decimalSeparator) + "'\n";
    text += "\n";
    for (const MoonEvent& phase : tonight.NextPhases) {
        const MezMoment at = MezMinuteOf(phase.JulianDateUt);
        text += std::string(MoonEventName(phase.Kind)) + ": " + TableDateText(at) + ", " + TableTimeText(at) + "\n";
    }
    text += "\nLibration: " + LibrationText(tonight.Libration, decimalSeparator) + "\n";
    text += "\n" + TerminatorLine(survey);
    return text;
}

std::string LibrationText(const SelenographicPoint& libration, char decimalSeparator)
{
    std::string text = "Länge " + SignedText(libration.Longitude, decimalSeparator) + "°, Breite " +
                       SignedText(libration.Latitude, decimalSeparator) + "°";
    std::string limbs;
    if (std::fabs(libration.Longitude) >= NoticeableLibration)
        limbs = libration.Longitude > 0 ? "Ostrand (Mare Crisium)" : "Westrand (Grimaldi)";
    if (std::fabs(libration.Latitude) >= NoticeableLibration)
        limbs += (limbs.empty() ? "" : ", ") + std::string(libration.Latitude > 0 ? "Nordrand" : "Südrand");
    return text + "\nbegünstigt: " + (limbs.empty() ? std::string("kein Rand") : limbs);
}

std::string HoverText(const std::string& formation, const SelenographicPoint& point, double sunAltitude,
                      char decimalSeparator)
{
    const std::string latitude =
        OneDecimalText(std::fabs(point.Latitude), decimalSeparator) + (point.Latitude >= 0 ? "° N" : "° S");
    const std::string longitude =
        OneDecimalText(std::fabs(point.Longitude), decimalSeparator) + (point.Longitude >= 0 ? "° O" : "° W");
    return (formation.empty() ? std::string() : formation + ": ") + latitude + ", " + longitude + ", Sonnenhöhe " +
           OneDecimalText(sunAltitude, decimalSeparator) + "°";
}

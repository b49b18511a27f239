#include "reports/observing_conditions.h"

#include "astronomy/Rechn.h"
#include "platform/sexagesimal.h"
#include "platform/time_text.h"
#include "reports/report_texts.h"

#include <cmath>
#include <cstdlib>

namespace {

/// Below this altitude (degrees) the Moon stands too low to be measured.
constexpr double kLowAltitude = 10;

/// The daylight hours (MEZ) of a month: from morning to evening.
struct Daylight {
    double morning;
    double evening;
};

Daylight DaylightOf(int month)
{
    // Months away from June: 0 in June, 6 in December.
    const int k = std::abs(month - 6);
    return {5 + k * 3.5 / 6, 21.5 - k * 5.5 / 6};
}

}  // namespace

int PhaseNumber(double age) { return static_cast<int>(RoundHalfEven(age)); }

bool IsNearFullMoon(double age) { return std::abs(age - kFullMoonAge) <= 2; }

bool IsNearNewMoon(double age) { return age <= 2 || PhaseNumber(age) > 27; }

std::string_view PhaseWord(double age)
{
    if (IsNearNewMoon(age)) return "Neumond";
    if (IsNearFullMoon(age)) return "Vollmond";
    return age < kFullMoonAge ? "zunehmend" : "abnehmend";
}

Verdict ObservingVerdict(double altitude, double age, int hour, int minute, int month)
{
    if (altitude > 0 && altitude < kLowAltitude) return {"Die niedrige Höhe des Mondes ist", "ungünstig."};
    if (altitude <= 0) return {"Der Mond steht unter dem Horizont,", "eine Beobachtung ist nicht möglich."};
    if (IsNearFullMoon(age)) return {"Bei Vollmond können keine Mondberge", "vermessen werden."};
    if (IsNearNewMoon(age)) return {"Bei Neumond können keine Mondberge", "vermessen werden."};
    const double clock = hour + minute / 60.0;
    const Daylight daylight = DaylightOf(month);
    if (daylight.morning < clock && clock < daylight.evening)
        return {"Für eine Mondbeobachtung", "ist es noch zu hell."};
    return {"Es herrschen günstige", "Mondbeobachtungsbedingungen!"};
}

ObservingConditions ComputeObservingConditions(ObservationState& s)
{
    ObservingConditions result;
    const double age = MoonAge(s);
    result.phaseNumber = PhaseNumber(age);
    result.phaseWord = PhaseWord(age);
    result.dateLine =
        "Mondphase am " + std::to_string(s.Day) + "." + std::to_string(s.Month) + "." + std::to_string(s.Year);
    result.timeLine = "um " + ClockTimeText(s.Hour, s.Minute) + " Uhr MEZ:";

    LocateMoon(s);
    result.azimuth = AngleText(s.Azimuth);
    result.altitude = AngleText(s.Altitude);
    result.verdict = ObservingVerdict(s.Altitude, MoonAge(s), s.Hour, s.Minute, s.Month);
    return result;
}

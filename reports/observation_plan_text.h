#pragma once
// The texts of the window "Beobachtungsplaner": one line per interval and
// the line naming the range; without widgets.

#include "observing/observation_planner.h"

#include <string>

/// "Sa 15. 3. 2003": weekday, day, month and year.
std::string WeekdayDateText(const MezMoment& moment);

/// The clock time of `moment`; when it falls on another day than `day`,
/// followed by that day: "1:20 (16. 3.)".
std::string ClockTimeOnDayText(const MezMoment& moment, const MezMoment& day);

/// The columns of one interval, as the window shows them.
struct PlanIntervalTexts {
    std::string Date;          ///< of the start, "Sa 15. 3. 2003"
    std::string Start;         ///< "20:14"
    std::string End;           ///< "23:52", or "1:20 (16. 3.)" past midnight
    std::string Best;          ///< the moment of the longest transit time, likewise
    std::string Transit;       ///< "2,4 s", or "- - -"
    std::string MoonAltitude;  ///< "41,3°"
    std::string Colongitude;   ///< "12,6°"
};

PlanIntervalTexts PlanIntervalRow(const PlanInterval& interval, char decimalSeparator);

/// "Berlin, 15. 3. 2003 0:00 bis 14. 4. 2003 0:00 MEZ".
std::string PlanRangeText(const std::string& siteName, const MezMoment& first, const MezMoment& last);

/// "3 Zeiträume in 30 Tagen." / "1 Zeitraum in 1 Tag." / "Kein Zeitraum in
/// 30 Tagen erfüllt alle drei Bedingungen."
std::string PlanCountText(std::size_t intervals, int days);

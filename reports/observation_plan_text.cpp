#include "reports/observation_plan_text.h"

#include "astronomy/clock.h"
#include "platform/time_text.h"
#include "reports/terminator_list.h"

#include <cmath>

namespace {

const char* const kWeekdays[] = {"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"};  // Weekday: Sunday = 1

std::string DayMonthText(const MezMoment& m) { return std::to_string(m.Day) + ". " + std::to_string(m.Month) + "."; }

std::string DegreesText(double degrees, char decimalSeparator)
{
    return OneDecimalText(degrees, decimalSeparator) + "°";
}

/// 359.96 is shown as 0,0, not 360,0.
double ColongitudeShown(double colongitude)
{
    const double rounded = std::round(colongitude * 10) / 10;
    return rounded >= 360 ? rounded - 360 : rounded;
}

}  // namespace

std::string WeekdayDateText(const MezMoment& m)
{
    return std::string(kWeekdays[Weekday(m.Year, m.Month, m.Day) - 1]) + " " + DayMonthText(m) + " " +
           std::to_string(m.Year);
}

std::string ClockTimeOnDayText(const MezMoment& moment, const MezMoment& day)
{
    std::string text = ClockTimeText(moment.Hour, moment.Minute);
    if (moment.Year != day.Year || moment.Month != day.Month || moment.Day != day.Day)
        text += " (" + DayMonthText(moment) + ")";
    return text;
}

PlanIntervalTexts PlanIntervalRow(const PlanInterval& interval, char decimalSeparator)
{
    return PlanIntervalTexts{WeekdayDateText(interval.Start),
                             ClockTimeText(interval.Start.Hour, interval.Start.Minute),
                             ClockTimeOnDayText(interval.End, interval.Start),
                             ClockTimeOnDayText(interval.Best, interval.Start),
                             TransitTimeText(interval.TransitSeconds, decimalSeparator),
                             DegreesText(interval.MoonAltitude, decimalSeparator),
                             DegreesText(ColongitudeShown(interval.Colongitude), decimalSeparator)};
}

std::string PlanRangeText(const std::string& siteName, const MezMoment& first, const MezMoment& last)
{
    auto moment = [](const MezMoment& m) {
        return DayMonthText(m) + " " + std::to_string(m.Year) + " " + ClockTimeText(m.Hour, m.Minute);
    };
    return siteName + ", " + moment(first) + " bis " + moment(last) + " MEZ";
}

std::string PlanCountText(std::size_t intervals, int days)
{
    const std::string span = std::to_string(days) + (days == 1 ? " Tag" : " Tagen");
    if (intervals == 0) return "Kein Zeitraum in " + span + " erfüllt alle drei Bedingungen.";
    return std::to_string(intervals) + (intervals == 1 ? " Zeitraum" : " Zeiträume") + " in " + span + ".";
}

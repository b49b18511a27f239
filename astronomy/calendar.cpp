#include "astronomy/calendar.h"

#include "astronomy/lunar_phases.h"
#include "platform/rounding.h"

namespace {

/// MJD of J2000.0 (1 January 2000, 12h).
constexpr double J2000 = 51544.5;
/// Days in a Julian century.
constexpr double DaysPerCentury = 36525.0;
/// Julian Date of MJD 0.
constexpr double MjdOffset = 2400000.5;
/// Last day of the Julian calendar as a calendar key (4 October 1582).
constexpr double LastJulianDay = 15821004.1;

/// The state's MEZ time as universal time in hours of its calendar date.
double UniversalHour(const ObservationState& state) { return state.Hour + state.Minute / 60.0 - 1.0; }

}  // namespace

double ModifiedJulianDate(int day, int month, int year, double hour)
{
    const double key = year * 10000.0 + month * 100.0 + day;
    if (month <= 2) {
        month += 12;
        year -= 1;
    }
    std::int64_t b;
    if (key <= LastJulianDay)
        b = Trunc((year + 4716) / 4.0) - 1181;
    else
        b = Trunc(year / 400.0) - Trunc(year / 100.0) + Trunc(year / 4.0);
    return 365.0 * year - 679004.0 + static_cast<double>(b) + static_cast<double>(Trunc(30.6001 * (month + 1))) + day +
           hour / 24.0;
}

double ObservationModifiedJulianDate(const ObservationState& state)
{
    return ModifiedJulianDate(state.Day, state.Month, state.Year, UniversalHour(state));
}

double JulianDate(const ObservationState& state) { return ObservationModifiedJulianDate(state) + MjdOffset; }

double JulianCenturies(const ObservationState& state)
{
    return (ObservationModifiedJulianDate(state) - J2000) / DaysPerCentury;
}

double MoonAge(const ObservationState& state)
{
    const double now = JulianDate(state);
    return now - PreviousNewMoon(now);
}

void UpdateLocalSiderealTime(ObservationState& state, double T, double longitudeHours)
{
    const double m = ObservationModifiedJulianDate(state);
    const double ut = Frac(m) * 24.0;
    const double t0 = T - ut / (24.0 * DaysPerCentury);
    const double gmst =
        1.0027379093 * ut + 6.697374558 + t0 * (8640184.812866 + t0 * (0.093104 - 6.2e-6 * t0)) / 3600.0;
    state.LocalSiderealTime = 24.0 * Frac((gmst + longitudeHours) / 24.0);
}

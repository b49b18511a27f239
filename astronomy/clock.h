#pragma once
// The observation time at program start: the local clock reading, taken back
// from Central European summer time to MEZ.

#include "astronomy/observation_state.h"

#include <functional>

/// One reading of the local wall clock, to the minute.
struct ClockReading {
    int Year = 0;    ///< full year, e.g. 2005
    int Month = 0;   ///< 1..12
    int Day = 0;     ///< 1..31
    int Hour = 0;    ///< 0..23, local civil time (summer time where in force)
    int Minute = 0;  ///< 0..59
};

/// Where SetClockTime gets the time from; tests pass a fixed reading.
using ClockSource = std::function<ClockReading()>;

/// The system clock's current local date and time; seconds are dropped.
ClockReading ReadSystemClock();

/// Weekday of a Gregorian date: Sunday = 1, Monday = 2, ..., Saturday = 7.
/// The date must be valid (see IsValidDate).
int Weekday(int year, int month, int day);

/// Whether year-month-day is a date of the Gregorian calendar
/// (month 1..12, day 1..length of that month, leap years counted).
bool IsValidDate(int year, int month, int day);

/// Day of month of the last Sunday of a month with 31 days (March, October):
/// 32 minus the weekday number of the 31st.
int LastSundayOf31DayMonth(int year, int month);

/// Whether a local clock reading falls in Central European summer time.
///
/// Summer time runs from the last Sunday of March, 03:00 on the summer clock,
/// to the last Sunday of October, 02:59 on the summer clock. Readings in the
/// hour the clock skips (last Sunday of March, 02:xx) count as winter time;
/// readings in the hour it repeats (last Sunday of October, 02:xx) count as
/// summer time.
bool IsSummerTime(const ClockReading& reading);

/// A local clock reading as MEZ: one hour earlier if it falls in summer time
/// (across midnight and month ends where needed), otherwise unchanged.
ClockReading ToMez(ClockReading reading);

/// Sets the observation date and time from the local clock.
///
/// Given:
///   readClock  the clock to read; by default the system clock
/// Writes Day, Month, Year, Hour, Minute: the reading turned into MEZ by
///   ToMez. Reads nothing from the state; leaves every other field alone.
void SetClockTime(ObservationState& state, const ClockSource& readClock = ReadSystemClock);

#pragma once
// A moment of the observation's time scale (MEZ, to the minute) and steps
// along it, for the planner and the ephemeris table that walk the time.

#include "astronomy/observation_state.h"

#include <cstdint>

/// A calendar date and a time of day in MEZ (UT + 1 h), to the minute, as
/// the observation state holds it.
struct MezMoment {
    int Year = 0;    ///< full year, 1..9999
    int Month = 0;   ///< 1..12
    int Day = 0;     ///< 1..31
    int Hour = 0;    ///< 0..23
    int Minute = 0;  ///< 0..59

    friend bool operator==(const MezMoment&, const MezMoment&) = default;
};

/// Minutes per day.
inline constexpr std::int64_t MinutesPerDay = 1440;

/// The moment as a count of minutes on one continuous scale (minutes since
/// 1 January 1970, 0:00 MEZ, negative before), so that moments can be
/// compared, subtracted and stepped. Dates are read in the Gregorian
/// calendar; the moment must be a valid date and time.
std::int64_t MinuteNumber(const MezMoment& moment);

/// The moment of a minute number (the inverse of MinuteNumber).
MezMoment MomentOfMinute(std::int64_t minuteNumber);

/// The state's Day, Month, Year, Hour and Minute as a moment.
MezMoment ObservationMoment(const ObservationState& state);

/// Sets the state's Day, Month, Year, Hour and Minute to `moment`; every
/// other field stays.
void SetObservationMoment(ObservationState& state, const MezMoment& moment);

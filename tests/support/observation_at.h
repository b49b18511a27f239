#pragma once
// An observation state for a given date and MEZ time, for tests.

#include "astronomy/observation_state.h"

inline ObservationState ObservationAt(int day, int month, int year, int hour, int minute)
{
    ObservationState state;
    state.Day = day;
    state.Month = month;
    state.Year = year;
    state.Hour = hour;
    state.Minute = minute;
    return state;
}

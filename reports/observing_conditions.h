#pragma once
// The observing conditions: the Moon's phase as a word, the number of the
// phase picture, and the two-line verdict whether the Moon can usefully be
// observed. No widgets; the window shows what these functions return.

#include "astronomy/observation_state.h"

#include <string>
#include <string_view>

/// Half the synodic month, days: the age of the full Moon.
inline constexpr double kFullMoonAge = 14.765295138888889;

/// The age of the Moon, days, rounded to the nearest day (halves to even):
/// 0 or 28 and above is new moon, 7 first quarter, 14 full, 21 last quarter.
int PhaseNumber(double age);

/// Within two days of full moon.
bool IsNearFullMoon(double age);

/// Within two days after new moon, or from 27.5 days on.
bool IsNearNewMoon(double age);

/// "zunehmend", "abnehmend", "Vollmond" or "Neumond" for an age in days.
std::string_view PhaseWord(double age);

/// The two lines of the verdict.
struct Verdict {
    std::string_view first;
    std::string_view second;
};

/// The verdict for the Moon's altitude (degrees), its age (days) and the
/// clock time (MEZ) and month of the observation. The first row that holds
/// decides: too low, below the horizon, full moon, new moon, daylight,
/// favourable. Daylight lasts from 5:00 to 21:30 in June, from 8:30 to
/// 16:00 in December, in between shifted evenly with the distance from June.
Verdict ObservingVerdict(double altitude, double age, int hour, int minute, int month);

/// Everything the observing conditions report shows.
struct ObservingConditions {
    int phaseNumber = 0;  ///< which phase picture (PhaseNumber of the age)
    std::string phaseWord;
    std::string dateLine;  ///< "Mondphase am 6.1.2003"
    std::string timeLine;  ///< "um 21:05 Uhr MEZ:"
    std::string azimuth;   ///< degrees, minutes and seconds, rounded
    std::string altitude;
    Verdict verdict;
};

/// Computes the Moon's age, its place (MoonPosition, then HorizontalPosition
/// for the site, both left in the state) and the texts of the report.
ObservingConditions ComputeObservingConditions(ObservationState& state);

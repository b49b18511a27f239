#pragma once
// A measurement journal (messungen.csv) with a long history, for measuring
// the journal and its window.

#include "journal/measurement_journal.h"

#include <string>

/// Timings a night in the generated journal.
inline constexpr int kJournalTimingsPerNight = 20;

/// Timing `timing` of night `night`: one of 50 formations a night, from
/// Zürich, with heights that differ from timing to timing.
JournalMeasurement JournalTiming(int night, int timing);

/// Writes messungen.csv in the current folder with `nights` nights of
/// kJournalTimingsPerNight timings each; returns the file's bytes.
std::string WriteLongJournal(int nights);

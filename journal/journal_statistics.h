#pragma once
// What the measurement journal says about a height: the measurements of a
// formation grouped by observing night, with mean, scatter and the
// precision of the mean. Timings at the eyepiece and measurements on
// photographs are counted apart, so that the two check each other.

#include "journal/measurement_journal.h"

#include <compare>
#include <optional>
#include <string>
#include <vector>

/// An observing night, named by the date of its evening. A night runs over
/// midnight: a measurement before noon (MEZ) belongs to the night that
/// began the evening before, one from noon on to the night that begins that
/// evening. So the timings of 23:50 and 0:10 fall into one night.
struct ObservingNight {
    int Year = 0;
    int Month = 0;
    int Day = 0;
    auto operator<=>(const ObservingNight&) const = default;
};

ObservingNight NightOf(const JournalMeasurement& measurement);

/// "15./16. 3. 2003", "31. 3./1. 4. 2003", "31. 12. 2003/1. 1. 2004".
std::string NightText(const ObservingNight& night);

/// Mean and scatter of a set of heights, metres.
struct HeightStatistics {
    int Count = 0;
    double Mean = 0;
    /// Sample standard deviation (divided by n - 1); none for a single
    /// measurement, which shows no scatter at all (it is not zero).
    std::optional<double> StandardDeviation;
    /// Standard error of the mean, StandardDeviation / sqrt(n): how far the
    /// mean itself is uncertain from the timings' scatter alone.
    std::optional<double> StandardError;
};

HeightStatistics ComputeHeightStatistics(const std::vector<double>& heights);

/// The measurements of one formation of one kind in one night, or in all its nights.
struct JournalGroup {
    std::string Formation;
    std::optional<ObservingNight> Night;  ///< empty: all nights of the formation
    bool Photo = false;                   ///< measured on photographs; timings otherwise
    HeightStatistics Heights;
    std::string CatalogueHeight;  ///< the catalogue height text of the group's newest measurement
};

/// The groups of `entries`: the formations in the order of their newest
/// measurement (most recent first), each with its nights, newest first,
/// followed by one group over all its nights; within each, the timings'
/// group before the photographs' (a group only where there are measurements).
std::vector<JournalGroup> SummariseJournal(const std::vector<JournalEntry>& entries);
/// The same for entries held elsewhere.
std::vector<JournalGroup> SummariseJournal(std::vector<const JournalEntry*> entries);

/// Newest first: by date and time, and within one minute the later line of
/// the file first.
void SortNewestFirst(std::vector<JournalEntry>& entries);
void SortNewestFirst(std::vector<const JournalEntry*>& entries);

/// The group of `formation` in the night of `measurement`, as the status bar
/// reports it after a save: the timings, or with `photo` the measurements
/// on photographs.
HeightStatistics NightStatistics(const std::vector<JournalEntry>& entries, const std::string& formation,
                                 const ObservingNight& night, bool photo = false);

/// Whole metres, "2143 m"; "- - -" when there is no value.
std::string MetresText(const std::optional<double>& metres);

/// "Messung 4 für Euler gespeichert: Mittel 2143 m ± 31 m (4 Messungen)";
/// after the first measurement of a night "Messung 1 für Euler gespeichert:
/// Mittel 2143 m (1 Messung)", without a scatter it does not have.
std::string SavedMeasurementText(const std::string& formation, const HeightStatistics& night);

/// "; 2 unlesbare Zeilen übersprungen" after a report; empty for none.
std::string SkippedLinesNote(size_t damagedLines);

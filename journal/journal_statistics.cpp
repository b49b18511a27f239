#include "journal/journal_statistics.h"

#include "platform/rounding.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <functional>
#include <map>
#include <tuple>

namespace {

// Measurements before this hour (MEZ) belong to the night before.
constexpr int kNightChangeHour = 12;

ObservingNight ShiftedBy(const ObservingNight& night, int days)
{
    using namespace std::chrono;
    const year_month_day date = sys_days(year_month_day(year(night.Year), month(static_cast<unsigned>(night.Month)),
                                                        day(static_cast<unsigned>(night.Day)))) +
                                std::chrono::days(days);
    return {static_cast<int>(date.year()), static_cast<int>(static_cast<unsigned>(date.month())),
            static_cast<int>(static_cast<unsigned>(date.day()))};
}

auto Moment(const JournalEntry& entry)
{
    const JournalMeasurement& m = entry.Measurement;
    return std::tuple(m.Year, m.Month, m.Day, m.Hour, m.Minute, entry.Line);
}

bool IsNewer(const JournalEntry& a, const JournalEntry& b) { return Moment(a) > Moment(b); }

// Groups of entries already sorted newest first; each group keeps that order.
HeightStatistics StatisticsOf(const std::vector<const JournalEntry*>& entries)
{
    std::vector<double> heights;
    heights.reserve(entries.size());
    for (const JournalEntry* entry : entries) heights.push_back(entry->Measurement.Height);
    return ComputeHeightStatistics(heights);
}

}  // namespace

ObservingNight NightOf(const JournalMeasurement& m)
{
    const ObservingNight date{m.Year, m.Month, m.Day};
    return m.Hour < kNightChangeHour ? ShiftedBy(date, -1) : date;
}

std::string NightText(const ObservingNight& night)
{
    const ObservingNight morning = ShiftedBy(night, 1);
    std::string text = std::to_string(night.Day) + ".";
    if (morning.Month != night.Month) text += " " + std::to_string(night.Month) + ".";
    if (morning.Year != night.Year) text += " " + std::to_string(night.Year);
    return text + "/" + std::to_string(morning.Day) + ". " + std::to_string(morning.Month) + ". " +
           std::to_string(morning.Year);
}

HeightStatistics ComputeHeightStatistics(const std::vector<double>& heights)
{
    HeightStatistics result;
    result.Count = static_cast<int>(heights.size());
    if (heights.empty()) return result;
    double sum = 0;
    for (double h : heights) sum += h;
    result.Mean = sum / result.Count;
    if (result.Count < 2) return result;
    // Two passes: the squares of the deviations from the mean, not of the
    // heights, so that heights of thousands of metres lose no digits.
    double squares = 0;
    for (double h : heights) squares += (h - result.Mean) * (h - result.Mean);
    result.StandardDeviation = std::sqrt(squares / (result.Count - 1));
    result.StandardError = *result.StandardDeviation / std::sqrt(static_cast<double>(result.Count));
    return result;
}

void SortNewestFirst(std::vector<JournalEntry>& entries) { std::sort(entries.begin(), entries.end(), IsNewer); }

void SortNewestFirst(std::vector<const JournalEntry*>& entries)
{
    std::sort(entries.begin(), entries.end(), [](auto* a, auto* b) { return IsNewer(*a, *b); });
}

std::vector<JournalGroup> SummariseJournal(const std::vector<JournalEntry>& entries)
{
    std::vector<const JournalEntry*> all;
    all.reserve(entries.size());
    for (const JournalEntry& entry : entries) all.push_back(&entry);
    return SummariseJournal(std::move(all));
}

std::vector<JournalGroup> SummariseJournal(std::vector<const JournalEntry*> newestFirst)
{
    SortNewestFirst(newestFirst);

    // Formations in the order of their newest measurement.
    std::vector<std::string> formations;
    std::map<std::string, std::vector<const JournalEntry*>> byFormation;
    for (const JournalEntry* entry : newestFirst) {
        auto& list = byFormation[entry->Measurement.Formation];
        if (list.empty()) formations.push_back(entry->Measurement.Formation);
        list.push_back(entry);
    }

    std::vector<JournalGroup> groups;
    for (const std::string& formation : formations) {
        const auto& all = byFormation[formation];
        std::vector<ObservingNight> nights;
        std::map<ObservingNight, std::vector<const JournalEntry*>> byNight;
        for (const JournalEntry* entry : all) {
            auto& list = byNight[NightOf(entry->Measurement)];
            if (list.empty()) nights.push_back(NightOf(entry->Measurement));
            list.push_back(entry);
        }
        std::sort(nights.begin(), nights.end(), std::greater<>());
        // Timings first, then photographs, each only where there are some.
        auto addGroups = [&](const std::vector<const JournalEntry*>& list, std::optional<ObservingNight> night) {
            for (bool photo : {false, true}) {
                std::vector<const JournalEntry*> kind;
                for (const JournalEntry* entry : list)
                    if (IsPhotoMeasurement(entry->Measurement) == photo) kind.push_back(entry);
                if (!kind.empty())
                    groups.push_back(
                        {formation, night, photo, StatisticsOf(kind), kind.front()->Measurement.CatalogueHeight});
            }
        };
        for (const ObservingNight& night : nights) addGroups(byNight[night], night);
        addGroups(all, std::nullopt);
    }
    return groups;
}

HeightStatistics NightStatistics(const std::vector<JournalEntry>& entries, const std::string& formation,
                                 const ObservingNight& night, bool photo)
{
    std::vector<double> heights;
    for (const JournalEntry& entry : entries)
        if (entry.Measurement.Formation == formation && NightOf(entry.Measurement) == night &&
            IsPhotoMeasurement(entry.Measurement) == photo)
            heights.push_back(entry.Measurement.Height);
    return ComputeHeightStatistics(heights);
}

std::string MetresText(const std::optional<double>& metres)
{
    if (!metres) return "- - -";
    return std::to_string(RoundHalfEven(*metres)) + " m";
}

std::string SavedMeasurementText(const std::string& formation, const HeightStatistics& night)
{
    std::string text = "Messung " + std::to_string(night.Count) + " für " + formation + " gespeichert: Mittel " +
                       MetresText(night.Mean);
    if (night.StandardError) text += " ± " + MetresText(night.StandardError);
    return text + " (" + std::to_string(night.Count) + (night.Count == 1 ? " Messung)" : " Messungen)");
}

std::string SkippedLinesNote(size_t damagedLines)
{
    if (damagedLines == 0) return {};
    return "; " + std::to_string(damagedLines) + (damagedLines == 1 ? " unlesbare Zeile" : " unlesbare Zeilen") +
           " übersprungen";
}

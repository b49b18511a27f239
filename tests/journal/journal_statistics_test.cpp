// The statistics of the measurement journal: mean, scatter and standard
// error on known values, the observing night over midnight, the grouping
// and the texts the status bar and the window show.

#include "journal/journal_statistics.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

JournalEntry Entry(const std::string& formation, int day, int month, int year, int hour, double height, int line)
{
    JournalEntry entry;
    entry.Measurement.Formation = formation;
    entry.Measurement.Day = day;
    entry.Measurement.Month = month;
    entry.Measurement.Year = year;
    entry.Measurement.Hour = hour;
    entry.Measurement.Height = height;
    entry.Measurement.CatalogueHeight = "2000";
    entry.Line = line;
    return entry;
}

struct StatisticsCase {
    const char* name;
    std::vector<double> heights;
    double mean;
    std::optional<double> deviation;
    std::optional<double> error;
};

void PrintTo(const StatisticsCase& c, std::ostream* out) { *out << c.name; }

class HeightStatisticsTest : public testing::TestWithParam<StatisticsCase> {};

TEST_P(HeightStatisticsTest, MeanScatterAndStandardError)
{
    const StatisticsCase& c = GetParam();
    HeightStatistics s = ComputeHeightStatistics(c.heights);
    EXPECT_EQ(s.Count, static_cast<int>(c.heights.size()));
    EXPECT_NEAR(s.Mean, c.mean, 1e-9);
    ASSERT_EQ(s.StandardDeviation.has_value(), c.deviation.has_value());
    ASSERT_EQ(s.StandardError.has_value(), c.error.has_value());
    if (c.deviation) {
        EXPECT_NEAR(*s.StandardDeviation, *c.deviation, 1e-6);
        EXPECT_NEAR(*s.StandardError, *c.error, 1e-6);
    }
}

INSTANTIATE_TEST_SUITE_P(KnownValues, HeightStatisticsTest,
                         testing::Values(
                             // One measurement shows no scatter at all, which is not a scatter of 0.
                             StatisticsCase{
                                 "One", {2143},
                                  2143, std::nullopt, std::nullopt
},
                             StatisticsCase{"Two", {2100, 2200}, 2150, 100 / std::sqrt(2.0), 50},
                             StatisticsCase{"Identical", {1500, 1500, 1500}, 1500, 0, 0},
                             // Sample deviation (n - 1): sqrt(32 / 7); error sqrt(32 / 7) / sqrt(8).
                             StatisticsCase{
                                 "Eight", {2, 4, 4, 4, 5, 5, 7, 9}, 5, std::sqrt(32.0 / 7), std::sqrt(32.0 / 7 / 8)}),
                         [](const testing::TestParamInfo<StatisticsCase>& info) { return info.param.name; });

TEST(ObservingNight, RunsFromNoonToNoonAndIsNamedByItsEvening)
{
    struct Case {
        int day, month, year, hour;
        ObservingNight night;
        const char* text;
    } cases[] = {
        {15, 3, 2003, 23, {2003, 3, 15},  "15./16. 3. 2003"        },
        {16, 3, 2003, 0,  {2003, 3, 15},  "15./16. 3. 2003"        },
        {16, 3, 2003, 11, {2003, 3, 15},  "15./16. 3. 2003"        },
        {16, 3, 2003, 12, {2003, 3, 16},  "16./17. 3. 2003"        },
        {1,  4, 2003, 2,  {2003, 3, 31},  "31. 3./1. 4. 2003"      },
        {1,  1, 2004, 0,  {2003, 12, 31}, "31. 12. 2003/1. 1. 2004"},
        {1,  3, 2004, 3,  {2004, 2, 29},  "29. 2./1. 3. 2004"      },
    };
    for (const Case& c : cases) {
        JournalMeasurement m;
        m.Day = c.day, m.Month = c.month, m.Year = c.year, m.Hour = c.hour;
        EXPECT_EQ(NightOf(m), c.night) << c.text;
        EXPECT_EQ(NightText(NightOf(m)), c.text);
    }
}

TEST(JournalSummary, FormationsByTheirNewestMeasurementEachNightNewestFirstThenAllNights)
{
    std::vector<JournalEntry> entries = {
        Entry("Euler", 14, 3, 2003, 21, 2000, 2), Entry("Euler", 14, 3, 2003, 22, 2100, 3),
        Entry("Tycho", 15, 3, 2003, 20, 4800, 4), Entry("Euler", 16, 3, 2003, 1, 2300, 5),  // night of the 15th
        Entry("Euler", 15, 3, 2003, 23, 2200, 6),
    };
    std::vector<JournalGroup> groups = SummariseJournal(entries);
    ASSERT_EQ(groups.size(), 5u);
    EXPECT_EQ(groups[0].Formation, "Euler");
    EXPECT_EQ(groups[0].Night, (ObservingNight{2003, 3, 15}));
    EXPECT_EQ(groups[0].Heights.Count, 2);
    EXPECT_DOUBLE_EQ(groups[0].Heights.Mean, 2250);
    EXPECT_EQ(groups[1].Night, (ObservingNight{2003, 3, 14}));
    EXPECT_DOUBLE_EQ(groups[1].Heights.Mean, 2050);
    EXPECT_FALSE(groups[2].Night.has_value());  // all nights of Euler
    EXPECT_EQ(groups[2].Heights.Count, 4);
    EXPECT_DOUBLE_EQ(groups[2].Heights.Mean, 2150);
    EXPECT_EQ(groups[3].Formation, "Tycho");
    EXPECT_EQ(groups[3].Heights.Count, 1);
    EXPECT_FALSE(groups[3].Heights.StandardDeviation.has_value());
    EXPECT_FALSE(groups[4].Night.has_value());

    SortNewestFirst(entries);
    std::vector<int> lines;
    for (const JournalEntry& e : entries) lines.push_back(e.Line);
    EXPECT_EQ(lines, (std::vector<int>{5, 6, 4, 3, 2}));
}

TEST(JournalSummary, PhotographsAndTimingsOfAFormationAreCountedApartSideBySide)
{
    auto photo = [](JournalEntry entry) {
        entry.Measurement.PhotoName = "mond.tif";
        return entry;
    };
    std::vector<JournalEntry> entries = {
        Entry("Euler", 14, 3, 2003, 21, 2000, 2),        Entry("Euler", 14, 3, 2003, 22, 2100, 3),
        photo(Entry("Euler", 14, 3, 2003, 23, 2400, 4)), photo(Entry("Euler", 15, 3, 2003, 2, 2600, 5)),
        photo(Entry("Euler", 16, 3, 2003, 21, 2800, 6)),
    };
    const std::vector<JournalGroup> groups = SummariseJournal(entries);
    ASSERT_EQ(groups.size(), 5u);
    // The night of the 16th has photographs only; the 14th both, timings first.
    EXPECT_EQ(groups[0].Night, (ObservingNight{2003, 3, 16}));
    EXPECT_TRUE(groups[0].Photo);
    EXPECT_EQ(groups[1].Night, (ObservingNight{2003, 3, 14}));
    EXPECT_FALSE(groups[1].Photo);
    EXPECT_DOUBLE_EQ(groups[1].Heights.Mean, 2050);
    EXPECT_EQ(groups[2].Night, (ObservingNight{2003, 3, 14}));
    EXPECT_TRUE(groups[2].Photo);
    EXPECT_DOUBLE_EQ(groups[2].Heights.Mean, 2500);
    EXPECT_FALSE(groups[3].Night || groups[3].Photo);
    EXPECT_EQ(groups[3].Heights.Count, 2);
    EXPECT_TRUE(!groups[4].Night && groups[4].Photo);
    EXPECT_EQ(groups[4].Heights.Count, 3);

    EXPECT_DOUBLE_EQ(NightStatistics(entries, "Euler", {2003, 3, 14}).Mean, 2050);
    EXPECT_DOUBLE_EQ(NightStatistics(entries, "Euler", {2003, 3, 14}, true).Mean, 2500);
}

TEST(JournalTexts, StatusBarAndColumns)
{
    HeightStatistics four{4, 2143.4, 62.0, 31.0};
    EXPECT_EQ(SavedMeasurementText("Euler", four),
              "Messung 4 für Euler gespeichert: Mittel 2143 m ± 31 m (4 Messungen)");
    HeightStatistics one{1, 2143.4, std::nullopt, std::nullopt};
    EXPECT_EQ(SavedMeasurementText("Euler", one), "Messung 1 für Euler gespeichert: Mittel 2143 m (1 Messung)");
    EXPECT_EQ(MetresText(std::nullopt), "- - -");
    EXPECT_EQ(MetresText(0.0), "0 m");
    EXPECT_EQ(SkippedLinesNote(0), "");
    EXPECT_EQ(SkippedLinesNote(2), "; 2 unlesbare Zeilen übersprungen");
}

}  // namespace

// The formations at the terminator: which are listed, their ranking for a
// height measurement, and the texts of the window.

#include "reports/terminator_list.h"
#include "astronomy/Rechn.h"
#include "tests/support/observation_at.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <set>

namespace {

std::string Number(double value, char separator)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.4f", value);
    std::string result(text);
    for (char& c : result)
        if (c == '.') c = separator;
    return result;
}

TEST(SurveyTerminator, ListsTheEarthFacingFormationsInTheBandOfSunAltitudes)
{
    ObservationState state = ObservationAt(15, 3, 2003, 20, 5);  // waxing, morning terminator
    state.Latitude = 50.7333;
    state.Longitude = 7.1;
    ObservationState reference = state;
    const double l0 = ComputeSunOverMoon(reference).SubsolarLongitude;
    const double t = l0 - 90;  // waxing: the morning terminator lies 90 degrees west

    const std::vector<CatalogueFormation> catalogue = {
        {"Morgenberg",               "Berg",   "10",         Number(t + 3,    ','),   "1500"   },
        {"Mit Punkt",                "Krater", "10.0",       Number(t + 5,    '.'),   "ca. 800"},
        {"Gerade untergegangen",     "Krater", "0",          Number(t - 0.4,  ','),   ""       },
        {"Zu tief",                  "Krater", "0",          Number(t - 0.6,  ','),   ""       },
        {"Zu hoch",                  "Krater", "0",          Number(t + 12.5, ','),   ""       },
        {"Mittag",                   "Krater", "0",          Number(l0,       ','),   ""       },
        {"Abend auf der Rückseite", "Krater", "0",          Number(l0 + 87,  ','),   ""       },
        {"Ohne Lage",                "Krater", "",           "",              "1000"},
        {"Kein Zahlwert",                  "Krater",   "zehn", Number(t + 3,            ','),     ""         },
    };
    const TerminatorSurvey survey = SurveyTerminator(state, catalogue);

    EXPECT_NEAR(survey.Sun.SubsolarLongitude, l0, 1e-9);
    std::set<std::string> listed;
    for (const TerminatorFormation& f : survey.Formations) {
        listed.insert(f.Name);
        EXPECT_EQ(f.Side, TerminatorSide::Morning) << f.Name;
        EXPECT_GE(f.SunAltitude, LowestTerminatorSunAltitude) << f.Name;
        EXPECT_LE(f.SunAltitude, HighestTerminatorSunAltitude) << f.Name;
    }
    EXPECT_EQ(listed, (std::set<std::string>{"Morgenberg", "Mit Punkt", "Gerade untergegangen"}));
    // Only a whole-number height gives a shadow to expect; 1,500 m at a Sun
    // 3 deg high cast one of about a second.
    for (const TerminatorFormation& f : survey.Formations) {
        EXPECT_EQ(f.Timing.has_value(), f.Name == "Morgenberg") << f.Name;
        EXPECT_EQ(f.TransitSeconds.has_value(), f.Name == "Morgenberg") << f.Name;
    }
    const TerminatorFormation& timed = survey.Formations.front();
    ASSERT_EQ(timed.Name, "Morgenberg");
    EXPECT_EQ(timed.Timing, TimingVerdict::Timeable);
    EXPECT_GT(*timed.TransitSeconds, 0.8);
    EXPECT_LT(*timed.TransitSeconds, 1.4);
    // The state holds the ephemerides of the height chain, as the panel leaves them.
    EXPECT_DOUBLE_EQ(state.TerminatorLongitude, reference.TerminatorLongitude);
}

TEST(SurveyTerminator, TellsMorningFromEveningByTheLongitudeNearFullMoon)
{
    // Near full Moon the morning terminator lies on the western limb and the
    // evening terminator on the eastern one, both at latitude 0.
    ObservationState state = ObservationAt(18, 3, 2003, 12, 0);
    state.Latitude = 50.7333;
    state.Longitude = 7.1;
    ObservationState reference = state;
    const double l0 = ComputeSunOverMoon(reference).SubsolarLongitude;

    const std::vector<CatalogueFormation> catalogue = {
        {"Westrand", "Krater", "0", Number(l0 - 85, ','), ""},
        {"Ostrand",  "Krater", "0", Number(l0 + 85, ','), ""},
    };
    const TerminatorSurvey survey = SurveyTerminator(state, catalogue);

    ASSERT_EQ(survey.Formations.size(), 2u);
    for (const TerminatorFormation& f : survey.Formations)
        EXPECT_EQ(TerminatorSideText(f.Side), f.Name == "Westrand" ? "Morgen" : "Abend") << f.Name;
}

TerminatorFormation Formation(const char* name, double altitude, std::optional<double> transit,
                              std::optional<TimingVerdict> timing)
{
    return {name, "Krater", altitude, TerminatorSide::Morning, "2000", transit, timing};
}

TEST(RankForHeightMeasurement, TimeableTransitsFirstLongestFirstThenBySunAltitude)
{
    constexpr auto timeable = TimingVerdict::Timeable;
    std::vector<TerminatorFormation> formations = {
        Formation("kurz", 2.0, 0.3, TimingVerdict::TooShort),
        Formation("hoch", 9.0, std::nullopt, std::nullopt),
        Formation("mittel", 6.0, 2.5, timeable),
        Formation("lang", 3.0, 4.8, timeable),
        Formation("tief", -0.2, std::nullopt, TimingVerdict::NightSide),
        Formation("knapp", 5.0, 0.5, timeable),
        Formation("Grenze", 7.0, 5.0, timeable),
        Formation("zu tief", 2.5, 4.0, TimingVerdict::SunTooLow),
        Formation("B", 3.0, std::nullopt, std::nullopt),
        Formation("A", 3.0, std::nullopt, std::nullopt),
    };
    RankForHeightMeasurement(formations);
    std::vector<std::string> order;
    for (const TerminatorFormation& f : formations) order.push_back(f.Name);
    EXPECT_EQ(order, (std::vector<std::string>{"Grenze", "lang", "mittel", "knapp", "tief", "kurz", "zu tief", "A", "B",
                                               "hoch"}));
}

TEST(TerminatorTexts, OnlyTimeableShadowsShowATimeTheOthersAReason)
{
    struct Case {
        TerminatorFormation formation;
        const char* time;
        const char* reason;
    };
    const Case cases[] = {
        {Formation("a", 6,    2.449,        TimingVerdict::Timeable),  "2,4 s", ""                         },
        {Formation("b", 2,    3.1,          TimingVerdict::SunTooLow), "- - -", "Sonne zu tief für 2000 m"},
        {Formation("c", 9,    0.31,         TimingVerdict::TooShort),  "- - -", "Durchgang 0,3 s: zu kurz" },
        {Formation("d", 3,    6.04,         TimingVerdict::TooLong),   "- - -", "Durchgang 6,0 s: zu lang" },
        {Formation("e", -0.3, std::nullopt, TimingVerdict::NightSide), "- - -", "Mondnacht"                },
        {Formation("f", 4,    std::nullopt, std::nullopt),             "- - -", "keine Höhe"              },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TimedTransitText(c.formation, ','), c.time) << c.formation.Name;
        EXPECT_EQ(TimingReasonText(c.formation, ','), c.reason) << c.formation.Name;
    }
}

TEST(TerminatorTexts, HeadingNumbersAndSides)
{
    ObservationState state = ObservationAt(15, 3, 2003, 20, 5);
    state.SiteName = "Bonn";
    SunOverMoon sun;
    sun.Colongitude = 60.6507;
    EXPECT_EQ(TerminatorHeading(state, sun, ','),
              "Lichtgrenze am 15. 3. 2003 um 20:05 Uhr MEZ in Bonn, Colongitude 60,7°");
    sun.Colongitude = 359.97;
    EXPECT_EQ(TerminatorHeading(state, sun, '.'),
              "Lichtgrenze am 15. 3. 2003 um 20:05 Uhr MEZ in Bonn, Colongitude 0.0°");
    EXPECT_EQ(OneDecimalText(-0.04, ','), "0,0");
    EXPECT_EQ(OneDecimalText(-0.36, ','), "-0,4");
    EXPECT_EQ(OneDecimalText(12.0, ','), "12,0");
    EXPECT_EQ(TransitTimeText(2.449, ','), "2,4 s");
    EXPECT_EQ(TransitTimeText(std::nullopt, ','), "- - -");
    EXPECT_EQ(TerminatorSideText(TerminatorSide::Morning), "Morgen");
    EXPECT_EQ(TerminatorSideText(TerminatorSide::Evening), "Abend");
    EXPECT_EQ(CatalogueHeightText("1500"), "1500m");
    EXPECT_EQ(CatalogueHeightText(""), "");
}

}  // namespace

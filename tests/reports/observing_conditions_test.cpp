// The phase word and the observing verdict.

#include "reports/observing_conditions.h"

#include <gtest/gtest.h>

TEST(PhaseWord, NamesTheAgeWithNewAndFullMoonWinning)
{
    struct Case {
        double age;
        const char* word;
    };
    const Case cases[] = {
        {0.0,   "Neumond"  },
        {2.0,   "Neumond"  },
        {2.01,  "zunehmend"},
        {7.0,   "zunehmend"},
        {12.76, "zunehmend"},
        {12.77, "Vollmond" },
        {14.0,  "Vollmond" },
        {16.76, "Vollmond" },
        {16.77, "abnehmend"},
        {21.0,  "abnehmend"},
        {27.49, "abnehmend"},
        {27.5,  "Neumond"  },
        {29.5,  "Neumond"  },
    };
    for (const Case& c : cases) EXPECT_EQ(PhaseWord(c.age), c.word) << "age " << c.age;
}

namespace {

struct VerdictCase {
    const char* what;
    double altitude, age;
    int hour, minute, month;
    const char* first;
    const char* second;
};

constexpr const char* kFavourable = "Es herrschen günstige";
constexpr const char* kTooBright = "Für eine Mondbeobachtung";

}  // namespace

TEST(ObservingVerdict, FirstMatchingRowDecides)
{
    const VerdictCase cases[] = {
        {"low beats full moon",       9.99,  14.0, 23, 0, 1, "Die niedrige Höhe des Mondes ist",    "ungünstig."                 },
        {"just above the horizon",    0.01,  9.0,  23, 0, 1, "Die niedrige Höhe des Mondes ist",    "ungünstig."                 },
        {"on the horizon",            0.0,   9.0,  23, 0, 1, "Der Mond steht unter dem Horizont,",
         "eine Beobachtung ist nicht möglich."                                                                                    },
        {"below the horizon",         -30.0, 14.0, 12, 0, 6, "Der Mond steht unter dem Horizont,",
         "eine Beobachtung ist nicht möglich."                                                                                    },
        {"10 degrees is high enough", 10.0,  9.0,  23, 0, 1, kFavourable,                            "Mondbeobachtungsbedingungen!"},
        {"full moon",                 10.0,  14.0, 23, 0, 1, "Bei Vollmond können keine Mondberge", "vermessen werden."           },
        {"full moon beats daylight",  40.0,  16.0, 12, 0, 6, "Bei Vollmond können keine Mondberge", "vermessen werden."           },
        {"two days old",              10.0,  2.0,  23, 0, 1, "Bei Neumond können keine Mondberge",  "vermessen werden."           },
        {"27.5 days old",             30.0,  27.5, 12, 0, 6, "Bei Neumond können keine Mondberge",  "vermessen werden."           },
    };
    for (const VerdictCase& c : cases) {
        const Verdict v = ObservingVerdict(c.altitude, c.age, c.hour, c.minute, c.month);
        EXPECT_EQ(v.first, c.first) << c.what;
        EXPECT_EQ(v.second, c.second) << c.what;
    }
}

TEST(ObservingVerdict, DaylightWindowFollowsTheMonth)
{
    struct Case {
        int hour, minute, month;
        bool bright;
    };
    const Case cases[] = {
        {21, 29, 6,  true },
        {21, 30, 6,  false},
        {5,  0,  6,  false},
        {5,  1,  6,  true },
        {8,  30, 12, false},
        {8,  31, 12, true },
        {15, 59, 12, true },
        {16, 0,  12, false},
        {6,  45, 3,  false},
        {6,  46, 3,  true },
        {18, 44, 9,  true },
        {18, 45, 9,  false},
        {12, 0,  1,  true },
        {0,  0,  7,  false},
    };
    for (const Case& c : cases) {
        const Verdict v = ObservingVerdict(35.0, 9.0, c.hour, c.minute, c.month);
        EXPECT_EQ(v.first, c.bright ? kTooBright : kFavourable) << c.hour << ":" << c.minute << " in month " << c.month;
    }
}

// Degrees (or hours), minutes and seconds as text.

#include "platform/sexagesimal.h"
#include "platform/rounding.h"
#include "platform/time_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {

struct AngleCase {
    double value;
    const char* rounded;
};

TEST(AngleText, RoundsSecondsAndCarriesAwayFromZero)
{
    const AngleCase cases[] = {
        {10.1,             "10° 6' 0\""   }, // never 5 minutes and 60 seconds
        {-5.25,            "-5° 15' 0\""  },
        {-0.5,             "-0° 30' 0\""  }, // the sign stays on a zero degree field
        {0.99999,          "1° 0' 0\""    },
        {-0.99999,         "-1° 0' 0\""   },
        {12.99999,         "13° 0' 0\""   },
        {-12.99999,        "-13° 0' 0\""  },
        {4.99999,          "5° 0' 0\""    },
        {-6.4433,          "-6° 26' 36\"" },
        {351.7319,         "351° 43' 55\""},
        {51.3333333333333, "51° 20' 0\""  },
        {359.99999,        "360° 0' 0\""  },
        {0.0,              "0° 0' 0\""    },
        {-0.0,             "0° 0' 0\""    },
    };
    for (const auto& c : cases) EXPECT_EQ(AngleText(c.value), c.rounded) << "value " << c.value;
}

TEST(AngleText, HoursUseTheirOwnUnit)
{
    EXPECT_EQ(AngleText(23.9999999, kHourUnit), "24h 0' 0\"");
    EXPECT_EQ(AngleText(8.975, kHourUnit), "8h 58' 30\"");
}

TEST(TruncatedAngleText, CutsSecondsWithoutCarrying)
{
    EXPECT_EQ(TruncatedAngleText(51.3333333333333), "51° 19' 59");
    EXPECT_EQ(TruncatedAngleText(-0.5), "-0° 30' 0");
    EXPECT_EQ(TruncatedAngleText(0.99999), "0° 59' 59");
    EXPECT_EQ(TruncatedAngleText(-7.5625), "-7° 33' 45");
}

TEST(SexagesimalParts, GiveTheFieldsOfTheCoordinateEntry)
{
    SexagesimalParts parts = SexagesimalRounded(-0.5);
    EXPECT_TRUE(parts.negative);
    EXPECT_EQ(parts.whole, 0);
    EXPECT_EQ(parts.minutes, 30);
    EXPECT_EQ(parts.seconds, 0);
    EXPECT_EQ(WholeUnitsText(parts), "-0");

    parts = SexagesimalRounded(51.3333333333333);
    EXPECT_EQ(parts.whole, 51);
    EXPECT_EQ(parts.minutes, 20);
    EXPECT_EQ(parts.seconds, 0);
}

TEST(AngleText, AValueWithoutASexagesimalFormShowsQuestionMarks)
{
    // Read from a damaged file, these once gave -9223372036854775808° 0' 0".
    const double values[] = {1e300,
                             -1e300,
                             1e15,
                             std::numeric_limits<double>::infinity(),
                             -std::numeric_limits<double>::infinity(),
                             std::numeric_limits<double>::quiet_NaN()};
    for (double value : values) {
        EXPECT_EQ(AngleText(value), "?° ?' ?\"") << value;
        EXPECT_EQ(TruncatedAngleText(value), "?° ?' ?") << value;
        EXPECT_FALSE(SexagesimalRounded(value).valid) << value;
    }
    EXPECT_EQ(AngleText(-999999999999999.0), "-999999999999999° 0' 0\"");
}

TEST(Rounding, SaturatesInsteadOfOverflowing)
{
    EXPECT_EQ(Trunc(1e300), INT64_MAX);
    EXPECT_EQ(Trunc(-1e300), INT64_MIN);
    EXPECT_EQ(RoundHalfEven(std::numeric_limits<double>::infinity()), INT64_MAX);
    EXPECT_EQ(RoundHalfEven(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(Trunc(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
}

TEST(ClockTimeText, PadsOnlyTheMinute)
{
    EXPECT_EQ(ClockTimeText(21, 5), "21:05");
    EXPECT_EQ(ClockTimeText(9, 30), "9:30");
    EXPECT_EQ(ClockTimeText(0, 0), "0:00");
    EXPECT_EQ(ClockTimeText(14, 10), "14:10");
}

}  // namespace

// The time dialog's check of the typed date.

#include "setup/time_fields.h"

#include <gtest/gtest.h>

namespace {

TEST(ReadTimeFields, DaysOfTheMonthCountLeapYearsByTheGregorianRule)
{
    struct Case {
        const char *day, *month, *year;
        bool valid;
    };
    const Case cases[] = {
        {"29", "2",  "2000", true },
        {"29", "2",  "1900", false},
        {"29", "2",  "2003", false},
        {"29", "2",  "2004", true },
        {"28", "2",  "1900", true },
        {"29", "2",  "100",  false}, // before the calendar reform the same rule holds
        {"31", "4",  "2004", false},
        {"31", "12", "2003", true },
    };
    for (const Case& c : cases) {
        const std::optional<ObservationTime> time = ReadTimeFields({c.day, c.month, c.year, "12", "30"});
        EXPECT_EQ(time.has_value(), c.valid) << c.day << "." << c.month << "." << c.year;
        if (time) {
            EXPECT_EQ(time->Day, std::stoi(c.day));
        }
    }
}

}  // namespace

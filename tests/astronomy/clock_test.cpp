// The clock reading at start: summer time back to MEZ, weekdays, valid dates.

#include "tests/astronomy/astronomy_test_support.h"

#include <gtest/gtest.h>

namespace {

struct MezCase {
    const char* name;
    ClockReading clock;
    ClockReading mez;
};

TEST(SetClockTime, SummerTimeGoesBackOneHour)
{
    const MezCase cases[] = {
        {"last Sunday of March before 03:00 stays",   {2005, 3, 27, 2, 30},   {2005, 3, 27, 2, 30}  },
        {"last Sunday of March from 03:00 goes back", {2005, 3, 27, 3, 30},   {2005, 3, 27, 2, 30}  },
        {"day before the change is winter",           {2005, 3, 26, 12, 0},   {2005, 3, 26, 12, 0}  },
        {"day after the change is summer",            {2005, 3, 28, 12, 0},   {2005, 3, 28, 11, 0}  },
        {"last Sunday of October 02:30 goes back",    {2005, 10, 30, 2, 30},  {2005, 10, 30, 1, 30} },
        {"last Sunday of October 03:30 stays",        {2005, 10, 30, 3, 30},  {2005, 10, 30, 3, 30} },
        {"day before October change is summer",       {2005, 10, 29, 23, 59}, {2005, 10, 29, 22, 59}},
        {"31 October is winter",                      {2005, 10, 31, 0, 5},   {2005, 10, 31, 0, 5}  },
        {"January is winter",                         {2005, 1, 15, 0, 10},   {2005, 1, 15, 0, 10}  },
        {"midnight goes to the day before",           {2005, 7, 14, 0, 20},   {2005, 7, 13, 23, 20} },
        {"1 September to 31 August",                  {2005, 9, 1, 0, 15},    {2005, 8, 31, 23, 15} },
        {"1 May to 30 April, day 31 rejected",        {2005, 5, 1, 0, 15},    {2005, 4, 30, 23, 15} },
        {"1 April to 31 March",                       {2005, 4, 1, 0, 15},    {2005, 3, 31, 23, 15} },
        {"1 October to 30 September",                 {2005, 10, 1, 0, 15},   {2005, 9, 30, 23, 15} },
        {"last Sunday of March in 2024",              {2024, 3, 31, 3, 0},    {2024, 3, 31, 2, 0}   },
    };
    for (const MezCase& c : cases) {
        ObservationState s;
        s.Latitude = 51.5;
        s.SiteName = "Ort";
        SetClockTime(s, [&] { return c.clock; });
        EXPECT_EQ(s.Year, c.mez.Year) << c.name;
        EXPECT_EQ(s.Month, c.mez.Month) << c.name;
        EXPECT_EQ(s.Day, c.mez.Day) << c.name;
        EXPECT_EQ(s.Hour, c.mez.Hour) << c.name;
        EXPECT_EQ(s.Minute, c.mez.Minute) << c.name;
        EXPECT_EQ(s.Latitude, 51.5) << c.name;
        EXPECT_EQ(s.SiteName, "Ort") << c.name;
    }
}

TEST(SetClockTime, SystemClockGivesAValidMoment)
{
    ObservationState s;
    SetClockTime(s);
    EXPECT_TRUE(IsValidDate(s.Year, s.Month, s.Day));
    EXPECT_GE(s.Year, 2024);
    EXPECT_LE(s.Hour, 23);
    EXPECT_LE(s.Minute, 59);
}

TEST(Calendar, WeekdaysCountFromSunday)
{
    struct Case {
        int year, month, day, weekday;
    };
    const Case cases[] = {
        {2005, 3,  27, 1}, // Sunday
        {2005, 3,  28, 2}, // Monday
        {2005, 3,  31, 5}, // Thursday
        {2000, 1,  1,  7}, // Saturday
        {2005, 10, 31, 2}, // Monday
    };
    for (const Case& c : cases)
        EXPECT_EQ(Weekday(c.year, c.month, c.day), c.weekday) << c.year << "-" << c.month << "-" << c.day;
    EXPECT_EQ(LastSundayOf31DayMonth(2005, 3), 27);
    EXPECT_EQ(LastSundayOf31DayMonth(2005, 10), 30);
    EXPECT_EQ(LastSundayOf31DayMonth(2010, 10), 31);
}

TEST(Calendar, ValidDates)
{
    EXPECT_TRUE(IsValidDate(2000, 2, 29));
    EXPECT_TRUE(IsValidDate(2004, 2, 29));
    EXPECT_FALSE(IsValidDate(1900, 2, 29));
    EXPECT_FALSE(IsValidDate(2005, 4, 31));
    EXPECT_TRUE(IsValidDate(2005, 4, 30));
    EXPECT_FALSE(IsValidDate(2005, 13, 1));
    EXPECT_FALSE(IsValidDate(2005, 0, 1));
    EXPECT_FALSE(IsValidDate(2005, 1, 0));
}

}  // namespace

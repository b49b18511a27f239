// The height panel's computation and texts.

#include "journal/height_measurement.h"
#include "astronomy/Rechn.h"
#include "tests/support/observation_at.h"

#include <gtest/gtest.h>

namespace {

// A state at a date and time for a site at Bonn.
ObservationState ObservationInBonnAt(int day, int month, int year, int hour, int minute)
{
    ObservationState state = ObservationAt(day, month, year, hour, minute);
    state.Latitude = 50.7333;
    state.Longitude = 7.1;
    state.SiteName = "Bonn";
    return state;
}

TEST(HeightText, RoundsToTenthsHalvesToEven)
{
    EXPECT_EQ(HeightText(1350.04, ','), "1350m");
    EXPECT_EQ(HeightText(1350.45, ','), "1350,4m");  // 13504.5 tenths round to the even 13504
    EXPECT_EQ(HeightText(1350.55, '.'), "1350.6m");
    EXPECT_EQ(HeightText(0.0, ','), "0m");
    EXPECT_EQ(HeightText(std::nullopt, ','), "ungültig");
}

TEST(DeviationText, PercentOfTheCatalogueHeight)
{
    EXPECT_EQ(DeviationText(1350.04, "1500"), "-10%");
    EXPECT_EQ(DeviationText(1650.0, "1500"), "10%");
    EXPECT_EQ(DeviationText(1500.0, "1500"), "0%");
    for (const char* noHeight : {"ca. 1500", "", "0", "1500.5"})
        EXPECT_EQ(DeviationText(1350.0, noHeight), "- - -") << noHeight;
    EXPECT_EQ(DeviationText(std::nullopt, "1500"), "- - -");
}

TEST(MeasurementLines, DateTimeAndSite)
{
    ObservationState state = ObservationInBonnAt(15, 3, 2003, 14, 5);
    EXPECT_EQ(MeasurementDateLine(state), "(Messung am 15. 3. 2003 um 14:05 Uhr");
    EXPECT_EQ(MeasurementSiteLine(state), " MEZ  in Bonn)");
    state.Hour = 9;
    state.Minute = 30;
    EXPECT_EQ(MeasurementDateLine(state), "(Messung am 15. 3. 2003 um 9:30 Uhr");
}

TEST(TransitTime, OnlyUpToFiveSecondsAndAboveZero)
{
    EXPECT_TRUE(IsMeasurableTransitTime(5.0));
    EXPECT_TRUE(IsMeasurableTransitTime(0.01));
    EXPECT_FALSE(IsMeasurableTransitTime(5.01));
    EXPECT_FALSE(IsMeasurableTransitTime(0.0));
    EXPECT_FALSE(IsMeasurableTransitTime(-1.0));
}

TEST(MeasureMountainHeight, LongerShadowsMeanHigherMountains)
{
    // A formation a few degrees from the morning terminator, eleven days
    // after new moon.
    ObservationState state = ObservationInBonnAt(12, 4, 2003, 21, 0);
    double previous = -1;
    for (double seconds : {0.5, 1.0, 2.0, 3.5, 5.0}) {
        HeightMeasurement measured = MeasureMountainHeight(state, seconds, 20.0, -35.0);
        ASSERT_TRUE(measured.Height) << seconds;
        EXPECT_EQ(measured.Reason, NoHeightReason::None);
        EXPECT_GT(*measured.Height, previous) << seconds;
        previous = *measured.Height;
    }
}

TEST(MeasureMountainHeight, LeavesTheWholeChainInTheState)
{
    ObservationState state = ObservationInBonnAt(12, 4, 2003, 21, 0);
    HeightMeasurement measured = MeasureMountainHeight(state, 1.0, 20.0, -35.0);
    ASSERT_TRUE(measured.Height);
    // The semi-diameter belongs to the distance the Moon position left.
    EXPECT_NEAR(state.MoonSemiDiameter * state.MoonDistance, 56230.12, 0.01);
    // Ephemerides are in degrees, the Moon above the horizon of Bonn.
    EXPECT_LT(std::abs(state.LibrationLatitude), 8.0);
    EXPECT_GT(state.Altitude, 0.0);
    // Eleven days after new moon: waxing, so the correction keeps the sign
    // of sin(latitude) * Bs.
    ASSERT_LT(MoonAge(state), SynodicMonth / 2);
    EXPECT_NEAR(measured.TerminatorCorrection, std::sin(20.0 * DegreeFactor) * state.SunSelenographicLatitude, 1e-12);
}

TEST(HeightResultText, TheReasonInPlaceOfTheNumber)
{
    // The formation lies in the lunar night: no height, and the panel says why.
    ObservationState state = ObservationInBonnAt(12, 4, 2003, 21, 0);
    const HeightMeasurement night = MeasureMountainHeight(state, 1.0, 20.0, -60.0);
    EXPECT_FALSE(night.Height);
    EXPECT_EQ(HeightResultText(night, ','), "Mondnacht");
    EXPECT_EQ(HeightResultText({1350.45, 0, NoHeightReason::None}, ','), "1350,4m");
}

}  // namespace

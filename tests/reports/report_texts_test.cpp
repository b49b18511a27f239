// The report lines built from the observation state, and the number texts
// of the Moon position report.

#include "reports/report_texts.h"
#include "astronomy/Rechn.h"
#include "platform/number_text.h"
#include "platform/sexagesimal.h"
#include "reports/observing_conditions.h"
#include "tests/support/observation_at.h"

#include <gtest/gtest.h>

TEST(ReportHeading, DateLineAlwaysShowsTwoMinuteDigits)
{
    struct Case {
        int hour, minute;
        const char* time;
    };
    for (Case c : {
             Case{21, 5,  "21:05"},
             Case{20, 0,  "20:00"},
             Case{9,  9,  "9:09" },
             Case{9,  10, "9:10" },
             Case{0,  0,  "0:00" }
    }) {
        const ObservationState state = ObservationAt(6, 12, 2002, c.hour, c.minute);
        EXPECT_EQ(ReportHeadingLines("Mondposition", state).date,
                  std::string("Mondposition für den 6. 12. 2002 um ") + c.time + " Uhr MEZ");
    }
    EXPECT_EQ(ReportHeadingLines("Mondephemeriden", ObservationAt(15, 3, 2003, 20, 5)).date,
              "Mondephemeriden für den 15. 3. 2003 um 20:05 Uhr MEZ");
}

TEST(ReportHeading, SiteLinesCutTheCoordinatesToWholeSeconds)
{
    ObservationState state = ObservationAt(1, 1, 2003, 12, 0);
    state.SiteName = "Sonneberg";
    state.Latitude = TextToFloat("51,3333333333333", ',');  // 51° 20' 0" when rounded
    state.Longitude = -0.5;
    const ReportHeading heading = ReportHeadingLines("Mondposition", state);
    EXPECT_EQ(heading.site, "in Sonneberg");
    EXPECT_EQ(heading.coordinates, "(51° 19' 59\" n./s. Breite und -0° 30' 0\" ö./w. Länge)");

    state.SiteName.clear();
    EXPECT_EQ(ReportHeadingLines("Mondposition", state).site, "in ");
}

namespace {

ObservationState InSonneberg(ObservationState state)
{
    state.Latitude = 51.3333333333333;
    state.Longitude = 13.4;
    return state;
}

// The state as the reports of another evening left it, then set to 15 March
// 2003, 20:05 MEZ.
ObservationState LeftByAnotherDate()
{
    ObservationState state = InSonneberg(ObservationAt(1, 7, 2010, 3, 40));
    ComputeMoonPositionTexts(state, ',');
    ComputePhysicalEphemeridesTexts(state);
    ComputeObservingConditions(state);
    state.Day = 15;
    state.Month = 3;
    state.Year = 2003;
    state.Hour = 20;
    state.Minute = 5;
    return state;
}

}  // namespace

TEST(Reports, ComputeTheirOwnDateWhateverTheStateHeldBefore)
{
    // The Moon's place for 15 March 2003, 20:05 MEZ: first its position,
    // then its azimuth and altitude from that position.
    ObservationState place = InSonneberg(ObservationAt(15, 3, 2003, 20, 5));
    MoonPosition(place, JulianCenturies(place), place.MoonRightAscension, place.MoonDeclination, place.MoonDistance);
    HorizontalPosition(place, place.MoonRightAscension, place.MoonDeclination, place.Longitude, JulianCenturies(place));

    ObservationState state = LeftByAnotherDate();
    const MoonPositionTexts position = ComputeMoonPositionTexts(state, ',');
    EXPECT_EQ(position.declination, AngleText(place.MoonDeclination));
    EXPECT_EQ(position.azimuth, AngleText(place.Azimuth));
    EXPECT_EQ(position.altitude, AngleText(place.Altitude));

    state = LeftByAnotherDate();
    const ObservingConditions conditions = ComputeObservingConditions(state);
    EXPECT_EQ(conditions.azimuth, AngleText(place.Azimuth));
    EXPECT_EQ(conditions.altitude, AngleText(place.Altitude));
}

TEST(MoonPositionValues, JulianDateShowsAtMostThreeDecimals)
{
    EXPECT_EQ(JulianDateText(2452615.5, ','), "2452615,5");
    EXPECT_EQ(JulianDateText(2452615.0, ','), "2452615");
    EXPECT_EQ(JulianDateText(2452615.333333, ','), "2452615,333");
    EXPECT_EQ(JulianDateText(2452615.29986, '.'), "2452615.3");
    EXPECT_EQ(JulianDateText(2452615.9999, ','), "2452616");
}

TEST(MoonPositionValues, DistanceShowsAtMostSixDecimalsInEarthRadii)
{
    EXPECT_EQ(EarthRadiiText(60.0, ','), "60 Erdradien");
    EXPECT_EQ(EarthRadiiText(57.12345678, ','), "57,123457 Erdradien");
    EXPECT_EQ(EarthRadiiText(63.2500001, '.'), "63.25 Erdradien");
}

TEST(MoonPositionValues, RightAscensionIsWrittenInHours)
{
    EXPECT_EQ(RightAscensionText(123.45), "8h 13' 48\"");
    EXPECT_EQ(RightAscensionText(0.0), "0h 0' 0\"");
    // Within half a second of 24 hours the seconds carry up to the hours.
    EXPECT_EQ(RightAscensionText(360 - 0.4 / 240), "24h 0' 0\"");
    EXPECT_EQ(RightAscensionText(360 - 0.6 / 240), "23h 59' 59\"");
}

#include "reports/report_texts.h"

#include "astronomy/Rechn.h"
#include "platform/number_text.h"
#include "platform/sexagesimal.h"
#include "platform/time_text.h"

namespace {

// The value rounded to whole multiples of 1 / scale (halves to even), as text.
std::string RoundedNumberText(double value, double scale, char decimalSeparator)
{
    return FloatToText(static_cast<double>(RoundHalfEven(value * scale)) / scale, decimalSeparator);
}

}  // namespace

ReportHeading ReportHeadingLines(std::string_view title, const ObservationState& state)
{
    ReportHeading heading;
    heading.date = std::string(title) + " für den " +
                   DateAndTimeText(state.Day, state.Month, state.Year, state.Hour, state.Minute) + " Uhr MEZ";
    heading.site = "in " + state.SiteName;
    // The seconds mark opens each literal after a coordinate.
    heading.coordinates = "(" + TruncatedAngleText(state.Latitude) + "\" n./s. Breite und " +
                          TruncatedAngleText(state.Longitude) + "\" ö./w. Länge)";
    return heading;
}

std::string JulianDateText(double julianDate, char decimalSeparator)
{
    return RoundedNumberText(julianDate, 1e3, decimalSeparator);
}

std::string EarthRadiiText(double earthRadii, char decimalSeparator)
{
    return RoundedNumberText(earthRadii, 1e6, decimalSeparator) + " Erdradien";
}

std::string RightAscensionText(double degrees) { return AngleText(degrees / 15, kHourUnit); }

void LocateMoon(ObservationState& s)
{
    MoonPosition(s, JulianCenturies(s), s.MoonRightAscension, s.MoonDeclination, s.MoonDistance);
    HorizontalPosition(s, s.MoonRightAscension, s.MoonDeclination, s.Longitude, JulianCenturies(s));
}

MoonPositionTexts ComputeMoonPositionTexts(ObservationState& s, char decimalSeparator)
{
    LocateMoon(s);

    MoonPositionTexts texts;
    texts.julianDate = JulianDateText(JulianDate(s), decimalSeparator);
    texts.rightAscension = RightAscensionText(s.MoonRightAscension);
    texts.declination = AngleText(s.MoonDeclination);
    texts.eclipticLatitude = AngleText(s.MoonEclipticLatitude);
    texts.eclipticLongitude = AngleText(s.MoonEclipticLongitude);
    texts.distance = EarthRadiiText(s.MoonDistance, decimalSeparator);
    texts.azimuth = AngleText(s.Azimuth);
    texts.altitude = AngleText(s.Altitude);
    return texts;
}

PhysicalEphemeridesTexts ComputePhysicalEphemeridesTexts(ObservationState& s)
{
    ComputePhysicalEphemeridesInDegrees(s);

    PhysicalEphemeridesTexts texts;
    texts.librationLatitude = AngleText(s.LibrationLatitude);
    texts.librationLongitude = AngleText(s.LibrationLongitude);
    texts.terminatorLongitude = AngleText(s.TerminatorLongitude);
    texts.sunSelenographicLatitude = AngleText(s.SunSelenographicLatitude);
    texts.axisPositionAngle = AngleText(s.AxisPositionAngle);
    return texts;
}

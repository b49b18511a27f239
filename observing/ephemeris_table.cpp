#include "observing/ephemeris_table.h"

#include "astronomy/calendar.h"
#include "astronomy/coordinates.h"
#include "astronomy/physical_ephemerides.h"
#include "astronomy/sun_over_formation.h"
#include "observing/sun_at_site.h"

EphemerisRow ComputeEphemerisRow(ObservationState& s)
{
    EphemerisRow row;
    row.Moment = ObservationMoment(s);

    // The Moon position report.
    MoonPosition(s, JulianCenturies(s), s.MoonRightAscension, s.MoonDeclination, s.MoonDistance);
    HorizontalPosition(s, s.MoonRightAscension, s.MoonDeclination, s.Longitude, JulianCenturies(s));
    row.JulianDate = JulianDate(s);
    row.RightAscensionHours = s.MoonRightAscension / 15;
    row.Declination = s.MoonDeclination;
    row.Azimuth = s.Azimuth;
    row.Altitude = s.Altitude;
    row.EclipticLongitude = s.MoonEclipticLongitude;
    row.EclipticLatitude = s.MoonEclipticLatitude;
    row.Distance = s.MoonDistance;

    // The physical ephemerides report.
    ComputePhysicalEphemeridesInDegrees(s);
    row.LibrationLongitude = s.LibrationLongitude;
    row.LibrationLatitude = s.LibrationLatitude;
    row.AxisPositionAngle = s.AxisPositionAngle;
    row.SunSelenographicLatitude = s.SunSelenographicLatitude;
    row.TerminatorLongitude = s.TerminatorLongitude;
    row.Colongitude = SunOverMoonFromEphemerides(s).Colongitude;

    // The observing conditions report.
    row.MoonAge = MoonAge(s);

    row.SunAltitude = SunHorizontalPosition(s).Altitude;
    return row;
}

std::int64_t EphemerisTableRange::RowCount() const
{
    const MezMoment endOfLastDay{LastDay.Year, LastDay.Month, LastDay.Day, 0, 0};
    const std::int64_t end = MinuteNumber(endOfLastDay) + MinutesPerDay;  // first minute after the range
    const std::int64_t first = MinuteNumber(First);
    if (end <= first || StepMinutes < 1) return 0;
    return (end - first + StepMinutes - 1) / StepMinutes;
}

MezMoment EphemerisTableRange::RowMoment(std::int64_t index) const
{
    return MomentOfMinute(MinuteNumber(First) + index * StepMinutes);
}

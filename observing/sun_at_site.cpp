#include "observing/sun_at_site.h"

#include "astronomy/calendar.h"
#include "astronomy/coordinates.h"
#include "astronomy/sun_position.h"

SunAtSite SunHorizontalPosition(const ObservationState& state)
{
    ObservationState scratch = state;
    const double T = JulianCenturies(scratch);
    double longitude = 0, latitude = 0, distance = 0;
    SunPosition(T, longitude, latitude, distance);

    SunAtSite sun;
    double radius = 0;
    EclipticToTrueEquatorial(scratch, T, distance, latitude, longitude, sun.RightAscension, sun.Declination, radius);
    HorizontalPosition(scratch, sun.RightAscension, sun.Declination, scratch.Longitude, JulianCenturies(scratch));
    sun.Azimuth = scratch.Azimuth;
    sun.Altitude = scratch.Altitude;
    return sun;
}

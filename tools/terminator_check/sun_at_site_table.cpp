// Reads observation instants and sites, one per line as "year month day hour
// minute latitude longitude" (MEZ, degrees), and writes for each the Sun
// above the site's horizon as this program computes it (SunHorizontalPosition):
// "rightAscension declination azimuth altitude", degrees, azimuth from the
// south through west. check_sun_altitude.mjs compares these with a modern
// ephemeris.

#include "observing/mez_moment.h"
#include "observing/sun_at_site.h"

#include <cstdio>
#include <iostream>

int main()
{
    MezMoment moment;
    double latitude = 0, longitude = 0;
    while (std::cin >> moment.Year >> moment.Month >> moment.Day >> moment.Hour >> moment.Minute >> latitude >>
           longitude) {
        ObservationState state;
        SetObservationMoment(state, moment);
        state.Latitude = latitude;
        state.Longitude = longitude;
        const SunAtSite sun = SunHorizontalPosition(state);
        std::printf("%.6f %.6f %.6f %.6f\n", sun.RightAscension, sun.Declination, sun.Azimuth, sun.Altitude);
    }
    return 0;
}

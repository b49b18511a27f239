// Reads instants as Julian Ephemeris Dates (terrestrial time), one per line,
// and writes for each the Moon of a modern ephemeris, the Swiss Ephemeris
// with its compressed JPL DE431 file (Debian packages libswe-dev and
// swe-basic-data):
//
//   "lambda beta distance rightAscension declination apparentLambda"
//
// lambda, beta: geocentric ecliptic longitude and latitude of the mean
// ecliptic and equinox of date, geometric (no light time, no aberration), as
// this program's lunar theory gives them; degrees. distance in km.
// rightAscension (hours) and declination (degrees): the same geometric
// position on the true equator and equinox of date, as MoonPosition gives
// it. apparentLambda: the longitude with light time and aberration, still of
// the mean equinox, for comparison. check_moon_modern.mjs compares the
// program's Moon with these.
//
// Stops with an error when the ephemeris file is not found (the Swiss
// Ephemeris would otherwise fall back silently to a less accurate theory).

#include <swephexp.h>

#include <cstdio>
#include <iostream>

namespace {

constexpr const char* kEphemerisFolder = "/usr/share/libswe/ephe";
constexpr double kKmPerAu = 149597870.7;

bool MoonOf(double jdTT, int flags, double (&result)[6])
{
    char error[AS_MAXCH] = "";
    const int used = swe_calc(jdTT, SE_MOON, SEFLG_SWIEPH | flags, result, error);
    if (used < 0 || (used & SEFLG_SWIEPH) == 0) {
        std::fprintf(stderr, "Swiss Ephemeris: the file of the Moon for JDE %.5f was not used. %s\n", jdTT, error);
        return false;
    }
    return true;
}

}  // namespace

int main()
{
    swe_set_ephe_path(const_cast<char*>(kEphemerisFolder));
    constexpr int geometric = SEFLG_TRUEPOS | SEFLG_NOABERR | SEFLG_NOGDEFL;
    double jdTT = 0;
    while (std::cin >> jdTT) {
        double ecliptic[6], equatorial[6], apparent[6];
        if (!MoonOf(jdTT, geometric | SEFLG_NONUT, ecliptic) ||
            !MoonOf(jdTT, geometric | SEFLG_EQUATORIAL, equatorial) || !MoonOf(jdTT, SEFLG_NONUT, apparent))
            return 1;
        std::printf("%.9f %.9f %.6f %.12f %.9f %.9f\n", ecliptic[0], ecliptic[1], ecliptic[2] * kKmPerAu,
                    equatorial[0] / 15.0, equatorial[1], apparent[0]);
    }
    swe_close();
    return 0;
}

#include "astronomy/coordinates.h"

#include "astronomy/calendar.h"
#include "astronomy/moon_theory.h"
#include "platform/rounding.h"

#include <cmath>

namespace {

/// Arcseconds per radian in the nutation series.
constexpr double ArcsecondsPerRadian = 206264.8062;

}  // namespace

void SphericalToCartesian(double r, double latitude, double longitude, double& x, double& y, double& z)
{
    const double b = latitude * DegreeFactor;
    const double l = longitude * DegreeFactor;
    const double rcb = r * std::cos(b);
    x = rcb * std::cos(l);
    y = rcb * std::sin(l);
    z = r * std::sin(b);
}

void EclipticToEquatorial(double T, double& /*x, unchanged*/, double& y, double& z)
{
    const double eps = (23.43929111 - (46.815 + (0.00059 - 0.001813 * T) * T) * T / 3600.0) * DegreeFactor;
    const double ce = std::cos(eps);
    const double se = std::sin(eps);
    const double yEquator = ce * y - se * z;
    const double zEquator = se * y + ce * z;
    y = yEquator;
    z = zEquator;
}

void ApplyNutation(ObservationState& state, double T, double& x, double& y, double& z)
{
    const double ls = TwoPi * Frac(0.993133 + 99.997306 * T);
    const double d = TwoPi * Frac(0.827362 + 1236.853087 * T);
    const double f = TwoPi * Frac(0.259089 + 1342.227826 * T);
    const double n = TwoPi * Frac(0.347346 - 5.372447 * T);
    const double eps = LinearMeanObliquity(T);

    const double dpsi = (-17.2 * std::sin(n) - 1.319 * std::sin(2 * (f - d + n)) - 0.227 * std::sin(2 * (f + n)) +
                         0.206 * std::sin(2 * n) + 0.143 * std::sin(ls)) /
                        ArcsecondsPerRadian;
    const double deps = (9.203 * std::cos(n) + 0.574 * std::cos(2 * (f - d + n)) + 0.098 * std::cos(2 * (f + n)) -
                         0.09 * std::cos(2 * n)) /
                        ArcsecondsPerRadian;

    const double pc = dpsi * std::cos(eps);
    const double ps = dpsi * std::sin(eps);
    const double dx = -(pc * y + ps * z);
    const double dy = pc * x - deps * z;
    const double dz = ps * x + deps * y;
    x += dx;
    y += dy;
    z += dz;
    state.NutationInLongitude = dpsi;
}

void CartesianToSpherical(double x, double y, double z, double& r, double& latitude, double& longitude)
{
    const double rho2 = x * x + y * y;
    r = std::sqrt(z * z + rho2);
    longitude = Atan2Degrees(y, x);
    if (longitude < 0) longitude += 360.0;
    if (longitude >= 360.0)  // -1e-15 + 360 rounds to 360
        longitude -= 360.0;
    latitude = Atan2Degrees(z, std::sqrt(rho2));
}

void EclipticToTrueEquatorial(ObservationState& state, double T, double distance, double latitude, double longitude,
                              double& rightAscension, double& declination, double& radius)
{
    double x = 0, y = 0, z = 0;
    SphericalToCartesian(distance, latitude, longitude, x, y, z);
    EclipticToEquatorial(T, x, y, z);
    ApplyNutation(state, T, x, y, z);
    CartesianToSpherical(x, y, z, radius, declination, rightAscension);
}

void MoonPosition(ObservationState& state, double T, double& rightAscension, double& declination, double& distance)
{
    double lambda = 0, beta = 0, r = 0;
    MoonEclipticPosition(T, lambda, beta, r);
    distance = r;
    state.MoonEclipticLongitude = lambda;
    state.MoonEclipticLatitude = beta;

    double rEquator = 0, dec = 0, ra = 0;
    EclipticToTrueEquatorial(state, T, r, beta, lambda, ra, dec, rEquator);
    distance = rEquator;
    declination = dec;
    rightAscension = ra;
}

void HorizontalPosition(ObservationState& state, double rightAscension, double declination, double longitude, double T)
{
    UpdateLocalSiderealTime(state, T, longitude / 15.0);
    const double H = (15.0 * state.LocalSiderealTime - rightAscension) * DegreeFactor;
    const double phi = state.Latitude * DegreeFactor;
    const double dec = declination * DegreeFactor;

    const double sinPhi = std::sin(phi), cosPhi = std::cos(phi);
    const double sinDec = std::sin(dec), cosDec = std::cos(dec);
    const double cosH = std::cos(H);

    state.Altitude = ArcSine(sinPhi * sinDec + cosPhi * cosDec * cosH) / DegreeFactor;

    // Sine side and cosine side of the azimuth (from the south, through west),
    // both multiplied by cos h, so their signs fix the quadrant.
    const double westward = std::sin(H) * cosDec;
    const double southward = cosH * cosDec * sinPhi - sinDec * cosPhi;
    double A = Atan2Degrees(westward, southward);
    if (A < 0) A += 360.0;
    if (A >= 360.0) A -= 360.0;
    state.Azimuth = A + 0.0;  // no -0
}

void MapToSelenographic(int x, int y, double& latitude, double& longitude)
{
    const double b = std::asin(y / MapDiscRadius);
    const double l = std::asin(x / (MapDiscRadius * std::cos(b)));
    latitude = b / DegreeFactor + MapCentreLatitude;
    longitude = l / DegreeFactor + MapCentreLongitude;
}

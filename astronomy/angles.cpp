#include "astronomy/angles.h"

#include <cmath>

double Atan2Degrees(double y, double x)
{
    if (x == 0 && y == 0) return 0;
    const double ax = std::fabs(x);
    const double ay = std::fabs(y);
    double phi = ax > ay ? std::atan(ay / ax) / DegreeFactor : 90.0 - std::atan(ax / ay) / DegreeFactor;
    if (x < 0) phi = 180.0 - phi;
    if (y < 0) phi = -phi;
    return phi;
}

double ArcSine(double x)
{
    if (x >= 1.0 && x <= 1.0 + ArcSineTolerance) return HalfPi;
    if (x <= -1.0 && x >= -1.0 - ArcSineTolerance) return -HalfPi;
    return std::atan(x / std::sqrt(1.0 - x * x));
}

std::optional<double> ArcSineInDomain(double x)
{
    if (!std::isfinite(x) || std::fabs(x) > 1.0 + ArcSineTolerance) return std::nullopt;
    return ArcSine(x);
}

bool DegreeTextIsNegative(std::string_view degreesText)
{
    const size_t first = degreesText.find_first_not_of(" \t");
    return first != std::string_view::npos && degreesText[first] == '-';
}

double AddAnglePart(double angle, bool negative, double count, double unitsPerDegree)
{
    return angle + (negative ? -count : count) / unitsPerDegree;
}

void AddAngles(double c1, double s1, double c2, double s2, double& c, double& s)
{
    const double cosine = c1 * c2 - s1 * s2;
    const double sine = s1 * c2 + c1 * s2;
    c = cosine;
    s = sine;
}

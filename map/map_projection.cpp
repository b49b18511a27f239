#include "map/map_projection.h"

#include "astronomy/angles.h"

#include <cmath>

MapViewPoint ToMapView(double latitude, double longitude)
{
    const double phi = latitude * DegreeFactor;
    const double dLambda = (longitude - MapCentreLongitude) * DegreeFactor;
    const double phi0 = MapCentreLatitude * DegreeFactor;
    return MapViewPoint{
        std::cos(phi) * std::sin(dLambda),
        std::cos(phi0) * std::sin(phi) - std::sin(phi0) * std::cos(phi) * std::cos(dLambda),
        std::sin(phi0) * std::sin(phi) + std::cos(phi0) * std::cos(phi) * std::cos(dLambda),
    };
}

double MapX(const MapViewPoint& point) { return MapDiscCentreX + MapDiscRadius * point.East; }

double MapY(const MapViewPoint& point) { return MapDiscCentreY - MapDiscRadius * point.North; }

#pragma once
// The view of the program's Moon map: the orthographic image of the Moon
// seen from far above the selenographic point (7.35 deg N, 6.33 deg E),
// north up, east (positive longitude) to the right, the disc centred on map
// pixel (200, 200) with a radius of MapDiscRadius (193) pixels. The map's
// artwork and the frames of the catalogue are drawn with this view.
//
// Map pixels count from the picture's top-left corner, x to the right and y
// downwards; pixel (x, y) is the unit square centred on (x, y).

#include "astronomy/coordinates.h"  // MapDiscRadius, MapCentreLatitude, MapCentreLongitude

/// The picture is MapSize x MapSize pixels.
inline constexpr int MapSize = 401;
/// Centre of the lunar disc, map pixels; its radius is MapDiscRadius, and
/// the selenographic point seen there is (MapCentreLatitude, MapCentreLongitude).
inline constexpr int MapDiscCentreX = 200;
inline constexpr int MapDiscCentreY = 200;

/// A point of the Moon's unit sphere in the map's view: East to the right
/// and North up in the picture plane, Towards the viewer. A point lies on the
/// visible side when Towards > 0; its map pixel is
/// (MapDiscCentreX + MapDiscRadius * East, MapDiscCentreY - MapDiscRadius * North).
struct MapViewPoint {
    double East = 0;
    double North = 0;
    double Towards = 0;
};

/// A selenographic position (degrees) in the map's view.
MapViewPoint ToMapView(double latitude, double longitude);

/// Map x and y (pixels, not rounded) of a point of the view.
double MapX(const MapViewPoint& point);
double MapY(const MapViewPoint& point);

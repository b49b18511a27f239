#pragma once
// The view of the program's Moon map: the orthographic image of the Moon
// seen from far above the selenographic point (7.35 deg N, 6.33 deg E),
// north up, east (positive longitude) to the right, the disc centred on map
// pixel (200, 200) with a radius of MapDiscRadius (193) pixels. The map's
// artwork and the frames of the catalogue are drawn with this view.
//
// Map pixels count from the picture's top-left corner, x to the right and y
// downwards; pixel (x, y) is the unit square centred on (x, y).

#include "astronomy/coordinates.h"  // MapDiscRadius

/// Size of the map picture, pixels (square).
inline constexpr int MapPictureSize = 401;
/// Map pixel of the disc centre, x and y.
inline constexpr int MapDiscCentre = 200;
/// The selenographic point the map is seen from, degrees.
inline constexpr double MapViewLatitude = 7.35;
inline constexpr double MapViewLongitude = 6.33333333333333;

/// A point of the Moon's unit sphere in the map's view: East to the right
/// and North up in the picture plane, Towards the viewer. A point lies on the
/// visible side when Towards > 0; its map pixel is
/// (MapDiscCentre + MapDiscRadius * East, MapDiscCentre - MapDiscRadius * North).
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

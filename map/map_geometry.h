#pragma once
// The geometry of the Moon map: the picture and the lunar disc on it, the
// markers that stand in for the mouse pointer and the bands that stop them,
// and the frame a new object is outlined with. Map pixels count from the
// picture's top-left corner, x to the right and y downwards. Standard C++
// only; the map, the new-object panel and the checks of the shipped data
// all take their numbers from here. The tools that draw the picture
// (tools/lunar_geometry.py) use the same constants.

#include "map/map_projection.h"  // MapSize, MapDiscCentreX/Y, MapDiscRadius, the view

#include <cstdint>
#include <optional>

/// A marker is MarkerSize x MarkerSize pixels; one whose top-left lies at
/// map pixel (p, q) points at (p + MarkerCentre, q + MarkerCentre).
inline constexpr int MarkerSize = 22;
inline constexpr int MarkerCentre = 11;

// ---------------------------------------------------------------- markers
// Each function works on one axis (x or y) at a time: a marker stops in one
// direction on its own. Positions are a marker's top-left in map pixels.

/// The map pixel a marker at `position` points at.
constexpr int PointedPixel(int position) { return position + MarkerCentre; }

/// A mouse move over the map picture to `mouse` (map pixels): the marker
/// moves to mouse - MarkerCentre while 10 < mouse < 390 (open bounds);
/// outside that band it stays where it is (no value).
std::optional<int> MarkerPositionForMapMove(int mouse);

/// Where a marker at `position` goes when the mouse, which it lies under,
/// moves to `mouse` (pixels within the marker): position + mouse -
/// MarkerCentre, so that its centre pixel comes under the pointer.
constexpr int MarkerPositionUnderPointer(int position, int mouse) { return position + mouse - MarkerCentre; }

/// A mouse move over the active marker (`Cursor1`, `Cursor3`): its new
/// position (MarkerPositionUnderPointer) while that lies in 0..379; at the
/// edges the marker stays where it is (no value).
std::optional<int> MarkerPositionForMarkerMove(int position, int mouse);

/// The middle pixel of a span from `from` to `to`: from + (to - from) div 2,
/// the division truncating toward zero (a span drawn backwards is rounded
/// toward its start).
constexpr int SpanMiddle(int from, int to) { return from + (to - from) / 2; }

/// The selection marker's position on a frame's span from `low` to `high`:
/// its centre pixel on the span's middle.
constexpr int MarkerPositionOnFrame(int low, int high) { return SpanMiddle(low, high) - MarkerCentre; }

// ---------------------------------------------------------------- disc

/// A map pixel as offsets from the disc centre: dx to the right, dy upward.
struct DiscOffset {
    int dx = 0;
    int dy = 0;
};

DiscOffset OffsetFromDiscCentre(int x, int y);

/// Strictly inside the disc: sqrt(dx^2 + dy^2) < MapDiscRadius.
bool LiesOnDisc(const DiscOffset& offset);

/// The map pixel of a selenographic position (degrees) on the visible side,
/// by the orthographic view the picture is drawn in (seen from above
/// MapCentreLatitude, MapCentreLongitude; north up, east to the right; the
/// disc of radius MapDiscRadius around the disc centre), rounded to whole
/// pixels. The program places formations only through their stored frames;
/// this is what the shipped catalogue's frames are checked against.
struct MapPixel {
    int x = 0;
    int y = 0;
};
MapPixel MapPixelOf(double latitude, double longitude);

// ---------------------------------------------------------------- new object

/// The frame a new object is outlined with: where the mouse button went
/// down and where it went up, map pixels. A coordinate of 0 marks a frame
/// not drawn (or discarded).
struct DrawnFrame {
    int StartX = 0, StartY = 0, EndX = 0, EndY = 0;
};

/// A frame that "Auswahl bestätigen" accepts: none of its four coordinates is 0.
bool IsConfirmableFrame(const DrawnFrame& frame);

/// First estimate of a new object's selenographic position, whole degrees.
struct ProposedCoordinates {
    std::int64_t Latitude = 0;
    std::int64_t Longitude = 0;
};

/// The coordinates proposed for a drawn frame: its centre (SpanMiddle on
/// each axis) read by MapToSelenographic and rounded to whole degrees
/// (halves to even). No value when the centre does not lie strictly inside
/// the disc.
std::optional<ProposedCoordinates> ProposeCoordinates(const DrawnFrame& frame);

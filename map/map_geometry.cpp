#include "map/map_geometry.h"

#include "platform/rounding.h"

#include <cmath>

namespace {

// The open band of mouse positions over the picture that move a marker.
constexpr int MapMoveLow = 10;
constexpr int MapMoveHigh = 390;
// A marker's positions reachable by moves over itself: 0 .. MarkerLimit - 1.
constexpr int MarkerLimit = 380;

}  // namespace

std::optional<int> MarkerPositionForMapMove(int mouse)
{
    if (MapMoveLow < mouse && mouse < MapMoveHigh) return mouse - MarkerCentre;
    return std::nullopt;
}

std::optional<int> MarkerPositionForMarkerMove(int position, int mouse)
{
    const int moved = MarkerPositionUnderPointer(position, mouse);
    if (0 <= moved && moved < MarkerLimit) return moved;
    return std::nullopt;
}

DiscOffset OffsetFromDiscCentre(int x, int y) { return {x - MapDiscCentreX, MapDiscCentreY - y}; }

bool LiesOnDisc(const DiscOffset& offset)
{
    return std::sqrt(double(offset.dx) * offset.dx + double(offset.dy) * offset.dy) < MapDiscRadius;
}

MapPixel MapPixelOf(double latitude, double longitude)
{
    const MapViewPoint point = ToMapView(latitude, longitude);
    return {static_cast<int>(std::lround(MapX(point))), static_cast<int>(std::lround(MapY(point)))};
}

bool IsConfirmableFrame(const DrawnFrame& frame)
{
    return frame.StartX != 0 && frame.StartY != 0 && frame.EndX != 0 && frame.EndY != 0;
}

std::optional<ProposedCoordinates> ProposeCoordinates(const DrawnFrame& frame)
{
    const DiscOffset centre =
        OffsetFromDiscCentre(SpanMiddle(frame.StartX, frame.EndX), SpanMiddle(frame.StartY, frame.EndY));
    if (!LiesOnDisc(centre)) return std::nullopt;
    double latitude = 0, longitude = 0;
    MapToSelenographic(centre.dx, centre.dy, latitude, longitude);
    return ProposedCoordinates{RoundHalfEven(latitude), RoundHalfEven(longitude)};
}

#pragma once
// The lit Moon map shown in the map's own picture: the artwork shaded for
// the Sun's place, or the artwork as drawn.

#include "astronomy/sun_over_formation.h"

#include <QImage>

/// Switches the map's picture between the artwork and the lit map.
///
/// The picture is also the surface the new-object rubber band is drawn on
/// by exclusive-or. A change of the lighting therefore never overwrites the
/// picture: it combines each pixel by exclusive-or with what the picture
/// showed before and with what it shows now. Marks drawn by exclusive-or
/// stay where they are, and drawing such a mark a second time still
/// restores the pixels of the new lighting.
///
/// Speed: lighting the map anew, the Sun's place included, takes about 1 ms
/// (bench/lit_map_bench), far below one frame.
class MapLighting {
public:
    /// `artwork` is the picture as drawn, before anything is drawn into it.
    explicit MapLighting(const QImage& artwork);

    /// Shows the map lit for the Sun's place in `picture`.
    void Light(QImage& picture, const SunOverMoon& sun);

    /// Shows the artwork as drawn again.
    void Unlight(QImage& picture);

    /// True while the picture shows the lit map.
    bool IsLit() const { return lit_; }

private:
    void Show(QImage& picture, const QImage& next);

    QImage artwork_;
    QImage shown_;  ///< what the picture holds, apart from marks drawn by exclusive-or
    bool lit_ = false;
};

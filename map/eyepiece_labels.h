#pragma once
// Names beside the formations of a picture, placed so that no two overlap.
// Standard C++ only: the caller measures the texts.

#include <optional>
#include <vector>

/// A box on the screen, pixels: left, top, width, height.
struct LabelBox {
    double Left = 0;
    double Top = 0;
    double Width = 0;
    double Height = 0;

    bool Overlaps(const LabelBox& other) const
    {
        return Left < other.Left + other.Width && other.Left < Left + Width && Top < other.Top + other.Height &&
               other.Top < Top + Height;
    }
    bool Contains(double x, double y) const { return x >= Left && x < Left + Width && y >= Top && y < Top + Height; }
};

/// A name to place: the point it names and the size of its text.
struct LabelRequest {
    double X = 0;  ///< pixels, the formation's place
    double Y = 0;
    double Width = 0;   ///< pixels, the text's width
    double Height = 0;  ///< pixels, the text's height
};

/// Gap between a formation's place and its name, pixels.
inline constexpr double LabelGap = 4.0;

/// Places the names in the order given (the most important first): each
/// takes the first of the places right of its point, left of it, above and
/// below it that lies wholly inside the picture (width x height pixels)
/// and overlaps neither a name placed before nor the point of a name placed
/// before; a name whose point lies under a name placed before, or that finds
/// no such place, is left out (empty).
std::vector<std::optional<LabelBox>> PlaceLabels(const std::vector<LabelRequest>& requests, double width,
                                                 double height);

#include "map/eyepiece_labels.h"

#include <algorithm>

namespace {

/// The little square kept free around each named point, pixels.
constexpr double PointMargin = 2.0;

LabelBox PointBox(const LabelRequest& request)
{
    return {request.X - PointMargin, request.Y - PointMargin, 2 * PointMargin, 2 * PointMargin};
}

}  // namespace

std::vector<std::optional<LabelBox>> PlaceLabels(const std::vector<LabelRequest>& requests, double width, double height)
{
    std::vector<std::optional<LabelBox>> placed(requests.size());
    std::vector<LabelBox> taken;
    for (std::size_t i = 0; i < requests.size(); ++i) {
        const LabelRequest& r = requests[i];
        const auto free = [&](const LabelBox& box) {
            return std::none_of(taken.begin(), taken.end(), [&](const LabelBox& t) { return t.Overlaps(box); });
        };
        if (!free(PointBox(r))) continue;
        const LabelBox choices[] = {
            {r.X + LabelGap,           r.Y - r.Height / 2,        r.Width, r.Height},
            {r.X - LabelGap - r.Width, r.Y - r.Height / 2,        r.Width, r.Height},
            {r.X - r.Width / 2,        r.Y - LabelGap - r.Height, r.Width, r.Height},
            {r.X - r.Width / 2,        r.Y + LabelGap,            r.Width, r.Height},
        };
        for (const LabelBox& box : choices) {
            const bool inside =
                box.Left >= 0 && box.Top >= 0 && box.Left + box.Width <= width && box.Top + box.Height <= height;
            if (!inside || !free(box)) continue;
            placed[i] = box;
            taken.push_back(box);
            taken.push_back(PointBox(r));
            break;
        }
    }
    return placed;
}

#pragma once
// The photograph in the window "Höhe aus Foto": zoom from the whole picture
// up to LargestZoom (clicks then fall between pixel centres), panning by
// dragging, and what the measurement has to show drawn over it.
//
//   left click            a point for the current step (signal Clicked)
//   drag (any button)     moves the picture
//   wheel                 zooms in or out about the pointer

#include "photo/brightness_stretch.h"
#include "photo/limb_circle.h"
#include "photo/photo_display.h"
#include "photo/photo_overlay.h"

#include <QHash>
#include <QImage>
#include <QWidget>

#include <memory>
#include <optional>
#include <string>
#include <vector>

/// A point the user set, with the label drawn beside it.
struct MarkedPoint {
    ImagePoint At;
    std::string Label;
};

/// Everything drawn over the picture, in picture pixels.
struct ViewMarks {
    std::vector<ImagePoint> LimbPoints;
    std::optional<LimbCircle> Limb;                                         ///< the fitted circle
    std::optional<PhotoOverlay> Prediction;                                 ///< limb, terminator, names, north and east
    std::vector<MarkedPoint> Formations;                                    ///< the identified formations as clicked
    std::vector<std::pair<ImagePoint, std::optional<ImagePoint>>> Shadows;  ///< summit and tip
};

class PhotoView : public QWidget {
    Q_OBJECT
public:
    static constexpr double LargestZoom = 8.0;
    /// The zoom step of the wheel and the keys.
    static constexpr double ZoomStep = 1.4142135623730951;

    explicit PhotoView(QWidget* parent);

    /// Shows a picture (none: an empty view), whole.
    void SetPhoto(std::shared_ptr<const PhotoRaster> photo);
    bool HasPhoto() const { return pyramid_ != nullptr; }

    void SetStretch(const BrightnessStretch& stretch);
    void SetMarks(ViewMarks marks);
    const ViewMarks& Marks() const { return marks_; }

    /// The zoom at which the whole picture fits.
    double FittingZoom() const;
    double Zoom() const { return place_.Zoom; }
    /// Zooms to `zoom` (between the fitting zoom, or 1 when smaller, and
    /// LargestZoom) keeping the picture's point under `anchor` in place.
    void ZoomAbout(double zoom, QPointF anchor);
    /// Zooms to `zoom` with `point` of the picture in the middle.
    void CentreOn(ImagePoint point, double zoom);
    void ShowWhole();
    /// Moves the picture by a screen distance.
    void PanBy(QPointF distance);

    ImagePoint PictureAtScreen(QPointF screen) const { return PictureAt(place_, screen); }
    QPointF ScreenAtPicture(ImagePoint point) const { return ScreenAt(place_, point); }
    const ViewPlace& Place() const { return place_; }

    /// The view as drawn last (the picture without the marks).
    const QImage& Rendered() const { return rendered_; }

signals:
    void Clicked(ImagePoint point);
    void ZoomChanged(double zoom);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void Render();
    void KeepInView();
    void DrawMarks(QPainter& painter) const;
    void DrawLabel(QPainter& painter, QPointF topLeft, const QString& text, const QColor& colour) const;

    std::unique_ptr<PhotoPyramid> pyramid_;
    std::vector<std::uint8_t> table_;
    ViewPlace place_;
    ViewMarks marks_;
    QImage rendered_;
    bool renderedStale_ = true;
    /// The names drawn so far, each with its rim, by colour and text.
    mutable QHash<QString, QImage> labels_;
    // A press becomes a drag once the pointer moved more than a few pixels.
    std::optional<QPointF> pressedAt_;
    QPointF lastDragAt_;
    bool dragging_ = false;
};

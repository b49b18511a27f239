#pragma once
// The picture of the window "Mond im Okular": the Moon drawn for the
// observation's moment and turned as the observer's eyepiece shows it, with
// zoom and pan, the names of formations, compass marks at the rim, a hover
// that reports the point under the pointer and a click that picks a
// formation.
//
// Speed: the picture is drawn anew only when the Moon, the orientation, the
// zoom or the size changes; a pan moves the picture drawn and draws only the
// strips it uncovers; the pointer's moves draw nothing of the Moon. At
// 800 x 800 pixels a picture drawn anew takes 5 to 7 ms, a zoom step 6 ms, a
// pan step under 1 ms (bench/eyepiece_bench).

#include "map/eyepiece_labels.h"
#include "map/eyepiece_picture.h"

#include <QImage>
#include <QString>
#include <QWidget>

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

/// A formation the picture can name and pick.
struct ViewFormation {
    std::string Name;
    SelenographicPoint Point;
};

/// A name drawn in the picture: which formation, where its point is, where
/// its text stands.
struct DrawnLabel {
    std::size_t Formation = 0;  ///< index into the formations
    QPointF Point;              ///< pixels
    LabelBox Box;               ///< pixels
};

class EyepieceView : public QWidget {
    Q_OBJECT
public:
    /// Zoom: 1 shows the whole disc, each step enlarges by kZoomStep, up to
    /// kLargestZoom.
    static constexpr double kZoomStep = 1.25;
    static constexpr double kLargestZoom = 8.0;
    /// The disc's diameter at zoom 1, as a part of the picture's shorter side.
    static constexpr double kWholeMoonFill = 0.92;
    /// A click or the pointer within this many pixels of a formation's point
    /// takes that formation.
    static constexpr double kPickRadius = 10.0;
    /// Names shown at most at once.
    static constexpr std::size_t kMostLabels = 40;

    explicit EyepieceView(QWidget* parent = nullptr);

    /// The albedo map the Moon is drawn from; it must live as long as the view.
    void SetAlbedo(const AlbedoTexture* albedo);

    /// The Moon to show: its globe, the formations that can be picked and
    /// named, and which of them to name, the most important first.
    void SetMoon(const MoonGlobe& globe, std::vector<ViewFormation> formations, std::vector<std::size_t> named);

    /// The formation chosen in the main window, named first; empty for none.
    void SetChosen(const std::string& name);

    /// How the picture is turned.
    void SetOrientation(const ViewOrientation& orientation);
    const ViewOrientation& Orientation() const { return orientation_; }

    /// Zoom by `steps` (negative: out) around a point of the view (pixels),
    /// which stays where it is; the zoom stays within 1..kLargestZoom.
    void ZoomBy(int steps, QPointF around);
    void ZoomBy(int steps) { ZoomBy(steps, QPointF(width() / 2.0, height() / 2.0)); }
    double Zoom() const { return zoom_; }

    /// Moves the picture by whole pixels (right, down).
    void PanBy(int right, int down);

    /// "Ganzer Mond": zoom 1, the disc in the middle.
    void ShowWholeMoon();

    /// The geometry of the picture as drawn now.
    EyepieceFrame Frame() const;

    /// The selenographic point under a pixel of the view (its middle);
    /// empty beside the disc.
    std::optional<SelenographicPoint> PointAtPixel(QPointF pixel) const;

    /// Where a point of the Moon appears in the view, pixels; empty when it
    /// lies on the side turned away.
    std::optional<QPointF> PixelOf(const SelenographicPoint& point) const;

    /// The formation a click at `pixel` picks: a name drawn there, or the
    /// nearest point within kPickRadius; empty for none.
    std::optional<std::size_t> FormationAt(QPointF pixel) const;

    const std::vector<ViewFormation>& Formations() const { return formations_; }
    const std::vector<DrawnLabel>& Labels() const;

    /// The picture of the Moon alone (without names and marks), drawn if due.
    const QImage& Picture();

signals:
    /// The pointer rests over the Moon at `point` (near `formation`, "" for
    /// none), or has left it (onMoon false).
    void Hovered(bool onMoon, SelenographicPoint point, QString formation);
    /// A click picked a formation.
    void FormationClicked(QString name);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    /// Pixels per arcsecond at zoom 1.
    double WholeMoonScale() const;
    SkyScreenTransform Transform() const;
    /// The disc's centre stays within one radius of the view's centre
    /// (pixels), so that some of the Moon is always in sight.
    double PanLimit() const;
    void KeepMoonInSight();
    void PictureChanged();
    void DrawPicture();
    void PlaceNames() const;
    void DrawNames(QPainter& painter) const;
    void DrawCompass(QPainter& painter) const;

    const AlbedoTexture* albedo_ = nullptr;
    std::optional<MoonGlobe> globe_;
    std::optional<EyepieceRenderer> renderer_;
    double parallacticAngle_ = 0;
    std::vector<ViewFormation> formations_;
    /// Where each formation appears on the sky; empty on the side turned
    /// away. Made once per Moon: a zoom, pan or turn only transforms them.
    std::vector<std::optional<SkyOffset>> skyPlaces_;
    std::vector<std::size_t> named_;
    std::string chosen_;
    ViewOrientation orientation_;
    double zoom_ = 1.0;
    ScreenOffset pan_;  ///< the disc's centre from the view's centre, pixels

    QImage picture_;
    bool pictureDue_ = true;
    // Names and the formations' places, made when first asked for after a change.
    mutable bool namesDue_ = true;
    mutable std::vector<DrawnLabel> labels_;
    mutable std::vector<std::optional<QPointF>> places_;
    /// The names as drawn (text with a dark outline), by name and colour:
    /// outlining text is slow, and the same names come back frame after frame.
    mutable std::unordered_map<std::string, QImage> drawnNames_;
    QImage DrawnName(const std::string& name, bool chosen) const;

    std::optional<QPoint> pressedAt_;
    QPoint lastDragAt_;
    bool dragged_ = false;
};

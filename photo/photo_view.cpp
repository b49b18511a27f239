#include "photo/photo_view.h"

#include "map/eyepiece_labels.h"
#include "platform/form_widgets.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// Screen pixels the pointer may move during a click.
constexpr double ClickTolerance = 3.0;

const QColor kLimbPointColour(255, 64, 64);
const QColor kFittedColour(255, 200, 0);
const QColor kPredictionColour(0, 200, 255);
const QColor kFormationColour(120, 255, 120);
const QColor kShadowColour(255, 90, 255);
const QColor kLabelColour(255, 235, 140);

// The parts of a line of picture points that cross the view, in screen
// pixels. At 8:1 the limb and the terminator run far beyond the view; only
// the pieces that can be seen are drawn (a dashed line costs per dash).
std::vector<QPolygonF> VisibleRuns(const ViewPlace& place, const std::vector<ImagePoint>& points, const QRectF& view)
{
    std::vector<QPolygonF> runs;
    QPolygonF run;
    QPointF previous;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const QPointF at = ScreenAt(place, points[i]);
        const bool crosses = i > 0 && view.intersects(QRectF(previous, at).normalized().adjusted(-1, -1, 1, 1));
        if (crosses) {
            if (run.isEmpty()) run << previous;
            run << at;
        } else if (!run.isEmpty()) {
            runs.push_back(run);
            run.clear();
        }
        previous = at;
    }
    if (!run.isEmpty()) runs.push_back(run);
    return runs;
}

// A name readable on the bright Moon and on the dark sky alike: light
// letters in a dark rim, drawn once and kept.
QImage LabelPicture(const QString& text, const QColor& colour, const QFont& font)
{
    const QFontMetricsF metrics(font);
    QImage picture(QSize(static_cast<int>(std::ceil(metrics.horizontalAdvance(text))) + 6,
                         static_cast<int>(std::ceil(metrics.height())) + 4),
                   QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    path.addText(3, 2 + metrics.ascent(), font, text);
    painter.strokePath(path, QPen(QColor(0, 0, 0, 200), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.fillPath(path, colour);
    return picture;
}

// The fitted limb as a line of picture points, fine enough at 8:1.
std::vector<ImagePoint> CirclePoints(const LimbCircle& circle)
{
    constexpr int kPoints = 1440;
    std::vector<ImagePoint> points;
    for (int i = 0; i <= kPoints; ++i) {
        const double a = 2 * std::numbers::pi * i / kPoints;
        points.push_back(
            {circle.Centre.X + circle.Radius * std::cos(a), circle.Centre.Y + circle.Radius * std::sin(a)});
    }
    return points;
}

void Cross(QPainter& painter, QPointF at, double arm)
{
    painter.drawLine(at - QPointF(arm, 0), at + QPointF(arm, 0));
    painter.drawLine(at - QPointF(0, arm), at + QPointF(0, arm));
}

}  // namespace

PhotoView::PhotoView(QWidget* parent) : QWidget(parent), table_(StretchTable({}))
{
    setMouseTracking(false);
    setFocusPolicy(Qt::ClickFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::CrossCursor);
}

void PhotoView::SetPhoto(std::shared_ptr<const PhotoRaster> photo)
{
    pyramid_ = photo ? std::make_unique<PhotoPyramid>(std::move(photo)) : nullptr;
    marks_ = {};
    ShowWhole();
}

void PhotoView::SetStretch(const BrightnessStretch& stretch)
{
    table_ = StretchTable(stretch);
    renderedStale_ = true;
    update();
}

void PhotoView::SetMarks(ViewMarks marks)
{
    marks_ = std::move(marks);
    update();
}

double PhotoView::FittingZoom() const
{
    if (!pyramid_ || width() <= 0 || height() <= 0) return 1;
    const PhotoRaster& full = pyramid_->Full();
    return std::min(static_cast<double>(width()) / full.Width, static_cast<double>(height()) / full.Height);
}

void PhotoView::ZoomAbout(double zoom, QPointF anchor)
{
    const ImagePoint held = PictureAt(place_, anchor);
    place_.Zoom = std::clamp(zoom, std::min(FittingZoom(), 1.0), LargestZoom);
    place_.TopLeft = {held.X - anchor.x() / place_.Zoom, held.Y - anchor.y() / place_.Zoom};
    KeepInView();
    emit ZoomChanged(place_.Zoom);
}

void PhotoView::CentreOn(ImagePoint point, double zoom)
{
    place_.Zoom = std::clamp(zoom, std::min(FittingZoom(), 1.0), LargestZoom);
    place_.TopLeft = {point.X - width() / 2.0 / place_.Zoom, point.Y - height() / 2.0 / place_.Zoom};
    KeepInView();
    emit ZoomChanged(place_.Zoom);
}

void PhotoView::ShowWhole()
{
    place_.Zoom = FittingZoom();
    place_.TopLeft = {};
    KeepInView();
    emit ZoomChanged(place_.Zoom);
}

void PhotoView::PanBy(QPointF distance)
{
    place_.TopLeft.X -= distance.x() / place_.Zoom;
    place_.TopLeft.Y -= distance.y() / place_.Zoom;
    KeepInView();
}

void PhotoView::KeepInView()
{
    // Along each axis the picture either fills the view or stands in its middle.
    if (pyramid_) {
        const PhotoRaster& full = pyramid_->Full();
        const double shownWidth = width() / place_.Zoom, shownHeight = height() / place_.Zoom;
        auto clampAxis = [](double& start, double shown, int length) {
            start = shown >= length ? (length - shown) / 2 : std::clamp(start, 0.0, length - shown);
        };
        clampAxis(place_.TopLeft.X, shownWidth, full.Width);
        clampAxis(place_.TopLeft.Y, shownHeight, full.Height);
    }
    renderedStale_ = true;
    update();
}

void PhotoView::Render()
{
    if (pyramid_)
        rendered_ = RenderView(*pyramid_, table_, place_, size());
    else {
        rendered_ = QImage(size(), QImage::Format_Grayscale8);
        rendered_.fill(48);
    }
    renderedStale_ = false;
}

void PhotoView::paintEvent(QPaintEvent*)
{
    if (renderedStale_ || rendered_.size() != size()) Render();
    QPainter painter(this);
    painter.drawImage(0, 0, rendered_);
    if (!pyramid_) {
        painter.setPen(QColor(220, 220, 220));
        painter.setFont(FormFont(13));
        painter.drawText(rect(), Qt::AlignCenter, QStringLiteral("Kein Bild geöffnet: »Öffnen...« wählt eines."));
        return;
    }
    DrawMarks(painter);
}

void PhotoView::DrawLabel(QPainter& painter, QPointF topLeft, const QString& text, const QColor& colour) const
{
    const QString key = colour.name() + text;
    auto found = labels_.find(key);
    if (found == labels_.end()) found = labels_.insert(key, LabelPicture(text, colour, painter.font()));
    painter.drawImage(topLeft - QPointF(2, 2), *found);
}

void PhotoView::DrawMarks(QPainter& painter) const
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(FormFont(11));
    const QRectF view = rect();

    // The names, placed as "Mond im Okular" places them: beside their points
    // without covering one another, the formations the user identified
    // first. A predicted name the user's mark already shows is not written
    // twice; one with no room left keeps only its point.
    struct Name {
        QPointF At;
        QString Text;
        bool Identified = false;
    };
    std::vector<Name> names;
    for (const MarkedPoint& f : marks_.Formations)
        names.push_back({ScreenAt(place_, f.At), QString::fromStdString(f.Label), true});
    const std::size_t identified = names.size();
    if (marks_.Prediction)
        for (const OverlayLabel& label : marks_.Prediction->Formations) {
            const QPointF at = ScreenAt(place_, label.At);
            const QString text = QString::fromStdString(label.Name);
            const bool shown =
                std::any_of(names.begin(), names.begin() + identified, [&](const Name& n) { return n.Text == text; });
            if (view.contains(at)) names.push_back({at, shown ? QString() : text, false});
        }
    const QFontMetricsF metrics(painter.font());
    std::vector<LabelRequest> requests;
    for (const Name& n : names)
        requests.push_back({n.At.x(), n.At.y(), n.Text.isEmpty() ? 0.0 : metrics.horizontalAdvance(n.Text) + 2,
                            n.Text.isEmpty() ? 0.0 : metrics.height()});
    const std::vector<std::optional<LabelBox>> boxes = PlaceLabels(requests, view.width(), view.height());

    if (marks_.Prediction) {
        const PhotoOverlay& p = *marks_.Prediction;
        painter.setPen(QPen(kPredictionColour, 1));
        for (const QPolygonF& run : VisibleRuns(place_, p.Limb, view)) painter.drawPolyline(run);
        painter.setPen(QPen(kPredictionColour, 1, Qt::DashLine));
        for (const auto& line : p.Terminator)
            for (const QPolygonF& run : VisibleRuns(place_, line, view)) painter.drawPolyline(run);
        for (std::size_t i = identified; i < names.size(); ++i) {
            painter.setPen(kPredictionColour);
            if (!boxes[i] && !names[i].Text.isEmpty()) {
                painter.drawPoint(names[i].At);
                continue;
            }
            Cross(painter, names[i].At, 2);
            if (boxes[i] && !names[i].Text.isEmpty())
                DrawLabel(painter, QPointF(boxes[i]->Left, boxes[i]->Top), names[i].Text, kLabelColour);
        }
        // North and east ("O") from the centre of the disc.
        const QPointF centre = ScreenAt(place_, p.Centre);
        painter.setPen(QPen(kPredictionColour, 1.5));
        for (const auto& [end, name] : {
                 std::pair{p.North, QStringLiteral("N")},
                 std::pair{p.East,  QStringLiteral("O")}
        }) {
            const QPointF tip = ScreenAt(place_, end);
            painter.setPen(QPen(kPredictionColour, 1.5));
            painter.drawLine(centre, tip);
            // The letter beyond the arrow's end.
            const QPointF along = tip - centre;
            const double length = std::hypot(along.x(), along.y());
            const QPointF beyond = length > 0 ? tip + along * (10 / length) : tip;
            DrawLabel(painter, beyond - QPointF(6, 8), name, kPredictionColour);
        }
    }
    if (marks_.Limb) {
        painter.setPen(QPen(kFittedColour, 1, Qt::DotLine));
        for (const QPolygonF& run : VisibleRuns(place_, CirclePoints(*marks_.Limb), view)) painter.drawPolyline(run);
        painter.setPen(QPen(kFittedColour, 1));
        Cross(painter, ScreenAt(place_, marks_.Limb->Centre), 6);
    }
    painter.setPen(QPen(kLimbPointColour, 1.5));
    for (const ImagePoint& p : marks_.LimbPoints) Cross(painter, ScreenAt(place_, p), 5);
    for (std::size_t i = 0; i < identified; ++i) {
        painter.setPen(QPen(kFormationColour, 1.5));
        painter.drawEllipse(names[i].At, 6, 6);
        // The user's own mark is named even where no room is left.
        const QPointF at = boxes[i] ? QPointF(boxes[i]->Left, boxes[i]->Top) : names[i].At + QPointF(9, 2);
        DrawLabel(painter, at, names[i].Text, kFormationColour);
    }
    painter.setPen(QPen(kShadowColour, 1.5));
    for (const auto& [summit, tip] : marks_.Shadows) {
        const QPointF s = ScreenAt(place_, summit);
        Cross(painter, s, 5);
        if (!tip) continue;
        const QPointF t = ScreenAt(place_, *tip);
        painter.drawLine(s, t);
        painter.drawEllipse(t, 3, 3);
    }
}

void PhotoView::resizeEvent(QResizeEvent*)
{
    if (pyramid_ && place_.Zoom < FittingZoom()) place_.Zoom = FittingZoom();
    KeepInView();
}

void PhotoView::mousePressEvent(QMouseEvent* event)
{
    pressedAt_ = event->position();
    lastDragAt_ = event->position();
    dragging_ = event->button() != Qt::LeftButton;
}

void PhotoView::mouseMoveEvent(QMouseEvent* event)
{
    if (!pressedAt_) return;
    const QPointF moved = event->position() - *pressedAt_;
    if (!dragging_ && std::hypot(moved.x(), moved.y()) > ClickTolerance) dragging_ = true;
    if (!dragging_) return;
    PanBy(event->position() - lastDragAt_);
    lastDragAt_ = event->position();
}

void PhotoView::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = pressedAt_ && !dragging_ && event->button() == Qt::LeftButton;
    pressedAt_.reset();
    dragging_ = false;
    // A pointer position names a screen pixel; its centre lies half a pixel further.
    if (click && pyramid_) emit Clicked(PictureAt(place_, event->position() + QPointF(0.5, 0.5)));
}

void PhotoView::wheelEvent(QWheelEvent* event)
{
    const double steps = event->angleDelta().y() / 120.0;
    if (steps == 0 || !pyramid_) return;
    ZoomAbout(place_.Zoom * std::pow(ZoomStep, steps), event->position());
}

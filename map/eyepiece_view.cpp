#include "map/eyepiece_view.h"

#include "platform/form_widgets.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace {

constexpr double ArcsecondsPerRadian = 206264.80624709636;
/// One wheel notch (15 degrees of the wheel) is one zoom step.
constexpr int WheelStepEighths = 120;
/// A press that moves the pointer further than this is a drag, not a click.
constexpr int DragThreshold = 3;
/// The compass letters stand this far inside the view's inscribed circle.
constexpr double CompassInset = 12.0;

const QColor NameColour(255, 236, 150);
const QColor ChosenColour(120, 230, 255);
const QColor CompassColour(255, 120, 100);
/// The outline around a name, pixels.
constexpr int NameOutline = 2;
/// Names kept drawn at most; more are drawn again when shown again.
constexpr std::size_t kMostKeptNames = 2000;

}  // namespace

EyepieceView::EyepieceView(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::CrossCursor);
}

void EyepieceView::SetAlbedo(const AlbedoTexture* albedo)
{
    albedo_ = albedo;
    PictureChanged();
}

void EyepieceView::SetMoon(const MoonGlobe& globe, std::vector<ViewFormation> formations,
                           std::vector<std::size_t> named)
{
    globe_ = globe;
    renderer_.emplace(globe);
    parallacticAngle_ = ParallacticAngleFromSite(globe);
    formations_ = std::move(formations);
    named_ = std::move(named);
    skyPlaces_.assign(formations_.size(), std::nullopt);
    for (std::size_t i = 0; i < formations_.size(); ++i) {
        const Vector3 body = SelenographicToBody(formations_[i].Point);
        if (VisibleFromSite(globe, body)) skyPlaces_[i] = SkyOffsetFromSite(globe, body);
    }
    PictureChanged();
}

void EyepieceView::SetChosen(const std::string& name)
{
    if (name == chosen_) return;
    chosen_ = name;
    namesDue_ = true;
    update();
}

void EyepieceView::SetOrientation(const ViewOrientation& orientation)
{
    if (orientation == orientation_) return;
    // The point in the middle of the view stays in the middle.
    const SkyOffset middle = Transform().ToSky({-pan_.Right, -pan_.Down});
    orientation_ = orientation;
    const ScreenOffset moved = Transform().ToScreen(middle);
    pan_ = {-moved.Right, -moved.Down};
    PictureChanged();
}

double EyepieceView::WholeMoonScale() const
{
    if (!globe_) return 1.0;
    const double radiusPixels = kWholeMoonFill * std::min(width(), height()) / 2.0;
    return std::max(radiusPixels, 1.0) / SemiDiameterFromSite(*globe_);
}

SkyScreenTransform EyepieceView::Transform() const
{
    return OrientedTransform(orientation_, parallacticAngle_, zoom_ * WholeMoonScale());
}

EyepieceFrame EyepieceView::Frame() const
{
    EyepieceFrame frame;
    frame.Width = width();
    frame.Height = height();
    frame.CentreX = width() / 2.0 + pan_.Right;
    frame.CentreY = height() / 2.0 + pan_.Down;
    frame.Transform = Transform();
    return frame;
}

void EyepieceView::ZoomBy(int steps, QPointF around)
{
    const double zoom = std::clamp(zoom_ * std::pow(kZoomStep, steps), 1.0, kLargestZoom);
    if (zoom == zoom_) return;
    // The disc's centre moves away from (or toward) the fixed point.
    const double factor = zoom / zoom_;
    const double fixedRight = around.x() - width() / 2.0, fixedDown = around.y() - height() / 2.0;
    pan_ = {fixedRight + (pan_.Right - fixedRight) * factor, fixedDown + (pan_.Down - fixedDown) * factor};
    zoom_ = zoom;
    if (zoom_ == 1.0) pan_ = {};
    KeepMoonInSight();
    PictureChanged();
}

void EyepieceView::PanBy(int right, int down)
{
    const double limit = PanLimit();
    right = static_cast<int>(std::clamp(pan_.Right + right, -limit, limit) - pan_.Right);
    down = static_cast<int>(std::clamp(pan_.Down + down, -limit, limit) - pan_.Down);
    if (right == 0 && down == 0) return;
    pan_.Right += right;
    pan_.Down += down;
    namesDue_ = true;
    if (pictureDue_ || picture_.isNull() || !renderer_ || !albedo_) {
        PictureChanged();
        return;
    }
    // Move what is drawn, then draw the strips it uncovers.
    const int w = picture_.width(), h = picture_.height();
    if (std::abs(right) >= w || std::abs(down) >= h) {
        PictureChanged();
        return;
    }
    QImage moved(w, h, QImage::Format_RGB32);
    moved.fill(Qt::black);
    {
        QPainter painter(&moved);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(right, down, picture_);
    }
    picture_ = std::move(moved);
    const EyepieceFrame frame = Frame();
    auto* pixels = reinterpret_cast<std::uint32_t*>(picture_.bits());
    const int stride = static_cast<int>(picture_.bytesPerLine() / 4);
    if (down > 0) renderer_->Render(*albedo_, frame, pixels, stride, 0, down);
    if (down < 0) renderer_->Render(*albedo_, frame, pixels, stride, h + down, h);
    const int top = std::max(0, down), bottom = std::min(h, h + down);
    if (right > 0) renderer_->RenderBlock(*albedo_, frame, pixels, stride, top, bottom, 0, right);
    if (right < 0) renderer_->RenderBlock(*albedo_, frame, pixels, stride, top, bottom, w + right, w);
    update();
}

double EyepieceView::PanLimit() const
{
    if (!globe_) return 0;
    return std::floor(zoom_ * WholeMoonScale() * SemiDiameterFromSite(*globe_));
}

void EyepieceView::KeepMoonInSight()
{
    const double limit = PanLimit();
    pan_ = {std::clamp(pan_.Right, -limit, limit), std::clamp(pan_.Down, -limit, limit)};
}

void EyepieceView::ShowWholeMoon()
{
    zoom_ = 1.0;
    pan_ = {};
    PictureChanged();
}

void EyepieceView::PictureChanged()
{
    pictureDue_ = true;
    namesDue_ = true;
    update();
}

const QImage& EyepieceView::Picture()
{
    if (pictureDue_) DrawPicture();
    return picture_;
}

void EyepieceView::DrawPicture()
{
    pictureDue_ = false;
    if (picture_.size() != size()) picture_ = QImage(size(), QImage::Format_RGB32);
    if (picture_.isNull()) return;
    if (!renderer_ || !albedo_) {
        picture_.fill(Qt::black);
        return;
    }
    renderer_->Render(*albedo_, Frame(), reinterpret_cast<std::uint32_t*>(picture_.bits()),
                      static_cast<int>(picture_.bytesPerLine() / 4), 0, picture_.height());
}

std::optional<SelenographicPoint> EyepieceView::PointAtPixel(QPointF pixel) const
{
    if (!globe_) return std::nullopt;
    const EyepieceFrame frame = Frame();
    const ScreenOffset offset{pixel.x() - frame.CentreX, pixel.y() - frame.CentreY};
    return SurfacePointAt(*globe_, frame.Transform.ToSky(offset));
}

std::optional<QPointF> EyepieceView::PixelOf(const SelenographicPoint& point) const
{
    if (!globe_) return std::nullopt;
    const Vector3 body = SelenographicToBody(point);
    if (!VisibleFromSite(*globe_, body)) return std::nullopt;
    const EyepieceFrame frame = Frame();
    const ScreenOffset offset = frame.Transform.ToScreen(SkyOffsetFromSite(*globe_, body));
    return QPointF(frame.CentreX + offset.Right, frame.CentreY + offset.Down);
}

const std::vector<DrawnLabel>& EyepieceView::Labels() const
{
    if (namesDue_) PlaceNames();
    return labels_;
}

void EyepieceView::PlaceNames() const
{
    namesDue_ = false;
    labels_.clear();
    places_.assign(formations_.size(), std::nullopt);
    const QRectF view(0, 0, width(), height());
    const EyepieceFrame frame = Frame();
    for (std::size_t i = 0; i < formations_.size(); ++i) {
        if (!skyPlaces_[i]) continue;
        const ScreenOffset offset = frame.Transform.ToScreen(*skyPlaces_[i]);
        const QPointF place(frame.CentreX + offset.Right, frame.CentreY + offset.Down);
        if (view.contains(place)) places_[i] = place;
    }

    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < formations_.size(); ++i)
        if (!chosen_.empty() && formations_[i].Name == chosen_) order.push_back(i);
    for (std::size_t i : named_)
        if (i < formations_.size() && formations_[i].Name != chosen_) order.push_back(i);

    const QFontMetricsF metrics(FormFont());
    std::vector<LabelRequest> requests;
    std::vector<std::size_t> requested;
    for (std::size_t i : order) {
        if (!places_[i]) continue;
        const QString text = QString::fromStdString(formations_[i].Name);
        requests.push_back({places_[i]->x(), places_[i]->y(), metrics.horizontalAdvance(text) + 2, metrics.height()});
        requested.push_back(i);
    }
    const std::vector<std::optional<LabelBox>> boxes = PlaceLabels(requests, width(), height());
    for (std::size_t k = 0; k < boxes.size() && labels_.size() < kMostLabels; ++k)
        if (boxes[k]) labels_.push_back({requested[k], QPointF(requests[k].X, requests[k].Y), *boxes[k]});
}

std::optional<std::size_t> EyepieceView::FormationAt(QPointF pixel) const
{
    for (const DrawnLabel& label : Labels())
        if (label.Box.Contains(pixel.x(), pixel.y())) return label.Formation;
    std::optional<std::size_t> nearest;
    double best = kPickRadius;
    for (std::size_t i = 0; i < places_.size(); ++i) {
        if (!places_[i]) continue;
        const double distance = std::hypot(places_[i]->x() - pixel.x(), places_[i]->y() - pixel.y());
        if (distance <= best) {
            best = distance;
            nearest = i;
        }
    }
    return nearest;
}

// ---------------------------------------------------------------- painting

void EyepieceView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, Picture());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(FormFont());
    DrawNames(painter);
    DrawCompass(painter);
}

void EyepieceView::DrawNames(QPainter& painter) const
{
    for (const DrawnLabel& label : Labels()) {
        const std::string& name = formations_[label.Formation].Name;
        const bool chosen = name == chosen_;
        painter.setPen(QPen(Qt::black, 3));
        painter.drawPoint(label.Point);
        painter.setPen(QPen(chosen ? ChosenColour : NameColour, chosen ? 2 : 1.5));
        painter.drawEllipse(label.Point, chosen ? 3.5 : 1.5, chosen ? 3.5 : 1.5);
        painter.drawImage(QPointF(label.Box.Left - NameOutline, label.Box.Top - NameOutline), DrawnName(name, chosen));
    }
}

QImage EyepieceView::DrawnName(const std::string& name, bool chosen) const
{
    const std::string key = (chosen ? "1" : "0") + name;
    if (const auto found = drawnNames_.find(key); found != drawnNames_.end()) return found->second;
    if (drawnNames_.size() > kMostKeptNames) drawnNames_.clear();
    // Dark outline under the text, so that it reads on the lit Moon.
    const QFont font = FormFont();
    const QFontMetricsF metrics(font);
    const QString text = QString::fromStdString(name);
    QImage image(QSize(static_cast<int>(std::ceil(metrics.horizontalAdvance(text))) + 2 + 2 * NameOutline,
                       static_cast<int>(std::ceil(metrics.height())) + 2 * NameOutline),
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    path.addText(NameOutline + 1, NameOutline + metrics.ascent(), font, text);
    painter.strokePath(path, QPen(QColor(0, 0, 0, 200), 3));
    painter.fillPath(path, chosen ? ChosenColour : NameColour);
    painter.end();
    drawnNames_.emplace(key, image);
    return image;
}

void EyepieceView::DrawCompass(QPainter& painter) const
{
    if (!globe_) return;
    const SkyScreenTransform transform = Transform();
    const double radius = std::min(width(), height()) / 2.0 - CompassInset;
    const QPointF middle(width() / 2.0, height() / 2.0);
    struct Mark {
        const char* letter;
        double positionAngle;
    };
    const Mark marks[] = {
        {"N", 0.0              },
        {"O", 90.0             },
        {"Z", parallacticAngle_},
    };
    QFont font = FormFont(10, true);
    painter.setFont(font);
    const QFontMetricsF metrics(font);
    for (const Mark& mark : marks) {
        const ScreenOffset direction = transform.DirectionOf(mark.positionAngle);
        const QPointF at = middle + QPointF(direction.Right, direction.Down) * radius;
        const QString letter = QString::fromLatin1(mark.letter);
        const QRectF box(at.x() - metrics.horizontalAdvance(letter) / 2, at.y() - metrics.height() / 2,
                         metrics.horizontalAdvance(letter), metrics.height());
        painter.setPen(CompassColour);
        painter.drawText(box, Qt::AlignCenter, letter);
        // A short tick pointing outward from the letter.
        const QPointF tickStart = middle + QPointF(direction.Right, direction.Down) * (radius + 6);
        const QPointF tickEnd = middle + QPointF(direction.Right, direction.Down) * (radius + 11);
        painter.drawLine(tickStart, tickEnd);
    }
}

// ---------------------------------------------------------------- input

void EyepieceView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    PictureChanged();
}

void EyepieceView::wheelEvent(QWheelEvent* event)
{
    const int steps = event->angleDelta().y() / WheelStepEighths;
    if (steps != 0) ZoomBy(steps, event->position());
    event->accept();
}

void EyepieceView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    pressedAt_ = event->position().toPoint();
    lastDragAt_ = *pressedAt_;
    dragged_ = false;
    setFocus(Qt::MouseFocusReason);
}

void EyepieceView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (pressedAt_ && (event->buttons() & Qt::LeftButton)) {
        if (!dragged_ && (at - *pressedAt_).manhattanLength() > DragThreshold) dragged_ = true;
        if (dragged_) {
            PanBy(at.x() - lastDragAt_.x(), at.y() - lastDragAt_.y());
            lastDragAt_ = at;
            return;
        }
    }
    const std::optional<SelenographicPoint> point = PointAtPixel(event->position());
    if (!point) {
        emit Hovered(false, {}, QString());
        return;
    }
    Labels();  // the formations' places
    const std::optional<std::size_t> near = FormationAt(event->position());
    emit Hovered(true, *point, near ? QString::fromStdString(formations_[*near].Name) : QString());
}

void EyepieceView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !pressedAt_) return QWidget::mouseReleaseEvent(event);
    const bool click = !dragged_;
    pressedAt_.reset();
    dragged_ = false;
    if (!click) return;
    if (const std::optional<std::size_t> picked = FormationAt(event->position()))
        emit FormationClicked(QString::fromStdString(formations_[*picked].Name));
}

void EyepieceView::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    emit Hovered(false, {}, QString());
}

void EyepieceView::keyPressEvent(QKeyEvent* event)
{
    const int panStep = std::max(8, std::min(width(), height()) / 8);
    switch (event->key()) {
        case Qt::Key_Plus:
            ZoomBy(1);
            break;
        case Qt::Key_Minus:
            ZoomBy(-1);
            break;
        // An arrow moves the view over the Moon: the picture moves the other way.
        case Qt::Key_Left:
            PanBy(panStep, 0);
            break;
        case Qt::Key_Right:
            PanBy(-panStep, 0);
            break;
        case Qt::Key_Up:
            PanBy(0, panStep);
            break;
        case Qt::Key_Down:
            PanBy(0, -panStep);
            break;
        default:
            QWidget::keyPressEvent(event);
            return;
    }
    event->accept();
}

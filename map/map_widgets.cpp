#include "map/map_widgets.h"

#include "windowbase/resources_init.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

QPoint EventPixel(const QMouseEvent* event) { return event->position().toPoint(); }

}  // namespace

MapImage::MapImage(QWidget* parent) : QWidget(parent)
{
    InitialiseResources();
    picture_ = QImage(QStringLiteral(":/moon_map.bmp")).convertToFormat(QImage::Format_RGB32);
    if (picture_.isNull()) {
        picture_ = QImage(MapSize, MapSize, QImage::Format_RGB32);
        picture_.fill(QColor(16, 16, 16));
    }
    setFixedSize(picture_.size());
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void MapImage::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, picture_);
}

void MapImage::mouseMoveEvent(QMouseEvent* event)
{
    QPoint p = EventPixel(event);
    emit MouseMoved(p.x(), p.y());
}

MarkerImage::MarkerImage(const QString& resource, QWidget* parent) : QWidget(parent)
{
    InitialiseResources();
    // White is the transparent colour of the marker pictures.
    QImage image = QImage(resource).convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF) image.setPixel(x, y, 0);
    picture_ = QPixmap::fromImage(image);
    setFixedSize(MarkerSize, MarkerSize);
    setMouseTracking(true);
}

void MarkerImage::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, picture_);
}

void MarkerImage::mouseMoveEvent(QMouseEvent* event)
{
    QPoint p = EventPixel(event);
    emit MouseMoved(p.x(), p.y(), event->buttons(), event->modifiers());
}

void MarkerImage::mousePressEvent(QMouseEvent* event)
{
    pressedInside_ = event->button() == Qt::LeftButton;
    QPoint p = EventPixel(event);
    emit MousePressed(p.x(), p.y());
}

void MarkerImage::mouseReleaseEvent(QMouseEvent* event)
{
    QPoint p = EventPixel(event);
    emit MouseReleased(p.x(), p.y());
    // A click is a left press and release on the marker; the marker may
    // have moved under the pointer in between, as it follows the mouse.
    if (pressedInside_ && event->button() == Qt::LeftButton) emit Clicked();
    pressedInside_ = false;
}

#pragma once
// The Moon map and the three markers that stand in for the mouse pointer
// over it. Both report mouse events in their own pixel coordinates.

#include "map/map_geometry.h"

#include <QImage>
#include <QPixmap>
#include <QWidget>

/// The 401 x 401 map picture. It paints its own drawing surface, so that
/// rubber bands and the like can be drawn straight into the picture.
class MapImage : public QWidget {
    Q_OBJECT
public:
    explicit MapImage(QWidget* parent = nullptr);

    /// The picture as shown; drawing into it and calling update() shows the change.
    QImage& Picture() { return picture_; }
    const QImage& Picture() const { return picture_; }

    /// The colour filled areas are drawn with.
    QColor BrushColour() const { return brushColour_; }
    void SetBrushColour(const QColor& colour) { brushColour_ = colour; }

signals:
    void MouseMoved(int x, int y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QImage picture_;
    QColor brushColour_ = Qt::white;
};

/// A marker (MarkerSize x MarkerSize) whose white pixels are transparent.
/// Its centre pixel (MarkerCentre, MarkerCentre) is the point it marks.
class MarkerImage : public QWidget {
    Q_OBJECT
public:
    MarkerImage(const QString& resource, QWidget* parent = nullptr);

signals:
    void MouseMoved(int x, int y, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
    void MousePressed(int x, int y);
    void MouseReleased(int x, int y);
    void Clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPixmap picture_;
    bool pressedInside_ = false;
};

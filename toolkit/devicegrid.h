#pragma once

#include <QImage>
#include <QPainter>
#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QTransform>

#include <cmath>

// Lines an off-screen buffer up with the device pixels of the surface a widget is painted on.
// At a fractional scale a widget's origin can fall inside a device pixel (at 1.5 every odd
// logical position does). A buffer made from the widget's own origin would then land half a
// device pixel off the grid its neighbours are drawn on: every edge one device pixel away from
// where they put theirs, and the last column or row cut off. The buffer instead starts at the
// device pixel that holds the origin, and its content is drawn `phase` further in.
class DeviceGrid {
public:
    DeviceGrid() = default;
    // A buffer of the widget's logical size; phase as returned by phaseOf().
    DeviceGrid(QSize logicalSize, qreal ratio, QPointF phase = QPointF())
        : m_phase(phase), m_ratio(ratio), m_logicalSize(logicalSize)
    {
    }
    // The grid of the painter open on the widget.
    DeviceGrid(const QPainter &screen, QSize logicalSize, qreal ratio)
        : DeviceGrid(logicalSize, ratio, phaseOf(screen))
    {
    }

    // Where the painter's origin lies inside a device pixel, in device pixels (0 or, at 1.5, 0.5).
    static QPointF phaseOf(const QPainter &screen)
    {
        const QPointF origin = screen.deviceTransform().map(QPointF(0, 0));
        return QPointF(fraction(origin.x()), fraction(origin.y()));
    }

    // Device pixels the buffer needs: the widget's area from the start of the pixel holding its origin.
    QSize bufferSize() const
    {
        return QSize(int(std::ceil(m_phase.x() + m_logicalSize.width() * m_ratio - kSlack)),
                     int(std::ceil(m_phase.y() + m_logicalSize.height() * m_ratio - kSlack)));
    }
    QPointF phase() const { return m_phase; }
    bool operator==(const DeviceGrid &other) const
    {
        return m_phase == other.m_phase && m_ratio == other.m_ratio && m_logicalSize == other.m_logicalSize;
    }

    // Makes the logical coordinates of a painter on the buffer (of this grid's ratio) the widget's.
    void align(QPainter &canvas) const { canvas.translate(m_phase / m_ratio); }

    // A logical offset rounded to whole device pixels of the painter's surface. Text drawn again
    // at such an offset (a shadow, an engraving) is the same smoothed text moved; at a fractional
    // offset (an odd one at 1.5 times the scale) the font system would smooth it afresh, softer.
    static QPointF wholeDevicePixels(const QPainter &painter, QPointF offset)
    {
        const QTransform device = painter.deviceTransform();
        const qreal sx = device.m11() != 0 ? device.m11() : 1.0;
        const qreal sy = device.m22() != 0 ? device.m22() : 1.0;
        return QPointF(qRound(offset.x() * sx) / sx, qRound(offset.y() * sy) / sy);
    }

    // Copies the buffer onto the widget device pixel for device pixel, unscaled.
    static void draw(QPainter &screen, const QImage &buffer)
    {
        const QTransform device = screen.deviceTransform();
        const QPointF origin = device.map(QPointF(0, 0));
        const QPointF start(origin.x() - fraction(origin.x()), origin.y() - fraction(origin.y()));
        screen.save();
        // Device coordinates from here on; the image's own ratio plays no part with explicit rectangles.
        screen.setWorldTransform(QTransform::fromTranslate(start.x(), start.y()) * device.inverted()
                                 * screen.worldTransform());
        const QRectF all(0, 0, buffer.width(), buffer.height());
        screen.drawImage(all, buffer, all);
        screen.restore();
    }

    // Draws `image` scaled into the logical rectangle `target`, nearest pixel, so that every
    // device pixel whose centre lies in the target takes the image pixel under that centre; a
    // centre on the edge between two pixels belongs to the later one, the rule by which filled
    // rectangles are rasterised too. The image's pixels then fill the same device pixels as
    // rectangles of their logical size would, at any scale. (The raster engine's own scaling
    // settles such ties in ways that differ between its paths and its versions: at 1.5 times the
    // scale a picture could start half a device pixel off.) Where every image pixel becomes a
    // whole block of device pixels there is no tie, and the engine draws it as it is.
    static void drawScaled(QPainter &painter, const QRect &target, const QImage &image, QRect source = QRect());

private:
    static constexpr qreal kSlack = 1e-6;
    // The part of a device coordinate past the pixel edge before it; coordinates a rounding
    // error away from an edge count as on it.
    static qreal fraction(qreal v)
    {
        const qreal edge = std::floor(v + kSlack);
        const qreal f = v - edge;
        return f < kSlack ? 0.0 : f;
    }

    QPointF m_phase;
    qreal m_ratio = 1.0;
    QSize m_logicalSize;
};

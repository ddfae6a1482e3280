#pragma once

#include <QImage>
#include <QPainter>
#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <vector>

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
    static void drawScaled(QPainter &painter, const QRect &target, const QImage &image, QRect source = QRect())
    {
        if (source.isNull())
            source = image.rect();
        if (target.isEmpty() || source.isEmpty() || image.isNull())
            return;
        const QTransform device = painter.deviceTransform();
        if (device.type() > QTransform::TxScale) {
            painter.drawImage(target, image, source);
            return;
        }
        const qreal left = device.m11() * target.left() + device.dx();
        const qreal right = device.m11() * (target.left() + target.width()) + device.dx();
        const qreal top = device.m22() * target.top() + device.dy();
        const qreal bottom = device.m22() * (target.top() + target.height()) + device.dy();
        const auto whole = [](qreal v) { return std::abs(v - std::round(v)) < kSlack; };
        const auto blocks = [&](qreal from, qreal to, int count) {
            return whole(from) && whole(to) && int(std::lround(to - from)) % count == 0;
        };
        if (blocks(left, right, source.width()) && blocks(top, bottom, source.height())) {
            painter.drawImage(target, image, source);
            return;
        }
        // Device pixels d whose centre d + 0.5 lies in [from, to), and the source pixel of each.
        const auto pixelMap = [](qreal from, qreal to, int count, int &first) {
            first = int(std::ceil(from - 0.5 - kSlack));
            const int end = int(std::ceil(to - 0.5 - kSlack));
            std::vector<int> map(std::size_t(std::max(0, end - first)));
            const qreal step = (to - from) / count;
            for (std::size_t i = 0; i < map.size(); ++i) {
                const int k = int(std::floor((first + int(i) + 0.5 - from) / step + kSlack));
                map[i] = std::clamp(k, 0, count - 1);
            }
            return map;
        };
        int x0 = 0, y0 = 0;
        const std::vector<int> columns = pixelMap(left, right, source.width(), x0);
        const std::vector<int> rows = pixelMap(top, bottom, source.height(), y0);
        if (columns.empty() || rows.empty())
            return;
        const QImage::Format format = image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
        const QImage from = image.format() == format ? image : image.convertToFormat(format);
        QImage scaled(int(columns.size()), int(rows.size()), format);
        if (scaled.isNull())
            return;
        for (int y = 0; y < scaled.height(); ++y) {
            const auto *in = reinterpret_cast<const QRgb *>(from.constScanLine(source.top() + rows[std::size_t(y)])) + source.left();
            auto *out = reinterpret_cast<QRgb *>(scaled.scanLine(y));
            for (int x = 0; x < scaled.width(); ++x)
                out[x] = in[columns[std::size_t(x)]];
        }
        painter.save();
        painter.setWorldTransform(QTransform::fromTranslate(x0, y0) * device.inverted() * painter.worldTransform());
        const QRectF all(0, 0, scaled.width(), scaled.height());
        painter.drawImage(all, scaled, all);
        painter.restore();
    }

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

#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>
#include <QWidget>

#include <cmath>

// Reads a grabbed widget image in logical pixels, at any device pixel ratio. A logical pixel's
// core is the device pixels that lie wholly inside it: at ratio 2 all four, at ratio 1.5 one or
// more. At a fractional ratio a device pixel on the border of two logical pixels belongs to either;
// a crisp drawing gives it the colour of one of them, a blurred one a mix of both.
class PixelProbe {
public:
    explicit PixelProbe(const QImage &image)
        : m_image(image.convertToFormat(QImage::Format_RGB32)), m_ratio(qMax(1.0, image.devicePixelRatio()))
    {
    }
    static PixelProbe of(QWidget &widget) { return PixelProbe(widget.grab().toImage()); }

    qreal ratio() const { return m_ratio; }
    QSize logicalSize() const
    {
        return QSize(qRound(m_image.width() / m_ratio), qRound(m_image.height() / m_ratio));
    }

    // The colour of logical pixel (x, y), or 0 (transparent black, never drawn here) when its
    // core is not of one colour or a border pixel beside it mixes it with its neighbour.
    QRgb at(int x, int y) const
    {
        const QRgb c = core(x, y);
        if (c == 0)
            return 0;
        const auto crisp = [&](int dx, int dy) {
            // The device pixels between (x, y) and its neighbour (x + dx, y + dy), if any.
            const QRgb neighbour = core(x + dx, y + dy);
            if (neighbour == 0)
                return true; // nothing uniform to compare with (text, or outside the picture)
            const auto ok = [&](int i, int j) {
                if (i < 0 || j < 0 || i >= m_image.width() || j >= m_image.height())
                    return true;
                const QRgb p = m_image.pixel(i, j) | 0xFF000000u;
                return p == c || p == neighbour;
            };
            // The cores touch when the device pixel just outside this core is the first of the
            // neighbour's (right, down) or the last of it (left, up).
            if (dx != 0) {
                const int column = dx > 0 ? last(x) : first(x) - 1;
                if (column == (dx > 0 ? first(x + 1) : last(x - 1) - 1))
                    return true;
                for (int j = first(y); j < last(y); ++j)
                    if (!ok(column, j))
                        return false;
            } else {
                const int row = dy > 0 ? last(y) : first(y) - 1;
                if (row == (dy > 0 ? first(y + 1) : last(y - 1) - 1))
                    return true;
                for (int i = first(x); i < last(x); ++i)
                    if (!ok(i, row))
                        return false;
            }
            return true;
        };
        return crisp(-1, 0) && crisp(1, 0) && crisp(0, -1) && crisp(0, 1) ? c : 0;
    }

    // Empty when every logical pixel of r is crisp and of colour c; else where and what differs.
    QString uniform(const QRect &r, QRgb c) const
    {
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                if (at(x, y) != (c | 0xFF000000u))
                    return QStringLiteral("(%1,%2) is %3, expected %4")
                        .arg(x).arg(y).arg(describe(at(x, y)), describe(c));
        return {};
    }

    // The logical bounding box of the pixels of r's cores that are not exactly `background`.
    QRect boundsOfOther(const QRect &r, QRgb background) const
    {
        QRect box;
        for (int y = first(r.top()); y < last(r.bottom()); ++y)
            for (int x = first(r.left()); x < last(r.right()); ++x)
                if ((m_image.pixel(x, y) | 0xFF000000u) != (background | 0xFF000000u))
                    box |= QRect(int(x / m_ratio), int(y / m_ratio), 1, 1);
        return box;
    }

    // Device pixels of r's cores within `tolerance` per channel of c.
    int countNear(const QRect &r, QRgb c, int tolerance) const
    {
        int n = 0;
        for (int y = first(r.top()); y < last(r.bottom()); ++y)
            for (int x = first(r.left()); x < last(r.right()); ++x) {
                const QRgb p = m_image.pixel(x, y);
                if (qAbs(qRed(p) - qRed(c)) <= tolerance && qAbs(qGreen(p) - qGreen(c)) <= tolerance
                    && qAbs(qBlue(p) - qBlue(c)) <= tolerance)
                    ++n;
            }
        return n;
    }

    // The grabbed image in device pixels (as RGB32), for ink the font system smooths: text has
    // no one colour per logical pixel, so it is measured where it lands on the device.
    const QImage &image() const { return m_image; }

    // The device pixels that lie wholly or partly inside logical rect r, clipped to the picture.
    QRect deviceRect(const QRect &r) const
    {
        const int left = int(std::floor(r.left() * m_ratio + 1e-9));
        const int top = int(std::floor(r.top() * m_ratio + 1e-9));
        const int right = int(std::ceil((r.right() + 1) * m_ratio - 1e-9));
        const int bottom = int(std::ceil((r.bottom() + 1) * m_ratio - 1e-9));
        return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)) & m_image.rect();
    }

    // The bounding box, in device pixels, of the device pixels of deviceRect(r) whose colour
    // satisfies pred (a QColor predicate); empty when none does.
    template <typename Pred>
    QRect deviceBoundsWhere(const QRect &r, Pred pred) const
    {
        const QRect area = deviceRect(r);
        QRect box;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (pred(m_image.pixelColor(x, y)))
                    box |= QRect(x, y, 1, 1);
        return box;
    }

    static QString describe(QRgb c)
    {
        if (c == 0)
            return QStringLiteral("blurred");
        return QStringLiteral("rgb(%1,%2,%3)").arg(qRed(c)).arg(qGreen(c)).arg(qBlue(c));
    }

private:
    // The core of logical coordinate v: device pixels [first(v), last(v)).
    int first(int v) const { return int(std::ceil(v * m_ratio - 1e-9)); }
    int last(int v) const { return int(std::floor((v + 1) * m_ratio + 1e-9)); }

    // The colour of the core of logical pixel (x, y), or 0 when it is not one colour or lies
    // outside the picture.
    QRgb core(int x, int y) const
    {
        if (x < 0 || y < 0 || last(x) > m_image.width() || last(y) > m_image.height())
            return 0;
        const QRgb c = m_image.pixel(first(x), first(y)) | 0xFF000000u;
        for (int j = first(y); j < last(y); ++j)
            for (int i = first(x); i < last(x); ++i)
                if ((m_image.pixel(i, j) | 0xFF000000u) != c)
                    return 0;
        return c;
    }

    QImage m_image;
    qreal m_ratio;
};

// The ring of rect as four strips: top without its right pixel, left without its bottom pixel,
// right and bottom whole.
struct Ring {
    QRect top, left, right, bottom;
    explicit Ring(const QRect &r)
        : top(r.left(), r.top(), r.width() - 1, 1), left(r.left(), r.top(), 1, r.height() - 1),
          right(r.right(), r.top(), 1, r.height()), bottom(r.left(), r.bottom(), r.width(), 1)
    {
    }
};

// The widget as drawn, one pixel per logical pixel whatever the scale (a sample of each).
inline QImage logicalGrab(QWidget *widget)
{
    return widget->grab().toImage().scaled(widget->size(), Qt::IgnoreAspectRatio, Qt::FastTransformation)
        .convertToFormat(QImage::Format_RGB32);
}

#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>
#include <QWidget>

// Reads a grabbed widget image in logical pixels. At a device pixel ratio above 1 a logical
// pixel is crisp when all of its device pixels agree; a blurred edge fails that.
class PixelProbe {
public:
    explicit PixelProbe(const QImage &image)
        : m_image(image.convertToFormat(QImage::Format_RGB32)), m_ratio(qMax(1, qRound(image.devicePixelRatio())))
    {
    }
    static PixelProbe of(QWidget &widget) { return PixelProbe(widget.grab().toImage()); }

    int ratio() const { return m_ratio; }
    QSize logicalSize() const { return m_image.size() / m_ratio; }

    // The colour of logical pixel (x, y), or 0 (transparent black, never drawn here) when its
    // device pixels differ.
    QRgb at(int x, int y) const
    {
        const QRgb first = m_image.pixel(x * m_ratio, y * m_ratio) | 0xFF000000u;
        for (int dy = 0; dy < m_ratio; ++dy)
            for (int dx = 0; dx < m_ratio; ++dx)
                if ((m_image.pixel(x * m_ratio + dx, y * m_ratio + dy) | 0xFF000000u) != first)
                    return 0;
        return first;
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

    // The logical bounding box of the pixels of r that are not exactly `background`.
    QRect boundsOfOther(const QRect &r, QRgb background) const
    {
        QRect box;
        for (int y = r.top() * m_ratio; y < (r.bottom() + 1) * m_ratio; ++y)
            for (int x = r.left() * m_ratio; x < (r.right() + 1) * m_ratio; ++x)
                if ((m_image.pixel(x, y) | 0xFF000000u) != (background | 0xFF000000u))
                    box |= QRect(x / m_ratio, y / m_ratio, 1, 1);
        return box;
    }

    // Device pixels of r within `tolerance` per channel of c.
    int countNear(const QRect &r, QRgb c, int tolerance) const
    {
        int n = 0;
        for (int y = r.top() * m_ratio; y < (r.bottom() + 1) * m_ratio; ++y)
            for (int x = r.left() * m_ratio; x < (r.right() + 1) * m_ratio; ++x) {
                const QRgb p = m_image.pixel(x, y);
                if (qAbs(qRed(p) - qRed(c)) <= tolerance && qAbs(qGreen(p) - qGreen(c)) <= tolerance
                    && qAbs(qBlue(p) - qBlue(c)) <= tolerance)
                    ++n;
            }
        return n;
    }

    static QString describe(QRgb c)
    {
        if (c == 0)
            return QStringLiteral("blurred");
        return QStringLiteral("rgb(%1,%2,%3)").arg(qRed(c)).arg(qGreen(c)).arg(qBlue(c));
    }

private:
    QImage m_image;
    int m_ratio;
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

#pragma once

#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>

#include <optional>

namespace tk {

// Makes target a 32-bit copy of image in which every pixel of the key's colour (its alpha aside)
// is fully transparent: how the program's bitmaps mark their see-through parts. An indexed image
// is keyed through its colour table. A target that already has the size of a 32-bit image keeps
// its memory, so that a picture keyed again and again (each frame of an animation) costs no
// allocation. Header-only, so that the GIF codec, which links no widgets, shares it.
inline void keyOut(const QImage &image, QRgb key, QImage &target)
{
    const QRgb rgb = key & 0x00FFFFFFu;
    if (image.colorCount() > 0) {
        QImage indexed = image;
        QList<QRgb> colors = indexed.colorTable();
        for (QRgb &c : colors)
            if ((c & 0x00FFFFFFu) == rgb)
                c = 0;
        indexed.setColorTable(colors);
        target = indexed.convertToFormat(QImage::Format_ARGB32);
        return;
    }
    const bool direct = image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32;
    // A 32-bit picture without alpha reads as opaque whatever its top byte holds.
    const QRgb alpha = image.format() == QImage::Format_RGB32 ? 0xFF000000u : 0u;
    if (!direct)
        target = image.convertToFormat(QImage::Format_ARGB32);
    else if (target.size() != image.size() || target.format() != QImage::Format_ARGB32)
        target = QImage(image.size(), QImage::Format_ARGB32);
    if (target.isNull())
        return;
    const QImage &source = direct ? image : target;
    const int width = target.width();
    for (int y = 0; y < target.height(); ++y) {
        auto *to = reinterpret_cast<QRgb *>(target.scanLine(y));
        const auto *from = reinterpret_cast<const QRgb *>(source.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            const QRgb c = from[x] | alpha;
            to[x] = (c & 0x00FFFFFFu) == rgb ? 0u : c;
        }
    }
}

// Writes an opaque 32-bit picture (RGB32) unscaled onto a 32-bit target with its top-left corner
// at `at`, clipped to the target, leaving out the pixels of the key's colour when a key is given:
// what drawing its keyed copy (keyOut) there would give, without making the copy.
inline void drawKeyed(const QImage &picture, std::optional<QRgb> key, QImage &target, QPoint at)
{
    const QRect area = QRect(at, picture.size()) & target.rect();
    if (area.isEmpty() || picture.format() != QImage::Format_RGB32 || target.depth() != 32)
        return;
    const QRgb rgb = key.value_or(0) & 0x00FFFFFFu;
    const int width = area.width();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const auto *from = reinterpret_cast<const QRgb *>(picture.constScanLine(y - at.y())) + (area.left() - at.x());
        auto *to = reinterpret_cast<QRgb *>(target.scanLine(y)) + area.left();
        if (!key) {
            for (int x = 0; x < width; ++x)
                to[x] = from[x] | 0xFF000000u;
            continue;
        }
        for (int x = 0; x < width; ++x)
            if ((from[x] & 0x00FFFFFFu) != rgb)
                to[x] = from[x] | 0xFF000000u;
    }
}

// A keyed copy of image (see keyOut).
inline QImage keyedOut(const QImage &image, QRgb key)
{
    QImage out;
    keyOut(image, key, out);
    return out;
}

// A keyed copy of a picture that carries its own key: the colour of its bottom-left pixel.
inline QImage keyedOutByCorner(const QImage &picture)
{
    return picture.isNull() ? picture : keyedOut(picture, picture.pixel(0, picture.height() - 1));
}

} // namespace tk

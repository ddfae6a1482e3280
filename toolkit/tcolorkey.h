#pragma once

#include <QImage>
#include <QList>

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
    for (int y = 0; y < target.height(); ++y) {
        auto *to = reinterpret_cast<QRgb *>(target.scanLine(y));
        const auto *from = reinterpret_cast<const QRgb *>(source.constScanLine(y));
        for (int x = 0; x < target.width(); ++x) {
            const QRgb c = from[x] | alpha;
            to[x] = (c & 0x00FFFFFFu) == rgb ? 0u : c;
        }
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

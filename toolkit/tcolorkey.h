#pragma once

#include <QImage>
#include <QList>

namespace tk {

// A 32-bit copy of image in which every pixel of the key's colour (its alpha aside) is fully
// transparent: how the program's bitmaps mark their see-through parts. An indexed image is keyed
// through its colour table. Header-only, so that the GIF codec, which links no widgets, shares it.
inline QImage keyedOut(const QImage &image, QRgb key)
{
    const QRgb rgb = key & 0x00FFFFFFu;
    if (image.colorCount() > 0) {
        QImage indexed = image;
        QList<QRgb> colors = indexed.colorTable();
        for (QRgb &c : colors)
            if ((c & 0x00FFFFFFu) == rgb)
                c = 0;
        indexed.setColorTable(colors);
        return indexed.convertToFormat(QImage::Format_ARGB32);
    }
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if ((line[x] & 0x00FFFFFFu) == rgb)
                line[x] = 0;
    }
    return out;
}

} // namespace tk

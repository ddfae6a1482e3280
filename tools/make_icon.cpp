// Draws the program's icon, an atom in the 16 classic colours, at any size (32 x 32 is the
// program's own; larger renderings are for desktop menus) and writes it as a PNG.
#include "tools/sixteencolours.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>

#include <cstdio>
#include <cstdlib>

namespace {

QImage drawIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, size > 32);
    p.scale(size / 32.0, size / 32.0);
    // A tile face: blue square with a lighter bevel, like the table's own tiles.
    p.fillRect(QRectF(1, 1, 30, 30), QColor(0, 0, 128));
    p.fillRect(QRectF(1, 1, 30, 1), QColor(0, 255, 255));
    p.fillRect(QRectF(1, 1, 1, 30), QColor(0, 255, 255));
    p.fillRect(QRectF(1, 30, 30, 1), QColor(0, 0, 0));
    p.fillRect(QRectF(30, 1, 1, 30), QColor(0, 0, 0));
    QPen orbit(QColor(255, 255, 0), 1.4);
    p.setPen(orbit);
    p.setBrush(Qt::NoBrush);
    for (int angle : {0, 60, 120}) {
        QTransform t;
        t.translate(16, 16);
        t.rotate(angle);
        p.setTransform(t * QTransform::fromScale(size / 32.0, size / 32.0));
        p.drawEllipse(QRectF(-12, -5, 24, 10));
    }
    p.resetTransform();
    p.scale(size / 32.0, size / 32.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 0, 0));
    p.drawEllipse(QRectF(13, 13, 6, 6));
    p.setBrush(QColor(255, 255, 255));
    p.drawEllipse(QRectF(26, 14.5, 3, 3));
    p.drawEllipse(QRectF(8, 4, 3, 3));
    p.end();
    if (size == 32) {
        // The program's own icon keeps to 16 colours with a one-bit mask.
        QImage indexed = image.convertToFormat(QImage::Format_Indexed8, sixteenColours(), Qt::ThresholdDither);
        QImage mask = image.createAlphaMask(Qt::ThresholdAlphaDither);
        QImage out = indexed.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                if (mask.pixelIndex(x, y) == 0)
                    out.setPixel(x, y, qRgba(0, 0, 0, 0));
        return out;
    }
    return image;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_icon SIZE OUT.png\n");
        return 2;
    }
    QGuiApplication app(argc, argv);
    const int size = std::atoi(argv[1]);
    if (size < 16 || size > 1024) {
        std::fprintf(stderr, "make_icon: size must be 16 to 1024\n");
        return 2;
    }
    return drawIcon(size).save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
}

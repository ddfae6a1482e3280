// Draws the about dialog's pictures and writes them as PNGs into the given folder: the maker's
// logo (50 x 39, 24-bit, white background), the credits emblem (21 x 17, 16 colours, silver
// background) and the "Tamam" button's tick (16 x 16, red, and its grey disabled copy, on purple).
// The background colours are kept in the files; the dialog keys them out when it loads them.
#include <QDir>
#include "tools/sixteencolours.h"

#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <array>
#include <cstdio>

namespace {

// '.' is the silver background, 'b' blue, 'n' navy, 'l' lime.
constexpr std::array<const char *, 17> Emblem{
    ".........lll.........",
    ".......ll...ll.......",
    "......l.......l......",
    ".bbb.l..bbbbb..l.bbb.",
    "b...bl.b.....b.lb...b",
    "b....bb.......bb....b",
    ".b..l.bb..n..bb.l..b.",
    "..bl...bb.n.bb...lb..",
    "..l......nnn......l..",
    "..bl...bb.n.bb...lb..",
    ".b..l.bb..n..bb.l..b.",
    "b....bb.......bb....b",
    "b...bl.b.....b.lb...b",
    ".bbb.l..bbbbb..l.bbb.",
    "......l.......l......",
    ".......ll...ll.......",
    ".........lll.........",
};

// '.' is the purple background, 'x' the tick, 'o' its dark outline.
constexpr std::array<const char *, 16> Tick{
    "................",
    "................",
    "............oo..",
    "...........oxxo.",
    "..........oxxxo.",
    ".........oxxxo..",
    "..oo....oxxxo...",
    ".oxxo..oxxxo....",
    ".oxxxooxxxo.....",
    "..oxxxxxxo......",
    "...oxxxxo.......",
    "....oxxo........",
    ".....oo.........",
    "................",
    "................",
    "................",
};

QImage emblem()
{
    QImage image(21, 17, QImage::Format_Indexed8);
    image.setColorTable(sixteenColours());
    for (int y = 0; y < 17; ++y) {
        for (int x = 0; x < 21; ++x) {
            int index = 7; // silver
            switch (Emblem[y][x]) {
            case 'b': index = 12; break;
            case 'n': index = 4; break;
            case 'l': index = 10; break;
            default: break;
            }
            image.setPixel(x, y, uint(index));
        }
    }
    return image;
}

QImage tick(bool disabled)
{
    QImage image(16, 16, QImage::Format_RGB888);
    const QColor purple(128, 0, 128);
    const QColor face = disabled ? QColor(128, 128, 128) : QColor(255, 0, 0);
    const QColor edge = disabled ? QColor(255, 255, 255) : QColor(128, 0, 0);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const char c = Tick[y][x];
            image.setPixelColor(x, y, c == 'x' ? face : c == 'o' ? edge : purple);
        }
    }
    return image;
}

// The maker's mark: a blue shield with a white "K" and a lime sweep under it, on white.
QImage logo()
{
    QImage image(50, 39, QImage::Format_RGB888);
    image.fill(Qt::white);
    QPainter p(&image);
    // Hard edges, so that the white that the dialog keys out meets the picture without a halo.
    p.setRenderHint(QPainter::Antialiasing, false);

    QPainterPath shield;
    shield.moveTo(8, 2);
    shield.lineTo(42, 2);
    shield.lineTo(42, 20);
    shield.quadTo(42, 32, 25, 37);
    shield.quadTo(8, 32, 8, 20);
    shield.closeSubpath();
    QLinearGradient blue(0, 2, 0, 37);
    blue.setColorAt(0, QColor(40, 90, 230));
    blue.setColorAt(1, QColor(0, 0, 120));
    p.fillPath(shield, blue);
    p.setPen(QPen(QColor(0, 0, 80), 1));
    p.drawPath(shield);

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 250, 250));
    p.drawRect(17, 8, 4, 20);
    QPolygon upper({QPoint(21, 18), QPoint(30, 8), QPoint(35, 8), QPoint(24, 19)});
    QPolygon lower({QPoint(23, 17), QPoint(35, 28), QPoint(30, 28), QPoint(21, 20)});
    p.drawPolygon(upper);
    p.drawPolygon(lower);

    p.setBrush(QColor(0, 220, 60));
    QPainterPath sweep;
    sweep.moveTo(1, 30);
    sweep.quadTo(25, 40, 49, 24);
    sweep.quadTo(25, 36, 1, 30);
    p.drawPath(sweep);
    p.end();
    return image;
}

bool save(const QImage &image, const QDir &dir, const char *name)
{
    const QString path = dir.filePath(QString::fromLatin1(name));
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_about_pictures <folder>\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    const bool ok = save(logo(), dir, "about_logo.png") && save(emblem(), dir, "about_emblem.png")
                    && save(tick(false), dir, "about_tick.png") && save(tick(true), dir, "about_tick_disabled.png");
    return ok ? 0 : 1;
}

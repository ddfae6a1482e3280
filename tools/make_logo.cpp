// Draws the program's animated logo (an atom whose electrons circle the nucleus) and writes it as
// a GIF89a file with the program's own GIF writer.
#include "gif/tgifquantizer.h"
#include "gif/tgifwriter.h"
#include "projectversion.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTransform>

#include <cmath>
#include <cstdio>
#include <numbers>
#include <vector>

namespace {

constexpr int Width = 93;
constexpr int Height = 80;
constexpr int FrameCount = 36;
constexpr int KeyIndex = 0;          // the frames' transparent index
constexpr int BackgroundIndex = 9;   // white
constexpr int MaxSeeThrough = 180;   // unchanged pixels per frame left to show the previous frame
const QRgb KeyColor = qRgb(2, 2, 64);

struct Orbit {
    double tilt;   // degrees
    double phase;  // the electron's starting angle, degrees
    QColor electron;
};
const Orbit orbits[] = {
    {0, 0, QColor(30, 90, 220)},
    {60, 120, QColor(20, 150, 60)},
    {120, 240, QColor(230, 140, 0)},
};
constexpr double OrbitA = 39;
constexpr double OrbitB = 13.5;
const QPointF centre(46.5, 40.0);

QPointF electronAt(const Orbit &orbit, double degrees)
{
    const double t = degrees * std::numbers::pi / 180;
    const QTransform rotate = QTransform().rotate(orbit.tilt);
    return centre + rotate.map(QPointF(OrbitA * std::cos(t), OrbitB * std::sin(t)));
}

void drawBall(QPainter &p, QPointF at, double r, QColor colour)
{
    QRadialGradient g(at - QPointF(r * 0.35, r * 0.35), r * 1.3);
    g.setColorAt(0, colour.lighter(175));
    g.setColorAt(0.5, colour);
    g.setColorAt(1, colour.darker(160));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(at, r, r);
}

void drawNucleus(QPainter &p)
{
    static const struct {
        double dx, dy;
        bool proton;
    } particles[] = {{-3.2, -2.0, true}, {3.0, -2.6, false}, {0.2, 3.4, true},  {-3.6, 2.8, false},
                     {3.6, 2.4, true},   {0.0, -4.4, true},  {0.0, 0.0, false}};
    for (const auto &n : particles)
        drawBall(p, centre + QPointF(n.dx, n.dy), 3.4, n.proton ? QColor(210, 30, 30) : QColor(125, 125, 150));
}

QImage drawFrame(int index)
{
    QImage image(Width, Height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double turn = 360.0 * index / FrameCount;

    // Electrons on the far half of their orbit pass behind the nucleus.
    auto electrons = [&](bool front) {
        for (const Orbit &orbit : orbits) {
            const double angle = orbit.phase + turn;
            if ((std::sin(angle * std::numbers::pi / 180) >= 0) == front)
                drawBall(p, electronAt(orbit, angle), 3.6, orbit.electron);
        }
    };
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(40, 50, 120), 1.1));
    for (const Orbit &orbit : orbits) {
        p.save();
        p.translate(centre);
        p.rotate(orbit.tilt);
        p.drawEllipse(QPointF(0, 0), OrbitA, OrbitB);
        p.restore();
    }
    electrons(false);
    drawNucleus(p);
    electrons(true);
    return image;
}

// A 256-entry table: the key colour at 0, white at the background index, the picture's colours
// in the other entries; indices are remapped to match.
TGIFColorTable tableFor(const QImage &frame, std::vector<std::uint8_t> &indices)
{
    const TGIFQuantizer::Result q = TGIFQuantizer::quantize(frame, 254);
    TGIFColorTable table;
    table.Count = 256;
    auto set = [&](int at, QRgb c) {
        table.Entries[std::size_t(at)] = {std::uint8_t(qRed(c)), std::uint8_t(qGreen(c)), std::uint8_t(qBlue(c))};
    };
    std::vector<std::uint8_t> remap(q.colors.size());
    int next = 1;
    for (int i = 0; i < q.colors.size(); ++i) {
        QRgb c = q.colors[i];
        if (c == KeyColor)
            c = qRgb(3, 2, 64);  // only the key entry may have the key colour
        if (c == qRgb(255, 255, 255)) {
            remap[std::size_t(i)] = BackgroundIndex;
            continue;
        }
        if (next == BackgroundIndex)
            ++next;
        remap[std::size_t(i)] = std::uint8_t(next);
        set(next++, c);
    }
    set(KeyIndex, KeyColor);
    set(BackgroundIndex, qRgb(255, 255, 255));
    for (; next < 256; ++next)
        if (next != BackgroundIndex)
            set(next, qRgb(255, 255, 255 - next % 2));  // unused, distinct from the key
    indices.resize(q.indices.size());
    for (std::size_t i = 0; i < indices.size(); ++i)
        indices[i] = remap[q.indices[i]];
    return table;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_logo <output.gif>\n");
        return 2;
    }
    TGIFWriter writer;
    std::vector<QRgb> previous;
    for (int f = 0; f < FrameCount; ++f) {
        std::vector<std::uint8_t> indices;
        const TGIFColorTable table = tableFor(drawFrame(f), indices);
        std::vector<QRgb> colours(indices.size());
        for (std::size_t i = 0; i < indices.size(); ++i)
            colours[i] = qRgb(table.Entries[indices[i]][0], table.Entries[indices[i]][1], table.Entries[indices[i]][2]);
        if (f == 0) {
            TGIFWriter::ScreenOptions screen;
            screen.width = Width;
            screen.height = Height;
            screen.globalTable = &table;
            screen.colorResolution = 8;
            screen.backgroundIndex = BackgroundIndex;
            writer.writeScreen(screen);
            writer.writeLoopBlock(0);
        } else {
            // Frames are kept on screen (disposal 1), so a pixel the previous frame already showed
            // can be left see-through; a few of them are, spread over the picture.
            std::vector<std::size_t> unchanged;
            for (std::size_t i = 0; i < colours.size(); ++i)
                if (colours[i] == previous[i])
                    unchanged.push_back(i);
            const std::size_t take = std::min<std::size_t>(unchanged.size(), MaxSeeThrough);
            for (std::size_t k = 0; k < take; ++k)
                indices[unchanged[k * unchanged.size() / take]] = KeyIndex;
            if (take == 0) {
                std::fprintf(stderr, "frame %d changes every pixel\n", f + 1);
                return 1;
            }
        }
        previous = colours;
        writer.writeGraphicControl(1, true, KeyIndex, 10);
        TGIFWriter::ImageOptions image;
        image.width = Width;
        image.height = Height;
        image.localTable = f == 0 ? nullptr : &table;
        image.minCodeSize = 8;
        writer.writeImage(image, indices.data());
    }
    writer.writeComment({"Periyodik Cetvel s" PC_VERSION " - logo ve program: KORVANTA Yazilim, 2026"});
    writer.writeTrailer();

    QFile out(QString::fromLocal8Bit(argv[1]));
    if (!out.open(QIODevice::WriteOnly) || out.write(writer.bytes()) != writer.bytes().size()) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    std::printf("%s: %lld bytes\n", argv[1], static_cast<long long>(writer.bytes().size()));
    return 0;
}

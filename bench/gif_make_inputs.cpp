// Writes the large GIF files the decode benchmark reads: 500 x 500 pixels, 60 frames, in six
// kinds (plain, interlaced, local tables, 1-bit, transparent, noise), with the program's GIF writer.
#include "gif/tgifwriter.h"

#include <QDir>
#include <QFile>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <vector>

namespace {

constexpr int Size = 500;
constexpr int Frames = 60;

TGIFColorTable rampTable(int count, int shift)
{
    TGIFColorTable table;
    table.Count = std::uint32_t(count);
    for (int i = 0; i < count; ++i) {
        const int v = count == 2 ? i * 255 : i;
        table.Entries[std::size_t(i)] = {std::uint8_t(v), std::uint8_t((v + shift) & 0xFF), std::uint8_t(255 - v)};
    }
    return table;
}

// Smooth moving rings with a little noise: compresses about as well as a photo-like animation.
// The noisy kind is close to incompressible, the worst case for any LZW decoder.
void drawFrame(std::vector<std::uint8_t> &pixels, int frame, int colours, std::mt19937 &random, bool noisy)
{
    for (int y = 0; y < Size; ++y)
        for (int x = 0; x < Size; ++x) {
            const double d = std::hypot(x - 250.0 - 80 * std::cos(frame * 0.1), y - 250.0 - 60 * std::sin(frame * 0.13));
            const int v = noisy ? int(d * 1.7 + frame * 3) + int(random() % 5)
                                : int(d * 0.35 + frame * 2) + (random() % 16 == 0 ? int(random() % 3) : 0);
            pixels[std::size_t(y) * Size + std::size_t(x)] = std::uint8_t(colours == 2 ? (v / 24) & 1 : v % colours);
        }
}

QByteArray make(const char *kind)
{
    const bool interlaced = !std::strcmp(kind, "interlaced");
    const bool local = !std::strcmp(kind, "local-tables");
    const bool oneBit = !std::strcmp(kind, "1bit");
    const bool transparent = !std::strcmp(kind, "transparent");
    const bool noisy = !std::strcmp(kind, "noise");
    const int colours = oneBit ? 2 : 256;
    std::mt19937 random(42);
    TGIFWriter writer;
    const TGIFColorTable global = rampTable(colours, 0);
    TGIFWriter::ScreenOptions screen;
    screen.width = Size;
    screen.height = Size;
    screen.globalTable = &global;
    writer.writeScreen(screen);
    writer.writeLoopBlock(0);
    std::vector<std::uint8_t> pixels(std::size_t(Size) * Size);
    for (int f = 0; f < Frames; ++f) {
        drawFrame(pixels, f, colours, random, noisy);
        if (transparent)
            for (std::size_t i = 0; i < pixels.size(); i += 3)
                if (pixels[i] < 40)
                    pixels[i] = 0;
        writer.writeGraphicControl(1, transparent, 0, 4);
        const TGIFColorTable table = rampTable(colours, f * 4);
        TGIFWriter::ImageOptions image;
        image.width = Size;
        image.height = Size;
        image.interlaced = interlaced;
        image.localTable = local ? &table : nullptr;
        image.minCodeSize = oneBit ? 2 : 8;
        writer.writeImage(image, pixels.data());
    }
    writer.writeTrailer();
    return writer.bytes();
}

} // namespace

int main(int argc, char **argv)
{
    const QString dir = QString::fromLocal8Bit(argc > 1 ? argv[1] : "gif-bench-inputs");
    QDir().mkpath(dir);
    for (const char *kind : {"plain", "interlaced", "local-tables", "1bit", "transparent", "noise"}) {
        QFile out(dir + QStringLiteral("/%1.gif").arg(QLatin1String(kind)));
        const QByteArray bytes = make(kind);
        if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size()) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(out.fileName()));
            return 1;
        }
        std::printf("%s: %lld bytes\n", qPrintable(out.fileName()), static_cast<long long>(bytes.size()));
    }
    return 0;
}

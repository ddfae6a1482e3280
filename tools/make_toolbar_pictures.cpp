// Draws the dialogs' three 16 x 16 tool-bar pictures (open book, green door, blue door) pixel by
// pixel, with a one-bit transparent mask, and writes them as PNGs into the given folder, each also
// doubled pixel for pixel ("@2x") for screens at twice the scale.
#include <QDir>
#include <QGuiApplication>
#include <QHash>
#include <QImage>

#include <array>
#include <cstdio>

namespace {

using PixelMap = std::array<const char *, 16>;

// '.' is transparent; every other character is a colour of the picture's palette.
constexpr PixelMap Book{
    "................",
    "................",
    ".kkkk......kkkk.",
    "kwwwwkk..kkwwwwk",
    "kwggwwwkkwwwggwk",
    "kwwwwggwwggwwwwk",
    "kwggwwwkkwwwggwk",
    "kwwwwggwwggwwwwk",
    "kwggwwwkkwwwggwk",
    "kwwwwggwwggwwwwk",
    "kwggwwwkkwwwggwk",
    "kwwwwwwkkwwwwwwk",
    "kkkkwwwkkwwwkkkk",
    "kbbbkkkkkkkkbbbk",
    ".kbbbbbbbbbbbbk.",
    "..kkkkkkkkkkkk..",
};

constexpr PixelMap Door{
    "................",
    "..kkkkkkkkkkkk..",
    "..kffffffffffk..",
    "..kfkkkkkkkkfk..",
    "..kfkcccccckfk..",
    "..kfkchhhhckfk..",
    "..kfkchccsckfk..",
    "..kfkchccsckfk..",
    "..kfkcssssckfk..",
    "..kfkccccyckfk..",
    "..kfkchhhhckfk..",
    "..kfkchccsckfk..",
    "..kfkchccsckfk..",
    "..kfkcssssckfk..",
    "..kfkcccccckfk..",
    ".kkkkkkkkkkkkkk.",
};

QImage draw(const PixelMap &map, const QHash<char, QRgb> &palette)
{
    QImage image(16, 16, QImage::Format_ARGB32);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const char c = map[std::size_t(y)][x];
            image.setPixel(x, y, c == '.' ? qRgba(0, 0, 0, 0) : palette.value(c));
        }
    return image;
}

QHash<char, QRgb> doorPalette(QRgb face, QRgb light, QRgb dark)
{
    return {{'k', qRgb(0, 0, 0)}, {'f', qRgb(139, 90, 43)}, {'c', face},
            {'h', light},         {'s', dark},              {'y', qRgb(255, 216, 0)}};
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_toolbar_pictures <output folder>\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    const QHash<char, QRgb> bookPalette{
        {'k', qRgb(0, 0, 0)}, {'w', qRgb(255, 255, 255)}, {'g', qRgb(128, 128, 160)}, {'b', qRgb(192, 32, 32)}};
    const struct {
        const char *file;
        QImage image;
    } pictures[] = {
        {"book.png", draw(Book, bookPalette)},
        {"door-green.png", draw(Door, doorPalette(qRgb(40, 160, 40), qRgb(128, 224, 128), qRgb(16, 96, 16)))},
        {"door-blue.png", draw(Door, doorPalette(qRgb(48, 96, 208), qRgb(144, 176, 255), qRgb(16, 48, 112)))},
    };
    for (const auto &picture : pictures) {
        QString name = QString::fromLatin1(picture.file);
        const QString path = out.filePath(name);
        const QString doubled = out.filePath(name.replace(QStringLiteral(".png"), QStringLiteral("@2x.png")));
        if (!picture.image.save(path, "PNG") || !picture.image.scaled(32, 32).save(doubled, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}

// Prints what the program's GIF reader makes of a file: the image's fields, then one line per
// frame with a hash of its decoded pixel indices; or the error and the frames read before it.
// With --composed it also writes one frame as the animator shows it, over the frames before it.
#include "gif/tgifcomposer.h"
#include "gif/tgifimage.h"
#include "toolkit/error.h"
#include "toolkit/tcolorkey.h"

#include <QFile>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const char *versionName(TGIFVersion v)
{
    switch (v) {
    case TGIFVersion::V87a: return "87a";
    case TGIFVersion::V89a: return "89a";
    default: return "unknown";
    }
}

// FNV-1a over the frame's rows of indices (row padding left out).
quint64 indexHash(const QImage &picture)
{
    quint64 hash = 1469598103934665603ull;
    for (int y = 0; y < picture.height(); ++y) {
        const uchar *row = picture.constScanLine(y);
        for (int x = 0; x < picture.width(); ++x)
            hash = (hash ^ row[x]) * 1099511628211ull;
    }
    return hash;
}

void printFrame(TGIFImage &image, int i)
{
    TGIFFrame &frame = image.Frames(i);
    const TGIFItem &item = frame.Item();
    std::printf("frame %d: offset %d,%d size %dx%d interlaced %d local-table %d table-bits %d key %s delay-ms %d "
                "disposal %d",
                i + 1, frame.OffsetX(), frame.OffsetY(), item.StoredWidth, item.StoredHeight,
                frame.IsInterlaced(), frame.HasLocalTable(), item.TableBits,
                frame.KeyColor().isNone() ? "none"
                                          : qPrintable(QStringLiteral("%1").arg(frame.KeyColor().value(), 6, 16, QLatin1Char('0'))),
                frame.DelayMs(), int(frame.DisposalMode()));
    try {
        const QImage &picture = frame.bitmap();
        std::printf(" damaged %d indices %016llx\n", frame.IsDamaged(),
                    static_cast<unsigned long long>(indexHash(picture)));
    } catch (const tk::Error &e) {
        std::printf(" damaged %d error \"%s\"\n", frame.IsDamaged(), e.what());
    }
}

// Writes frame n (counted from 1) as a played animation shows it: the frames from the first one
// composed in turn, its see-through colour transparent. Returns the exit status.
int writeComposed(TGIFImage &image, int n, const char *path)
{
    if (n < 1 || n > image.FrameCount()) {
        std::fprintf(stderr, "gifdump: there is no frame %d of %d\n", n, image.FrameCount());
        return 2;
    }
    TGIFComposer composer(image);
    QImage shown;
    tk::TColor key;
    try {
        for (int i = 0; i < n; ++i)
            shown = composer.compose(i);
        key = composer.keyColor();
    } catch (const tk::Error &e) {
        std::fprintf(stderr, "gifdump: frame %d cannot be composed: %s\n", n, e.what());
        return 1;
    }
    if (shown.isNull()) {
        std::fprintf(stderr, "gifdump: the image has no logical screen to compose on\n");
        return 1;
    }
    if (!key.isNone())
        shown = tk::keyedOut(shown, key.rgb());
    if (!shown.save(QString::fromLocal8Bit(path), "PNG")) {
        std::fprintf(stderr, "gifdump: cannot write %s\n", path);
        return 2;
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    int composed = 0;
    const char *pngPath = nullptr;
    if (argc == 5 && std::strcmp(argv[1], "--composed") == 0) {
        composed = std::atoi(argv[2]);
        pngPath = argv[3];
        argv += 3;
        argc -= 3;
    }
    if (argc != 2) {
        std::fprintf(stderr, "usage: gifdump [--composed <frame> <out.png>] <file.gif>\n"
                             "  --composed writes the frame (counted from 1) over the frames before it, as the\n"
                             "  animator shows it when playing, its see-through colour transparent\n");
        return 2;
    }
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "gifdump: cannot open %s\n", argv[1]);
        return 2;
    }
    TGIFImage image;
    int status = 0;
    try {
        image.loadFromStream(file);
    } catch (const tk::Error &e) {
        std::printf("error: %s\n", e.what());
        std::printf("frames read before the error: %d\n", image.FrameCount());
        status = 1;
    }
    if (status == 0) {
        std::printf("version %s\n", versionName(image.FormatVersion()));
        std::printf("logical size %dx%d\n", image.LogicalWidth(), image.LogicalHeight());
        std::printf("background %s\n", image.ScreenBackground().isNone()
                                           ? "none"
                                           : qPrintable(QStringLiteral("%1").arg(image.ScreenBackground().value(), 6, 16, QLatin1Char('0'))));
        std::printf("loop block %d count %d\n", image.HasLoopBlock(), image.LoopCount());
        for (const QByteArray &line : image.Data().ImageComment)
            std::printf("comment \"%s\"\n", line.toPercentEncoding(" !#$&'()*+,-./:;=?@[]_~").constData());
        std::printf("frames %d\n", image.FrameCount());
    }
    for (int i = 0; i < image.FrameCount(); ++i)
        printFrame(image, i);
    if (pngPath != nullptr && status == 0)
        status = writeComposed(image, composed, pngPath);
    return status;
}

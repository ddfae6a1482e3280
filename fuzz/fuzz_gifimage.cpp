// libFuzzer entry: loads arbitrary bytes as a GIF, decodes and draws every frame, and composes
// every frame over the ones before it, in turn and afresh. A frame written straight onto a
// picture must give what a painter drawing it gives; a difference stops the run as a finding.
#include "gif/tgifcomposer.h"
#include "gif/tgifimage.h"
#include "toolkit/error.h"

#include <QImage>
#include <QPainter>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

// Pictures up to 64 KiB keep each run short; the limit's own path is still taken.
extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    TGIFImage::setPictureLimit(1 << 16);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    TGIFImage image;
    try {
        image.loadFromBytes(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
    } catch (const tk::Error &) {
    }
    QImage canvas(16, 16, QImage::Format_ARGB32);
    canvas.fill(0);
    QPainter painter(&canvas);
    for (int i = 0; i < image.FrameCount(); ++i) {
        try {
            TGIFFrame &frame = image.Frames(i);
            frame.draw(painter, QRect(0, 0, 16, 16), true);
            frame.draw(painter, QRect(0, 0, 16, 16), false);
            // Somewhere from partly off the top-left corner to partly off the bottom-right one.
            const QPoint at(frame.OffsetX() % 21 - 6, frame.OffsetY() % 21 - 6);
            for (const bool transparent : {true, false}) {
                QImage direct(16, 16, QImage::Format_RGB32);
                for (int y = 0; y < 16; ++y)
                    for (int x = 0; x < 16; ++x)
                        direct.setPixel(x, y, qRgb(16 * x, 16 * y, 255 - 16 * x));
                QImage painted = direct.copy();
                {
                    QPainter on(&painted);
                    frame.draw(on, QRect(at, frame.bitmap().size()), transparent);
                }
                frame.drawOnto(direct, at, transparent);
                if (direct != painted)
                    std::abort();
            }
        } catch (const tk::Error &) {
        }
    }
    try {
        image.draw(painter, QRect(0, 0, 16, 16));
        (void)image.palette();
    } catch (const tk::Error &) {
    }
    // Each frame as a played animation shows it (a frame that fails to decode makes the next one
    // start afresh), then the last one composed by a jump.
    TGIFComposer composer(image);
    for (int i = 0; i < image.FrameCount(); ++i) {
        try {
            composer.compose(i);
        } catch (const tk::Error &) {
        }
    }
    composer.clear();
    try {
        composer.compose(image.FrameCount() - 1);
    } catch (const tk::Error &) {
    }
    return 0;
}

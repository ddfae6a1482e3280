#include "gif/tgifcomposer.h"

#include "gif/tgifimage.h"
#include "toolkit/error.h"

#include <algorithm>

namespace {

QRect frameRect(TGIFFrame &frame)
{
    return QRect(frame.OffsetX(), frame.OffsetY(), frame.width(), frame.height());
}

void clearRect(QImage &picture, const QRect &rect, QRgb fill)
{
    const QRect area = rect & picture.rect();
    for (int y = area.top(); y <= area.bottom(); ++y)
        std::fill_n(reinterpret_cast<QRgb *>(picture.scanLine(y)) + area.left(), area.width(), fill | 0xFF000000u);
}

} // namespace

TGIFComposer::TGIFComposer(const TGIFImage &image) : m_image(image) {}

void TGIFComposer::clear()
{
    m_picture = QImage();
    m_index = -1;
    m_keyColor = tk::clNone;
}

const QImage &TGIFComposer::compose(int n)
{
    const int count = m_image.FrameCount();
    if (count == 0 || m_image.LogicalWidth() < 1 || m_image.LogicalHeight() < 1) {
        static const QImage none;
        return none;
    }
    n = std::clamp(n, 0, count - 1);
    // The frame already composed (painted again, or composed by another thread first) needs no
    // new composition.
    if (!m_picture.isNull() && n == m_index)
        return m_picture;
    if (!m_picture.isNull() && m_index >= 0 && n == m_index + 1
        && m_image.Frames(m_index).DisposalMode() != dmRestoreToPrevious)
        extend(n);
    else
        recompose(n);
    return m_picture;
}

void TGIFComposer::extend(int n)
{
    // On a failure the extended composition keeps its old index.
    TGIFFrame &previous = m_image.Frames(m_index);
    if (previous.DisposalMode() == dmRestoreToBackground)
        clearRect(m_picture, frameRect(previous), m_fill);
    TGIFFrame &frame = m_image.Frames(n);
    frame.drawOnto(m_picture, QPoint(frame.OffsetX(), frame.OffsetY()), true);
    m_index = n;
}

void TGIFComposer::recompose(int n)
{
    clear();
    ++m_recompositions;

    const int lw = m_image.LogicalWidth();
    const int lh = m_image.LogicalHeight();
    QImage picture(lw, lh, QImage::Format_RGB32);
    if (picture.isNull())
        throw tk::Error("Not enough memory to compose a GIF frame");
    const int count = m_image.FrameCount();
    const int selected = m_image.SelectedFrame();
    const tk::TColor key = selected >= 0 && selected < count ? m_image.Frames(selected).KeyColor() : tk::clNone;
    QRgb fill;
    if (!key.isNone())
        fill = key.rgb();
    else if (!m_image.ScreenBackground().isNone() && m_image.isTransparent())
        fill = m_image.ScreenBackground().rgb();
    else
        fill = m_windowColor;
    picture.fill(fill);

    // Nothing before the latest frame up to n that covers the whole screen and either hides all
    // beneath it (it has no key colour) or is cleared away before n can show: start there.
    int start = 0;
    for (int i = n; i >= 1; --i) {
        TGIFFrame &frame = m_image.Frames(i);
        if (frame.width() == lw && frame.height() == lh
            && (frame.KeyColor().isNone() || (frame.DisposalMode() == dmRestoreToBackground && i < n))) {
            start = i;
            break;
        }
    }

    for (int j = start; j < n; ++j) {
        TGIFFrame &frame = m_image.Frames(j);
        switch (frame.DisposalMode()) {
        case dmNotGiven:
        case dmDoNotDispose:
            frame.drawOnto(picture, QPoint(frame.OffsetX(), frame.OffsetY()), true);
            break;
        case dmRestoreToBackground:
            if (j > start)
                clearRect(picture, frameRect(frame), fill);
            break;
        default:
            // Restored to what lay before it, or a mode without a name: it does not show.
            break;
        }
    }
    TGIFFrame &frame = m_image.Frames(n);
    frame.drawOnto(picture, QPoint(frame.OffsetX(), frame.OffsetY()), true);

    m_picture = std::move(picture);
    m_fill = fill;
    m_index = n;
    m_keyColor = key;
}

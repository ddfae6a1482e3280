#include "gif/tgifframe.h"

#include "gif/tgifimage.h"
#include "gif/tlzwdecoder.h"
#include "toolkit/error.h"

#include <QPainter>

#include <new>
#include <vector>

TGIFFrame::TGIFFrame(TGIFImage *owner) : m_owner(owner), m_item(std::make_shared<TGIFItem>()) {}

TGIFFrame::~TGIFFrame() = default;

int TGIFFrame::pictureDepth() const
{
    const int bits = m_item->TableBits;
    if (bits == 1)
        return 1;
    if (bits >= 2 && bits <= 4)
        return 4;
    if (bits >= 5 && bits <= 8)
        return 8;
    return 0;
}

const QImage &TGIFFrame::bitmap()
{
    if (!m_decodedBitmap.isNull() || !hasCodedData())
        return m_decodedBitmap;
    const int depth = pictureDepth();
    if (depth == 0)
        throw tk::Error("Wrong number of colors; must be a power of 2");
    const int w = m_item->StoredWidth;
    const int h = m_item->StoredHeight;
    if (std::uint64_t(w) * std::uint64_t(h) * 4 > TGIFImage::pictureLimit())
        throw tk::Error(QStringLiteral("GIF frame too large: %1 x %2 pixels").arg(w).arg(h).toStdString());
    if (w == 0 || h == 0)
        return m_decodedBitmap;

    try {
        QImage picture(w, h, QImage::Format_Indexed8);
        if (picture.isNull())
            throw std::bad_alloc();
        QList<QRgb> colors(1 << depth, qRgb(128, 128, 128));
        for (int i = 0; i < colors.size() && std::uint32_t(i) < m_item->ColorTable.Count; ++i)
            colors[i] = m_item->ColorTable.color(i).rgb();
        picture.setColorTable(colors);

        const std::size_t count = std::size_t(w) * std::size_t(h);
        TLZWDecoder::Result result;
        if (!m_isInterlaced && picture.bytesPerLine() == w) {
            result = TLZWDecoder::decode(m_item->CodeStream, m_item->TableBits, picture.bits(), count);
        } else {
            std::vector<std::uint8_t> pixels(count);
            result = TLZWDecoder::decode(m_item->CodeStream, m_item->TableBits, pixels.data(), count);
            for (int row = 0; row < h; ++row) {
                const int target = m_isInterlaced ? TLZWDecoder::interlacedRow(row, h) : row;
                std::memcpy(picture.scanLine(target), pixels.data() + std::size_t(row) * std::size_t(w), std::size_t(w));
            }
        }
        m_isDamaged = m_isDamaged || result.damaged;
        m_decodedBitmap = std::move(picture);
    } catch (const std::bad_alloc &) {
        throw tk::Error(QStringLiteral("Not enough memory for a %1 x %2 GIF frame").arg(w).arg(h).toStdString());
    }
    return m_decodedBitmap;
}

int TGIFFrame::width()
{
    return bitmap().width();
}

int TGIFFrame::height()
{
    return bitmap().height();
}

QImage TGIFFrame::transparentImage()
{
    const QImage &picture = bitmap();
    if (picture.isNull())
        return {};
    QImage keyed = picture;
    if (!m_keyColor.isNone()) {
        const QRgb key = pictureDepth() == 1 ? tk::clWhite.rgb() : m_keyColor.rgb();
        QList<QRgb> colors = keyed.colorTable();
        for (QRgb &c : colors)
            if (c == key)
                c = 0;
        keyed.setColorTable(colors);
    }
    // Made at each call, not kept: kept for every frame of a played animation, these would take
    // four times the memory of the decoded pictures, to save a conversion per frame drawn.
    QImage masked = keyed.convertToFormat(QImage::Format_ARGB32);
    if (masked.isNull())
        throw tk::Error("Not enough memory to draw a GIF frame");
    return masked;
}

void TGIFFrame::draw(QPainter &painter, const QRect &rect, bool transparent)
{
    const QImage &picture = bitmap();
    if (picture.isNull())
        return;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (transparent && !m_keyColor.isNone())
        painter.drawImage(rect, transparentImage());
    else
        painter.drawImage(rect, picture);
    painter.restore();
}

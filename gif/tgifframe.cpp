#include "gif/tgifframe.h"

#include "gif/interlacedrow.h"
#include "gif/tgifimage.h"
#include "gif/tlzwdecoder.h"
#include "toolkit/error.h"
#include "toolkit/tcolorkey.h"

#include <QPainter>

#include <array>
#include <cstring>
#include <new>
#include <vector>

namespace {

// Moves the rows of a picture whose pixels were decoded in file order, packed one row after the
// other from the start of its memory, to their places: each row at its scan line (rows are padded
// to whole words), and for an interlaced frame to the row the interlace order gives it. Done in
// place, without a second copy of the picture.
void placeRows(QImage &picture, bool interlaced)
{
    const int w = picture.width();
    const int h = picture.height();
    std::uint8_t *bits = picture.bits();
    const std::size_t stride = std::size_t(picture.bytesPerLine());
    if (stride != std::size_t(w))
        for (int row = h - 1; row > 0; --row)
            std::memmove(bits + std::size_t(row) * stride, bits + std::size_t(row) * std::size_t(w), std::size_t(w));
    if (!interlaced)
        return;
    // Stored row i belongs at file row interlacedRow(i); walk each cycle of that permutation,
    // filling every file row from the stored row that belongs there.
    const std::size_t rows = std::size_t(h);
    std::vector<int> storedAt(rows);
    for (int i = 0; i < h; ++i)
        storedAt[std::size_t(interlacedRow(i, h))] = i;
    std::vector<bool> placed(rows);
    std::vector<std::uint8_t> held(static_cast<std::size_t>(w));
    for (int start = 0; start < h; ++start) {
        if (placed[std::size_t(start)] || storedAt[std::size_t(start)] == start)
            continue;
        std::memcpy(held.data(), bits + std::size_t(start) * stride, std::size_t(w));
        int row = start;
        for (;;) {
            placed[std::size_t(row)] = true;
            const int from = storedAt[std::size_t(row)];
            if (from == start) {
                std::memcpy(bits + std::size_t(row) * stride, held.data(), std::size_t(w));
                break;
            }
            std::memcpy(bits + std::size_t(row) * stride, bits + std::size_t(from) * stride, std::size_t(w));
            row = from;
        }
    }
}

} // namespace

TGIFFrame::TGIFFrame(TGIFImage *owner, std::shared_ptr<TGIFItem> item, std::vector<TExtension> extensionBlocks,
                     const Header &header)
    : m_owner(owner), m_item(std::move(item)), m_extensionBlocks(std::move(extensionBlocks)), m_header(header)
{
}

TGIFFrame::TGIFFrame(TGIFImage *owner, const TGIFFrame &source)
    : m_owner(owner), m_item(source.m_item), m_extensionBlocks(source.m_extensionBlocks), m_header(source.m_header)
{
}

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
        const TLZWDecoder::Result result =
            TLZWDecoder::decode(m_item->CodeStream, m_item->TableBits, picture.bits(), count);
        placeRows(picture, m_header.isInterlaced);
        m_header.isDamaged = m_header.isDamaged || result.damaged;
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
    // Made at each call, not kept: kept for every frame of a played animation, these would take
    // four times the memory of the decoded pictures, to save a conversion per frame drawn.
    QImage masked = m_header.keyColor.isNone()
        ? picture.convertToFormat(QImage::Format_ARGB32)
        : tk::keyedOut(picture, pictureDepth() == 1 ? tk::clWhite.rgb() : m_header.keyColor.rgb());
    if (masked.isNull())
        throw tk::Error("Not enough memory to draw a GIF frame");
    return masked;
}

void TGIFFrame::drawOnto(QImage &target, QPoint at, bool transparent)
{
    const QImage &picture = bitmap();
    const QRect area = QRect(at, picture.size()) & target.rect();
    if (picture.isNull() || area.isEmpty() || target.depth() != 32)
        return;
    // The colour each index is drawn in, 0 where nothing is drawn. The decoder keeps indices
    // inside the table; the entries past it are there so that any byte reads a colour.
    const bool keyed = transparent && !m_header.keyColor.isNone();
    const QRgb key = (pictureDepth() == 1 ? tk::clWhite.rgb() : m_header.keyColor.rgb()) & 0x00FFFFFFu;
    const QList<QRgb> table = picture.colorTable();
    std::array<QRgb, 256> colours;
    colours.fill(0xFF000000u);
    for (qsizetype i = 0; i < table.size() && i < 256; ++i) {
        const QRgb c = table[i] | 0xFF000000u;
        colours[std::size_t(i)] = keyed && (c & 0x00FFFFFFu) == key ? 0u : c;
    }
    const int width = area.width();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const uchar *from = picture.constScanLine(y - at.y()) + (area.left() - at.x());
        QRgb *to = reinterpret_cast<QRgb *>(target.scanLine(y)) + area.left();
        for (int x = 0; x < width; ++x) {
            const QRgb c = colours[from[x]];
            if (c != 0)
                to[x] = c;
        }
    }
}

void TGIFFrame::draw(QPainter &painter, const QRect &rect, bool transparent)
{
    const QImage &picture = bitmap();
    if (picture.isNull())
        return;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (transparent && !m_header.keyColor.isNone())
        painter.drawImage(rect, transparentImage());
    else
        painter.drawImage(rect, picture);
    painter.restore();
}

#include "gif/tgifencoder.h"

#include "gif/tgifquantizer.h"
#include "toolkit/error.h"

namespace {

TGIFColorTable tableOf(const QList<QRgb> &colors)
{
    TGIFColorTable table;
    std::uint32_t count = 2;
    while (count < std::uint32_t(colors.size()))
        count *= 2;
    table.Count = count;
    for (int i = 0; i < colors.size(); ++i)
        table.Entries[std::size_t(i)] = {std::uint8_t(qRed(colors[i])), std::uint8_t(qGreen(colors[i])),
                                         std::uint8_t(qBlue(colors[i]))};
    return table;
}

} // namespace

TGIFEncoder::TGIFEncoder(TGIFVersion version, int logicalWidth, int logicalHeight)
    : m_version(version == TGIFVersion::V87a ? TGIFVersion::V87a : TGIFVersion::V89a), m_width(logicalWidth),
      m_height(logicalHeight)
{
}

void TGIFEncoder::setLoopCount(int loopCount)
{
    m_loopCount = std::clamp(loopCount, 0, 0xFFFF);
}

void TGIFEncoder::setComment(const QByteArrayList &lines)
{
    m_comment = lines;
}

void TGIFEncoder::addFrame(const QImage &picture, const FrameOptions &options)
{
    if (picture.isNull() || picture.width() > 0xFFFF || picture.height() > 0xFFFF)
        throw tk::Error("The picture cannot be written as a GIF frame");
    const TGIFQuantizer::Result q = TGIFQuantizer::quantize(picture);
    const TGIFColorTable table = tableOf(q.colors);
    const bool extensions = m_version == TGIFVersion::V89a;
    if (m_frames == 0) {
        TGIFWriter::ScreenOptions screen;
        screen.version = m_version;
        screen.width = m_width ? m_width : picture.width();
        screen.height = m_height ? m_height : picture.height();
        screen.globalTable = &table;
        m_writer.writeScreen(screen);
        if (extensions && m_loopCount >= 0)
            m_writer.writeLoopBlock(m_loopCount);
    }
    if (extensions && (q.transparentIndex >= 0 || options.delayCs || options.disposal))
        m_writer.writeGraphicControl(options.disposal, q.transparentIndex >= 0, q.transparentIndex, options.delayCs);
    TGIFWriter::ImageOptions image;
    image.x = options.x;
    image.y = options.y;
    image.width = picture.width();
    image.height = picture.height();
    image.localTable = m_frames == 0 ? nullptr : &table;
    image.interlaced = options.interlaced;
    image.minCodeSize = std::max(2, TGIFColorTable::bitsFor(table.Count));
    m_writer.writeImage(image, q.indices.data());
    ++m_frames;
}

QByteArray TGIFEncoder::finish()
{
    if (m_frames == 0) {
        TGIFWriter::ScreenOptions screen;
        screen.version = m_version;
        screen.width = m_width;
        screen.height = m_height;
        m_writer.writeScreen(screen);
    }
    if (m_version == TGIFVersion::V89a && !m_comment.isEmpty())
        m_writer.writeComment(m_comment);
    m_writer.writeTrailer();
    return m_writer.bytes();
}

#include "gif/tgifwriter.h"

#include "gif/interlacedrow.h"
#include "gif/tlzwencoder.h"
#include "toolkit/error.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

int tableBitsFor(const TGIFColorTable &table)
{
    const int bits = TGIFColorTable::bitsFor(table.Count);
    if (bits == 0 || (1u << bits) != table.Count)
        throw tk::Error("Wrong number of colors; must be a power of 2");
    return bits;
}

} // namespace

void TGIFWriter::putTable(const TGIFColorTable &table)
{
    m_out.append(reinterpret_cast<const char *>(table.Entries.data()), qsizetype(table.Count * 3));
}

void TGIFWriter::writeScreen(const ScreenOptions &o)
{
    m_out.append(o.version == TGIFVersion::V87a ? "GIF87a" : "GIF89a");
    put16(o.width);
    put16(o.height);
    int packed = (std::clamp(o.colorResolution, 1, 8) - 1) << 4;
    if (o.globalTable)
        packed |= 0x80 | (tableBitsFor(*o.globalTable) - 1);
    put8(packed);
    put8(o.backgroundIndex);
    put8(o.aspectByte);
    if (o.globalTable)
        putTable(*o.globalTable);
}

void TGIFWriter::writeLoopBlock(int loopCount)
{
    m_out.append("\x21\xFF\x0BNETSCAPE2.0\x03\x01", 16);
    put16(loopCount);
    put8(0);
}

void TGIFWriter::writeGraphicControl(int disposal, bool transparent, int transparentIndex, int delayCs)
{
    put8(0x21);
    put8(0xF9);
    put8(4);
    put8((disposal & 7) << 2 | (transparent ? 1 : 0));
    put16(delayCs);
    put8(transparent ? transparentIndex : 0);
    put8(0);
}

void TGIFWriter::writeImage(const ImageOptions &o, const std::uint8_t *indices)
{
    put8(0x2C);
    put16(o.x);
    put16(o.y);
    put16(o.width);
    put16(o.height);
    int packed = o.interlaced ? 0x40 : 0;
    if (o.localTable)
        packed |= 0x80 | (tableBitsFor(*o.localTable) - 1);
    put8(packed);
    if (o.localTable)
        putTable(*o.localTable);
    const std::size_t count = std::size_t(o.width) * std::size_t(o.height);
    if (!o.interlaced) {
        m_out.append(TLZWEncoder::encode(indices, count, o.minCodeSize));
        return;
    }
    std::vector<std::uint8_t> stored(count);
    for (int row = 0; row < o.height; ++row)
        std::memcpy(stored.data() + std::size_t(row) * std::size_t(o.width),
                    indices + std::size_t(interlacedRow(row, o.height)) * std::size_t(o.width),
                    std::size_t(o.width));
    m_out.append(TLZWEncoder::encode(stored.data(), count, o.minCodeSize));
}

void TGIFWriter::writeComment(const QByteArrayList &lines)
{
    put8(0x21);
    put8(0xFE);
    for (const QByteArray &line : lines) {
        for (qsizetype at = 0; at < line.size(); at += 255) {
            const QByteArray piece = line.mid(at, 255);
            put8(int(piece.size()));
            m_out.append(piece);
        }
    }
    put8(0);
}

void TGIFWriter::writeTrailer()
{
    put8(0x3B);
}

#pragma once

#include <QByteArray>
#include <QByteArrayList>

#include <initializer_list>
#include <utility>
#include <vector>

// Builds GIF byte sequences block by block for the reader's tests.
class GifBuilder {
public:
    // One LZW code and the number of bits it is written with.
    using Code = std::pair<int, int>;

    GifBuilder &raw(const QByteArray &bytes)
    {
        m_bytes.append(bytes);
        return *this;
    }
    GifBuilder &u8(int v)
    {
        m_bytes.append(char(v & 0xFF));
        return *this;
    }
    GifBuilder &u16(int v) { return u8(v).u8(v >> 8); }

    GifBuilder &header(const char *signature = "GIF89a") { return raw(QByteArray(signature)); }
    // Logical screen; a global table of 2^tableBits entries follows when tableBits > 0.
    GifBuilder &screen(int w, int h, int tableBits = 0, int background = 0, int aspect = 0)
    {
        u16(w).u16(h).u8((tableBits > 0 ? 0x80 | (tableBits - 1) : 0) | 0x70).u8(background).u8(aspect);
        if (tableBits > 0)
            table(1 << tableBits);
        return *this;
    }
    // Entry i is (i, 255 - i, i / 2): distinct colours that tests can recompute.
    GifBuilder &table(int entries)
    {
        for (int i = 0; i < entries; ++i)
            u8(i).u8(255 - i).u8(i / 2);
        return *this;
    }
    GifBuilder &graphicControl(int packed, int delay, int transparentIndex)
    {
        return u8(0x21).u8(0xF9).u8(4).u8(packed).u16(delay).u8(transparentIndex).u8(0);
    }
    GifBuilder &subBlocks(const QByteArrayList &blocks)
    {
        for (const QByteArray &b : blocks)
            u8(int(b.size())).raw(b);
        return u8(0);
    }
    GifBuilder &comment(const QByteArrayList &lines) { return u8(0x21).u8(0xFE).subBlocks(lines); }
    GifBuilder &plainText()
    {
        u8(0x21).u8(0x01).u8(12);
        for (int i = 0; i < 12; ++i)
            u8(0);
        return subBlocks({"text"});
    }
    GifBuilder &application(const QByteArray &id, const QByteArrayList &blocks)
    {
        return u8(0x21).u8(0xFF).u8(11).raw(id.left(11)).subBlocks(blocks);
    }
    GifBuilder &loop(int count, const QByteArray &id = "NETSCAPE2.0")
    {
        return application(id, {QByteArray("\x01", 1) + char(count & 0xFF) + char(count >> 8 & 0xFF)});
    }
    // Image descriptor; localTableBits > 0 adds a local table, interlaced sets bit 6.
    GifBuilder &descriptor(int x, int y, int w, int h, int localTableBits = 0, bool interlaced = false)
    {
        u8(0x2C).u16(x).u16(y).u16(w).u16(h);
        u8((localTableBits > 0 ? 0x80 | (localTableBits - 1) : 0) | (interlaced ? 0x40 : 0));
        if (localTableBits > 0)
            table(1 << localTableBits);
        return *this;
    }
    // Code data: the minimum code size and the given codes packed LSB first into sub-blocks.
    GifBuilder &codes(int minCodeSize, const std::vector<Code> &list, bool terminate = true)
    {
        u8(minCodeSize);
        return raw(packBlocks(pack(list), terminate));
    }
    // Literal pixels for a frame whose code size never grows: clear, one code per pixel, end.
    GifBuilder &literals(int minCodeSize, const std::vector<int> &pixels)
    {
        const int bits = minCodeSize + 1;
        std::vector<Code> list{{1 << minCodeSize, bits}};
        for (std::size_t i = 0; i < pixels.size(); ++i) {
            list.push_back({pixels[i], bits});
            // Keep the width fixed: a clear every few codes stops the table from growing.
            if ((i + 1) % 2 == 0)
                list.push_back({1 << minCodeSize, bits});
        }
        list.push_back({(1 << minCodeSize) + 1, bits});
        return codes(minCodeSize, list);
    }
    GifBuilder &trailer() { return u8(0x3B); }

    QByteArray bytes() const { return m_bytes; }
    operator QByteArray() const { return m_bytes; }

    static QByteArray pack(const std::vector<Code> &list)
    {
        QByteArray out;
        unsigned acc = 0;
        int bits = 0;
        for (const auto &[code, width] : list) {
            acc |= unsigned(code) << bits;
            bits += width;
            while (bits >= 8) {
                out.append(char(acc & 0xFF));
                acc >>= 8;
                bits -= 8;
            }
        }
        if (bits > 0)
            out.append(char(acc & 0xFF));
        return out;
    }
    static QByteArray packBlocks(const QByteArray &data, bool terminate = true)
    {
        QByteArray out;
        for (qsizetype at = 0; at < data.size(); at += 255) {
            const QByteArray piece = data.mid(at, 255);
            out.append(char(piece.size()));
            out.append(piece);
        }
        if (terminate)
            out.append('\0');
        return out;
    }

private:
    QByteArray m_bytes;
};

#pragma once
// A second LZW decoder to hold the program's one against, for its tests and its fuzz target.

#include <QByteArray>

#include <algorithm>
#include <cstddef>
#include <vector>

struct StringTableDecoded {
    QByteArray pixels;
    bool damaged = false;
    bool sawEndCode = false;
    std::size_t pixelsWritten = 0;
};

// The decoder's rules written the plain way, as a table of whole strings: slow, but each rule is
// one line that can be read against the GIF standard and this program's decisions.
inline StringTableDecoded stringTableDecode(const QByteArray &stream, int tableBits, int total)
{
    StringTableDecoded d;
    d.pixels = QByteArray(total, '\0');
    if (stream.isEmpty() || total == 0)
        return d;
    int minSize = quint8(stream[0]);
    if (minSize < 2 || minSize > 9) {
        d.damaged = true;
        minSize = std::clamp(minSize, 2, 9);
    }
    QByteArray data;
    for (qsizetype at = 1; at < stream.size();) {
        const int length = quint8(stream[at++]);
        if (length == 0)
            break;
        data.append(stream.mid(at, length));
        at += length;
    }
    const int mask = (1 << std::clamp(tableBits, 1, 8)) - 1;
    const int clear = 1 << minSize;
    const int firstTableCode = std::max(mask + 1, clear + 2);
    std::vector<QByteArray> table(4096);
    int size = minSize + 1;
    int next = clear + 2;
    bool afterClear = true;
    QByteArray previous;
    qsizetype bit = 0;
    while (qsizetype(d.pixelsWritten) < total) {
        if (bit + size > data.size() * 8) {
            d.damaged = true;
            break;
        }
        int code = 0;
        for (int i = 0; i < size; ++i, ++bit)
            code |= (quint8(data[bit / 8]) >> (bit % 8) & 1) << i;
        if (code == clear) {
            size = minSize + 1;
            next = clear + 2;
            afterClear = true;
            continue;
        }
        if (code == clear + 1) {
            d.sawEndCode = true;
            break;
        }
        QByteArray expansion;
        if (afterClear) {
            expansion = QByteArray(1, char(code & mask));
            afterClear = false;
        } else {
            if (code <= mask)
                expansion = QByteArray(1, char(code));
            else if (code >= next)
                expansion = previous + previous[0];
            else if (code < firstTableCode)
                expansion = QByteArray(2, '\0');
            else
                expansion = table[std::size_t(code)];
            if (next < 4096) {
                if (next >= firstTableCode)
                    table[std::size_t(next)] = previous + expansion[0];
                if (++next == 1 << size && size < 12)
                    ++size;
            }
        }
        const qsizetype n = std::min(expansion.size(), total - qsizetype(d.pixelsWritten));
        d.pixels.replace(qsizetype(d.pixelsWritten), n, expansion.first(n));
        d.pixelsWritten += std::size_t(n);
        previous = expansion;
    }
    return d;
}

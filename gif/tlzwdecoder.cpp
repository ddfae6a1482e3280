#include "gif/tlzwdecoder.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

constexpr int MaxCodes = 4096;

std::uint64_t load64(const std::uint8_t *p)
{
    std::uint64_t v;
    std::memcpy(&v, p, 8);
    return v;  // the byte order of x86 and ARM little-endian, the order GIF packs its codes in
}

void store64(std::uint8_t *p, std::uint64_t v)
{
    std::memcpy(p, &v, 8);
}

void copy16(std::uint8_t *to, const std::uint8_t *from)
{
    std::uint8_t chunk[16];
    std::memcpy(chunk, from, 16);
    std::memcpy(to, chunk, 16);
}

// Reads codes least-significant bit first straight from the data sub-blocks: eight bytes at a time
// while the current sub-block holds that many, byte by byte across a sub-block's end. Never reads
// outside the code stream, whatever its length bytes say.
class CodeReader {
public:
    explicit CodeReader(QByteArrayView stream)
        : m_at(reinterpret_cast<const std::uint8_t *>(stream.data()) + 1),
          m_end(reinterpret_cast<const std::uint8_t *>(stream.data()) + stream.size()), m_blockEnd(m_at)
    {
    }

    // The next code of `size` bits, or -1 when the data has run out.
    int next(int size)
    {
        if (m_count < size) {
            if (m_blockEnd - m_at >= 8) {
                // The bits above m_count are zero or already hold the start of the next byte of
                // this sub-block (put there by the previous load), so OR-ing the bytes in again
                // keeps them. Whole bytes only are counted, and all of them lie inside the sub-block.
                m_bits |= load64(m_at) << m_count;
                m_at += (63 - m_count) >> 3;
                m_count |= 56;
            } else {
                refillAcrossBlocks();
                if (m_count < size)
                    return -1;
            }
        }
        const int code = int(m_bits & ((1u << size) - 1));
        m_bits >>= size;
        m_count -= size;
        return code;
    }

private:
    // Byte by byte, so that no length byte is ever taken for data.
    void refillAcrossBlocks()
    {
        while (m_count <= 56) {
            if (m_at == m_blockEnd) {
                // A length byte of 0, or the end of the stream, ends the data.
                if (m_at == m_end || *m_at == 0) {
                    m_end = m_blockEnd = m_at;
                    return;
                }
                const std::size_t length = *m_at++;
                m_blockEnd = m_at + std::min<std::size_t>(length, std::size_t(m_end - m_at));
                continue;
            }
            m_bits |= std::uint64_t(*m_at++) << m_count;
            m_count += 8;
        }
    }

    const std::uint8_t *m_at;
    const std::uint8_t *m_end;
    const std::uint8_t *m_blockEnd;
    std::uint64_t m_bits = 0;
    int m_count = 0;  // valid bits in m_bits
};

// A code table entry in 64 bits. An expansion of up to 7 pixels is held whole: the pixels in the
// low bytes, zeros after them, its length in the top byte, so that one 8-byte store writes it. A
// longer expansion is found in the pixels already written: its start in the low 32 bits, its
// length in the next 16, top byte 0. The clear and end codes are 0.
constexpr int ShortMax = 7;

std::uint64_t shortEntry(std::uint64_t pixels, std::size_t length)
{
    return pixels | std::uint64_t(length) << 56;
}

std::uint64_t longEntry(std::size_t position, std::size_t length)
{
    return std::uint64_t(position) | std::uint64_t(length) << 32;
}

std::size_t shortLength(std::uint64_t entry)
{
    return std::size_t(entry >> 56);
}

std::size_t longLength(std::uint64_t entry)
{
    return std::size_t(entry >> 32 & 0xFFFF);
}

std::size_t longPosition(std::uint64_t entry)
{
    return std::size_t(std::uint32_t(entry));
}

// The entry for an expansion followed by one more pixel; `entry` is the expansion's own entry (its
// pixels are used while it is short), `position` where it was written and `length` its length.
std::uint64_t extended(std::uint64_t entry, std::size_t position, std::size_t length, std::uint8_t pixel)
{
    if (length < ShortMax) {
        const std::uint64_t pixels = entry & ~(std::uint64_t(0xFF) << 56);
        return shortEntry(pixels | std::uint64_t(pixel) << (8 * length), length + 1);
    }
    return longEntry(position, length + 1);
}

std::size_t expansionLength(std::uint64_t entry)
{
    return shortLength(entry) != 0 ? shortLength(entry) : longLength(entry);
}

std::uint8_t firstPixel(const std::uint8_t *out, std::uint64_t entry)
{
    return shortLength(entry) != 0 ? std::uint8_t(entry) : out[longPosition(entry)];
}

// Writes the expansion of `entry` at out + cur in whole 8- or 16-byte stores when `room` holds
// them and returns its length; 0 for the clear and end codes and when it does not fit. A long
// expansion ends at or before `cur`, so the copy never changes a pixel it has yet to read. The
// bytes written beyond the expansion are overwritten by the codes that follow.
std::size_t writeWhole(std::uint8_t *out, std::size_t cur, std::size_t room, std::uint64_t entry)
{
    if (shortLength(entry) != 0) {
        if (room < 8)
            return 0;
        store64(out + cur, entry);
        return shortLength(entry);
    }
    const std::size_t length = longLength(entry);
    if (room < ((length + 15) & ~std::size_t(15)))
        return 0;
    const std::uint8_t *from = out + longPosition(entry);
    for (std::size_t i = 0; i < length; i += 16)
        copy16(out + cur + i, from + i);
    return length;
}

// Writes as much of the expansion of `entry` as `room` holds, pixel by pixel. A long expansion may
// end one pixel into what it writes (a code equal to the next free code): copied forwards, that
// pixel has been written by the time it is read.
void writeUpTo(std::uint8_t *out, std::size_t cur, std::size_t room, std::uint64_t entry)
{
    if (shortLength(entry) != 0) {
        const std::size_t n = std::min(shortLength(entry), room);
        for (std::size_t i = 0; i < n; ++i)
            out[cur + i] = std::uint8_t(entry >> (8 * i));
        return;
    }
    const std::size_t n = std::min(longLength(entry), room);
    const std::size_t from = longPosition(entry);
    for (std::size_t i = 0; i < n; ++i)
        out[cur + i] = out[from + i];
}

} // namespace

TLZWDecoder::Result TLZWDecoder::decode(QByteArrayView codeStream, int tableBits, std::uint8_t *out,
                                        std::size_t total)
{
    Result result;
    if (codeStream.isEmpty() || total == 0) {
        if (total)
            std::memset(out, 0, total);
        return result;
    }
    int minSize = std::uint8_t(codeStream[0]);
    if (minSize < 2 || minSize > 9) {
        result.damaged = true;
        minSize = std::clamp(minSize, 2, 9);
    }
    CodeReader reader(codeStream);
    // Table entries locate long expansions by a 32-bit position; pictures stay far below that.
    const std::size_t decodable = std::min<std::size_t>(total, UINT32_MAX);

    const int mask = (1 << std::clamp(tableBits, 1, 8)) - 1;
    const int clearCode = 1 << minSize;
    const int endCode = clearCode + 1;
    // Codes above the mask but below the first free code are never written; they read as a zero
    // prefix with a zero suffix, i.e. the two pixels 0, 0.
    const int firstTableCode = std::max(mask + 1, clearCode + 2);

    // Codes up to the mask are pixels, even where the table would have an entry: the mask rule.
    std::array<std::uint64_t, MaxCodes> table;
    for (int code = 0; code < firstTableCode; ++code)
        table[std::size_t(code)] = code <= mask ? shortEntry(std::uint64_t(code), 1) : shortEntry(0, 2);
    table[std::size_t(clearCode)] = 0;
    table[std::size_t(endCode)] = 0;

    int codeSize = minSize + 1;
    int nextFree = clearCode + 2;
    // Codes below this are looked up in the table; at or above it (and right after a clear) they
    // take the careful path. 0 = data without a leading clear code starts as after one.
    int lookupLimit = 0;
    std::uint64_t prevEntry = 0;  // the previous code's expansion
    std::size_t prevStart = 0;
    std::size_t prevLength = 0;
    std::uint8_t prevFirst = 0;
    std::size_t cur = 0;

    // Adds the previous expansion plus the current one's first pixel, and widens the codes when
    // the next free code needs another bit. At 4096 entries the table stays as it is.
    auto addEntry = [&](std::uint8_t first) {
        if (nextFree >= MaxCodes)
            return;
        if (nextFree >= firstTableCode)
            table[std::size_t(nextFree)] = extended(prevEntry, prevStart, prevLength, first);
        ++nextFree;
        if (nextFree == (1 << codeSize) && codeSize < 12)
            ++codeSize;
        lookupLimit = std::max(nextFree, mask + 1);
    };

    while (cur < decodable) {
        const int code = reader.next(codeSize);
        if (code < 0) {
            result.damaged = true;
            break;
        }
        const std::size_t room = decodable - cur;
        std::uint64_t entry = code < lookupLimit ? table[std::size_t(code)] : 0;
        std::uint8_t first;
        std::size_t length = writeWhole(out, cur, room, entry);
        if (length != 0) {
            first = firstPixel(out, entry);
        } else {
            // Clear and end codes, the first code after a clear, codes at or above the next free
            // code, and expansions that reach into the last 16 bytes of the output.
            if (code == clearCode) {
                codeSize = minSize + 1;
                nextFree = clearCode + 2;
                lookupLimit = 0;
                continue;
            }
            if (code == endCode) {
                result.sawEndCode = true;
                break;
            }
            if (lookupLimit == 0) {
                // The first code after a clear is a pixel, and adds no entry; a code that is not a
                // pixel is taken by its low bits.
                entry = shortEntry(std::uint64_t(code & mask), 1);
                first = std::uint8_t(entry);
                writeUpTo(out, cur, room, entry);
                lookupLimit = std::max(nextFree, mask + 1);
                prevEntry = entry;
                prevStart = cur;
                prevLength = 1;
                prevFirst = first;
                ++cur;
                continue;
            }
            if (code >= nextFree && code > mask) {
                // The previous expansion plus its own first pixel.
                entry = extended(prevEntry, prevStart, prevLength, prevFirst);
                first = prevFirst;
            } else {
                first = firstPixel(out, entry);
            }
            writeUpTo(out, cur, room, entry);
            length = expansionLength(entry);
        }
        addEntry(first);
        prevEntry = entry;
        prevStart = cur;
        prevLength = length;
        prevFirst = first;
        cur += std::min(length, room);
    }
    result.pixelsWritten = cur;
    if (cur < total)
        std::memset(out + cur, 0, total - cur);
    return result;
}

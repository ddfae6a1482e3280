#include "gif/tlzwdecoder.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

constexpr int MaxCodes = 4096;

// No expansion is longer than this: after a clear the longest is 2 pixels, and a code makes at most
// one pixel more than the longest before it only while it moves the next free code on, which
// happens fewer than 4096 times before the table is full or cleared.
constexpr std::size_t MaxExpansion = MaxCodes;

// An expansion of n pixels is written as one 8-byte store of its first pixels and copies of 16
// bytes from the ninth on, at least one: up to n + 24 bytes. Far from the end of the output that
// many are always there.
constexpr std::size_t Overshoot = 24;
constexpr std::size_t FarFromEnd = MaxExpansion + Overshoot;

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

    // Makes sure `size` bits are at hand; false when the data has run out before that.
    bool fill(int size)
    {
        if (m_count >= size)
            return true;
        if (m_blockEnd - m_at >= 8) {
            // The bits above m_count are zero or already hold the start of the next byte of this
            // sub-block (put there by the previous load), so OR-ing the bytes in again keeps them.
            // Whole bytes only are counted, and all of them lie inside the sub-block.
            m_bits |= load64(m_at) << m_count;
            m_at += (63 - m_count) >> 3;
            m_count |= 56;
            return true;
        }
        return refillAcrossBlocks(size);
    }

    // The next code of `size` bits (`mask` = 2^size - 1), once fill(size) has said they are there.
    int take(int size, std::uint32_t mask)
    {
        const int code = int(m_bits & mask);
        m_bits >>= size;
        m_count -= size;
        return code;
    }

    // The next code, or -1 when the data has run out.
    int next(int size, std::uint32_t mask) { return fill(size) ? take(size, mask) : -1; }

private:
    // Byte by byte, so that no length byte is ever taken for data. False when fewer than `size`
    // bits are left.
    bool refillAcrossBlocks(int size)
    {
        while (m_count <= 56) {
            if (m_at == m_blockEnd) {
                // A length byte of 0, or the end of the stream, ends the data.
                if (m_at == m_end || *m_at == 0) {
                    m_end = m_blockEnd = m_at;
                    break;
                }
                const std::size_t length = *m_at++;
                m_blockEnd = m_at + std::min<std::size_t>(length, std::size_t(m_end - m_at));
                continue;
            }
            m_bits |= std::uint64_t(*m_at++) << m_count;
            m_count += 8;
        }
        return m_count >= size;
    }

    const std::uint8_t *m_at;
    const std::uint8_t *m_end;
    const std::uint8_t *m_blockEnd;
    std::uint64_t m_bits = 0;
    int m_count = 0;  // valid bits in m_bits
};

// The code table. An entry holds its expansion's first pixels (up to 8, in the low bytes first,
// zeros after) so that one 8-byte store writes them, its length (0 for the clear and end codes),
// and where it was written before, for the rest of a longer one. Held as three arrays, so that the
// heads and lengths that most codes need take little of the cache.
struct Table {
    std::array<std::uint64_t, MaxCodes> head;
    std::array<std::uint16_t, MaxCodes> length;
    std::array<std::uint32_t, MaxCodes> where;
};

// The first pixels of an expansion of `length` pixels with `head` followed by one more pixel.
std::uint64_t extendedHead(std::uint64_t head, std::size_t length, std::uint8_t pixel)
{
    // Shifted twice by half the distance, so that a head already full (8 pixels) gets nothing.
    const unsigned half = 4 * unsigned(std::min<std::size_t>(length, 8));
    return head | std::uint64_t(pixel) << half << half;
}

// Copies the pixels of an expansion past its first 8, from where it was written before, in whole
// 16-byte copies; the first copy is made even for an expansion of 8 pixels or fewer (all of it
// beyond the expansion), which saves a branch that goes either way from code to code. The pixels
// copied end at or before the first one this writes (for a code equal to the next free code, the
// last one is the first pixel of its own 8-byte head, stored already), so the copy never changes a
// pixel it has yet to read; what it writes beyond the expansion the codes that follow overwrite.
void copyTail(std::uint8_t *to, const std::uint8_t *from, std::size_t length)
{
    copy16(to + 8, from + 8);
    for (std::size_t i = 24; i < length; i += 16)
        copy16(to + i, from + i);
}

enum class Stop { No, ClearCode, EndCode, OutOfData };

// What stays fixed while a frame is decoded.
struct Frame {
    std::uint8_t *out;
    std::size_t decodable;  // pixels that may be written
    Table *table;
    int minSize;
    int mask;  // codes up to this are pixels
    int clearCode;
    int endCode;
    int firstTableCode;  // the first code that ever gets an entry
};

// Where decoding stands: the code reader, the table's growth and the previous code's expansion.
struct Progress {
    CodeReader reader;
    int codeSize;
    std::uint32_t codeMask;  // 2^codeSize - 1
    int nextFree;
    // Codes below this are looked up in the table: those below the next free code and the pixels
    // (up to the mask). Any other is the previous expansion plus its own first pixel.
    int lookupLimit;
    std::uint64_t prevHead;
    std::size_t prevLength;
    std::size_t prevStart;
    std::size_t cur;  // pixels written
};

// A clear code has been read (or the data begins): the table and code width start again, and
// the next code other than a clear is a pixel, taken by its low bits, that adds no entry.
Stop restart(Progress &p, const Frame &f)
{
    p.codeSize = f.minSize + 1;
    p.codeMask = (1u << p.codeSize) - 1;
    p.nextFree = f.clearCode + 2;
    p.lookupLimit = std::max(p.nextFree, f.mask + 1);
    int code;
    do
        code = p.reader.next(p.codeSize, p.codeMask);
    while (code == f.clearCode);
    if (code < 0)
        return Stop::OutOfData;
    if (code == f.endCode)
        return Stop::EndCode;
    p.prevHead = std::uint64_t(code & f.mask);
    p.prevLength = 1;
    p.prevStart = p.cur;
    f.out[p.cur++] = std::uint8_t(p.prevHead);
    return Stop::No;
}

// Decodes codes until a clear or end code, the end of the data, or until `until` pixels are
// written. Far from the end of the output (NearEnd false: at least FarFromEnd bytes left at every
// code) each expansion is written in whole stores without looking at the room left; near it
// (NearEnd true), only what fits. Works on a copy of the progress, kept in registers.
template <bool NearEnd>
Stop decodeCodes(Progress &progress, const Frame &f, std::size_t until)
{
    Progress p = progress;
    std::uint8_t *const out = f.out;
    Table &table = *f.table;
    Stop stop = Stop::No;
    while (p.cur < until) {
        if (!p.reader.fill(p.codeSize)) {
            stop = Stop::OutOfData;
            break;
        }
        const int code = p.reader.take(p.codeSize, p.codeMask);
        std::uint64_t head;
        std::size_t length;
        std::size_t from;
        std::uint64_t addedHead;
        if (code < p.lookupLimit) {
            length = table.length[std::size_t(code)];
            if (length == 0) [[unlikely]] {
                stop = code == f.endCode ? Stop::EndCode : Stop::ClearCode;
                break;
            }
            head = table.head[std::size_t(code)];
            from = table.where[std::size_t(code)];
            addedHead = extendedHead(p.prevHead, p.prevLength, std::uint8_t(head));
        } else {
            addedHead = extendedHead(p.prevHead, p.prevLength, std::uint8_t(p.prevHead));
            head = addedHead;
            length = p.prevLength + 1;
            from = p.prevStart;
        }
        // The new entry: the previous expansion and this one's first pixel. Below the first
        // table code the entries stay as they are; at 4096 entries the table stays as it is.
        if (unsigned(p.nextFree - f.firstTableCode) < unsigned(MaxCodes - f.firstTableCode)) [[likely]] {
            table.head[std::size_t(p.nextFree)] = addedHead;
            table.length[std::size_t(p.nextFree)] = std::uint16_t(p.prevLength + 1);
            table.where[std::size_t(p.nextFree)] = std::uint32_t(p.prevStart);
        }
        if (p.nextFree < MaxCodes) [[likely]] {
            ++p.nextFree;
            // The next free code reaches 2^codeSize (it never passes it): one bit more, up to 12.
            if ((p.nextFree & p.codeMask) == 0 && p.codeSize < 12) [[unlikely]] {
                ++p.codeSize;
                p.codeMask = p.codeMask << 1 | 1;
            }
            p.lookupLimit = std::max(p.lookupLimit, p.nextFree);
        }
        p.prevHead = head;
        p.prevLength = length;
        p.prevStart = p.cur;
        const std::size_t room = f.decodable - p.cur;
        if (!NearEnd || room >= length + Overshoot) {
            store64(out + p.cur, head);
            copyTail(out + p.cur, out + from, length);
            p.cur += length;
        } else {
            // Pixel by pixel: for a code equal to the next free code the last pixel copied is the
            // first one written here.
            const std::size_t n = std::min(length, room);
            for (std::size_t i = 0; i < n; ++i)
                out[p.cur + i] = i < 8 ? std::uint8_t(head >> (8 * i)) : out[from + i];
            p.cur += n;
        }
    }
    progress = p;
    return stop;
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
    Table table;
    Frame f;
    f.out = out;
    // Entries locate expansions by a 32-bit position; pictures stay far below that.
    f.decodable = std::min<std::size_t>(total, UINT32_MAX);
    f.table = &table;
    f.minSize = minSize;
    f.mask = (1 << std::clamp(tableBits, 1, 8)) - 1;
    f.clearCode = 1 << minSize;
    f.endCode = f.clearCode + 1;
    // Codes above the mask but below the first free code are never written; they read as a zero
    // prefix with a zero suffix, i.e. the two pixels 0, 0.
    f.firstTableCode = std::max(f.mask + 1, f.clearCode + 2);

    // Codes up to the mask are pixels, even where the table would have an entry: the mask rule.
    for (int code = 0; code < f.firstTableCode; ++code) {
        table.head[std::size_t(code)] = code <= f.mask ? std::uint64_t(code) : 0;
        table.length[std::size_t(code)] = code <= f.mask ? 1 : 2;
        table.where[std::size_t(code)] = 0;
    }
    table.length[std::size_t(f.clearCode)] = 0;
    table.length[std::size_t(f.endCode)] = 0;

    Progress p{CodeReader(codeStream), 0, 0, 0, 0, 0, 0, 0, 0};
    const std::size_t farEnd = f.decodable > FarFromEnd ? f.decodable - FarFromEnd : 0;
    Stop stop = Stop::ClearCode;
    while (stop == Stop::ClearCode) {
        stop = restart(p, f);
        if (stop == Stop::No && p.cur < farEnd)
            stop = decodeCodes<false>(p, f, farEnd);
        if (stop == Stop::No && p.cur < f.decodable)
            stop = decodeCodes<true>(p, f, f.decodable);
    }
    result.damaged = result.damaged || stop == Stop::OutOfData;
    result.sawEndCode = stop == Stop::EndCode;
    result.pixelsWritten = p.cur;
    if (p.cur < total)
        std::memset(out + p.cur, 0, total - p.cur);
    return result;
}

#include "gif/tlzwdecoder.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace {

constexpr int MaxCodes = 4096;

// Joins the data sub-blocks into one run of bytes, followed by zero padding so that a code can be
// fetched with one unaligned 32-bit load.
std::vector<std::uint8_t> joinSubBlocks(QByteArrayView stream)
{
    const auto *p = reinterpret_cast<const std::uint8_t *>(stream.data());
    const std::size_t size = std::size_t(stream.size());
    std::vector<std::uint8_t> data;
    data.reserve(size + 8);
    std::size_t at = 1;
    while (at < size) {
        const std::size_t len = p[at++];
        if (len == 0)
            break;
        const std::size_t take = std::min(len, size - at);
        data.insert(data.end(), p + at, p + at + take);
        at += take;
    }
    data.resize(data.size() + 8, 0);
    return data;
}

} // namespace

int TLZWDecoder::interlacedRow(int index, int height)
{
    static constexpr int start[4] = {0, 4, 2, 1};
    static constexpr int step[4] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass) {
        const int rows = start[pass] < height ? (height - start[pass] + step[pass] - 1) / step[pass] : 0;
        if (index < rows)
            return start[pass] + index * step[pass];
        index -= rows;
    }
    return -1;
}

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
    const std::vector<std::uint8_t> data = joinSubBlocks(codeStream);
    const std::uint64_t totalBits = std::uint64_t(data.size() - 8) * 8;
    const std::uint8_t *bytes = data.data();

    const int mask = (1 << std::clamp(tableBits, 1, 8)) - 1;
    const int clearCode = 1 << minSize;
    const int endCode = clearCode + 1;
    // Codes above the mask but below the first free code are never written; they read as a zero
    // prefix with a zero suffix, i.e. the two pixels 0, 0.
    const int firstTableCode = std::max(mask + 1, clearCode + 2);

    // An entry's expansion already appears in the output: `length` pixels starting at `position`.
    std::array<std::uint32_t, MaxCodes> position;
    std::array<std::uint16_t, MaxCodes> length;
    std::array<std::uint8_t, MaxCodes> firstPixel;

    int codeSize = minSize + 1;
    int nextFree = clearCode + 2;
    bool afterClear = true;  // data without a leading clear code starts the same way
    std::size_t prevStart = 0;
    std::size_t prevLength = 0;
    std::uint8_t prevFirst = 0;
    std::size_t cur = 0;
    std::uint64_t bitPos = 0;

    // Copies n pixels from an earlier part of the output; 8 at a time when there is room, since the
    // bytes written beyond n are overwritten by the following codes.
    auto copyBack = [&](std::size_t from, std::size_t n) {
        if (cur + ((n + 7) & ~std::size_t(7)) <= total) {
            for (std::size_t i = 0; i < n; i += 8) {
                std::uint64_t chunk;
                std::memcpy(&chunk, out + from + i, 8);
                std::memcpy(out + cur + i, &chunk, 8);
            }
        } else {
            for (std::size_t i = 0; i < n; ++i)
                out[cur + i] = out[from + i];
        }
    };

    while (cur < total) {
        if (bitPos + std::uint64_t(codeSize) > totalBits) {
            result.damaged = true;
            break;
        }
        std::uint32_t word;
        std::memcpy(&word, bytes + (bitPos >> 3), 4);
        const int code = int((word >> (bitPos & 7)) & ((1u << codeSize) - 1));
        bitPos += std::uint64_t(codeSize);

        if (code == clearCode) {
            codeSize = minSize + 1;
            nextFree = clearCode + 2;
            afterClear = true;
            continue;
        }
        if (code == endCode) {
            result.sawEndCode = true;
            break;
        }
        const std::size_t room = total - cur;
        if (afterClear) {
            // The first code after a clear is a pixel; one that is not is taken by its low bits.
            afterClear = false;
            prevFirst = std::uint8_t(code & mask);
            out[cur] = prevFirst;
            prevStart = cur;
            prevLength = 1;
            ++cur;
            continue;
        }

        std::size_t length0;
        std::uint8_t first;
        if (code <= mask) {
            out[cur] = std::uint8_t(code);
            length0 = 1;
            first = std::uint8_t(code);
        } else if (code >= nextFree) {
            length0 = prevLength + 1;
            first = prevFirst;
            copyBack(prevStart, std::min(prevLength, room));
            if (room > prevLength)
                out[cur + prevLength] = prevFirst;
        } else if (code < firstTableCode) {
            length0 = 2;
            first = 0;
            out[cur] = 0;
            if (room > 1)
                out[cur + 1] = 0;
        } else {
            length0 = length[std::size_t(code)];
            first = firstPixel[std::size_t(code)];
            copyBack(position[std::size_t(code)], std::min(length0, room));
        }

        if (nextFree < MaxCodes) {
            if (nextFree >= firstTableCode) {
                position[std::size_t(nextFree)] = std::uint32_t(prevStart);
                length[std::size_t(nextFree)] = std::uint16_t(prevLength + 1);
                firstPixel[std::size_t(nextFree)] = prevFirst;
            }
            ++nextFree;
            if (nextFree == (1 << codeSize) && codeSize < 12)
                ++codeSize;
        }
        prevStart = cur;
        prevLength = length0;
        prevFirst = first;
        cur += std::min(length0, room);
    }
    result.pixelsWritten = cur;
    if (cur < total)
        std::memset(out + cur, 0, total - cur);
    return result;
}

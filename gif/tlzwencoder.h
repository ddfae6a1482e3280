#pragma once

#include <QByteArray>

#include <cstddef>
#include <cstdint>

// LZW-codes 8-bit pixel indices as a GIF frame's code data.
class TLZWEncoder {
public:
    // Returns the minimum-code-size byte, the data sub-blocks and the zero-length block. Starts with
    // a clear code, ends with the end code, and clears again whenever the table fills. Every index
    // must be below 2^minCodeSize (minCodeSize 2 to 8).
    static QByteArray encode(const std::uint8_t *indices, std::size_t count, int minCodeSize);
};

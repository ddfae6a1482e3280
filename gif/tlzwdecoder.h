#pragma once

#include <QByteArrayView>

#include <cstddef>
#include <cstdint>

// Decodes the LZW code data of one GIF frame into 8-bit pixel indices.
class TLZWDecoder {
public:
    struct Result {
        std::size_t pixelsWritten = 0;  // in stored (file) order
        bool damaged = false;           // bad minimum code size, or data ran out before the end
        bool sawEndCode = false;
    };

    // codeStream: the minimum-code-size byte followed by the data sub-blocks. Pixels are written in
    // the file's order into a contiguous buffer of width * height bytes; a value is the expansion's
    // pixel AND (2^tableBits - 1). Pixels never written are set to 0. Never reads or writes outside
    // the two buffers, whatever the data.
    static Result decode(QByteArrayView codeStream, int tableBits, std::uint8_t *pixels, std::size_t pixelCount);
};

#pragma once

#include "gif/tgifcolortable.h"
#include "gif/tgifimage.h"

#include <QByteArray>
#include <QByteArrayList>

#include <cstdint>

// Writes the blocks of a GIF file one by one, in the order they are called.
class TGIFWriter {
public:
    struct ScreenOptions {
        TGIFVersion version = TGIFVersion::V89a;
        int width = 0;
        int height = 0;
        const TGIFColorTable *globalTable = nullptr;  // Count a power of two, 2 to 256
        int colorResolution = 8;                      // 1 to 8
        int backgroundIndex = 0;
        int aspectByte = 0;
    };
    struct ImageOptions {
        int x = 0;
        int y = 0;
        int width = 0;
        int height = 0;
        const TGIFColorTable *localTable = nullptr;
        bool interlaced = false;
        int minCodeSize = 8;  // every index must be below 2^minCodeSize
    };

    void writeScreen(const ScreenOptions &options);
    void writeLoopBlock(int loopCount);
    void writeGraphicControl(int disposal, bool transparent, int transparentIndex, int delayCs);
    // indices: width * height pixel indices, rows top to bottom (reordered here when interlaced).
    void writeImage(const ImageOptions &options, const std::uint8_t *indices);
    void writeComment(const QByteArrayList &lines);
    void writeTrailer();

    const QByteArray &bytes() const { return m_out; }

private:
    void put8(int value) { m_out.append(char(value & 0xFF)); }
    void put16(int value)
    {
        put8(value);
        put8(value >> 8);
    }
    void putTable(const TGIFColorTable &table);

    QByteArray m_out;
};

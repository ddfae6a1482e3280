#pragma once

#include "gif/tgifcolortable.h"

#include <QByteArray>

#include <cstdint>

// The coded data of one frame, shared between copies of a frame.
struct TGIFItem {
    // The minimum-code-size byte, then the data sub-blocks exactly as read (length byte and bytes),
    // ending with the zero-length block when the file had it. The reader makes it a view into the
    // loaded bytes rather than a copy of them.
    QByteArray CodeStream;
    QByteArray Source;  // the loaded bytes CodeStream points into, kept as long as the item is
    std::uint16_t StoredWidth = 0;
    std::uint16_t StoredHeight = 0;
    std::uint8_t DescriptorFlags = 0;
    int TableBits = 0;          // 1 to 8; 0 when neither a global nor a local table existed
    TGIFColorTable ColorTable;  // the local table, or a copy of the global one
};

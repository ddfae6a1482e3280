#pragma once

#include "gif/tgifcolortable.h"

#include <QByteArray>

#include <cstdint>

// The coded data of one frame, shared between copies of a frame.
struct TGIFItem {
    // The minimum-code-size byte, then the data sub-blocks exactly as read (length byte and bytes),
    // ending with the zero-length block when the file had it.
    QByteArray CodeStream;
    std::uint16_t StoredWidth = 0;
    std::uint16_t StoredHeight = 0;
    std::uint8_t DescriptorFlags = 0;
    int TableBits = 0;          // 1 to 8; 0 when neither a global nor a local table existed
    TGIFColorTable ColorTable;  // the local table, or a copy of the global one
};

#pragma once

#include "gif/tgifcolortable.h"

#include <QByteArray>
#include <QByteArrayList>

#include <cstdint>

// Image-level data of a GIF file, shared between copies of an image.
struct TGIFData {
    QByteArrayList ImageComment;  // one line per comment sub-block, comments separated by "\r\n\r\n"
    std::uint8_t AspectByte = 0;
    int GlobalTableBits = 1;
    int ColorResolution = 1;
    TGIFColorTable GlobalColorTable;
    QByteArray SourceBytes;       // the bytes last loaded, written back by TGIFImage::formData()
};

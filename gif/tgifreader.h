#pragma once

#include "gif/tgifdata.h"
#include "gif/tgifframe.h"
#include "gif/tgifimage.h"

#include <QByteArray>

#include <memory>
#include <vector>

// Parses GIF bytes into an image's header, shared data and frames; decoding is left to the frames.
class TGIFReader {
public:
    // Fills the parts of a freshly reset image (frames made for owner) from bytes. Raises
    // tk::Error; what was read before a failure stays. The frames' code data points into the
    // bytes, so they must own their memory (not made by QByteArray::fromRawData); the frames keep
    // a reference to them.
    static void read(const QByteArray &bytes, TGIFImage *owner, TGIFImage::Header &header, TGIFData &data,
                     std::vector<std::unique_ptr<TGIFFrame>> &frames);

private:
    class Parser;
};

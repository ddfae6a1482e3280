#pragma once

#include <QImage>
#include <QList>
#include <QRgb>

#include <cstdint>
#include <vector>

// Reduces a picture to at most 256 colours: exact when it has few enough, else by median cut.
class TGIFQuantizer {
public:
    struct Result {
        QList<QRgb> colors;                // opaque colours, at most maxColors
        std::vector<std::uint8_t> indices; // width * height, rows top to bottom
        int transparentIndex = -1;         // index given to pixels with alpha below 128, or -1
    };

    // maxColors 2 to 256. A picture with see-through pixels gives one index (the last) to them.
    static Result quantize(const QImage &image, int maxColors = 256);
};

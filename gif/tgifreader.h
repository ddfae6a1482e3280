#pragma once

#include <QByteArray>

class TGIFImage;

// Parses GIF bytes into an image's frames and shared data; decoding is left to the frames.
class TGIFReader {
public:
    // Fills a freshly reset image from bytes. Raises tk::Error; frames read before a failure stay.
    // The frames' code data points into the bytes, so they must own their memory (not made by
    // QByteArray::fromRawData); the frames keep a reference to them.
    static void read(TGIFImage &image, const QByteArray &bytes);

private:
    class Parser;
};

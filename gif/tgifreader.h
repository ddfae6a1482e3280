#pragma once

#include <QByteArray>

class TGIFImage;

// Parses GIF bytes into an image's frames and shared data; decoding is left to the frames.
class TGIFReader {
public:
    // Fills a freshly reset image from bytes. Raises tk::Error; frames read before a failure stay.
    static void read(TGIFImage &image, const QByteArray &bytes);

private:
    class Parser;
};

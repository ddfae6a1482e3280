#pragma once

#include "gif/tgifimage.h"
#include "gif/tgifwriter.h"

#include <QImage>

// Writes pictures as a GIF file: each quantised to at most 256 colours and LZW-coded; the first
// frame's colours become the global table, later frames carry local tables.
class TGIFEncoder {
public:
    struct FrameOptions {
        int x = 0;
        int y = 0;
        int delayCs = 0;   // hundredths of a second
        int disposal = 0;
        bool interlaced = false;
    };

    // A logical size of 0 takes the first frame's size. GIF 87a files carry no extensions.
    TGIFEncoder(TGIFVersion version, int logicalWidth = 0, int logicalHeight = 0);

    void setLoopCount(int loopCount);  // writes a "NETSCAPE2.0" loop block
    void setComment(const QByteArrayList &lines);
    // See-through pixels (alpha below 128) become the frame's transparent index.
    void addFrame(const QImage &picture, const FrameOptions &options);
    void addFrame(const QImage &picture) { addFrame(picture, FrameOptions()); }
    QByteArray finish();

private:
    TGIFVersion m_version;
    int m_width;
    int m_height;
    int m_loopCount = -1;
    QByteArrayList m_comment;
    int m_frames = 0;
    TGIFWriter m_writer;
};

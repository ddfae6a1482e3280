#pragma once

#include "gif/textension.h"
#include "gif/tgifitem.h"
#include "toolkit/tcolor.h"

#include <QImage>
#include <QRect>

#include <cstdint>
#include <memory>
#include <vector>

class QPainter;
class TGIFImage;

// What becomes of a frame's rectangle when the next frame is drawn: the GIF disposal methods.
// The values 4 to 7 have no name and are kept as read.
enum TGIFDisposal : std::uint8_t {
    dmNotGiven = 0,             // the file gives no method: the frame stays, as with dmDoNotDispose
    dmDoNotDispose = 1,         // the frame stays under the next one
    dmRestoreToBackground = 2,  // its rectangle is cleared to the background
    dmRestoreToPrevious = 3,    // the screen goes back to what it was before the frame
};

// One frame of a GIF image: its coded data, placement and timing, and its picture once decoded.
class TGIFFrame {
public:
    // The placement, timing and flags of a frame as the file gives them.
    struct Header {
        int offsetX = 0;
        int offsetY = 0;
        bool isInterlaced = false;
        bool isDamaged = false;  // its code data was cut short
        tk::TColor keyColor = tk::clNone;
        std::uint16_t delayMs = 0;
        TGIFDisposal disposalMode = dmNotGiven;
        bool hasLocalTable = false;
    };

    // A frame read from a file: its coded data, the extension blocks before it, and its header.
    TGIFFrame(TGIFImage *owner, std::shared_ptr<TGIFItem> item, std::vector<TExtension> extensionBlocks,
              const Header &header);
    // A frame of another image sharing the source frame's coded data; its picture is decoded anew.
    TGIFFrame(TGIFImage *owner, const TGIFFrame &source);
    ~TGIFFrame();
    TGIFFrame(const TGIFFrame &) = delete;
    TGIFFrame &operator=(const TGIFFrame &) = delete;

    TGIFImage *owner() const { return m_owner; }
    const TGIFItem &Item() const { return *m_item; }
    const std::vector<TExtension> &ExtensionBlocks() const { return m_extensionBlocks; }

    int OffsetX() const { return m_header.offsetX; }
    int OffsetY() const { return m_header.offsetY; }
    bool IsInterlaced() const { return m_header.isInterlaced; }
    bool IsDamaged() const { return m_header.isDamaged; }
    tk::TColor KeyColor() const { return m_header.keyColor; }
    std::uint16_t DelayMs() const { return m_header.delayMs; }
    TGIFDisposal DisposalMode() const { return m_header.disposalMode; }  // 0..7 as read
    bool HasLocalTable() const { return m_header.hasLocalTable; }

    // Whether the picture has been decoded (decoding happens on first use of bitmap()).
    bool isDecoded() const { return !m_decodedBitmap.isNull(); }
    bool hasCodedData() const { return !m_item->CodeStream.isEmpty(); }

    // The decoded picture: Format_Indexed8, StoredWidth x StoredHeight, a colour table of 2, 16 or
    // 256 entries (see pictureDepth()). Decodes on first use; raises tk::Error when that fails.
    const QImage &bitmap();
    int pictureDepth() const;  // 1, 4 or 8 bits per pixel; 0 without a colour table
    int width();               // of the decoded picture; decodes
    int height();

    // Draws the picture stretched (nearest pixel) into rect. With transparent set and a key colour,
    // pixels of the key colour (white for 1-bit pictures) are left out.
    void draw(QPainter &painter, const QRect &rect, bool transparent);
    // Draws the picture unscaled onto a 32-bit target with its top-left corner at `at`, clipped
    // to the target: what draw() gives for a rectangle of the picture's own size, without a
    // painter or a converted copy of the picture. How frames are laid one over another.
    void drawOnto(QImage &target, QPoint at, bool transparent);
    // The picture as ARGB32 with the key colour's pixels fully transparent (opaque without a key).
    QImage transparentImage();

private:
    TGIFImage *m_owner;
    std::shared_ptr<TGIFItem> m_item;
    QImage m_decodedBitmap;
    std::vector<TExtension> m_extensionBlocks;
    Header m_header;
};

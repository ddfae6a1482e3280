#pragma once

#include "gif/tgifdata.h"
#include "gif/tgifframe.h"
#include "toolkit/tcolor.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QObject>
#include <QRgb>

#include <cstdint>
#include <memory>
#include <vector>

class QIODevice;
class QPainter;
class QRect;

enum class TGIFVersion : std::uint8_t { Unknown, V87a, V89a };

// A multi-frame picture read from GIF data; frames are decoded when first needed.
class TGIFImage : public QObject {
    Q_OBJECT
public:
    // What the file says before and around its frames: version, logical screen and loop block.
    struct Header {
        TGIFVersion formatVersion = TGIFVersion::Unknown;
        std::uint16_t logicalWidth = 0;
        std::uint16_t logicalHeight = 0;
        tk::TColor screenBackground = tk::clNone;
        bool hasLoopBlock = false;
        std::uint16_t loopCount = 1;
    };

    // Pictures (frames or the logical screen) needing more than this many bytes at 4 bytes a pixel
    // are refused.
    static constexpr std::uint64_t MaxPictureBytes = 64ull << 20;
    // The limit in force (MaxPictureBytes unless lowered, as the fuzz target does to stay fast).
    static std::uint64_t pictureLimit();
    static void setPictureLimit(std::uint64_t bytes);

    explicit TGIFImage(QObject *parent = nullptr);
    ~TGIFImage() override;

    // Loading. Every load resets the image, decodes frame 0 and then emits changed(). Failures raise
    // tk::Error with the reader's message; the frames read before the failure stay, SelectedFrame
    // stays -1 and changed() is not emitted.
    void loadFromBytes(QByteArrayView bytes);
    void loadFromBytes(const QByteArray &bytes);    // shares the bytes instead of copying them
    void loadFromStream(QIODevice &device);         // from the current position to the end
    void loadFromFormData(QByteArrayView formData);  // 32-bit little-endian count, then the bytes
    // Form data compiled into the program (a window's stored description), whose bytes stay where
    // they lie for the whole run: read in place and kept by reference instead of copied.
    void loadFromCompiledFormData(QByteArrayView formData);
    void readData(QIODevice &device);                // the same layout from a device
    QByteArray formData() const;                     // count + the bytes last loaded
    static QByteArray formDataOf(QByteArrayView gif); // count + gif
    void writeData(QIODevice &device) const;

    // Shares the other image's data and frame items (the frames' pictures are decoded anew).
    void assign(const TGIFImage &other);

    TGIFVersion FormatVersion() const { return m_header.formatVersion; }
    int FrameCount() const { return int(m_frameList.size()); }
    TGIFFrame &Frames(int index) const { return *m_frameList.at(std::size_t(index)); }
    int SelectedFrame() const { return m_selectedFrame; }
    void setSelectedFrame(int index);
    std::uint16_t LogicalWidth() const { return m_header.logicalWidth; }
    std::uint16_t LogicalHeight() const { return m_header.logicalHeight; }
    tk::TColor ScreenBackground() const { return m_header.screenBackground; }
    bool HasLoopBlock() const { return m_header.hasLoopBlock; }
    std::uint16_t LoopCount() const { return m_header.loopCount; }
    const TGIFData &Data() const { return *m_data; }

    bool isEmpty() const;
    bool transparentFlag() const { return m_transparent; }
    void setTransparent(bool transparent);
    bool isTransparent() const;  // the flag is on and some frame has a key colour
    bool paletteModified() const { return m_paletteModified; }
    void setPaletteModified(bool modified) { m_paletteModified = modified; }
    QList<QRgb> palette() const;  // the selected frame's picture's colour table; empty when empty
    int width() const;            // of the selected frame's picture; 0 when there is none
    int height() const;
    [[noreturn]] void setWidth(int width);   // a GIF image cannot be resized
    [[noreturn]] void setHeight(int height);

    // Draws the selected frame into rect, with transparency when the image is transparent.
    void draw(QPainter &painter, const QRect &rect) const;

    // Writes the frames' pictures as a GIF file (see TGIFEncoder for the options it uses).
    QByteArray saveToBytes(TGIFVersion version = TGIFVersion::V89a, int loopCount = -1) const;

Q_SIGNALS:
    void changed();

private:
    void reset();
    void loadBuffer(QByteArray bytes);

    std::shared_ptr<TGIFData> m_data;
    std::vector<std::unique_ptr<TGIFFrame>> m_frameList;
    Header m_header;
    int m_selectedFrame = -1;
    bool m_transparent = true;
    bool m_paletteModified = false;
};

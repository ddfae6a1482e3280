#pragma once

#include "toolkit/tcolor.h"

#include <QImage>
#include <QRgb>

#include <cstdint>

class TGIFImage;

// Composes the frames of a GIF image on its logical screen, each over the ones before it as the
// earlier frames' disposal modes leave the screen, and keeps the last composition so that
// composing the next frame only adds that frame. Calls must not overlap: its owner serialises
// them.
class TGIFComposer {
public:
    explicit TGIFComposer(const TGIFImage &image);

    // Frame n (clamped into the frames) over the earlier ones: RGB32, LogicalWidth x LogicalHeight;
    // a null picture when the image has no frames or no logical size. The next frame extends the
    // kept composition unless the kept frame restores what lay before it; any other frame is
    // composed afresh from the last frame that covers the whole screen. Raises tk::Error when a
    // frame cannot be decoded: an extended composition keeps its index, a fresh one is dropped.
    const QImage &compose(int n);
    // The colour that is see-through in the composition (the selected frame's key colour), or
    // clNone.
    tk::TColor keyColor() const { return m_keyColor; }
    // The frame the kept composition shows; -1 when there is none.
    int cacheIndex() const { return m_index; }
    // How many compositions started afresh instead of extending the kept one.
    std::uint64_t recompositions() const { return m_recompositions; }

    // The fill of a fresh composition when neither a key colour nor the screen background
    // gives one (the desktop's window colour). Applies from the next fresh composition.
    void setWindowColor(QRgb color) { m_windowColor = color; }

    // Forgets the kept composition: the image changed.
    void clear();

private:
    void extend(int n);
    void recompose(int n);

    const TGIFImage &m_image;
    QImage m_picture;
    QRgb m_fill = 0;
    int m_index = -1;
    tk::TColor m_keyColor = tk::clNone;
    std::uint64_t m_recompositions = 0;
    QRgb m_windowColor = tk::clWhite.rgb();
};

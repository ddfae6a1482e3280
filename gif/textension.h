#pragma once

#include <QByteArray>
#include <QByteArrayList>

#include <cstdint>

enum class TExtensionKind : std::uint8_t { GraphicControl, PlainText, Application, Comment };

// One extension block of a GIF file as read: its kind, fixed part and data sub-blocks.
struct TExtension {
    TExtensionKind ExtensionKind = TExtensionKind::Comment;
    QByteArrayList SubBlocks;  // comment, plain-text and application blocks
    QByteArray FixedPart;      // starts with the block's size byte

    // Graphic control fields (FixedPart: size, packed, delay lo, delay hi, transparent index, 0).
    std::uint8_t gcPacked() const { return FixedPart.size() > 1 ? std::uint8_t(FixedPart[1]) : 0; }
    std::uint16_t gcDelay() const
    {
        return FixedPart.size() > 3 ? std::uint16_t(std::uint8_t(FixedPart[2]) | std::uint8_t(FixedPart[3]) << 8) : 0;
    }
    std::uint8_t gcTransparentIndex() const { return FixedPart.size() > 4 ? std::uint8_t(FixedPart[4]) : 0; }
};

#pragma once

#include <QtCore/qnamespace.h>

namespace tk {

// Horizontal placement of a control's text.
enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

// The cut of a bevel: none, sunk into the surface, standing out of it, or blank space of its width.
enum class TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

// The Qt flag that places text as the alignment says.
constexpr Qt::AlignmentFlag horizontalAlignment(TAlignment alignment)
{
    switch (alignment) {
    case TAlignment::taLeftJustify: return Qt::AlignLeft;
    case TAlignment::taRightJustify: return Qt::AlignRight;
    case TAlignment::taCenter: break;
    }
    return Qt::AlignHCenter;
}

// Where something `extent` wide starts inside `room` (int: halves rounded towards zero).
template <typename T>
constexpr T alignedOffset(T room, T extent, TAlignment alignment)
{
    switch (alignment) {
    case TAlignment::taLeftJustify: break;
    case TAlignment::taRightJustify: return room - extent;
    case TAlignment::taCenter: return (room - extent) / 2;
    }
    return T(0);
}

} // namespace tk

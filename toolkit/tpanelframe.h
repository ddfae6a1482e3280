#pragma once

#include "toolkit/talignment.h"

#include <QRect>

class QColor;
class QPainter;

namespace tk {

// The frame of a panel, from the edge inwards: the outer bevel (BevelWidth rings), the border
// (BorderWidth rings in the panel's colour) and the inner bevel.
struct TPanelFrame {
    TBevelCut bevelOuter = TBevelCut::bvRaised;
    TBevelCut bevelInner = TBevelCut::bvNone;
    int bevelWidth = 1;
    int borderWidth = 0;

    // How many pixels the frame takes on every side.
    int width() const;
    // Draws the frame on rect and returns the rectangle inside it.
    QRect paint(QPainter &painter, const QRect &rect, const QColor &color) const;
};

} // namespace tk

#pragma once

#include "toolkit/talignment.h"

#include <QColor>
#include <QRect>

class QPainter;

namespace tk {

// Draws one bevel ring on rect: the top and left edges in topLeft, the right and bottom edges,
// the top-right and bottom-left corner pixels included, in bottomRight. Whole-pixel fills only,
// so the ring stays one logical pixel wide and sharp at any device pixel ratio.
void drawBevelRing(QPainter &painter, const QRect &rect, const QColor &topLeft, const QColor &bottomRight);

// The two colours of a bevel ring of the given cut: shadow then highlight for a lowered one (seen
// from the top-left edge), the reverse for any other.
struct TBevelColors {
    QColor topLeft;
    QColor bottomRight;
};
TBevelColors bevelColors(TBevelCut cut);

// Draws `width` rings inwards from rect for a bevel of the given cut and returns the rectangle
// left inside them. A cut of None draws nothing and returns rect.
QRect drawBevel(QPainter &painter, const QRect &rect, TBevelCut cut, int width);

// Qt alignment flags for a one-line text of the given alignment, centred vertically.
int singleLineFlags(TAlignment alignment);

} // namespace tk

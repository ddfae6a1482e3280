#include "toolkit/tpanelframe.h"

#include "toolkit/tdraw.h"

#include <QColor>

namespace tk {

int TPanelFrame::width() const
{
    return borderWidth + (bevelOuter != TBevelCut::bvNone ? bevelWidth : 0)
           + (bevelInner != TBevelCut::bvNone ? bevelWidth : 0);
}

QRect TPanelFrame::paint(QPainter &painter, const QRect &rect, const QColor &color) const
{
    QRect r = drawBevel(painter, rect, bevelOuter, bevelWidth);
    for (int i = 0; i < borderWidth; ++i) {
        drawBevelRing(painter, r, color, color);
        r.adjust(1, 1, -1, -1);
    }
    return drawBevel(painter, r, bevelInner, bevelWidth);
}

} // namespace tk

#include "toolkit/tdraw.h"

#include "toolkit/tcolor.h"

#include <QPainter>

namespace tk {

void drawBevelRing(QPainter &painter, const QRect &rect, const QColor &topLeft, const QColor &bottomRight)
{
    if (rect.width() <= 0 || rect.height() <= 0)
        return;
    const int l = rect.left();
    const int t = rect.top();
    const int w = rect.width();
    const int h = rect.height();
    painter.fillRect(QRect(l, t, w - 1, 1), topLeft);
    painter.fillRect(QRect(l, t, 1, h - 1), topLeft);
    painter.fillRect(QRect(l + w - 1, t, 1, h), bottomRight);
    painter.fillRect(QRect(l, t + h - 1, w, 1), bottomRight);
}

TBevelColors bevelColors(TBevelCut cut)
{
    const QColor highlight = clBtnHighlight.toQColor();
    const QColor shadow = clBtnShadow.toQColor();
    if (cut == TBevelCut::bvLowered)
        return {shadow, highlight};
    return {highlight, shadow};
}

QRect drawBevel(QPainter &painter, const QRect &rect, TBevelCut cut, int width)
{
    if (cut == TBevelCut::bvNone || width <= 0)
        return rect;
    QRect r = rect;
    if (cut == TBevelCut::bvSpace)
        return r.adjusted(width, width, -width, -width);
    const TBevelColors colors = bevelColors(cut);
    for (int i = 0; i < width; ++i) {
        drawBevelRing(painter, r, colors.topLeft, colors.bottomRight);
        r.adjust(1, 1, -1, -1);
    }
    return r;
}

int singleLineFlags(TAlignment alignment)
{
    return Qt::AlignVCenter | Qt::TextSingleLine | horizontalAlignment(alignment);
}

} // namespace tk

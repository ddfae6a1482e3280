#include "toolkit/tbevel.h"

#include "toolkit/tcolor.h"
#include "toolkit/tdraw.h"

#include <QPainter>

namespace tk {

TBevel::TBevel(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

TBevel::~TBevel() = default;

void TBevel::setShape(TBevelShape shape)
{
    if (shape == m_shape)
        return;
    m_shape = shape;
    update();
}

void TBevel::setStyle(TBevelCut style)
{
    if (style == m_style)
        return;
    m_style = style;
    update();
}

void TBevel::paintEvent(QPaintEvent *)
{
    if (m_shape == TBevelShape::Spacer || m_style == TBevelCut::bvNone || m_style == TBevelCut::bvSpace)
        return;
    QPainter painter(this);
    const auto [first, second] = bevelColors(m_style);
    const int w = width();
    const int h = height();
    switch (m_shape) {
    case TBevelShape::Box:
        drawBevelRing(painter, rect(), first, second);
        break;
    case TBevelShape::Frame:
        // Two offset outlines: the etched groove (lowered) or ridge (raised).
        drawBevelRing(painter, QRect(1, 1, w - 1, h - 1), second, second);
        drawBevelRing(painter, QRect(0, 0, w - 1, h - 1), first, first);
        break;
    case TBevelShape::TopLine:
        painter.fillRect(QRect(0, 0, w, 1), first);
        painter.fillRect(QRect(0, 1, w, 1), second);
        break;
    case TBevelShape::BottomLine:
        painter.fillRect(QRect(0, h - 2, w, 1), first);
        painter.fillRect(QRect(0, h - 1, w, 1), second);
        break;
    case TBevelShape::LeftLine:
        painter.fillRect(QRect(0, 0, 1, h), first);
        painter.fillRect(QRect(1, 0, 1, h), second);
        break;
    case TBevelShape::RightLine:
        painter.fillRect(QRect(w - 2, 0, 1, h), first);
        painter.fillRect(QRect(w - 1, 0, 1, h), second);
        break;
    case TBevelShape::Spacer:
        break;
    }
}

} // namespace tk

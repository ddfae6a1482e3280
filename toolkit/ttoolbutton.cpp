#include "toolkit/ttoolbutton.h"

namespace tk {

TToolButton::TToolButton(Style style, QWidget *parent) : QToolButton(parent), m_style(style)
{
    setFocusPolicy(Qt::NoFocus);
    setAutoRaise(true);
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    if (style == Style::Separator)
        setEnabled(false);
}

TToolButton::~TToolButton() = default;

void TToolButton::setImageIndex(int index)
{
    if (index == m_imageIndex)
        return;
    m_imageIndex = index;
    update();
}

void TToolButton::paintEvent(QPaintEvent *event)
{
    if (m_style == Style::Separator)
        return;
    QToolButton::paintEvent(event);
}

} // namespace tk

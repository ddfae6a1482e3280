#include "toolkit/tgroupbox.h"

#include "toolkit/tdraw.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>

namespace tk {

TGroupBox::TGroupBox(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

TGroupBox::~TGroupBox() = default;

void TGroupBox::setColor(TColor color)
{
    if (color == m_color)
        return;
    m_color = color;
    update();
}

QRect TGroupBox::frameRect() const
{
    const int top = QFontMetrics(font()).height() / 2 - 1;
    return QRect(0, top, width(), height() - top);
}

void TGroupBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_color.toQColor());
    const QRect frame = frameRect();
    const QColor shadow = clBtnShadow.toQColor();
    const QColor highlight = clBtnHighlight.toQColor();
    drawBevelRing(painter, frame.adjusted(1, 1, 0, 0), highlight, highlight);
    drawBevelRing(painter, frame.adjusted(0, 0, -1, -1), shadow, shadow);
}

void TGroupBox::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange)
        update();
    QWidget::changeEvent(event);
}

} // namespace tk

#include "toolkit/tstatictext.h"

#include "toolkit/tdraw.h"

#include <QEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

namespace tk {

TStaticText::TStaticText(QWidget *parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setAttribute(Qt::WA_OpaquePaintEvent, !m_color.isNone());
    setFocusPolicy(Qt::NoFocus);
}

TStaticText::~TStaticText() = default;

void TStaticText::setCaption(const QString &caption)
{
    if (caption == text())
        return;
    setText(caption);
    m_captionCache.invalidate();
    fitToText();
    update();
}

void TStaticText::setTextAlignment(TAlignment alignment)
{
    if (alignment == m_alignment)
        return;
    m_alignment = alignment;
    update();
}

void TStaticText::setBorderStyle(TBevelCut style)
{
    if (style == m_borderStyle)
        return;
    m_borderStyle = style;
    fitToText();
    update();
}

void TStaticText::setColor(TColor color)
{
    if (color == m_color)
        return;
    m_color = color;
    // A coloured box paints every pixel; only a colourless one needs its parent drawn first.
    setAttribute(Qt::WA_OpaquePaintEvent, !m_color.isNone());
    update();
}

void TStaticText::setFontColor(TColor color)
{
    if (color == m_fontColor)
        return;
    m_fontColor = color;
    update();
}

void TStaticText::setAutoSize(bool on)
{
    if (on == m_autoSize)
        return;
    m_autoSize = on;
    fitToText();
}

QRect TStaticText::textRect() const
{
    return m_borderStyle == TBevelCut::bvNone ? rect() : rect().adjusted(1, 1, -1, -1);
}

void TStaticText::fitToText()
{
    if (!m_autoSize)
        return;
    const QFontMetrics metrics(font());
    const int border = m_borderStyle == TBevelCut::bvNone ? 0 : 2;
    resize(metrics.horizontalAdvance(text()) + border, metrics.height() + border);
}

void TStaticText::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (!m_color.isNone())
        painter.fillRect(rect(), m_color.toQColor());
    drawBevel(painter, rect(), m_borderStyle, 1);
    painter.setPen(m_fontColor.toQColor());
    m_captionCache.draw(painter, textRect(), m_alignment, text(), font());
}

void TStaticText::mousePressEvent(QMouseEvent *event)
{
    m_click.press(event);
}

void TStaticText::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_click.release(event, rect()))
        Q_EMIT OnClick(this);
}

void TStaticText::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange) {
        m_captionCache.invalidate();
        fitToText();
        update();
    }
    QLabel::changeEvent(event);
}

} // namespace tk

#include "toolkit/tpanel.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>

namespace tk {

TPanel::TPanel(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

TPanel::~TPanel() = default;

void TPanel::setCaption(const QString &caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    m_captionCache.invalidate();
    setAccessibleName(caption);
    update();
}

void TPanel::setAlignment(TAlignment alignment)
{
    if (alignment == m_alignment)
        return;
    m_alignment = alignment;
    update();
}

void TPanel::setBevelOuter(TBevelCut cut)
{
    if (cut == m_bevelOuter)
        return;
    m_bevelOuter = cut;
    update();
}

void TPanel::setBevelInner(TBevelCut cut)
{
    if (cut == m_bevelInner)
        return;
    m_bevelInner = cut;
    update();
}

void TPanel::setBevelWidth(int width)
{
    if (width < 1 || width == m_bevelWidth)
        return;
    m_bevelWidth = width;
    update();
}

void TPanel::setBorderWidth(int width)
{
    if (width < 0 || width == m_borderWidth)
        return;
    m_borderWidth = width;
    update();
}

void TPanel::setColor(TColor color)
{
    if (color == m_color)
        return;
    m_color = color;
    update();
}

void TPanel::setFontColor(TColor color)
{
    if (color == m_fontColor)
        return;
    m_fontColor = color;
    update();
}

TPanelFrame TPanel::frame() const
{
    return {m_bevelOuter, m_bevelInner, m_bevelWidth, m_borderWidth};
}

QRect TPanel::clientRect() const
{
    const int w = frame().width();
    return rect().adjusted(w, w, -w, -w);
}

void TPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QColor color = m_color.toQColor();
    painter.fillRect(rect(), color);
    frame().paint(painter, rect(), color);
    if (m_caption.isEmpty())
        return;
    painter.setPen(m_fontColor.toQColor());
    m_captionCache.draw(painter, clientRect(), m_alignment, m_caption, font());
}

void TPanel::mousePressEvent(QMouseEvent *event)
{
    m_click.press(event);
}

void TPanel::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_click.release(event, rect()))
        Q_EMIT OnClick(this);
}

void TPanel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange) {
        m_captionCache.invalidate();
        update();
    }
    QWidget::changeEvent(event);
}

} // namespace tk

#include "toolkit/tpanel.h"

#include "toolkit/tdraw.h"

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

QRect TPanel::clientRect() const
{
    QRect r = rect();
    const auto inset = [&r](int n) { r.adjust(n, n, -n, -n); };
    if (m_bevelOuter != TBevelCut::bvNone)
        inset(m_bevelWidth);
    inset(m_borderWidth);
    if (m_bevelInner != TBevelCut::bvNone)
        inset(m_bevelWidth);
    return r;
}

void TPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_color.toQColor());
    QRect r = drawBevel(painter, rect(), m_bevelOuter, m_bevelWidth);
    r.adjust(m_borderWidth, m_borderWidth, -m_borderWidth, -m_borderWidth);
    drawBevel(painter, r, m_bevelInner, m_bevelWidth);
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

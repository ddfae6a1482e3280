#include "toolkit/tlabel.h"

#include "toolkit/tdraw.h"

#include <QEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

namespace tk {

TLabel::TLabel(QWidget *parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setFocusPolicy(Qt::NoFocus);
    fitToText();
}

TLabel::~TLabel() = default;

void TLabel::setCaption(const QString &caption)
{
    if (caption == text())
        return;
    setText(caption);
    fitToText();
    update();
}

void TLabel::setTextAlignment(TAlignment alignment)
{
    if (alignment == m_alignment)
        return;
    m_alignment = alignment;
    update();
}

void TLabel::setAutoSize(bool on)
{
    if (on == m_autoSize)
        return;
    m_autoSize = on;
    fitToText();
}

void TLabel::setTransparent(bool on)
{
    if (on == m_transparent)
        return;
    m_transparent = on;
    update();
}

void TLabel::setColor(TColor color)
{
    if (color == m_color)
        return;
    m_color = color;
    update();
}

void TLabel::setFontColor(TColor color)
{
    if (color == m_fontColor)
        return;
    m_fontColor = color;
    update();
}

void TLabel::fitToText()
{
    if (!m_autoSize)
        return;
    const QFontMetrics metrics(font());
    resize(metrics.horizontalAdvance(text()), metrics.height());
}

void TLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (!m_transparent && !m_color.isNone())
        painter.fillRect(rect(), m_color.toQColor());
    painter.setFont(font());
    painter.setPen(m_fontColor.toQColor());
    painter.drawText(rect(), singleLineFlags(m_alignment), text());
}

void TLabel::mousePressEvent(QMouseEvent *event)
{
    m_click.press(event);
}

void TLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_click.release(event, rect()))
        Q_EMIT OnClick(this);
}

void TLabel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange) {
        fitToText();
        update();
    }
    QLabel::changeEvent(event);
}

} // namespace tk

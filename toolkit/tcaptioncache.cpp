#include "toolkit/tcaptioncache.h"

#include <QFontMetricsF>
#include <QPainter>

namespace tk {

void TCaptionCache::prepare(const QRect &rect, TAlignment alignment, const QString &text, const QFont &font)
{
    m_text.setText(text);
    m_text.setTextFormat(Qt::PlainText);
    m_text.prepare(QTransform(), font);
    const QFontMetricsF metrics(font);
    const qreal width = metrics.horizontalAdvance(text);
    const qreal x = rect.left() + alignedOffset<qreal>(rect.width(), width, alignment);
    // Whole pixels, as the text drawing of a rectangle places it.
    m_position = QPointF(qRound(x), rect.top() + qRound((rect.height() - metrics.height()) / 2));
    m_clip = width > rect.width() || metrics.height() > rect.height();
    m_rect = rect;
    m_alignment = alignment;
    m_valid = true;
}

void TCaptionCache::draw(QPainter &painter, const QRect &rect, TAlignment alignment, const QString &text,
                         const QFont &font)
{
    if (text.isEmpty())
        return;
    if (!m_valid || rect != m_rect || alignment != m_alignment)
        prepare(rect, alignment, text, font);
    painter.setFont(font);
    if (m_clip) {
        painter.save();
        painter.setClipRect(rect, Qt::IntersectClip);
        painter.drawStaticText(m_position, m_text);
        painter.restore();
    } else {
        painter.drawStaticText(m_position, m_text);
    }
}

} // namespace tk

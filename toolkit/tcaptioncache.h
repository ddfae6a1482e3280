#pragma once

#include "toolkit/talignment.h"

#include <QFont>
#include <QPointF>
#include <QRect>
#include <QStaticText>
#include <QString>

class QPainter;

namespace tk {

// A one-line caption laid out once and drawn many times: the controls' paint events reuse the
// prepared text instead of laying it out on every paint. The owner calls invalidate() when the
// text or the font changes; a change of rectangle or alignment is noticed here.
class TCaptionCache {
public:
    void invalidate() { m_valid = false; }

    // Draws text in the current pen, aligned in rect and centred vertically, clipped to rect
    // when it does not fit.
    void draw(QPainter &painter, const QRect &rect, TAlignment alignment, const QString &text, const QFont &font);

    // Where the text's top-left went on the last draw.
    QPointF position() const { return m_position; }

private:
    void prepare(const QRect &rect, TAlignment alignment, const QString &text, const QFont &font);

    QStaticText m_text;
    QRect m_rect;
    TAlignment m_alignment = TAlignment::taLeftJustify;
    QPointF m_position;
    bool m_clip = false;
    bool m_valid = false;
};

} // namespace tk

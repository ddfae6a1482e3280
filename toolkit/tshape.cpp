#include "toolkit/tshape.h"

#include <QPainter>

#include <algorithm>

namespace tk {

TShape::TShape(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
    updateOpacity();
}

TShape::~TShape() = default;

void TShape::setShape(TShapeType shape)
{
    if (shape == m_shape)
        return;
    m_shape = shape;
    updateOpacity();
    update();
}

void TShape::updateOpacity()
{
    // A rectangle of plain colours covers the whole control; the parent need not be drawn under it.
    const bool covers = m_shape == TShapeType::Rectangle && !m_brushColor.isNone()
                        && (m_penWidth == 0 || !m_penColor.isNone());
    setAttribute(Qt::WA_OpaquePaintEvent, covers);
}

void TShape::setBrushColor(TColor color)
{
    if (color == m_brushColor)
        return;
    m_brushColor = color;
    updateOpacity();
    update();
}

void TShape::setPenColor(TColor color)
{
    if (color == m_penColor)
        return;
    m_penColor = color;
    updateOpacity();
    update();
}

void TShape::setPenWidth(int width)
{
    if (width < 0 || width == m_penWidth)
        return;
    m_penWidth = width;
    updateOpacity();
    update();
}

void TShape::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QRect r = rect();
    if (m_shape == TShapeType::Square || m_shape == TShapeType::RoundSquare || m_shape == TShapeType::Circle) {
        const int side = std::min(r.width(), r.height());
        r = QRect(r.left() + (r.width() - side) / 2, r.top() + (r.height() - side) / 2, side, side);
    }
    const QColor pen = m_penColor.toQColor();
    const QColor brush = m_brushColor.toQColor();
    if (m_shape == TShapeType::Rectangle || m_shape == TShapeType::Square) {
        // Outline and interior are whole-pixel fills: sharp edges at any pixel ratio.
        const int p = std::min({m_penWidth, r.width() / 2 + 1, r.height() / 2 + 1});
        if (p > 0 && pen != brush)
            painter.fillRect(r, pen);
        painter.fillRect(p > 0 && pen != brush ? r.adjusted(p, p, -p, -p) : r, brush);
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal half = m_penWidth / 2.0;
    const QRectF f = QRectF(r).adjusted(half, half, -half, -half);
    painter.setPen(m_penWidth > 0 ? QPen(pen, m_penWidth) : QPen(Qt::NoPen));
    painter.setBrush(brush);
    if (m_shape == TShapeType::Ellipse || m_shape == TShapeType::Circle) {
        painter.drawEllipse(f);
    } else {
        const qreal radius = std::min(r.width(), r.height()) / 4.0;
        painter.drawRoundedRect(f, radius, radius);
    }
}

} // namespace tk

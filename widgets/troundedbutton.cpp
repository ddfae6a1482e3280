#include "widgets/troundedbutton.h"

#include "toolkit/tcolorkey.h"

#include <QEnterEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPathStroker>
#include <QPointer>
#include <QPolygonF>

RoundedButtonGeometry RoundedButtonGeometry::make(QSize size, TrbsShape shape)
{
    RoundedButtonGeometry g;
    g.size = size;
    g.shape = shape;
    const int w1 = size.width() - 1;
    const int h1 = size.height() - 1;
    if (w1 < 1 || h1 < 1)
        return g;
    const qreal r = size.width() / 4;

    // The outline is one pixel wide and runs through the centres of the pixels the classic
    // drawing calls the shape's corners; the face is what lies inside its outer edge.
    QPainterPath centre;
    const QRectF box(0.5, 0.5, w1 - 1, h1 - 1);
    switch (shape) {
    case TrbsShape::rbsRounded:
        centre.addRoundedRect(box, qMax(0.0, r / 2 - 0.5), qMax(0.0, r / 2 - 0.5));
        break;
    case TrbsShape::rbsEllipse:
        centre.addEllipse(box);
        break;
    case TrbsShape::rbsOctagon: {
        const QPointF half(0.5, 0.5);
        QPolygonF octagon{QPointF(r, 0) + half,          QPointF(w1 - r, 0) + half,
                          QPointF(w1 - 1, r) + half,     QPointF(w1 - 1, h1 - r) + half,
                          QPointF(w1 - r, h1 - 1) + half, QPointF(r, h1 - 1) + half,
                          QPointF(0, h1 - r) + half,     QPointF(0, r) + half};
        octagon << octagon.first();
        centre.addPolygon(octagon);
        break;
    }
    }
    centre.closeSubpath();

    QPainterPathStroker stroker;
    stroker.setWidth(1);
    stroker.setJoinStyle(Qt::MiterJoin);
    stroker.setCapStyle(Qt::FlatCap);
    const QPainterPath ring = stroker.createStroke(centre);
    g.face = centre.united(ring).simplified();
    g.inner = centre.subtracted(ring).simplified();

    QPainterPath upper;
    // The diagonal runs from the face's bottom-left corner to its top-right corner; the triangle
    // reaches past the face so that no edge of it cuts the outline elsewhere.
    upper.addPolygon(QPolygonF{QPointF(-w1, 2 * h1), QPointF(2 * w1, -h1), QPointF(-w1, -h1),
                               QPointF(-w1, 2 * h1)});
    g.upperLeft = g.face.intersected(upper);
    return g;
}

void paintRoundedButton(QPainter &painter, const RoundedButtonGeometry &geometry, const RoundedButtonLook &look)
{
    const int w = geometry.size.width();
    const int h = geometry.size.height();
    if (w < 2 || h < 2)
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);

    const bool outline = look.pressed || !look.flat || look.mouseOver;
    const QColor face = look.color.toQColor();
    if (outline) {
        const QColor upperLeft = (look.pressed ? tk::clBlack : tk::clWhite).toQColor();
        const QColor lowerRight = (look.pressed ? tk::clWhite : tk::clBlack).toQColor();
        // Painting the whole outline in the lower-right colour first leaves no pixel along the
        // diagonal uncovered, whichever side the rasteriser gives it to.
        painter.fillPath(geometry.face, lowerRight);
        painter.fillPath(geometry.upperLeft, upperLeft);
        painter.fillPath(geometry.inner, face);
    } else {
        painter.fillPath(geometry.face, face);
    }

    const QImage *glyph = look.gray ? look.grayGlyph : look.glyph;
    if (look.mouseOver && look.trackGlyph)
        glyph = look.glyph;
    if (glyph != nullptr && !glyph->isNull() && look.glyph != nullptr && !look.glyph->isNull()) {
        painter.save();
        painter.setClipPath(geometry.inner);
        QPoint at((w - glyph->width()) / 2 + 1, (h - glyph->height()) / 2);
        if (look.pressed)
            at += QPoint(1, 1);
        painter.drawImage(at, *glyph);
        painter.restore();
    }

    const tk::TColor captionColor = look.mouseOver && !look.pressed ? look.hotTrackColor : look.fontColor;
    painter.setFont(look.font);
    painter.setPen(captionColor.toQColor());
    painter.drawText(roundedButtonCaptionRect(geometry.size, look.pressed), Qt::AlignCenter | Qt::TextSingleLine,
                     look.caption);
    painter.restore();
}

QRect roundedButtonCaptionRect(QSize size, bool pressed)
{
    return QRect(pressed ? 1 : 0, pressed ? 1 : 0, size.width() - 1, size.height() - 1);
}

QString roundedButtonCaption(const QString &caption, const QFont &font, int buttonWidth)
{
    return QFontMetrics(font).elidedText(caption, Qt::ElideRight, qMax(0, buttonWidth - 1), Qt::TextSingleLine);
}

QImage grayCopy(const QImage &picture)
{
    if (picture.isNull())
        return {};
    QImage gray = picture.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < gray.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(gray.scanLine(y));
        for (int x = 0; x < gray.width(); ++x) {
            const int v = (qRed(line[x]) + qGreen(line[x]) + qBlue(line[x])) / 3;
            line[x] = qRgb(v, v, v);
        }
    }
    return gray;
}

QImage transparentCopy(const QImage &picture)
{
    return tk::keyedOutByCorner(picture);
}

TRoundedButton::TRoundedButton(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
    resize(81, 33);
    m_geometry = RoundedButtonGeometry::make(size(), m_shape);
    updateCaption();
}

TRoundedButton::~TRoundedButton() = default;

void TRoundedButton::setColor(tk::TColor color)
{
    if (m_color == color)
        return;
    m_color = color;
    update();
}

void TRoundedButton::setGlyph(const QImage &glyph)
{
    m_glyph = glyph;
    rebuildGlyphs();
    update();
}

void TRoundedButton::setGray(bool gray)
{
    if (m_gray == gray)
        return;
    m_gray = gray;
    update();
}

void TRoundedButton::setTrackGlyph(bool trackGlyph)
{
    m_trackGlyph = trackGlyph;
    if (trackGlyph)
        setGray(true);
}

void TRoundedButton::setFlat(bool flat)
{
    // Shown by the next repaint, not at once.
    m_flat = flat;
}

void TRoundedButton::setShape(TrbsShape shape)
{
    if (m_shape != shape) {
        m_shape = shape;
        m_geometry = RoundedButtonGeometry::make(size(), m_shape);
    }
    update();
}

void TRoundedButton::setHotTrackColor(tk::TColor color)
{
    m_hotTrackColor = color;
}

void TRoundedButton::setFontColor(tk::TColor color)
{
    if (m_fontColor == color)
        return;
    m_fontColor = color;
    update();
}

void TRoundedButton::setCaption(const QString &caption)
{
    if (m_caption == caption)
        return;
    m_caption = caption;
    updateCaption();
    update();
}

RoundedButtonLook TRoundedButton::look() const
{
    RoundedButtonLook l;
    l.color = m_color;
    l.fontColor = m_fontColor;
    l.hotTrackColor = m_hotTrackColor;
    l.font = font();
    if (m_captionDirty) {
        m_shownCaption = roundedButtonCaption(m_caption, font(), width());
        m_captionDirty = false;
    }
    l.caption = m_shownCaption;
    l.flat = m_flat;
    l.mouseOver = m_mouseOver;
    l.pressed = m_pressed;
    l.gray = m_gray;
    l.trackGlyph = m_trackGlyph;
    l.glyph = &m_drawnGlyph;
    l.grayGlyph = &m_drawnGrayGlyph;
    return l;
}

void TRoundedButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paintRoundedButton(painter, m_geometry, look());
}

void TRoundedButton::enterEvent(QEnterEvent *)
{
    m_mouseOver = true;
    update();
}

void TRoundedButton::leaveEvent(QEvent *)
{
    m_mouseOver = false;
    update();
}

void TRoundedButton::mousePressEvent(QMouseEvent *event)
{
    m_pressed = true;
    m_click.press(event);
    repaint();
}

void TRoundedButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_click.release(event, rect())) {
        // The click handler may close the window or delete the button.
        const QPointer<TRoundedButton> alive(this);
        Q_EMIT OnClick(this);
        if (alive.isNull())
            return;
    }
    m_pressed = false;
    repaint();
}

void TRoundedButton::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second press of a double click comes as this event alone. It sinks the button like any
    // press but starts no click; should a plain press have come just before it, the click that
    // one started is taken back.
    if (event->button() == Qt::LeftButton)
        m_click.cancel();
    if (!m_pressed) {
        m_pressed = true;
        repaint();
    }
}

void TRoundedButton::resizeEvent(QResizeEvent *)
{
    m_geometry = RoundedButtonGeometry::make(size(), m_shape);
    updateCaption();
}

void TRoundedButton::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange) {
        updateCaption();
        update();
    }
    QWidget::changeEvent(event);
}

void TRoundedButton::rebuildGlyphs()
{
    m_grayGlyph = grayCopy(m_glyph);
    m_drawnGlyph = transparentCopy(m_glyph);
    m_drawnGrayGlyph = transparentCopy(m_grayGlyph);
}

void TRoundedButton::updateCaption()
{
    // Measured when next painted: text measuring needs the font set-up, which start-up leaves
    // until the window is on screen.
    m_captionDirty = true;
}

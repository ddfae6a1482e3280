#pragma once

#include "toolkit/tclicktracker.h"
#include "toolkit/tcolor.h"

#include <QFont>
#include <QImage>
#include <QPainterPath>
#include <QRect>
#include <QSize>
#include <QString>
#include <QWidget>

class QPainter;

enum class TrbsShape { rbsRounded, rbsEllipse, rbsOctagon };

// The outline of a button face of a given size and shape, in logical pixels; the face covers
// the pixels 0 .. W - 2 and 0 .. H - 2, leaving the last column and row to the parent.
struct RoundedButtonGeometry {
    QSize size;
    TrbsShape shape = TrbsShape::rbsRounded;
    QPainterPath face;      // the whole face, outline included
    QPainterPath inner;     // the face shrunk by one pixel: what the outline leaves, the glyph's clip
    QPainterPath upperLeft; // the face above the diagonal from (0, H1) to (W1, 0)

    static RoundedButtonGeometry make(QSize size, TrbsShape shape);
};

// Everything the paint function needs to know about a button at one moment.
struct RoundedButtonLook {
    tk::TColor color = tk::clSilver;
    tk::TColor fontColor = tk::clWindowText;
    tk::TColor hotTrackColor = tk::clBlue;
    QFont font;
    QString caption; // already cut to the width (roundedButtonCaption)
    bool flat = true;
    bool mouseOver = false;
    bool pressed = false;
    bool gray = true;
    bool trackGlyph = true;
    const QImage *glyph = nullptr;     // with its transparent pixels cleared; null or empty: none
    const QImage *grayGlyph = nullptr; // likewise
};

// Paints a button face, outline, glyph and caption with the painter's origin at the button's
// top-left corner.
void paintRoundedButton(QPainter &painter, const RoundedButtonGeometry &geometry, const RoundedButtonLook &look);

// Where the caption is centred on a button of the given size: the face without the last column
// and row, one pixel right and down while the button is held.
QRect roundedButtonCaptionRect(QSize size, bool pressed);

// The caption as it is drawn on one line of a button of the given width: cut with a trailing
// ellipsis when it does not fit.
QString roundedButtonCaption(const QString &caption, const QFont &font, int buttonWidth);

// A picture's grey copy: each pixel gets (blue + green + red) div 3 in all three channels.
QImage grayCopy(const QImage &picture);

// A picture prepared for transparent drawing: every pixel of the colour of its bottom-left
// pixel becomes fully transparent.
QImage transparentCopy(const QImage &picture);

// A windowless push button with a rounded (or elliptic, or octagonal) face and a two-colour
// outline that looks raised on hover and sunken while held.
class TRoundedButton : public QWidget {
    Q_OBJECT
public:
    explicit TRoundedButton(QWidget *parent = nullptr);
    ~TRoundedButton() override;

    tk::TColor color() const { return m_color; }
    void setColor(tk::TColor color);
    const QImage &glyph() const { return m_glyph; }
    void setGlyph(const QImage &glyph);
    bool gray() const { return m_gray; }
    void setGray(bool gray);
    bool trackGlyph() const { return m_trackGlyph; }
    void setTrackGlyph(bool trackGlyph);
    bool flat() const { return m_flat; }
    void setFlat(bool flat);
    TrbsShape shape() const { return m_shape; }
    void setShape(TrbsShape shape);
    tk::TColor hotTrackColor() const { return m_hotTrackColor; }
    void setHotTrackColor(tk::TColor color);
    // The font itself is the widget's font (the parent's unless set); this is its colour.
    tk::TColor fontColor() const { return m_fontColor; }
    void setFontColor(tk::TColor color);
    const QString &caption() const { return m_caption; }
    void setCaption(const QString &caption);

    bool mouseOver() const { return m_mouseOver; }
    bool pressed() const { return m_pressed; }
    const QImage &grayGlyph() const { return m_grayGlyph; }

    // The state the next paint shows.
    RoundedButtonLook look() const;

Q_SIGNALS:
    // OnClick: a left press on the button and the left release inside it. The second press of a
    // double click is no such press: a double click clicks once, on its first release.
    void OnClick(TRoundedButton *sender);

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void rebuildGlyphs();
    void updateCaption();

    tk::TColor m_color = tk::clSilver;
    tk::TColor m_hotTrackColor = tk::clBlue;
    tk::TColor m_fontColor = tk::clWindowText;
    QImage m_glyph;
    QImage m_grayGlyph;
    QImage m_drawnGlyph; // m_glyph with its transparent pixels cleared
    QImage m_drawnGrayGlyph;
    bool m_gray = true;
    bool m_trackGlyph = true;
    bool m_flat = true;
    TrbsShape m_shape = TrbsShape::rbsRounded;
    QString m_caption;
    mutable QString m_shownCaption;
    mutable bool m_captionDirty = true;
    RoundedButtonGeometry m_geometry;
    bool m_mouseOver = false;
    bool m_pressed = false;
    tk::TClickTracker m_click;
};

#pragma once

#include "toolkit/tclicktracker.h"

#include "toolkit/talignment.h"
#include "toolkit/tcaptioncache.h"
#include "toolkit/tcolor.h"

#include <QLabel>
#include <QString>

namespace tk {

// A static text box: one line of text in a box, left, centred or right-aligned and centred
// vertically, on a background colour (clNone lets the parent show through), with an optional
// one-pixel bevel as its border (sunken: shadow at top and left, highlight at right and bottom). It reports a left click released over it. Being a QLabel, it hands its caption to
// assistive technology.
class TStaticText : public QLabel {
    Q_OBJECT
public:
    explicit TStaticText(QWidget *parent = nullptr);
    ~TStaticText() override;

    QString caption() const { return text(); }
    void setCaption(const QString &caption);

    TAlignment textAlignment() const { return m_alignment; }
    void setTextAlignment(TAlignment alignment);

    TBevelCut borderStyle() const { return m_borderStyle; }
    void setBorderStyle(TBevelCut style);

    // Background; clBtnFace by default, clNone for none.
    TColor color() const { return m_color; }
    void setColor(TColor color);

    // Text colour; clWindowText by default.
    TColor fontColor() const { return m_fontColor; }
    void setFontColor(TColor color);

    // When on, the box takes the size of its text (plus its border) whenever text or font change.
    bool autoSize() const { return m_autoSize; }
    void setAutoSize(bool on);

    // The rectangle the text is laid out in: the client rectangle inside the border.
    QRect textRect() const;

Q_SIGNALS:
    void OnClick(tk::TStaticText *sender);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void fitToText();

    TCaptionCache m_captionCache;

    TAlignment m_alignment = TAlignment::taLeftJustify;
    TBevelCut m_borderStyle = TBevelCut::bvNone;
    TColor m_color = clBtnFace;
    TColor m_fontColor = clWindowText;
    bool m_autoSize = false;
    TClickTracker m_click;
};

} // namespace tk

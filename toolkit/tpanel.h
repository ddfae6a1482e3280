#pragma once

#include "toolkit/tclicktracker.h"

#include "toolkit/talignment.h"
#include "toolkit/tcaptioncache.h"
#include "toolkit/tcolor.h"
#include "toolkit/tpanelframe.h"

#include <QString>
#include <QWidget>

namespace tk {

// A panel: a filled rectangle framed by an outer and an inner bevel (each a ring of BevelWidth
// pixels, highlight at top and left and shadow at right and bottom when raised, the other way
// round when lowered, with BorderWidth pixels of face between them) and a one-line caption in the
// middle. Other controls may be placed on it. Its caption is its accessible name.
class TPanel : public QWidget {
    Q_OBJECT
public:
    explicit TPanel(QWidget *parent = nullptr);
    ~TPanel() override;

    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);

    TAlignment alignment() const { return m_alignment; }
    void setAlignment(TAlignment alignment);

    TBevelCut bevelOuter() const { return m_bevelOuter; }
    void setBevelOuter(TBevelCut cut);

    TBevelCut bevelInner() const { return m_bevelInner; }
    void setBevelInner(TBevelCut cut);

    int bevelWidth() const { return m_bevelWidth; }
    void setBevelWidth(int width);

    int borderWidth() const { return m_borderWidth; }
    void setBorderWidth(int width);

    // Face colour; clBtnFace by default.
    TColor color() const { return m_color; }
    void setColor(TColor color);

    // Caption colour; clWindowText by default.
    TColor fontColor() const { return m_fontColor; }
    void setFontColor(TColor color);

    // The rectangle inside both bevels and the border, where the caption is laid out.
    QRect clientRect() const;

Q_SIGNALS:
    void OnClick(tk::TPanel *sender);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    TPanelFrame frame() const;

    TCaptionCache m_captionCache;
    QString m_caption;
    TAlignment m_alignment = TAlignment::taCenter;
    TBevelCut m_bevelOuter = TBevelCut::bvRaised;
    TBevelCut m_bevelInner = TBevelCut::bvNone;
    int m_bevelWidth = 1;
    int m_borderWidth = 0;
    TColor m_color = clBtnFace;
    TColor m_fontColor = clWindowText;
    TClickTracker m_click;
};

} // namespace tk

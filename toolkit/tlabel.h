#pragma once

#include "toolkit/tclicktracker.h"

#include "toolkit/talignment.h"
#include "toolkit/tcolor.h"

#include <QLabel>
#include <QString>

namespace tk {

// A label: one line of text, by default sizing itself to that text whenever text or font change
// and letting its parent show through (Transparent). Being a QLabel, it hands its caption to
// assistive technology.
class TLabel : public QLabel {
    Q_OBJECT
public:
    explicit TLabel(QWidget *parent = nullptr);
    ~TLabel() override;

    QString caption() const { return text(); }
    void setCaption(const QString &caption);

    TAlignment textAlignment() const { return m_alignment; }
    void setTextAlignment(TAlignment alignment);

    bool autoSize() const { return m_autoSize; }
    void setAutoSize(bool on);

    bool transparent() const { return m_transparent; }
    void setTransparent(bool on);

    // Background when not transparent; clBtnFace by default.
    TColor color() const { return m_color; }
    void setColor(TColor color);

    TColor fontColor() const { return m_fontColor; }
    void setFontColor(TColor color);

Q_SIGNALS:
    void OnClick(tk::TLabel *sender);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void fitToText();

    TAlignment m_alignment = TAlignment::taLeftJustify;
    bool m_autoSize = true;
    bool m_transparent = true;
    TColor m_color = clBtnFace;
    TColor m_fontColor = clWindowText;
    TClickTracker m_click;
};

} // namespace tk

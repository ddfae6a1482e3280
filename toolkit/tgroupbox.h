#pragma once

#include "toolkit/tcolor.h"

#include <QWidget>

namespace tk {

// A group box: a filled rectangle with an etched frame (a shadow ring with a highlight ring one
// pixel below and right of it) whose top edge stands half a text line below the box's top, where a
// title would be centred; this one carries no title. Other controls are placed on it.
class TGroupBox : public QWidget {
    Q_OBJECT
public:
    explicit TGroupBox(QWidget *parent = nullptr);
    ~TGroupBox() override;

    TColor color() const { return m_color; }
    void setColor(TColor color);

    // The outer rectangle of the etched frame.
    QRect frameRect() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    TColor m_color = clBtnFace;
};

} // namespace tk

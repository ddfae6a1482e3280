#pragma once

#include <QToolButton>

namespace tk {

// A tool-bar item: a flat button showing its image above its caption, or a separator, an empty
// gap of its own width. Neither takes the keyboard focus.
class TToolButton : public QToolButton {
    Q_OBJECT
public:
    enum class Style { Button, Separator };

    explicit TToolButton(Style style, QWidget *parent = nullptr);
    ~TToolButton() override;

    Style buttonStyle() const { return m_style; }

    // Index into the tool bar's image list; -1 for none.
    int imageIndex() const { return m_imageIndex; }
    void setImageIndex(int index);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Style m_style;
    int m_imageIndex = -1;
};

} // namespace tk

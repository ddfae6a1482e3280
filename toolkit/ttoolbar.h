#pragma once

#include "toolkit/tcolor.h"

#include <QSize>
#include <QString>
#include <QWidget>

#include <span>
#include <string_view>
#include <vector>

namespace tk {

class TImageList;
class TToolButton;

// One item of a tool bar as a layout gives it: a separator of `width` pixels, or a button with
// caption, image index and hint (UTF-8 texts).
struct ToolItem {
    std::string_view name;
    bool separator = false;
    int width = 0;
    std::string_view caption;
    int imageIndex = -1;
    std::string_view hint;
};

// A tool bar: a strip of one colour with its items side by side from the left edge, buttons of
// one fixed size below a small top margin, each button's image taken from the bar's image list.
// Buttons show their hint on hover and the hand cursor.
class TToolBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int TopMargin = 2;

    TToolBar(QSize buttonSize, QWidget *parent = nullptr);
    ~TToolBar() override;

    TColor color() const { return m_color; }
    void setColor(TColor color);

    const TImageList *images() const { return m_images; }
    void setImages(const TImageList *images);

    QSize buttonSize() const { return m_buttonSize; }

    // Appends the items in order; returns the new items.
    std::vector<TToolButton *> addItems(std::span<const ToolItem> items);

    // Where the next item goes.
    int nextLeft() const { return m_nextLeft; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void applyImages();

    QSize m_buttonSize;
    TColor m_color = clBtnFace;
    const TImageList *m_images = nullptr;
    std::vector<TToolButton *> m_items;
    int m_nextLeft = 0;
};

} // namespace tk

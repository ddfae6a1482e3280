#pragma once

#include "toolkit/talignment.h"
#include "toolkit/tcolor.h"

#include <QRect>
#include <QString>
#include <QWidget>

#include <vector>

namespace tk {

// A status bar: a strip of face colour holding panels side by side from the left, each a sunken
// one-pixel frame of its stated width with its text inside; the last panel always reaches the
// right edge whatever its stated width. It never shows a size grip.
class TStatusBar : public QWidget {
    Q_OBJECT
public:
    // Space above the panels and between neighbouring panels.
    static constexpr int TopBorder = 2;
    static constexpr int PanelGap = 2;

    explicit TStatusBar(QWidget *parent = nullptr);
    ~TStatusBar() override;

    int panelCount() const { return int(m_panels.size()); }
    // Adds a panel at the right end; returns its index.
    int addPanel(const QString &text, int width, TAlignment alignment = TAlignment::taLeftJustify);
    void clearPanels();

    // Index-checked: an index outside 0 .. panelCount()-1 raises tk::Error.
    QString panelText(int index) const;
    void setPanelText(int index, const QString &text);
    int panelWidth(int index) const;
    void setPanelWidth(int index, int width);
    TAlignment panelAlignment(int index) const;
    void setPanelAlignment(int index, TAlignment alignment);

    // Where panel `index` is drawn, frame included, in the bar's coordinates.
    QRect panelRect(int index) const;
    // Where panel `index`'s text is laid out: inside its frame, 2 pixels in from either side.
    QRect panelTextRect(int index) const;

    // Face colour; clBtnFace by default.
    TColor color() const { return m_color; }
    void setColor(TColor color);

    TColor fontColor() const { return m_fontColor; }
    void setFontColor(TColor color);

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    struct Panel {
        QString text;
        int width = 50;
        TAlignment alignment = TAlignment::taLeftJustify;
    };
    const Panel &panelAt(int index) const;
    Panel &panelAt(int index);

    std::vector<Panel> m_panels;
    TColor m_color = clBtnFace;
    TColor m_fontColor = clWindowText;
};

} // namespace tk

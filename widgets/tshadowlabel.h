#pragma once

#include "toolkit/talignment.h"
#include "toolkit/tclicktracker.h"
#include "toolkit/tcolor.h"
#include "toolkit/thovertracker.h"

#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>

#include <cstdint>

class QPainter;

// A windowless text label with a one-colour drop shadow that sizes itself to its text and tracks
// the pointer entering, leaving and clicking it.
class TShadowLabel : public QWidget {
    Q_OBJECT
public:
    enum class TTextLayout { tlTop, tlCenter, tlBottom };
    enum class TShadowPosition { spLeftTop, spLeftBottom, spRightBottom, spRightTop };
    // Docking to the parent; only the top edge is needed by the program's windows.
    enum class TAlign { alNone, alTop };

    // Everything the painting needs, so that a frame can be drawn without a widget.
    struct Look {
        QString caption;
        QFont font;
        QColor fontColor;
        QColor color;
        QColor shadowColor;
        tk::TAlignment alignment = tk::TAlignment::taLeftJustify;
        TTextLayout layout = TTextLayout::tlTop;
        TShadowPosition shadowPos = TShadowPosition::spLeftTop;
        int shadowSize = 1;
        bool enabled = true;
        bool transparent = false;
        bool showAccelChar = true;
        bool wordWrap = false;
        bool rightToLeft = false;
        bool focusFrame = false; // draw the focus rectangle around the text
        QColor grayText;
        QColor btnHighlight;
    };

    explicit TShadowLabel(QWidget *parent = nullptr);
    ~TShadowLabel() override;

    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);

    tk::TAlignment alignment() const { return m_alignment; }
    void setAlignment(tk::TAlignment alignment);
    bool autoSize() const { return m_autoSize; }
    void setAutoSize(bool autoSize);
    TTextLayout layout() const { return m_layout; }
    void setLayout(TTextLayout layout);
    tk::TColor shadowColor() const { return m_shadowColor; }
    void setShadowColor(tk::TColor color);
    std::uint8_t shadowSize() const { return m_shadowSize; }
    void setShadowSize(std::uint8_t size);
    TShadowPosition shadowPos() const { return m_shadowPos; }
    void setShadowPos(TShadowPosition pos);
    bool showAccelChar() const { return m_showAccelChar; }
    void setShowAccelChar(bool show);
    bool showFocus() const { return m_showFocus; }
    void setShowFocus(bool show);
    QWidget *focusControl() const { return m_focusControl; }
    void setFocusControl(QWidget *control);
    bool transparent() const { return m_transparent; }
    void setTransparent(bool transparent);
    bool wordWrap() const { return m_wordWrap; }
    void setWordWrap(bool wrap);
    // The background; while parentColor() holds, the parent's background colour is used.
    tk::TColor color() const { return m_color; }
    void setColor(tk::TColor color);
    bool parentColor() const { return m_parentColor; }
    void setParentColor(bool parentColor);
    tk::TColor fontColor() const { return m_fontColor; }
    void setFontColor(tk::TColor color);
    TAlign align() const { return m_align; }
    void setAlign(TAlign align);

    bool mouseInside() const { return m_hover.mouseInside(); }
    bool pressTracking() const { return m_hover.pressTracking(); }

    // Re-measures the caption and applies the automatic size rules.
    void adjustBounds();

    Look look() const;
    // The caption with its shadow drawn into `rect` (format: Qt text flags); returns the union
    // of the text's and the shadow's rectangles.
    static QRect drawShadowedText(QPainter &painter, const Look &look, const QRect &rect, int flags);
    // The union of the text's and the shadow's rectangles when drawn into `rect`, without drawing.
    static QRect measureShadowedText(const Look &look, const QRect &rect, int flags);
    // The whole label face of the given size.
    static void paintLabel(QPainter &painter, const Look &look, const QSize &size);

    QSize sizeHint() const override;

Q_SIGNALS:
    void OnClick(TShadowLabel *sender);
    void OnMouseEnter(TShadowLabel *sender);
    void OnMouseLeave(TShadowLabel *sender);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void hoverChanged(bool inside);
    void updateOpacity();
    void updateMnemonic();
    void onFocusChanged(QWidget *old, QWidget *now);

    QString m_caption;
    tk::TAlignment m_alignment = tk::TAlignment::taLeftJustify;
    bool m_autoSize = true;
    TTextLayout m_layout = TTextLayout::tlTop;
    tk::TColor m_shadowColor = tk::clBtnHighlight;
    std::uint8_t m_shadowSize = 1;
    TShadowPosition m_shadowPos = TShadowPosition::spLeftTop;
    bool m_showAccelChar = true;
    bool m_showFocus = false;
    QPointer<QWidget> m_focusControl;
    bool m_transparent = false;
    bool m_wordWrap = false;
    tk::TColor m_color = tk::clBtnFace;
    bool m_parentColor = true;
    tk::TColor m_fontColor = tk::clWindowText;
    TAlign m_align = TAlign::alNone;

    tk::THoverTracker m_hover; // MouseInside and PressTracking
    tk::TClickTracker m_click;
    int m_mnemonicId = 0;
    // Always 0: no property sets them, but the measuring rules are written with them.
    int m_leftMargin = 0;
    int m_rightMargin = 0;
};

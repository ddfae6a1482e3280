#pragma once

#include "toolkit/tcolor.h"

#include <QImage>
#include <QPointer>
#include <QWidget>

#include <mutex>
#include <optional>

class QPainter;

// A windowless picture control: paints its whole area through an off-screen buffer, can copy
// what lies beneath it (the parent's background and the sibling controls below) into that
// buffer, and keeps a recursive lock for work done from a timer.
//
// A repaint that only brings the control's own content up to date (a new frame of an animation)
// reuses the background the last paint copied, as long as nothing beneath can have changed since:
// no sibling control lies under it, and its parent has not painted, moved or changed its look.
class TImageControl : public QWidget {
    Q_OBJECT
public:
    explicit TImageControl(QWidget *parent = nullptr);
    ~TImageControl() override;

    // Guards the control's state; recursive, so a setter may call another under it.
    std::recursive_mutex &controlLock() { return m_lock; }
    // Held while the control's canvas (the off-screen buffer) is drawn on.
    std::recursive_mutex &canvasLock() { return m_canvasLock; }

    bool isDrawing() const { return m_drawing; }

    // The background colour: the parent's (ParentColor), clBtnFace without a parent.
    QColor color() const;

    // True while some control copies its background, so that controls painted as part of that
    // copy can tell it from a paint of their own.
    static bool copyingBackground();

Q_SIGNALS:
    // OnClick: a left press and the left release inside the control. OnDblClick: a double click.
    void OnClick(TImageControl *sender);
    void OnDblClick(TImageControl *sender);

protected:
    // Content that is one picture laid unscaled over what lies beneath.
    struct Overlay {
        const QImage *picture = nullptr;  // RGB32; none: the content needs a painter
        QPoint at;                        // the picture's top-left corner, in device pixels
        std::optional<QRgb> key;          // its pixels of this colour (alpha aside) are left out
    };

    // Paints the content over the client area already filled with color().
    virtual void paintContent(QPainter &canvas);
    // The content as an overlay when it is exactly that at the given device pixel ratio, and
    // paintContent() would paint the background beneath it first. A repaint of the content alone
    // then lays it straight onto the kept background's pixels, without a painter. Called with
    // the control's lock held; the picture must stay as it is while that lock is held.
    virtual Overlay overlay(qreal ratio);
    // Paints the parent's own background and every visible sibling that lies below this
    // control and overlaps it, lined up with the screen.
    void paintBackground(QPainter &canvas);
    // Repaints at once to show new content of the control's own: what lies beneath is unchanged.
    void repaintOwnContent();

    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    bool siblingBelowOverlaps() const;
    bool keptBackgroundFits() const;
    bool paintOverKeptBackground(const QPointF &phase);
    void watchParent();

    std::recursive_mutex m_lock;
    std::recursive_mutex m_canvasLock;
    QImage m_buffer;
    // The buffer as the last copy of what lies beneath left it, while that is still what lies there.
    QImage m_background;
    bool m_backgroundValid = false;
    bool m_ownContentOnly = false;
    QPointer<QWidget> m_watchedParent;
    bool m_drawing = false;
    bool m_leftDown = false;
};

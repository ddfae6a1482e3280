#pragma once

#include "toolkit/talignment.h"
#include "toolkit/tcolor.h"
#include "toolkit/tpanelframe.h"
#include "widgets/restclock.h"

#include <QFont>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QStringList>
#include <QWidget>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>

class QPainter;
class TThreadedTimer;
class ViewWatcher;

// A panel that, while active, hides its children and scrolls lines of text through its client
// area one pixel per timer tick, centred line by line, under a still glyph.
//
// With AsyncDrawing on, the ticks run on the timer's worker and draw the frame into TextImage
// under its lock; the GUI thread copies the image to the screen when it paints (a queued
// request, the worker never waits for it).
//
// Nobody can see a panel that is hidden, or whose window is hidden or minimised. There a cycled
// panel rests: its timer is switched off, and its position is worked out from the time that
// passes, one pixel per interval, as the ticks would have moved it; when it can be seen again it
// goes on from there. A panel whose pass ends ticks on unseen, drawing nothing, so that it still
// switches itself off when its pass is over.
class TCreditsPanel : public QWidget {
    Q_OBJECT
public:
    enum class TGlyphLayout { glGlyphLeft, glGlyphRight, glGlyphTop, glGlyphBottom };
    enum class TScrollDirection { sdVertical, sdHorizontal };

    using Clock = RestClock::Clock;
    // The background painter: called with the painter and the rectangle to fill.
    using TPaintClientEvent = std::function<void(TCreditsPanel *sender, QPainter &canvas, const QRect &rect)>;

    // Everything one text frame needs, so that a frame can be drawn without a widget.
    struct TextFrame {
        QStringList lines;
        int firstLine = 0;
        int lineHeight = 0;
        QRect innerArea;  // panel coordinates
        QRect textArea;   // panel coordinates; empty when there is no room
        int scrollExtent = 0;
        TScrollDirection scrollDirection = TScrollDirection::sdVertical;
        tk::TBevelCut textStyle = tk::TBevelCut::bvNone;
        tk::TAlignment alignment = tk::TAlignment::taCenter;
        bool rightToLeft = false;
        QFont font;
        QColor color;         // background
        QColor fontColor;
        QColor highlightColor; // the engraved copy of bvLowered / bvRaised
        TPaintClientEvent onPaintClient;
        TCreditsPanel *sender = nullptr;
    };

    // What placing the areas gives (rectangles in panel coordinates).
    struct Areas {
        QRect innerArea;
        QRect textArea; // QRect() when it has no room
        QPoint glyphOrigin;
    };
    struct Placement {
        QSize clientSize;
        int borderWidth = 0;
        int bevelWidth = 1;
        tk::TBevelCut bevelOuter = tk::TBevelCut::bvLowered;
        tk::TBevelCut bevelInner = tk::TBevelCut::bvNone;
        QSize glyphSize;
        TGlyphLayout glyphLayout = TGlyphLayout::glGlyphLeft;
        TScrollDirection scrollDirection = TScrollDirection::sdVertical;
        int firstLine = 0;
        int lastLine = -1; // last non-blank line, -1 if none
        int lineHeight = 0;
    };

    explicit TCreditsPanel(QWidget *parent = nullptr);
    ~TCreditsPanel() override;

    bool active() const { return m_active; }
    void setActive(bool active);
    // Activates the panel as though that had happened at `since` (not after now) and it had played
    // on unseen ever since: a panel that rests takes up the position those ticks would have reached.
    void activateSince(Clock::time_point since);

    tk::TAlignment alignment() const;
    void setAlignment(tk::TAlignment alignment);
    bool asyncDrawing() const { return m_asyncDrawing; }
    void setAsyncDrawing(bool asyncDrawing);
    bool cycled() const;
    void setCycled(bool cycled);
    QImage glyph() const { return m_glyph; }
    void setGlyph(const QImage &glyph);
    TGlyphLayout glyphLayout() const { return m_glyphLayout; }
    void setGlyphLayout(TGlyphLayout layout);
    std::uint32_t interval() const;
    void setInterval(std::uint32_t interval);
    QStringList lines() const;
    void setLines(const QStringList &lines);
    TScrollDirection scrollDirection() const { return m_scrollDirection; }
    void setScrollDirection(TScrollDirection direction);
    tk::TBevelCut textStyle() const { return m_textStyle; }
    void setTextStyle(tk::TBevelCut style);
    tk::TBevelCut bevelOuter() const { return m_bevelOuter; }
    void setBevelOuter(tk::TBevelCut bevel);
    tk::TBevelCut bevelInner() const { return m_bevelInner; }
    void setBevelInner(tk::TBevelCut bevel);
    int bevelWidth() const { return m_bevelWidth; }
    void setBevelWidth(int width);
    int borderWidth() const { return m_borderWidth; }
    void setBorderWidth(int width);
    tk::TColor color() const { return m_color; }
    void setColor(tk::TColor color);
    // The colour of the panel's font.
    tk::TColor fontColor() const { return m_fontColor; }
    void setFontColor(tk::TColor color);

    TPaintClientEvent onPaintClient() const { return m_onPaintClient; }
    void setOnPaintClient(TPaintClientEvent handler);

    // The scroll state and the measured areas (valid while active). While the panel rests, the
    // position its ticks would have reached by now.
    int scrollPos() const;
    // True while the panel is active but rests, unseen, with its timer switched off.
    bool resting() const { return m_resting.load(); }
    int scrollExtent() const;
    int lineHeight() const;
    int firstLine() const;
    QRect innerArea() const;
    QRect textArea() const;
    QPoint glyphOrigin() const;
    bool hasTextImage() const;
    // A copy of the current frame's inputs.
    TextFrame textFrame() const;
    TThreadedTimer *scrollTimer() const { return ScrollTimer; }

    // The measuring steps, usable without a widget.
    static Areas PlaceAreas(const Placement &placement);
    static int firstNonBlankLine(const QStringList &lines);
    static int lastNonBlankLine(const QStringList &lines);
    // Draws one frame at scrollPos into image (sized to the text area, device pixel ratio set).
    static void RenderTextFrame(QImage &image, const TextFrame &frame, int scrollPos);
    // The glyph with every pixel of its bottom-left pixel's colour made transparent.
    static QImage transparentGlyph(const QImage &glyph);

Q_SIGNALS:
    // Emitted when the panel starts and stops playing. An error raised by a handler of the start
    // undoes the activation and passes on to whoever activated the panel.
    void OnStartPlay(TCreditsPanel *sender);
    void OnStopPlay(TCreditsPanel *sender);

protected:
    // The clock a resting panel counts its ticks by (tests give it one of their own).
    virtual Clock::time_point now() const { return Clock::now(); }

    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void AdvanceScroll(TThreadedTimer *sender);
    void MeasureLines();   // caller holds m_frameMutex
    void renderLocked();   // caller holds m_frameMutex
    void requestCopy();    // caller holds m_frameMutex
    void postToGui();      // caller holds m_frameMutex
    void guiWork();
    void activate(Clock::time_point since);
    void deactivate();
    void changedWhileActive(bool resetScroll, bool measure);
    Placement placementLocked() const;
    tk::TPanelFrame frame() const;
    void viewChanged(bool viewable);
    bool shouldRest() const;
    void updateRest();
    void rest();
    void wake();

    TThreadedTimer *ScrollTimer = nullptr;
    ViewWatcher *m_view = nullptr;

    // Guards TextImage and everything a frame reads (m_frame, m_cycled, m_epoch, ...).
    mutable std::mutex m_frameMutex;
    TextFrame m_frame;
    QImage m_textImage;
    bool m_hasTextImage = false;
    bool m_imageRendered = false; // TextImage holds a frame drawn since the last measuring
    bool m_cycled = false;
    bool m_stopRequested = false;
    bool m_copyRequested = false;
    bool m_guiWorkPosted = false;
    std::uint64_t m_epoch = 1;     // counts activations and deactivations
    std::uint64_t m_stopEpoch = 0; // the epoch whose pass has ended, 0 for none
    QPoint m_glyphOrigin;
    std::atomic<int> m_scrollPos{0};
    std::atomic<bool> m_onScreen{false};
    Clock::time_point m_lastTick; // the end of the last tick, or the activation

    std::atomic<bool> m_resting{false};
    RestClock m_restClock; // while resting, under m_frameMutex

    bool m_active = false;
    bool m_asyncDrawing = true;
    bool m_destroying = false;
    QImage m_glyph;
    QImage m_glyphDrawn;
    TGlyphLayout m_glyphLayout = TGlyphLayout::glGlyphLeft;
    TScrollDirection m_scrollDirection = TScrollDirection::sdVertical;
    tk::TBevelCut m_textStyle = tk::TBevelCut::bvNone;
    tk::TBevelCut m_bevelOuter = tk::TBevelCut::bvLowered;
    tk::TBevelCut m_bevelInner = tk::TBevelCut::bvNone;
    int m_bevelWidth = 1;
    int m_borderWidth = 0;
    tk::TColor m_color = tk::clBtnFace;
    tk::TColor m_fontColor = tk::clWindowText;
    TPaintClientEvent m_onPaintClient;
    QList<QPointer<QWidget>> m_hiddenChildren;
};

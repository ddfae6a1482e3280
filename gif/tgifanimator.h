#pragma once

#include "gif/tgifcomposer.h"
#include "gif/timagecontrol.h"
#include "toolkit/tcolor.h"

#include <QByteArray>
#include <QImage>
#include <QRect>

#include <atomic>

#include <cstdint>
#include <memory>
#include <optional>

class TGIFImage;
class TThreadedTimer;
class ViewWatcher;

// A windowless control that plays a GIF image on a threaded timer, composing each frame over
// the earlier ones by their disposal modes and drawing the key colour as see-through.
//
// While nobody can see the control (it is hidden, or its window is minimised or off the screen)
// a running animation rests: its timer is switched off and no frame is composed. Seen again, it
// plays on from the frame it showed.
class TGIFAnimator : public TImageControl {
    Q_OBJECT
public:
    // The properties a window's stored description may give, applied in stream order by
    // readProperties().
    struct StoredProperties {
        std::optional<bool> Animate;
        std::optional<int> FrameIndex;
        std::optional<QByteArray> ImageData; // form data: 32-bit little-endian count, then the GIF
        // ImageData refers to bytes compiled into the program (QByteArray::fromRawData), which stay
        // in place for the whole run: the image reads and keeps them there instead of copying them.
        bool ImageDataCompiledIn = false;
        std::optional<bool> Stretch;
    };

    static constexpr int MinFrameDelay = 50;
    static constexpr int MaxFrameDelay = 10000;

    explicit TGIFAnimator(QWidget *parent = nullptr);
    ~TGIFAnimator() override;

    // Applies the stored properties as a window's loading does: Animate, FrameIndex, Image.Data,
    // Stretch, with the size adjustment held back while reading.
    void readProperties(const StoredProperties &stored);

    bool animate() const { return m_animate; }
    void setAnimate(bool animate);
    // On: ticks run on the timer's worker, which advances and composes the frame there and asks
    // the GUI thread to show it; only OnFrameChanged and the stop of a non-looping run are
    // handed to the GUI thread.
    bool asyncDrawing() const { return m_asyncDrawing; }
    void setAsyncDrawing(bool asyncDrawing);
    bool autoSize() const { return m_autoSize; }
    void setAutoSize(bool autoSize);
    bool center() const { return m_center; }
    void setCenter(bool center);
    int frameIndex() const { return m_frameIndex; }
    void setFrameIndex(int index);
    // The owned image; load into it directly (image().loadFromFormData(...)) or copy one in.
    TGIFImage &image() const { return *m_image; }
    void setImage(const TGIFImage &image);
    bool loop() const { return m_loop; }
    void setLoop(bool loop);
    bool stretch() const { return m_stretch; }
    void setStretch(bool stretch);
    bool transparent() const { return m_transparent; }
    void setTransparent(bool transparent);

    // The display time of the current frame in milliseconds, clamped into 50 .. 10 000; 0 when
    // the index is out of range or the image has fewer than two frames (the timer then rests).
    int frameDelay() const { return frameDelayOf(m_frameIndex); }
    int frameDelayOf(int index) const;

    // Frame n (clamped to the last) composed over the earlier frames: LogicalWidth x
    // LogicalHeight. Returns the composition; keyColor receives its see-through colour or clNone.
    const QImage &composeFrame(int n, tk::TColor *keyColor = nullptr);
    int cacheIndex() const { return m_composer.cacheIndex(); }
    // How many compositions started afresh instead of extending the cached one.
    std::uint64_t recompositions() const { return m_composer.recompositions(); }
    // Where the composition is drawn in the client area.
    QRect destinationRect() const;

    const TThreadedTimer &timer() const { return *m_timer; }
    // True while the animation runs but rests, unseen, with its timer switched off.
    bool resting() const { return m_resting; }

Q_SIGNALS:
    // The four notifications, in this order of declaration: OnChange, OnFrameChanged, OnStart,
    // OnStop. The destructor disconnects them before it stops anything.
    void OnChange(TGIFAnimator *sender);
    void OnFrameChanged(TGIFAnimator *sender);
    void OnStart(TGIFAnimator *sender);
    void OnStop(TGIFAnimator *sender);

protected:
    void paintContent(QPainter &canvas) override;
    Overlay overlay(qreal ratio) override;
    void changeEvent(QEvent *event) override;

    virtual void doChange();
    virtual void doFrameChanged();
    virtual void doStart();
    virtual void doStop();

private:
    void imageChanged();
    void contentChanged();
    void adjustSize();
    void tick();
    void asyncTick();
    void updateRest();

    std::unique_ptr<TThreadedTimer> m_timer;
    ViewWatcher *m_view = nullptr;
    std::unique_ptr<TGIFImage> m_image;
    // Keeps the last composed frame; its window colour is read on the GUI thread so that a
    // worker never asks the palette.
    TGIFComposer m_composer;
    QImage m_maskedCache; // the composition with its key colour cleared, for drawing

    std::atomic<int> m_frameIndex{0};
    std::atomic<bool> m_onScreen{false};
    bool m_resting = false;
    std::atomic<bool> m_asyncDrawing{false};
    bool m_animate = false;
    bool m_autoSize = true;
    bool m_center = false;
    std::atomic<bool> m_loop{true};
    bool m_stretch = false;
    bool m_transparent = true;
    bool m_loading = false;
    bool m_destroying = false;
};

#include "gif/tgifanimator.h"

#include "gif/tgifimage.h"
#include "toolkit/devicegrid.h"
#include "toolkit/error.h"
#include "toolkit/tcolorkey.h"
#include "widgets/tthreadedtimer.h"
#include "widgets/viewwatcher.h"

#include <QEvent>
#include <QMetaMethod>
#include <QMetaObject>
#include <QPainter>
#include <QThread>

#include <algorithm>

namespace {

// Runs fn when the scope is left, also by an exception.
template <typename Fn>
struct AtExit {
    Fn fn;
    ~AtExit() { fn(); }
};
template <typename Fn>
AtExit(Fn) -> AtExit<Fn>;

} // namespace

TGIFAnimator::TGIFAnimator(QWidget *parent)
    : TImageControl(parent), m_timer(std::make_unique<TThreadedTimer>()), m_image(std::make_unique<TGIFImage>()),
      m_composer(*m_image)
{
    m_composer.setWindowColor(tk::clWindow.toQColor().rgb());
    connect(m_image.get(), &TGIFImage::changed, this, &TGIFAnimator::imageChanged);
    m_view = new ViewWatcher(this, [this](bool viewable) {
        {
            // A tick on the worker reads this under the same lock: once the control is out of
            // sight, no frame advances.
            std::lock_guard lock(controlLock());
            m_onScreen = viewable;
        }
        updateRest();
    });
}

TGIFAnimator::~TGIFAnimator()
{
    disconnect(this, &TGIFAnimator::OnChange, nullptr, nullptr);
    disconnect(this, &TGIFAnimator::OnFrameChanged, nullptr, nullptr);
    disconnect(this, &TGIFAnimator::OnStart, nullptr, nullptr);
    disconnect(this, &TGIFAnimator::OnStop, nullptr, nullptr);
    m_destroying = true;
    delete m_view;
    m_view = nullptr;
    setAnimate(false);
    // Stops the worker and waits out a tick it is running, so that no tick touches the control
    // (or the timer pointer) from here on.
    m_timer->shutdown();
    m_timer.reset();
    m_composer.clear();
    m_maskedCache = QImage();
    disconnect(m_image.get(), &TGIFImage::changed, this, &TGIFAnimator::imageChanged);
    m_image.reset();
}

void TGIFAnimator::readProperties(const StoredProperties &stored)
{
    m_loading = true;
    const AtExit done{[this] { m_loading = false; }};
    if (stored.Animate)
        setAnimate(*stored.Animate);
    if (stored.FrameIndex)
        setFrameIndex(*stored.FrameIndex);
    if (stored.ImageData) {
        if (stored.ImageDataCompiledIn)
            m_image->loadFromCompiledFormData(*stored.ImageData);
        else
            m_image->loadFromFormData(*stored.ImageData);
    }
    if (stored.Stretch)
        setStretch(*stored.Stretch);
}

void TGIFAnimator::setAnimate(bool animate)
{
    if (animate == m_animate)
        return;
    if (animate) {
        m_timer->setOnTimer([this](TThreadedTimer *) { tick(); });
        m_timer->setEnabled(true);
        m_animate = m_timer->enabled();
        m_resting = false;
        updateRest();
        doStart();
    } else {
        m_timer->setEnabled(false);
        m_timer->setOnTimer({});
        m_animate = false;
        m_resting = false;
        doStop();
        contentChanged();
    }
}

void TGIFAnimator::updateRest()
{
    const bool rest = m_animate && !m_destroying && m_view != nullptr && !m_view->viewable();
    if (rest == m_resting)
        return;
    m_resting = rest;
    // A wait under way when the animation comes to rest still ends; its tick waits for the
    // animation to wake, and then comes at once.
    m_timer->setEnabled(!rest);
}

void TGIFAnimator::setAsyncDrawing(bool asyncDrawing)
{
    if (asyncDrawing == m_asyncDrawing)
        return;
    std::lock_guard lock(controlLock());
    m_asyncDrawing = asyncDrawing;
    m_timer->setSyncEvent(!asyncDrawing);
}

void TGIFAnimator::setAutoSize(bool autoSize)
{
    if (autoSize == m_autoSize)
        return;
    m_autoSize = autoSize;
    adjustSize();
}

void TGIFAnimator::setCenter(bool center)
{
    if (center == m_center)
        return;
    {
        std::lock_guard lock(controlLock());
        m_center = center;
    }
    contentChanged();
    if (m_animate)
        repaint();
}

void TGIFAnimator::setFrameIndex(int index)
{
    if (index == m_frameIndex || index >= m_image->FrameCount() || index < 0)
        return;
    {
        std::lock_guard lock(controlLock());
        m_frameIndex = index;
        m_timer->setInterval(std::uint32_t(frameDelay()));
    }
    doFrameChanged();
    contentChanged();
}

void TGIFAnimator::setImage(const TGIFImage &image)
{
    std::lock_guard lock(controlLock());
    m_image->assign(image);
}

void TGIFAnimator::setLoop(bool loop)
{
    m_loop = loop;
}

void TGIFAnimator::setStretch(bool stretch)
{
    if (stretch == m_stretch)
        return;
    {
        std::lock_guard lock(controlLock());
        m_stretch = stretch;
    }
    contentChanged();
    if (m_animate)
        repaint();
}

void TGIFAnimator::setTransparent(bool transparent)
{
    if (transparent == m_transparent)
        return;
    {
        std::lock_guard lock(controlLock());
        m_transparent = transparent;
    }
    contentChanged();
    if (m_animate)
        repaint();
}

int TGIFAnimator::frameDelayOf(int index) const
{
    const int count = m_image->FrameCount();
    if (index < 0 || index >= count || count < 2)
        return 0;
    return std::clamp(int(m_image->Frames(index).DelayMs()), MinFrameDelay, MaxFrameDelay);
}

void TGIFAnimator::imageChanged()
{
    {
        std::lock_guard lock(controlLock());
        m_composer.clear();
        m_frameIndex = m_image->SelectedFrame();
        if (m_frameIndex >= 0 && m_image->FrameCount() > 0)
            m_timer->setInterval(std::uint32_t(frameDelay()));
    }
    contentChanged();
    doChange();
}

void TGIFAnimator::contentChanged()
{
    if (m_destroying)
        return;
    adjustSize();
    // Qt draws in true colour; a changed palette needs no realisation, only the flag's upkeep.
    m_image->setPaletteModified(false);
    if (!isDrawing())
        update();
}

void TGIFAnimator::adjustSize()
{
    if (!m_autoSize || m_image->isEmpty() || m_loading)
        return;
    resize(m_image->LogicalWidth(), m_image->LogicalHeight());
}

void TGIFAnimator::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::ApplicationPaletteChange) {
        std::lock_guard lock(controlLock());
        m_composer.setWindowColor(tk::clWindow.toQColor().rgb());
    }
    TImageControl::changeEvent(event);
}

void TGIFAnimator::tick()
{
    if (QThread::currentThread() != thread()) {
        asyncTick();
        return;
    }
    if (copyingBackground() || !isVisible() || m_image->FrameCount() < 2 || parentWidget() == nullptr)
        return;
    std::lock_guard lock(controlLock());
    const int count = m_image->FrameCount();
    m_frameIndex = m_frameIndex >= count - 1 ? 0 : m_frameIndex + 1;
    {
        const AtExit afterwards{[this, count] {
            canvasLock().unlock();
            if (m_frameIndex >= 0 && m_frameIndex < count)
                m_timer->setInterval(std::uint32_t(frameDelay()));
        }};
        canvasLock().lock();
        doFrameChanged();
        repaintOwnContent();
    }
    if (!m_loop && m_frameIndex == 0)
        setAnimate(false);
}

void TGIFAnimator::asyncTick()
{
    // The worker never waits for the GUI thread while it holds the control lock: the GUI thread
    // takes that lock to paint, so holding it across the hand-off could deadlock both.
    {
        std::lock_guard lock(controlLock());
        if (!m_onScreen)
            return;
        const int count = m_image->FrameCount();
        if (count < 2)
            return;
        m_frameIndex = m_frameIndex >= count - 1 ? 0 : m_frameIndex + 1;
        const AtExit afterwards{[this, count] {
            if (m_frameIndex >= 0 && m_frameIndex < count)
                m_timer->setInterval(std::uint32_t(frameDelay()));
        }};
        std::lock_guard canvas(canvasLock());
        composeFrame(m_frameIndex);
    }
    if (isSignalConnected(QMetaMethod::fromSignal(&TGIFAnimator::OnFrameChanged)))
        m_timer->synchronize([this] { doFrameChanged(); });
    // Dropped if the control, and with it the timer, is gone before the GUI thread gets to it.
    m_timer->post([this] { update(); });
    if (!m_loop && m_frameIndex == 0)
        m_timer->synchronize([this] { setAnimate(false); });
}

const QImage &TGIFAnimator::composeFrame(int n, tk::TColor *keyColor)
{
    std::lock_guard lock(controlLock());
    const QImage &composed = m_composer.compose(n);
    if (keyColor != nullptr)
        *keyColor = m_composer.keyColor();
    return composed;
}

QRect TGIFAnimator::destinationRect() const
{
    if (m_stretch)
        return rect();
    const QSize composed(m_image->LogicalWidth(), m_image->LogicalHeight());
    if (m_center)
        return QRect(QPoint((width() - composed.width()) / 2, (height() - composed.height()) / 2), composed);
    return QRect(QPoint(0, 0), composed);
}

void TGIFAnimator::paintContent(QPainter &canvas)
{
    std::lock_guard lock(controlLock());
    const bool empty = m_image->isEmpty();
    if (empty || m_image->isTransparent())
        paintBackground(canvas);
    if (empty || m_image->LogicalWidth() < 1 || m_image->LogicalHeight() < 1)
        return;

    tk::TColor key;
    const QImage &composed = composeFrame(m_frameIndex, &key);
    const QRect destination = destinationRect();
    if (!key.isNone() && m_transparent) {
        tk::keyOut(composed, key.rgb(), m_maskedCache);
        if (m_maskedCache.isNull())
            throw tk::Error("Not enough memory to draw a GIF frame");
        DeviceGrid::drawScaled(canvas, destination, m_maskedCache);
    } else {
        DeviceGrid::drawScaled(canvas, destination, composed);
    }
}

TImageControl::Overlay TGIFAnimator::overlay(qreal ratio)
{
    std::lock_guard lock(controlLock());
    // What paintContent() paints when the frame lies over the background one pixel to one.
    if (ratio != 1.0 || m_image->isEmpty() || !m_image->isTransparent())
        return {};
    tk::TColor key;
    const QImage &composed = composeFrame(m_frameIndex, &key);
    const QRect destination = destinationRect();
    if (composed.isNull() || destination.size() != composed.size())
        return {};
    Overlay top{&composed, destination.topLeft(), {}};
    if (!key.isNone() && m_transparent)
        top.key = key.rgb();
    return top;
}

void TGIFAnimator::doChange()
{
    Q_EMIT OnChange(this);
}

void TGIFAnimator::doFrameChanged()
{
    Q_EMIT OnFrameChanged(this);
}

void TGIFAnimator::doStart()
{
    Q_EMIT OnStart(this);
}

void TGIFAnimator::doStop()
{
    Q_EMIT OnStop(this);
}

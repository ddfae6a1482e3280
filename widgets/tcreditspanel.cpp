#include "widgets/tcreditspanel.h"

#include "toolkit/tapplication.h"
#include "toolkit/tcolorkey.h"
#include "toolkit/devicegrid.h"
#include "widgets/tthreadedtimer.h"
#include "widgets/viewwatcher.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>
#include <QPaintEvent>

#include <algorithm>
#include <exception>
#include <utility>

namespace {


bool isBlank(const QString &line)
{
    return std::all_of(line.cbegin(), line.cend(), [](QChar c) { return c.unicode() <= u' '; });
}

// Edges of a rectangle with right and bottom one past its last pixel.
struct Edges {
    int left, top, right, bottom;
    QRect rect() const { return (left >= right || top >= bottom) ? QRect(0, 0, 0, 0) : QRect(left, top, right - left, bottom - top); }
    Edges shrunk(int by) const { return {left + by, top + by, right - by, bottom - by}; }
};

} // namespace

TCreditsPanel::TCreditsPanel(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_frame.sender = this;
    ScrollTimer = new TThreadedTimer(this);
    ScrollTimer->setObjectName(QStringLiteral("ScrollTimer"));
    ScrollTimer->setEnabled(false);
    ScrollTimer->setInterval(30);
    ScrollTimer->setSyncEvent(!m_asyncDrawing);
    ScrollTimer->setOnTimer([this](TThreadedTimer *sender) { AdvanceScroll(sender); });
    m_view = new ViewWatcher(this, [this](bool viewable) { viewChanged(viewable); });
}

TCreditsPanel::~TCreditsPanel()
{
    m_destroying = true;
    // Nothing the widget hears while it is taken down reaches the half-destroyed panel.
    delete m_view;
    m_view = nullptr;
    tk::Application::guarded([this] { setActive(false); });
    // The timer goes before the state its ticks read.
    delete ScrollTimer;
    ScrollTimer = nullptr;
}

void TCreditsPanel::setActive(bool active)
{
    if (active == m_active)
        return;
    if (active)
        activate(now());
    else
        deactivate();
}

void TCreditsPanel::activateSince(Clock::time_point since)
{
    if (!m_active)
        activate(std::min(since, now()));
}

void TCreditsPanel::activate(Clock::time_point since)
{
    {
        std::lock_guard lock(m_frameMutex);
        m_scrollPos = 0;
        m_stopRequested = false;
        ++m_epoch;
        MeasureLines();
        m_lastTick = since;
    }
    m_active = true;
    try {
        // Unseen, a cycled panel starts at rest: its timer does not run until it can be seen.
        if (shouldRest()) {
            rest();
        } else {
            // A panel that can be seen starts ticking now, whenever it was activated.
            {
                std::lock_guard lock(m_frameMutex);
                m_lastTick = now();
            }
            ScrollTimer->setEnabled(true);
        }
        Q_EMIT OnStartPlay(this);
    } catch (...) {
        ScrollTimer->setEnabled(false);
        std::lock_guard lock(m_frameMutex);
        m_textImage = QImage();
        m_hasTextImage = false;
        m_imageRendered = false;
        m_scrollPos = 0;
        m_resting = false;
        m_active = false;
        throw;
    }
    if (!m_destroying) {
        const auto children = findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
        for (QWidget *child : children) {
            if (!child->isWindow() && !child->isHidden()) {
                m_hiddenChildren.append(child);
                child->hide();
            }
        }
    }
    update();
}

void TCreditsPanel::deactivate()
{
    {
        // Taking the image's lock first means no frame is being drawn while the timer stops and
        // the image goes; a tick that was already under way finds its tick stale and drops out.
        std::lock_guard lock(m_frameMutex);
        ScrollTimer->setEnabled(false);
        m_resting = false;
        m_scrollPos = 0;
        m_textImage = QImage();
        m_hasTextImage = false;
        m_imageRendered = false;
        ++m_epoch;
    }
    m_active = false;
    const auto showHidden = [this] {
        for (const QPointer<QWidget> &child : std::as_const(m_hiddenChildren)) {
            if (child) {
                child->show();
                child->update();
            }
        }
        m_hiddenChildren.clear();
        update();
    };
    try {
        Q_EMIT OnStopPlay(this);
    } catch (...) {
        showHidden();
        throw;
    }
    showHidden();
}

tk::TPanelFrame TCreditsPanel::frame() const
{
    return {m_bevelOuter, m_bevelInner, m_bevelWidth, m_borderWidth};
}

TCreditsPanel::Placement TCreditsPanel::placementLocked() const
{
    Placement pl;
    pl.clientSize = size();
    pl.borderWidth = m_borderWidth;
    pl.bevelWidth = m_bevelWidth;
    pl.bevelOuter = m_bevelOuter;
    pl.bevelInner = m_bevelInner;
    pl.glyphSize = m_glyph.isNull() ? QSize(0, 0) : m_glyph.deviceIndependentSize().toSize();
    pl.glyphLayout = m_glyphLayout;
    pl.scrollDirection = m_scrollDirection;
    pl.firstLine = m_frame.firstLine;
    pl.lastLine = lastNonBlankLine(m_frame.lines);
    pl.lineHeight = m_frame.lineHeight;
    return pl;
}

void TCreditsPanel::MeasureLines()
{
    m_hasTextImage = true;
    m_frame.firstLine = firstNonBlankLine(m_frame.lines);
    const QFont panelFont = font();
    const QFontMetrics metrics(panelFont);
    int height = metrics.lineSpacing() + (m_textStyle != tk::TBevelCut::bvNone ? 1 : 0);
    m_frame.lineHeight = std::clamp(height, 0, 255);

    const Areas areas = PlaceAreas(placementLocked());
    m_frame.innerArea = areas.innerArea;
    m_frame.textArea = areas.textArea;
    m_glyphOrigin = areas.glyphOrigin;

    const int count = int(m_frame.lines.size());
    if (m_scrollDirection == TScrollDirection::sdVertical) {
        m_frame.scrollExtent = areas.textArea.height() + (count - m_frame.firstLine) * m_frame.lineHeight;
    } else {
        int widest = 0;
        for (int i = m_frame.firstLine; i < count; ++i)
            widest = std::max(widest, metrics.horizontalAdvance(m_frame.lines[i]));
        m_frame.scrollExtent = widest + areas.textArea.width();
    }

    m_frame.scrollDirection = m_scrollDirection;
    m_frame.textStyle = m_textStyle;
    m_frame.rightToLeft = layoutDirection() == Qt::RightToLeft;
    // A copy of its own: the frame's font is used on the worker while the widget's is in use here.
    m_frame.font = QFont();
    m_frame.font.fromString(panelFont.toString());
    m_frame.font.setHintingPreference(panelFont.hintingPreference());
    if (!panelFont.families().isEmpty())
        m_frame.font.setFamilies(panelFont.families());
    m_frame.color = m_color.toQColor();
    m_frame.fontColor = m_fontColor.toQColor();
    m_frame.highlightColor = tk::clBtnHighlight.toQColor();

    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(areas.textArea.size()) * ratio).toSize();
    if (m_textImage.size() != pixels || m_textImage.devicePixelRatio() != ratio) {
        m_textImage = pixels.isEmpty() ? QImage() : QImage(pixels, QImage::Format_RGB32);
        m_textImage.setDevicePixelRatio(ratio);
    }
    // Until the next frame the text area shows the background.
    m_imageRendered = false;
}

void TCreditsPanel::AdvanceScroll(TThreadedTimer *sender)
{
    std::lock_guard lock(m_frameMutex);
    if (!sender->tickIsCurrent() || m_stopRequested)
        return;
    const int pos = m_scrollPos;
    if (pos < m_frame.scrollExtent) {
        m_scrollPos = pos + 1;
    } else if (m_cycled) {
        m_scrollPos = 0;
    } else {
        // The end of a single pass: the stop is the GUI thread's to make; draw nothing more.
        m_stopRequested = true;
        m_stopEpoch = m_epoch;
        postToGui();
        return;
    }
    // Unseen, the frame is skipped; the position still moves so that showing finds it in place.
    if (m_hasTextImage && m_onScreen) {
        renderLocked();
        requestCopy();
    }
    m_lastTick = now();
}

void TCreditsPanel::renderLocked()
{
    // With nothing to draw the image stays unpainted, and the screen keeps the background.
    if (m_textImage.isNull() || m_frame.lines.isEmpty() || m_frame.textArea.isEmpty())
        return;
    RenderTextFrame(m_textImage, m_frame, m_scrollPos);
    m_imageRendered = true;
}

void TCreditsPanel::requestCopy()
{
    m_copyRequested = true;
    postToGui();
}

void TCreditsPanel::postToGui()
{
    // What the GUI thread is asked to do travels in members under the frame lock; the job only
    // wakes it. One job at a time is enough.
    if (m_guiWorkPosted)
        return;
    m_guiWorkPosted = true;
    ScrollTimer->post([this] { guiWork(); });
}

void TCreditsPanel::guiWork()
{
    bool copy = false;
    bool stop = false;
    QRect area;
    {
        std::lock_guard lock(m_frameMutex);
        m_guiWorkPosted = false;
        copy = std::exchange(m_copyRequested, false);
        stop = m_stopEpoch == m_epoch;
        m_stopEpoch = 0;
        area = m_frame.textArea;
    }
    // A stop requested in an earlier activation (the epoch has moved on since) is void.
    if (stop && m_active)
        tk::Application::guarded([this] { setActive(false); });
    else if (copy)
        update(area);
}

void TCreditsPanel::RenderTextFrame(QImage &image, const TextFrame &frame, int scrollPos)
{
    if (frame.lines.isEmpty() || frame.textArea.isEmpty() || image.isNull())
        return;
    QPainter p(&image);
    p.save();
    p.translate(-frame.textArea.topLeft());
    if (frame.onPaintClient)
        frame.onPaintClient(frame.sender, p, frame.innerArea);
    else
        p.fillRect(frame.innerArea, frame.color);
    p.restore();

    const int w = frame.textArea.width();
    const int h = frame.textArea.height();
    int left = 0, right = w, top = 0;
    if (frame.scrollDirection == TScrollDirection::sdVertical) {
        top = h - scrollPos;
    } else if (frame.rightToLeft) {
        right = scrollPos;
        left = right + w - frame.scrollExtent;
    } else {
        left = w - scrollPos;
        right = left + frame.scrollExtent - w;
    }
    int bottom = top + frame.lineHeight;

    p.setFont(frame.font);
    p.setLayoutDirection(frame.rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    const int flags = int(Qt::TextSingleLine | Qt::TextExpandTabs | Qt::TextDontClip | Qt::AlignTop
                          | tk::horizontalAlignment(frame.alignment));
    const int count = int(frame.lines.size());
    static const QString blank = QStringLiteral(" ");
    // The engraved copy lies one pixel right and down (or left and up).
    const QPointF engraving = DeviceGrid::wholeDevicePixels(p, QPointF(1, 1));
    for (int i = frame.firstLine; i <= count; ++i) {
        if (top >= h)
            break;
        if (bottom > 0) {
            const QString text = i < count ? frame.lines[i].left(255) : blank;
            const QRect r(left, top, right - left, bottom - top);
            if (frame.textStyle == tk::TBevelCut::bvLowered || frame.textStyle == tk::TBevelCut::bvRaised) {
                p.setPen(frame.highlightColor);
                p.save();
                p.translate(frame.textStyle == tk::TBevelCut::bvLowered ? engraving : -engraving);
                p.drawText(r, flags, text);
                p.restore();
            }
            p.setPen(frame.fontColor);
            p.drawText(r, flags, text);
        }
        top += frame.lineHeight;
        bottom += frame.lineHeight;
    }
}

TCreditsPanel::Areas TCreditsPanel::PlaceAreas(const Placement &pl)
{
    const int b = tk::TPanelFrame{pl.bevelOuter, pl.bevelInner, pl.bevelWidth, pl.borderWidth}.width();
    const Edges client{0, 0, pl.clientSize.width(), pl.clientSize.height()};
    const Edges inner = client.shrunk(b);
    Edges text = client.shrunk(b + 3);
    const int gw = pl.glyphSize.width();
    const int gh = pl.glyphSize.height();
    const int centredX = std::max((text.left + text.right - gw) / 2, text.left);
    const int centredY = std::max((text.top + text.bottom - gh) / 2, text.top);
    QPoint origin;
    switch (pl.glyphLayout) {
    case TGlyphLayout::glGlyphTop: {
        int y = text.top;
        if (gh > 0) {
            y += 3;
            text.top = y + gh + b + 6;
        }
        origin = QPoint(centredX, y);
        break;
    }
    case TGlyphLayout::glGlyphBottom: {
        int y = text.bottom - gh;
        if (gh > 0) {
            y = std::max(y - 3, text.top);
            text.bottom = y - b - 6;
        }
        origin = QPoint(centredX, y);
        break;
    }
    case TGlyphLayout::glGlyphLeft: {
        int x = text.left;
        if (gw > 0) {
            x += 3;
            text.left = x + gw + b + 3;
        }
        origin = QPoint(x, centredY);
        break;
    }
    case TGlyphLayout::glGlyphRight: {
        int x = text.right - gw;
        if (gw > 0) {
            x = std::max(x - 3, text.left);
            text.right = x - b - 3;
        }
        origin = QPoint(x, centredY);
        break;
    }
    }
    if (pl.scrollDirection == TScrollDirection::sdHorizontal) {
        const int d = (text.bottom - text.top) - (pl.lastLine - pl.firstLine + 1) * pl.lineHeight;
        if (d > 0) {
            text.top += d / 2;
            text.bottom -= d / 2;
        }
    }
    const QRect innerRect = (inner.left >= inner.right || inner.top >= inner.bottom)
                                ? QRect(0, 0, 0, 0)
                                : QRect(inner.left, inner.top, inner.right - inner.left, inner.bottom - inner.top);
    return {innerRect, text.rect(), origin};
}

int TCreditsPanel::firstNonBlankLine(const QStringList &lines)
{
    const auto it = std::find_if(lines.cbegin(), lines.cend(), [](const QString &l) { return !isBlank(l); });
    return int(it - lines.cbegin());
}

int TCreditsPanel::lastNonBlankLine(const QStringList &lines)
{
    for (int i = int(lines.size()) - 1; i >= 0; --i) {
        if (!isBlank(lines[i]))
            return i;
    }
    return -1;
}

QImage TCreditsPanel::transparentGlyph(const QImage &glyph)
{
    return tk::keyedOutByCorner(glyph);
}

void TCreditsPanel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QColor face = m_color.toQColor();
    const QRect r = frame().paint(p, rect(), face);
    if (r.width() <= 0 || r.height() <= 0)
        return;
    p.setClipRect(r);
    if (m_onPaintClient)
        m_onPaintClient(this, p, r);
    else
        p.fillRect(r, face);
    if (!m_active)
        return;
    std::lock_guard lock(m_frameMutex);
    if (m_imageRendered && !m_textImage.isNull())
        p.drawImage(m_frame.textArea.topLeft(), m_textImage);
    if (!m_glyphDrawn.isNull())
        p.drawImage(m_glyphOrigin, m_glyphDrawn);
}

void TCreditsPanel::changedWhileActive(bool resetScroll, bool measure)
{
    if (!m_active)
        return;
    {
        std::lock_guard lock(m_frameMutex);
        if (m_resting)
            m_restClock.settle(now(), m_frame.scrollExtent);
        if (resetScroll) {
            m_scrollPos = 0;
            m_restClock.restart();
        }
        if (measure)
            MeasureLines();
    }
    update();
}

void TCreditsPanel::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    changedWhileActive(false, true);
}

void TCreditsPanel::viewChanged(bool viewable)
{
    m_onScreen = viewable;
    updateRest();
    if (!viewable || !m_active)
        return;
    // Ticks drew nothing while unseen: bring the frame up to the current position before the
    // window paints.
    std::lock_guard lock(m_frameMutex);
    if (m_hasTextImage && !m_stopRequested)
        renderLocked();
}

bool TCreditsPanel::shouldRest() const
{
    // m_cycled is only written on this thread.
    return m_active && m_cycled && !m_destroying && m_view != nullptr && !m_view->viewable();
}

void TCreditsPanel::updateRest()
{
    if (shouldRest() == m_resting)
        return;
    if (m_resting)
        wake();
    else
        rest();
}

void TCreditsPanel::rest()
{
    std::lock_guard lock(m_frameMutex);
    const bool running = ScrollTimer->enabled();
    // Under the frame lock: a tick already under way finds itself stale and drops out.
    ScrollTimer->setEnabled(false);
    m_restClock.start(m_scrollPos, m_lastTick, ScrollTimer->interval(), running);
    m_resting = true;
}

void TCreditsPanel::wake()
{
    {
        std::lock_guard lock(m_frameMutex);
        const RestClock::Waking w = m_restClock.wake(now(), m_frame.scrollExtent);
        m_scrollPos = w.scrollPos;
        m_lastTick = w.lastTick;
        m_resting = false;
    }
    ScrollTimer->setEnabled(true);
}

int TCreditsPanel::scrollPos() const
{
    if (!m_resting)
        return m_scrollPos.load();
    std::lock_guard lock(m_frameMutex);
    if (!m_resting)
        return m_scrollPos.load();
    return m_restClock.position(now(), m_frame.scrollExtent);
}

void TCreditsPanel::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    switch (event->type()) {
    case QEvent::FontChange:
    case QEvent::PaletteChange:
    case QEvent::LayoutDirectionChange:
        changedWhileActive(false, true);
        break;
    default:
        break;
    }
}

tk::TAlignment TCreditsPanel::alignment() const
{
    std::lock_guard lock(m_frameMutex);
    return m_frame.alignment;
}

void TCreditsPanel::setAlignment(tk::TAlignment alignment)
{
    {
        std::lock_guard lock(m_frameMutex);
        if (m_frame.alignment == alignment)
            return;
        m_frame.alignment = alignment;
    }
    update();
}

void TCreditsPanel::setAsyncDrawing(bool asyncDrawing)
{
    if (m_asyncDrawing == asyncDrawing)
        return;
    m_asyncDrawing = asyncDrawing;
    ScrollTimer->setSyncEvent(!asyncDrawing);
}

bool TCreditsPanel::cycled() const
{
    std::lock_guard lock(m_frameMutex);
    return m_cycled;
}

void TCreditsPanel::setCycled(bool cycled)
{
    {
        std::lock_guard lock(m_frameMutex);
        m_cycled = cycled;
    }
    updateRest();
}

void TCreditsPanel::setGlyph(const QImage &glyph)
{
    {
        std::lock_guard lock(m_frameMutex);
        m_glyph = glyph;
        m_glyphDrawn = transparentGlyph(glyph);
    }
    changedWhileActive(false, true);
}

void TCreditsPanel::setGlyphLayout(TGlyphLayout layout)
{
    if (m_glyphLayout == layout)
        return;
    {
        std::lock_guard lock(m_frameMutex);
        m_glyphLayout = layout;
    }
    changedWhileActive(false, true);
}

std::uint32_t TCreditsPanel::interval() const
{
    return ScrollTimer->interval();
}

void TCreditsPanel::setInterval(std::uint32_t interval)
{
    if (m_resting && interval != ScrollTimer->interval()) {
        std::lock_guard lock(m_frameMutex);
        m_restClock.setInterval(interval, now(), m_frame.scrollExtent);
    }
    ScrollTimer->setInterval(interval);
}

QStringList TCreditsPanel::lines() const
{
    std::lock_guard lock(m_frameMutex);
    return m_frame.lines;
}

void TCreditsPanel::setLines(const QStringList &lines)
{
    {
        std::lock_guard lock(m_frameMutex);
        if (m_frame.lines == lines)
            return;
        m_frame.lines = lines;
    }
    changedWhileActive(true, true);
}

void TCreditsPanel::setScrollDirection(TScrollDirection direction)
{
    if (m_scrollDirection == direction)
        return;
    {
        std::lock_guard lock(m_frameMutex);
        m_scrollDirection = direction;
    }
    changedWhileActive(true, true);
}

void TCreditsPanel::setTextStyle(tk::TBevelCut style)
{
    if (m_textStyle == style)
        return;
    {
        std::lock_guard lock(m_frameMutex);
        m_textStyle = style;
    }
    changedWhileActive(false, true);
}

void TCreditsPanel::setBevelOuter(tk::TBevelCut bevel)
{
    if (m_bevelOuter == bevel)
        return;
    {
        std::lock_guard lock(m_frameMutex);
        m_bevelOuter = bevel;
    }
    changedWhileActive(false, true);
    update();
}

void TCreditsPanel::setBevelInner(tk::TBevelCut bevel)
{
    if (m_bevelInner == bevel)
        return;
    {
        std::lock_guard lock(m_frameMutex);
        m_bevelInner = bevel;
    }
    changedWhileActive(false, true);
    update();
}

void TCreditsPanel::setBevelWidth(int width)
{
    if (m_bevelWidth == width || width < 1)
        return;
    {
        std::lock_guard lock(m_frameMutex);
        m_bevelWidth = width;
    }
    changedWhileActive(false, true);
    update();
}

void TCreditsPanel::setBorderWidth(int width)
{
    if (m_borderWidth == width || width < 0)
        return;
    {
        std::lock_guard lock(m_frameMutex);
        m_borderWidth = width;
    }
    changedWhileActive(false, true);
    update();
}

void TCreditsPanel::setColor(tk::TColor color)
{
    if (m_color == color)
        return;
    m_color = color;
    changedWhileActive(false, true);
    update();
}

void TCreditsPanel::setFontColor(tk::TColor color)
{
    if (m_fontColor == color)
        return;
    m_fontColor = color;
    changedWhileActive(false, true);
}

void TCreditsPanel::setOnPaintClient(TPaintClientEvent handler)
{
    {
        std::lock_guard lock(m_frameMutex);
        m_frame.onPaintClient = handler;
    }
    m_onPaintClient = std::move(handler);
    update();
}

int TCreditsPanel::scrollExtent() const
{
    std::lock_guard lock(m_frameMutex);
    return m_frame.scrollExtent;
}

int TCreditsPanel::lineHeight() const
{
    std::lock_guard lock(m_frameMutex);
    return m_frame.lineHeight;
}

int TCreditsPanel::firstLine() const
{
    std::lock_guard lock(m_frameMutex);
    return m_frame.firstLine;
}

QRect TCreditsPanel::innerArea() const
{
    std::lock_guard lock(m_frameMutex);
    return m_frame.innerArea;
}

QRect TCreditsPanel::textArea() const
{
    std::lock_guard lock(m_frameMutex);
    return m_frame.textArea;
}

QPoint TCreditsPanel::glyphOrigin() const
{
    std::lock_guard lock(m_frameMutex);
    return m_glyphOrigin;
}

bool TCreditsPanel::hasTextImage() const
{
    std::lock_guard lock(m_frameMutex);
    return m_hasTextImage;
}

TCreditsPanel::TextFrame TCreditsPanel::textFrame() const
{
    std::lock_guard lock(m_frameMutex);
    return m_frame;
}

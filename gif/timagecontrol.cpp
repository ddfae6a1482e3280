#include "gif/timagecontrol.h"

#include "toolkit/tapplication.h"
#include "toolkit/devicegrid.h"
#include "toolkit/tcolorkey.h"

#include <QMetaObject>
#include <QMouseEvent>
#include <QPainter>

#include <atomic>
#include <cstring>
#include <exception>

namespace {

std::atomic<int> backgroundCopies{0};

} // namespace

TImageControl::TImageControl(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    resize(105, 105);
}

TImageControl::~TImageControl() = default;

QColor TImageControl::color() const
{
    if (const QWidget *parent = parentWidget())
        return parent->palette().color(parent->backgroundRole());
    return tk::clBtnFace.toQColor();
}

bool TImageControl::copyingBackground()
{
    return backgroundCopies > 0;
}

void TImageControl::paintContent(QPainter &) {}

TImageControl::Overlay TImageControl::overlay(qreal)
{
    return {};
}

bool TImageControl::siblingBelowOverlaps() const
{
    const QWidget *parent = parentWidget();
    if (parent == nullptr)
        return false;
    const QRect area = geometry();
    for (const QObject *child : parent->children()) {
        if (child == this)
            break;
        if (!child->isWidgetType())
            continue;
        const auto *sibling = static_cast<const QWidget *>(child);
        if (!sibling->isWindow() && sibling->isVisible() && sibling->geometry().intersects(area))
            return true;
    }
    return false;
}

void TImageControl::watchParent()
{
    QWidget *parent = parentWidget();
    if (parent == m_watchedParent)
        return;
    if (m_watchedParent)
        m_watchedParent->removeEventFilter(this);
    m_watchedParent = parent;
    if (parent != nullptr)
        parent->installEventFilter(this);
}

bool TImageControl::eventFilter(QObject *watched, QEvent *event)
{
    // Whatever the parent paints, wherever, may lie beneath: the next frame copies it afresh.
    if (watched == m_watchedParent) {
        switch (event->type()) {
        case QEvent::Paint:
        case QEvent::Resize:
        case QEvent::PaletteChange:
        case QEvent::StyleChange:
            m_backgroundValid = false;
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool TImageControl::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::ParentChange:
    case QEvent::PaletteChange:
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::ScreenChangeInternal:
        m_backgroundValid = false;
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

void TImageControl::repaintOwnContent()
{
    m_ownContentOnly = true;
    repaint();
    m_ownContentOnly = false;
}

void TImageControl::paintBackground(QPainter &canvas)
{
    QWidget *parent = parentWidget();
    if (parent == nullptr)
        return;
    // Only a copy on the control's own buffer is kept: that buffer is what the copy restores.
    const bool onBuffer = canvas.device() == &m_buffer;
    const bool alone = !siblingBelowOverlaps();
    if (onBuffer && alone && m_ownContentOnly && keptBackgroundFits()) {
        canvas.save();
        canvas.resetTransform();
        canvas.setCompositionMode(QPainter::CompositionMode_Source);
        canvas.drawImage(QPoint(0, 0), m_background);
        canvas.restore();
        return;
    }
    const QRect area = geometry();
    ++backgroundCopies;
    canvas.save();
    parent->render(&canvas, QPoint(0, 0), QRegion(area), QWidget::DrawWindowBackground);
    for (QObject *child : parent->children()) {
        if (child == this)
            break;
        auto *sibling = qobject_cast<QWidget *>(child);
        if (sibling == nullptr || sibling->isWindow() || !sibling->isVisible() || !sibling->geometry().intersects(area))
            continue;
        const QRect overlap = sibling->geometry() & area;
        sibling->render(&canvas, overlap.topLeft() - area.topLeft(), QRegion(overlap.translated(-sibling->pos())),
                        QWidget::DrawWindowBackground | QWidget::DrawChildren);
    }
    canvas.restore();
    --backgroundCopies;
    if (onBuffer && alone) {
        watchParent();
        m_background = m_buffer.copy();
        m_background.setDevicePixelRatio(m_buffer.devicePixelRatio());
        m_backgroundValid = true;
    } else {
        m_backgroundValid = false;
    }
}

bool TImageControl::keptBackgroundFits() const
{
    return m_backgroundValid && m_background.size() == m_buffer.size() && m_background.format() == m_buffer.format()
        && m_background.devicePixelRatio() == m_buffer.devicePixelRatio();
}

// A repaint of the content alone, when the content is one unscaled picture over the kept
// background: the buffer is that background copied back, with the picture written over it.
// Every other paint goes through a painter.
bool TImageControl::paintOverKeptBackground(const QPointF &phase)
{
    if (!m_ownContentOnly || !keptBackgroundFits() || !phase.isNull())
        return false;
    Overlay top;
    m_drawing = true;
    try {
        top = overlay(m_buffer.devicePixelRatio());
    } catch (...) {
        top = {};  // the painter's way reports it
    }
    m_drawing = false;
    if (top.picture == nullptr || siblingBelowOverlaps())
        return false;
    std::memcpy(m_buffer.bits(), m_background.constBits(), std::size_t(m_buffer.sizeInBytes()));
    tk::drawKeyed(*top.picture, top.key, m_buffer, top.at);
    return true;
}

void TImageControl::paintEvent(QPaintEvent *)
{
    QPainter screen(this);
    const qreal ratio = devicePixelRatioF();
    const DeviceGrid grid(screen, size(), ratio);
    const QSize deviceSize = grid.bufferSize();
    // Lock order: the control's lock before its canvas, as a tick takes them.
    std::lock_guard controlGuard(m_lock);
    std::lock_guard canvasGuard(m_canvasLock);
    if (m_buffer.size() != deviceSize) {
        m_buffer = QImage(deviceSize, QImage::Format_RGB32);
        m_buffer.fill(color()); // the column and row before a mid-pixel origin are never drawn
    }
    if (m_buffer.isNull())
        return;
    m_buffer.setDevicePixelRatio(ratio);

    if (!paintOverKeptBackground(grid.phase())) {
        QPainter canvas(&m_buffer);
        grid.align(canvas);
        canvas.fillRect(rect(), color());
        m_drawing = true;
        try {
            paintContent(canvas);
        } catch (...) {
            // Shown once this paint is over: a message box must not run inside a paint event.
            const QString message = tk::messageOf(std::current_exception());
            QMetaObject::invokeMethod(qApp, [message] { tk::Application::showError(message); }, Qt::QueuedConnection);
        }
        m_drawing = false;
    }

    DeviceGrid::draw(screen, m_buffer);
}

void TImageControl::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_leftDown = true;
    QWidget::mousePressEvent(event);
}

void TImageControl::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && m_leftDown) {
        m_leftDown = false;
        if (rect().contains(event->position().toPoint()))
            Q_EMIT OnClick(this);
    }
    QWidget::mouseReleaseEvent(event);
}

void TImageControl::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second press of a double click starts no click of its own.
    if (event->button() == Qt::LeftButton)
        Q_EMIT OnDblClick(this);
    event->accept();
}

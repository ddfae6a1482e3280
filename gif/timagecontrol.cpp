#include "gif/timagecontrol.h"

#include "toolkit/tapplication.h"
#include "widgets/devicegrid.h"

#include <QMetaObject>
#include <QMouseEvent>
#include <QPainter>

#include <atomic>
#include <exception>

namespace {

std::atomic<int> backgroundCopies{0};

QString messageOf(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const std::exception &e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return QStringLiteral("Unknown error");
    }
}

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

void TImageControl::paintBackground(QPainter &canvas)
{
    QWidget *parent = parentWidget();
    if (parent == nullptr)
        return;
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

    m_bufferedPaint = true;
    {
        QPainter canvas(&m_buffer);
        grid.align(canvas);
        canvas.fillRect(rect(), color());
        m_drawing = true;
        try {
            paintContent(canvas);
        } catch (...) {
            // Shown once this paint is over: a message box must not run inside a paint event.
            const QString message = messageOf(std::current_exception());
            QMetaObject::invokeMethod(qApp, [message] { tk::Application::showError(message); }, Qt::QueuedConnection);
        }
        m_drawing = false;
    }
    m_bufferedPaint = false;

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
            Q_EMIT clicked(this);
    }
    QWidget::mouseReleaseEvent(event);
}

void TImageControl::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second press of a double click starts no click of its own.
    if (event->button() == Qt::LeftButton)
        Q_EMIT doubleClicked(this);
    event->accept();
}

#include "toolkit/tform.h"

#include "toolkit/tframeextents.h"

#include <QAccessibleWidget>
#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QShowEvent>
#include <QWindow>

namespace tk {

namespace {

// How long a window's first showing waits for the window manager to tell the frame it will get.
constexpr std::chrono::milliseconds FrameAnswerWait{500};

QAccessibleInterface *formAccessible(const QString &className, QObject *object)
{
    Q_UNUSED(className);
    auto *form = qobject_cast<TForm *>(object);
    if (form == nullptr)
        return nullptr;
    return new QAccessibleWidget(form, form->isApplicationWindow() ? QAccessible::Window : QAccessible::Dialog);
}

} // namespace

TForm::TForm(QSize clientSize, const QString &designTitle, Buttons buttons, QWidget *parent)
    : QDialog(parent)
{
    // Dialogs are transient for the window they are opened from; the main window sets itself
    // apart with setApplicationWindow().
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                            | Qt::WindowCloseButtonHint;
    if (buttons == Buttons::SystemMenuAndMinimize)
        flags |= Qt::WindowMinimizeButtonHint;
    setWindowFlags(flags);
    static const bool accessibleFormsInstalled = (QAccessible::installFactory(formAccessible), true);
    Q_UNUSED(accessibleFormsInstalled);
    setFixedSize(clientSize);
    setSizeGripEnabled(false);
    setWindowTitle(designTitle);
    setAutoFillBackground(true);
    setColor(clBtnFace);
    m_kapat = addShortcutAction(QStringLiteral("kapat"), QKeySequence(Qt::Key_Escape), [this] { kapatExecute(); });
}

TForm::~TForm() = default;

void TForm::setApplicationWindow(bool on)
{
    if (on == m_applicationWindow)
        return;
    m_applicationWindow = on;
    setWindowFlags((windowFlags() & ~Qt::WindowType_Mask) | (on ? Qt::Window : Qt::Dialog));
}

void TForm::setColor(TColor color)
{
    m_color = color;
    QPalette p = palette();
    p.setColor(QPalette::Window, color.toQColor());
    setPalette(p);
}

QAction *TForm::addShortcutAction(const QString &name, const QKeySequence &key, std::function<void()> handler)
{
    auto *action = new QAction(this);
    action->setObjectName(name);
    action->setShortcut(key);
    action->setShortcutContext(Qt::WindowShortcut);
    addAction(action);
    connect(action, &QAction::triggered, this, [handler = std::move(handler)] { handler(); });
    return action;
}

void TForm::closeForm()
{
    close();
}

void TForm::kapatExecute()
{
    closeForm();
}

void TForm::showEvent(QShowEvent *event)
{
    if (!event->spontaneous()) {
        // A modal form belongs to the window it was opened from, so that the window manager keeps
        // it above that window and moves them together.
        if (isModal() && windowHandle() != nullptr) {
            QWidget *opener = QApplication::activeWindow();
            if (opener != nullptr && opener != this && opener->windowHandle() != nullptr)
                windowHandle()->setTransientParent(opener->windowHandle());
        }
        centreOnScreen();
        FormShow();
    }
    QDialog::showEvent(event);
}

void TForm::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
    QDialog::changeEvent(event);
}

void TForm::keyPressEvent(QKeyEvent *event)
{
    // QDialog's own Escape and Enter handling is replaced by the `kapat` action; other keys do nothing.
    event->ignore();
}

void TForm::done(int result)
{
    FormClose();
    QDialog::done(result);
    Q_EMIT formClosed();
}

void TForm::centreOnScreen()
{
    const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    // The whole window, frame included, is centred, on its first showing as on every later one:
    // a window not yet framed asks the window manager what frame it will get.
    QMargins frame;
    if (const auto extents = frameExtents(windowHandle(), FrameAnswerWait))
        frame = *extents;
    else if (windowHandle() != nullptr)
        frame = windowHandle()->frameMargins();
    const QSize outer = size().grownBy(frame);
    const QPoint frameTopLeft = screen->availableGeometry().center() - QPoint(outer.width() / 2, outer.height() / 2);
    // Placed by its client area, so that the window manager puts the frame around it as it is.
    setGeometry(QRect(frameTopLeft + QPoint(frame.left(), frame.top()), size()));
}

} // namespace tk

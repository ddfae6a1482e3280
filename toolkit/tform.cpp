#include "toolkit/tform.h"

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
    const QRect available = screen->availableGeometry();
    QRect frame = frameGeometry();
    if (frame.size().isEmpty())
        frame.setSize(size());
    const QPoint frameOffset = pos() - frameGeometry().topLeft();
    move(available.center() - QPoint(frame.width() / 2, frame.height() / 2) + frameOffset);
}

} // namespace tk

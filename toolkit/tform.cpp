#include "toolkit/tform.h"

#include <QAction>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QShowEvent>

namespace tk {

TForm::TForm(QSize clientSize, const QString &designTitle, Buttons buttons, QWidget *parent)
    : QDialog(parent)
{
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                            | Qt::WindowCloseButtonHint;
    if (buttons == Buttons::SystemMenuAndMinimize)
        flags |= Qt::WindowMinimizeButtonHint;
    setWindowFlags(flags);
    setFixedSize(clientSize);
    setSizeGripEnabled(false);
    setWindowTitle(designTitle);
    setAutoFillBackground(true);
    setColor(clBtnFace);
    m_kapat = addShortcutAction(QStringLiteral("kapat"), QKeySequence(Qt::Key_Escape), [this] { kapatExecute(); });
}

TForm::~TForm() = default;

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

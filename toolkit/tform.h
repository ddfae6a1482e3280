#pragma once

#include "toolkit/tcolor.h"

#include <QDialog>
#include <QKeySequence>
#include <QSize>
#include <QString>

#include <functional>

class QAction;

namespace tk {

// A top-level window of the program: fixed client size and single border, centred on the
// screen when shown, a design title, a background colour, named shortcut actions, and the
// show / activate / close hooks the windows' handlers hang on. Every form has the action
// `kapat` on Escape, which runs its close handler (by default: close the window).
class TForm : public QDialog {
    Q_OBJECT
public:
    enum class Buttons { SystemMenuAndMinimize, SystemMenuOnly };

    TForm(QSize clientSize, const QString &designTitle, Buttons buttons = Buttons::SystemMenuAndMinimize,
          QWidget *parent = nullptr);
    ~TForm() override;

    TColor color() const { return m_color; }
    void setColor(TColor color);

    // Adds a named action with a window-wide shortcut; it is looked up before the window's own
    // key handling.
    QAction *addShortcutAction(const QString &name, const QKeySequence &key, std::function<void()> handler);

    QAction *kapat() const { return m_kapat; }

    // The program's main window is presented to assistive technology as an application window
    // (a frame); the other forms are dialogs.
    bool isApplicationWindow() const { return m_applicationWindow; }
    void setApplicationWindow(bool on);

    // Closes the window: on a modal dialog this ends the modal show, on the main window the program.
    void closeForm();

Q_SIGNALS:
    void formClosed();

protected:
    // Hooks, each run on the GUI thread. FormShow runs before the window becomes visible.
    virtual void FormShow() {}
    virtual void FormActivate() {}
    virtual void FormClose() {}
    // The handler of `kapat`; forms whose Escape does something else override it.
    virtual void kapatExecute();

    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

public:
    void done(int result) override;

private:
    void centreOnScreen();

    TColor m_color;
    QAction *m_kapat = nullptr;
    bool m_applicationWindow = false;
};

} // namespace tk

#include "app/startup.h"
#include "gif/tgifanimator.h"
#include "tests/support/testmain.h"
#include "toolkit/error.h"
#include "widgets/tcreditspanel.h"
#include "windows/instances.h"
#include "windows/taboutf.h"
#include "windows/tcetvelf.h"
#include "windows/tgrupf.h"
#include "windows/tsabitf.h"

#include <QAction>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTimer>

#include <memory>

namespace {

const QString shownTitle = QStringLiteral("KORVANTA Tamelis - Periyodik Cetvel s" PC_VERSION);

// A window whose key handler fails, standing for any handler that raises. A key event reaches the
// handler without a copy made on the way; a mouse event's widget-local copy would be lost while the
// exception passes Qt's own frames, which run no destructors. That is why the program's handlers
// catch their own errors, and the application's error display is only the last resort.
class FailingWidget : public QWidget {
protected:
    void keyPressEvent(QKeyEvent *) override { throw tk::Error("Stream read error"); }
};

tk::TForm *dialog(int which)
{
    switch (which) {
    case 0: return sabitf;
    case 1: return grupf;
    default: return AboutF;
    }
}

// Shows a dialog modally and reads its title while it is up, then closes it with Escape.
QString titleWhileShown(tk::TForm *form)
{
    QString seen;
    QTimer::singleShot(0, form, [&] {
        seen = form->windowTitle();
        form->kapat()->trigger();
    });
    form->exec();
    return seen;
}

} // namespace

class TestStartup : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void windowsAreCreatedHiddenAndPublished();
    void dialogsWaitForTheirFirstNeed();
    void aHandlerNeedingADialogMakesThemAtOnce();
    void windowsHaveTheirClientSizes_data();
    void windowsHaveTheirClientSizes();
    void mainTitleGetsTheVersionOnce();
    void dialogsCopyTheMainTitleOnEveryShow_data();
    void dialogsCopyTheMainTitleOnEveryShow();
    void mainWindowClosesByEscapeAndCloseBox_data();
    void mainWindowClosesByEscapeAndCloseBox();
    void instancesAreClearedOnTearDown();
    void exceptionFromAHandlerIsShownAndTheLoopGoesOn();
    void workerThreadErrorsReachTheDisplayOnTheGuiThread();
};

void TestStartup::windowsAreCreatedHiddenAndPublished()
{
    ProgramWindows windows;
    QVERIFY(cetvelf && sabitf && grupf && AboutF);
    for (QWidget *w : std::initializer_list<QWidget *>{cetvelf, sabitf, grupf, AboutF}) {
        QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
        QVERIFY(w->isWindow());
    }
    QCOMPARE(cetvelf->windowTitle(), QStringLiteral("KORVANTA Tamelis - Periyodik Cetvel "));
}

void TestStartup::dialogsWaitForTheirFirstNeed()
{
    ProgramWindows windows(ProgramWindows::Dialogs::Deferred);
    QVERIFY(cetvelf != nullptr);
    QVERIFY(!sabitf && !grupf && !AboutF);
    // The details dialog is made hidden once the main window's first exposure has been painted,
    // not while showing it; the others only when they are first needed.
    cetvelf->show();
    QVERIFY(!sabitf);
    QVERIFY(QTest::qWaitForWindowExposed(cetvelf));
    QTRY_VERIFY(sabitf != nullptr);
    bool afterExposure = false;
    QTimer::singleShot(0, [&] { afterExposure = true; });
    QTRY_VERIFY(afterExposure);
    QVERIFY(!grupf && !AboutF);
    QVERIFY(!windows.dialogsCreated());
    Tsabitf *const details = sabitf;
    // The pointer coming onto the logo makes the about dialog, ready for the click that opens it;
    // each is made with the ones before it, so they are created in their order whichever comes first.
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(cetvelf->GIFAnimator1->mapToGlobal(QPoint(5, 5))));
    QCoreApplication::sendEvent(cetvelf->GIFAnimator1, &enter);
    QVERIFY(windows.dialogsCreated());
    QVERIFY(grupf && AboutF);
    QCOMPARE(sabitf, details);
    for (QWidget *w : std::initializer_list<QWidget *>{sabitf, grupf, AboutF})
        QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
    // The regular credits rest, unseen, from the dialog's creation on.
    QVERIFY(AboutF->CreditsPanel1->active());
    cetvelf->hide();
}

void TestStartup::aHandlerNeedingADialogMakesThemAtOnce()
{
    ProgramWindows windows(ProgramWindows::Dialogs::Deferred);
    QVERIFY(!sabitf);
    // The main window is not even shown: a click on a tile still finds its dialog.
    bool opened = false;
    QTimer::singleShot(0, [&] {
        opened = sabitf != nullptr && sabitf->isVisible();
        if (sabitf)
            sabitf->kapat()->trigger();
    });
    cetvelf->TileButton1Click(cetvelf->tileButton(26));
    QVERIFY(opened);
    // Only what the click needed; the details dialog's detail command then makes the category dialog.
    QVERIFY(!grupf && !AboutF);
    bool categoryOpened = false;
    QTimer::singleShot(0, [&] {
        categoryOpened = grupf != nullptr && grupf->isVisible();
        if (grupf)
            grupf->kapat()->trigger();
    });
    sabitf->ToolButton2Click(nullptr);
    QVERIFY(categoryOpened);
    QVERIFY(!AboutF);
    QVERIFY(!windows.dialogsCreated());
}

void TestStartup::windowsHaveTheirClientSizes_data()
{
    QTest::addColumn<int>("which");
    QTest::addColumn<QSize>("size");
    QTest::newRow("cetvelf") << -1 << QSize(769, 479);
    QTest::newRow("sabitf") << 0 << QSize(641, 329);
    QTest::newRow("grupf") << 1 << QSize(471, 368);
    QTest::newRow("AboutF") << 2 << QSize(293, 274);
}

void TestStartup::windowsHaveTheirClientSizes()
{
    QFETCH(int, which);
    QFETCH(QSize, size);
    ProgramWindows windows;
    QWidget *w = which < 0 ? static_cast<QWidget *>(cetvelf) : dialog(which);
    QCOMPARE(w->size(), size);
    QCOMPARE(w->minimumSize(), size);
    QCOMPARE(w->maximumSize(), size);
    QVERIFY(!(w->windowFlags() & Qt::WindowMaximizeButtonHint));
}

void TestStartup::mainTitleGetsTheVersionOnce()
{
    ProgramWindows windows;
    cetvelf->show();
    QCOMPARE(cetvelf->windowTitle(), shownTitle);
    // However often a platform reports the window shown (some do on minimising and restoring it,
    // or it is hidden and shown again), the version is there once.
    cetvelf->showMinimized();
    cetvelf->showNormal();
    QCOMPARE(cetvelf->windowTitle(), shownTitle);
    cetvelf->hide();
    cetvelf->show();
    QCOMPARE(cetvelf->windowTitle(), shownTitle);
    cetvelf->hide();
}

void TestStartup::dialogsCopyTheMainTitleOnEveryShow_data()
{
    QTest::addColumn<int>("which");
    QTest::newRow("sabitf") << 0;
    QTest::newRow("grupf") << 1;
    QTest::newRow("AboutF") << 2;
}

void TestStartup::dialogsCopyTheMainTitleOnEveryShow()
{
    QFETCH(int, which);
    ProgramWindows windows;
    cetvelf->show();
    tk::TForm *form = dialog(which);
    for (int round = 0; round < 3; ++round) {
        QCOMPARE(titleWhileShown(form), shownTitle);
        QVERIFY(!form->isVisible());
    }
    QCOMPARE(cetvelf->windowTitle(), shownTitle);
    QVERIFY(cetvelf->isVisible());
    cetvelf->hide();
}

void TestStartup::mainWindowClosesByEscapeAndCloseBox_data()
{
    QTest::addColumn<bool>("byEscape");
    QTest::newRow("Escape (kapat)") << true;
    QTest::newRow("close box") << false;
}

void TestStartup::mainWindowClosesByEscapeAndCloseBox()
{
    QFETCH(bool, byEscape);
    ProgramWindows windows;
    cetvelf->show();
    QVERIFY(QTest::qWaitForWindowExposed(cetvelf));
    QSignalSpy closed(cetvelf, &tk::TForm::formClosed);
    if (byEscape) {
        cetvelf->activateWindow();
        QTest::keyClick(cetvelf, Qt::Key_Escape);
    } else {
        cetvelf->close();
    }
    QCOMPARE(closed.count(), 1);
    QVERIFY(!cetvelf->isVisible());
}

void TestStartup::instancesAreClearedOnTearDown()
{
    {
        ProgramWindows windows;
        QVERIFY(AboutF != nullptr);
    }
    QVERIFY(!cetvelf && !sabitf && !grupf && !AboutF);
}

void TestStartup::exceptionFromAHandlerIsShownAndTheLoopGoesOn()
{
    QStringList shown;
    auto previous = tk::Application::setErrorDisplay([&](const QString &m) { shown << m; });
    FailingWidget w;
    w.resize(40, 40);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTest::keyClick(&w, Qt::Key_A);
    QTest::keyClick(&w, Qt::Key_A);
    QCOMPARE(shown, QStringList({QStringLiteral("Stream read error"), QStringLiteral("Stream read error")}));
    bool ranAfter = false;
    QTimer::singleShot(0, [&] { ranAfter = true; });
    QTRY_VERIFY(ranAfter);
    tk::Application::setErrorDisplay(std::move(previous));
}

void TestStartup::workerThreadErrorsReachTheDisplayOnTheGuiThread()
{
    QThread *seenOn = nullptr;
    QString message;
    auto previous = tk::Application::setErrorDisplay([&](const QString &m) {
        seenOn = QThread::currentThread();
        message = m;
    });
    std::unique_ptr<QThread> worker(QThread::create([] { tk::Application::showError(QStringLiteral("Not enough timers available")); }));
    worker->start();
    worker->wait();
    QTRY_COMPARE(message, QStringLiteral("Not enough timers available"));
    QCOMPARE(seenOn, qApp->thread());
    tk::Application::setErrorDisplay(std::move(previous));
}

PC_TEST_MAIN(TestStartup)
#include "tst_startup.moc"
#include "projectversion.h"

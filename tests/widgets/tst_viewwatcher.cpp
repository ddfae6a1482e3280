#include "widgets/viewwatcher.h"

#include "tests/support/testmain.h"

#include <QWidget>

#include <functional>
#include <memory>

using Step = std::function<void(QWidget &window, QWidget &other, QWidget &container, QWidget &watched)>;
Q_DECLARE_METATYPE(Step)

namespace {

// Shows a window and waits until the window system exposes it.
void showExposed(QWidget &window)
{
    window.showNormal();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
}

} // namespace

class TestViewWatcher : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void followsWhatCanBeSeen_data()
    {
        QTest::addColumn<Step>("step");
        QTest::addColumn<bool>("viewable");
        const auto nothing = [](QWidget &, QWidget &, QWidget &, QWidget &) {};
        QTest::newRow("window shown") << Step(nothing) << true;
        QTest::newRow("widget hidden")
            << Step([](QWidget &, QWidget &, QWidget &, QWidget &w) { w.hide(); }) << false;
        QTest::newRow("its container hidden")
            << Step([](QWidget &, QWidget &, QWidget &c, QWidget &) { c.hide(); }) << false;
        QTest::newRow("window hidden") << Step([](QWidget &win, QWidget &, QWidget &, QWidget &) { win.hide(); })
                                       << false;
        QTest::newRow("window minimised")
            << Step([](QWidget &win, QWidget &, QWidget &, QWidget &) { win.showMinimized(); }) << false;
        QTest::newRow("window minimised and restored") << Step([](QWidget &win, QWidget &, QWidget &, QWidget &) {
            win.showMinimized();
            QTRY_VERIFY(win.windowState() & Qt::WindowMinimized);
            showExposed(win);
        }) << true;
        QTest::newRow("moved into a hidden window")
            << Step([](QWidget &, QWidget &other, QWidget &, QWidget &w) { w.setParent(&other); }) << false;
        QTest::newRow("moved into a minimised window, which is restored")
            << Step([](QWidget &, QWidget &other, QWidget &, QWidget &w) {
                   showExposed(other);
                   other.showMinimized();
                   QTRY_VERIFY(other.windowState() & Qt::WindowMinimized);
                   w.setParent(&other);
                   w.show();
                   showExposed(other);
               })
            << true;
    }
    void followsWhatCanBeSeen()
    {
        QFETCH(Step, step);
        QFETCH(bool, viewable);
        // Outlives the windows: taking them down hides the watched widget, which is told too.
        QList<bool> calls;
        QWidget window, other;
        window.resize(100, 100);
        other.resize(100, 100);
        auto *container = new QWidget(&window);
        container->setGeometry(0, 0, 80, 80);
        auto *watched = new QWidget(container);
        watched->setGeometry(10, 10, 20, 20);
        auto *watcher = new ViewWatcher(watched, [&](bool now) { calls << now; });
        QVERIFY(!watcher->viewable());
        showExposed(window);
        QTRY_VERIFY(watcher->viewable());
        QCOMPARE(calls, QList<bool>{true});

        step(window, other, *container, *watched);
        QTRY_COMPARE(watcher->viewable(), viewable);
        QCOMPARE(watcher->viewable(), watcher->isViewableNow());
        // Each change is told once, and only a change.
        for (qsizetype i = 1; i < calls.size(); ++i)
            QVERIFY(calls[i] != calls[i - 1]);
        QCOMPARE(calls.last(), viewable);
    }
};

PC_TEST_MAIN(TestViewWatcher)
#include "tst_viewwatcher.moc"

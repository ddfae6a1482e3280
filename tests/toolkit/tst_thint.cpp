#include "tests/support/testmain.h"
#include "toolkit/thint.h"

#include <QWidget>

using tk::TCursor;
using tk::THint;

class TestTHint : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void rule_data();
    void rule();
    void parentChangeReachesChildren();
    void foreignToolTipsUntouched();
    void cursors_data();
    void cursors();
};

void TestTHint::rule_data()
{
    QTest::addColumn<bool>("windowShowHint");
    QTest::addColumn<bool>("panelShowHint");
    QTest::addColumn<bool>("panelParentShowHint");
    QTest::addColumn<bool>("controlShowHint");
    QTest::addColumn<bool>("controlParentShowHint");
    QTest::addColumn<QString>("hint");
    QTest::addColumn<bool>("shown");
    QTest::newRow("window on, inherited twice") << true << false << true << false << true << "Gaz" << true;
    QTest::newRow("window off, inherited twice") << false << true << true << true << true << "Gaz" << false;
    QTest::newRow("own ShowHint on under a silent window") << false << false << true << true << false << "Gaz" << true;
    QTest::newRow("own ShowHint off under a showing window") << true << true << true << false << false << "Gaz" << false;
    QTest::newRow("panel decides for itself") << false << true << false << false << true << "Gaz" << true;
    QTest::newRow("panel silences its children") << true << false << false << true << true << "Gaz" << false;
    QTest::newRow("empty hint shows nothing") << true << true << true << true << true << "" << false;
}

void TestTHint::rule()
{
    QFETCH(bool, windowShowHint);
    QFETCH(bool, panelShowHint);
    QFETCH(bool, panelParentShowHint);
    QFETCH(bool, controlShowHint);
    QFETCH(bool, controlParentShowHint);
    QFETCH(QString, hint);
    QFETCH(bool, shown);
    QWidget window;
    auto *panel = new QWidget(&window);
    auto *control = new QWidget(panel);
    THint::set(control, hint, controlShowHint, controlParentShowHint);
    THint::setShowHint(panel, panelShowHint);
    THint::setParentShowHint(panel, panelParentShowHint);
    THint::setShowHint(&window, windowShowHint);
    QCOMPARE(THint::effectiveShowHint(control) && !hint.isEmpty(), shown);
    QCOMPARE(control->toolTip(), shown ? hint : QString());
    QCOMPARE(THint::hint(control), hint);
}

void TestTHint::parentChangeReachesChildren()
{
    QWidget window;
    auto *control = new QWidget(&window);
    THint::setHint(control, QStringLiteral("Katı"));
    QCOMPARE(control->toolTip(), QString());
    THint::setShowHint(&window, true);
    QCOMPARE(control->toolTip(), QStringLiteral("Katı"));
    THint::setHint(control, QStringLiteral("Sıvı"));
    QCOMPARE(control->toolTip(), QStringLiteral("Sıvı"));
    THint::setShowHint(&window, false);
    QCOMPARE(control->toolTip(), QString());
}

void TestTHint::foreignToolTipsUntouched()
{
    QWidget window;
    auto *other = new QWidget(&window);
    other->setToolTip(QStringLiteral("own"));
    THint::setShowHint(&window, false);
    QCOMPARE(other->toolTip(), QStringLiteral("own"));
}

void TestTHint::cursors_data()
{
    QTest::addColumn<int>("cursor");
    QTest::addColumn<bool>("ownCursor");
    QTest::addColumn<int>("shape");
    QTest::newRow("default inherits") << int(TCursor::Default) << false << int(Qt::ArrowCursor);
    QTest::newRow("arrow") << int(TCursor::Arrow) << true << int(Qt::ArrowCursor);
    QTest::newRow("hand") << int(TCursor::HandPoint) << true << int(Qt::PointingHandCursor);
}

void TestTHint::cursors()
{
    QFETCH(int, cursor);
    QFETCH(bool, ownCursor);
    QFETCH(int, shape);
    QWidget window;
    auto *w = new QWidget(&window);
    THint::setCursor(w, TCursor::HandPoint);
    THint::setCursor(w, TCursor(cursor));
    QCOMPARE(w->testAttribute(Qt::WA_SetCursor), ownCursor);
    QCOMPARE(int(w->cursor().shape()), shape);
    QCOMPARE(int(THint::cursor(w)), cursor);
}

PC_TEST_MAIN(TestTHint)
#include "tst_thint.moc"

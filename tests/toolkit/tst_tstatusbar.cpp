#include "tests/support/testmain.h"
#include "tests/support/pixelprobe.h"
#include "toolkit/error.h"
#include "toolkit/tstatusbar.h"

using tk::TStatusBar;

namespace {

constexpr QRgb Shadow = 0xFF808080;
constexpr QRgb Highlight = 0xFFFFFFFF;
constexpr QRgb Face = 0xFFD4D0C8;

} // namespace

class TestTStatusBar : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void panelRects_data();
    void panelRects();
    void pixels();
    void badIndexRaises_data();
    void badIndexRaises();
};

void TestTStatusBar::panelRects_data()
{
    QTest::addColumn<int>("barWidth");
    QTest::addColumn<QList<int>>("widths");
    QTest::addColumn<QList<QRect>>("rects");
    QTest::newRow("75 then the rest") << 769 << QList<int>{75, 50}
                                      << QList<QRect>{QRect(0, 2, 75, 17), QRect(77, 2, 692, 17)};
    QTest::newRow("last wider than the room left") << 100 << QList<int>{60, 500}
                                                   << QList<QRect>{QRect(0, 2, 60, 17), QRect(62, 2, 38, 17)};
    QTest::newRow("one panel fills the bar") << 200 << QList<int>{10} << QList<QRect>{QRect(0, 2, 200, 17)};
    QTest::newRow("three") << 300 << QList<int>{40, 30, 10}
                           << QList<QRect>{QRect(0, 2, 40, 17), QRect(42, 2, 30, 17), QRect(74, 2, 226, 17)};
}

void TestTStatusBar::panelRects()
{
    QFETCH(int, barWidth);
    QFETCH(QList<int>, widths);
    QFETCH(QList<QRect>, rects);
    TStatusBar bar;
    bar.resize(barWidth, 19);
    for (int w : widths)
        bar.addPanel(QString(), w);
    for (int i = 0; i < rects.size(); ++i)
        QCOMPARE(bar.panelRect(i), rects[i]);
}

void TestTStatusBar::pixels()
{
    TStatusBar bar;
    bar.resize(769, 19);
    bar.addPanel(QStringLiteral(" KORVANTA"), 75);
    bar.addPanel(QString(), 50);
    const PixelProbe probe = PixelProbe::of(bar);
    QCOMPARE(probe.uniform(QRect(0, 0, 769, 2), Face), QString());
    const Ring first(QRect(0, 2, 75, 17));
    QCOMPARE(probe.uniform(first.top, Shadow), QString());
    QCOMPARE(probe.uniform(first.left, Shadow), QString());
    QCOMPARE(probe.uniform(first.right, Highlight), QString());
    QCOMPARE(probe.uniform(first.bottom, Highlight), QString());
    QCOMPARE(probe.uniform(QRect(75, 2, 2, 17), Face), QString()); // the gap
    const Ring last(QRect(77, 2, 692, 17));
    QCOMPARE(probe.uniform(last.top, Shadow), QString());
    QCOMPARE(probe.uniform(last.right, Highlight), QString()); // reaches x = 768
    // No size grip: the empty panel is face colour up to its frame.
    QCOMPARE(probe.uniform(QRect(78, 3, 690, 15), Face), QString());
    // The text lies inside the first panel.
    const QRect ink = probe.boundsOfOther(QRect(1, 3, 73, 15), Face);
    QVERIFY(!ink.isEmpty());
    QVERIFY(ink.left() >= 4); // after the leading blank
}

void TestTStatusBar::badIndexRaises_data()
{
    QTest::addColumn<int>("index");
    QTest::newRow("negative") << -1;
    QTest::newRow("one past the end") << 2;
}

void TestTStatusBar::badIndexRaises()
{
    QFETCH(int, index);
    TStatusBar bar;
    bar.addPanel(QStringLiteral("a"), 10);
    bar.addPanel(QStringLiteral("b"), 10);
    QVERIFY_THROWS_EXCEPTION(tk::Error, bar.panelText(index));
    QVERIFY_THROWS_EXCEPTION(tk::Error, bar.setPanelWidth(index, 3));
    QVERIFY_THROWS_EXCEPTION(tk::Error, bar.panelRect(index));
    QCOMPARE(bar.panelText(1), QStringLiteral("b"));
}

PC_TEST_MAIN(TestTStatusBar)
#include "tst_tstatusbar.moc"

#include "tests/support/testmain.h"
#include "tests/support/pixelprobe.h"
#include "toolkit/tfont.h"
#include "toolkit/tpanel.h"

#include <QAccessible>

using tk::TBevelCut;
using tk::TPanel;

namespace {

constexpr QRgb Shadow = 0xFF808080;
constexpr QRgb Highlight = 0xFFFFFFFF;
constexpr QRgb Face = 0xFF9DCEFF; // 0xFFCE9D as the layouts write it

} // namespace

class TestTPanel : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void bevels_data();
    void bevels();
    void captionCentredInClientRect();
    void accessibleNameIsCaption();
};

void TestTPanel::bevels_data()
{
    QTest::addColumn<int>("outer");
    QTest::addColumn<int>("inner");
    QTest::addColumn<int>("bevelWidth");
    QTest::addColumn<int>("borderWidth");
    // Expected ring colours from the outside in: 't' top/left, 'b' bottom/right per ring; F = face.
    QTest::addColumn<QList<quint32>>("topLeftRings");
    QTest::addColumn<QList<quint32>>("bottomRightRings");
    QTest::newRow("raised, 1") << int(TBevelCut::bvRaised) << int(TBevelCut::bvNone) << 1 << 0
                               << QList<quint32>{Highlight, Face} << QList<quint32>{Shadow, Face};
    QTest::newRow("lowered, 1") << int(TBevelCut::bvLowered) << int(TBevelCut::bvNone) << 1 << 0
                                << QList<quint32>{Shadow, Face} << QList<quint32>{Highlight, Face};
    QTest::newRow("no bevel") << int(TBevelCut::bvNone) << int(TBevelCut::bvNone) << 1 << 0
                              << QList<quint32>{Face} << QList<quint32>{Face};
    QTest::newRow("raised 2, border 1, lowered inner 2")
        << int(TBevelCut::bvRaised) << int(TBevelCut::bvLowered) << 2 << 1
        << QList<quint32>{Highlight, Highlight, Face, Shadow, Shadow, Face}
        << QList<quint32>{Shadow, Shadow, Face, Highlight, Highlight, Face};
    QTest::newRow("space outer keeps its width") << int(TBevelCut::bvSpace) << int(TBevelCut::bvRaised) << 1 << 0
                                                 << QList<quint32>{Face, Highlight, Face}
                                                 << QList<quint32>{Face, Shadow, Face};
}

void TestTPanel::bevels()
{
    QFETCH(int, outer);
    QFETCH(int, inner);
    QFETCH(int, bevelWidth);
    QFETCH(int, borderWidth);
    QFETCH(QList<quint32>, topLeftRings);
    QFETCH(QList<quint32>, bottomRightRings);
    TPanel panel;
    panel.resize(60, 25);
    panel.setColor(tk::TColor(16764573));
    panel.setBevelOuter(TBevelCut(outer));
    panel.setBevelInner(TBevelCut(inner));
    panel.setBevelWidth(bevelWidth);
    panel.setBorderWidth(borderWidth);
    const PixelProbe probe = PixelProbe::of(panel);
    for (int i = 0; i < topLeftRings.size(); ++i) {
        const Ring ring(QRect(0, 0, 60, 25).adjusted(i, i, -i, -i));
        const QString at = QStringLiteral("ring %1: ").arg(i);
        QCOMPARE(at + probe.uniform(ring.top, topLeftRings[i]), at);
        QCOMPARE(at + probe.uniform(ring.left, topLeftRings[i]), at);
        QCOMPARE(at + probe.uniform(ring.right, bottomRightRings[i]), at);
        QCOMPARE(at + probe.uniform(ring.bottom, bottomRightRings[i]), at);
    }
}

void TestTPanel::captionCentredInClientRect()
{
    TPanel panel;
    panel.resize(120, 30);
    panel.setColor(tk::TColor(16764573));
    panel.setFont(tk::makeFont(u"MS Sans Serif", 16, tk::FontStyle::Bold));
    panel.setFontColor(tk::clNavy);
    panel.setCaption(QStringLiteral("KATI"));
    QCOMPARE(panel.clientRect(), QRect(1, 1, 118, 28));
    const PixelProbe probe = PixelProbe::of(panel);
    const QRect ink = probe.boundsOfOther(panel.clientRect(), Face);
    QVERIFY(!ink.isEmpty());
    QVERIFY(qAbs(ink.left() + ink.right() - 119) <= 3);
    QVERIFY(qAbs(ink.top() + ink.bottom() - 29) <= 4);
    QVERIFY(probe.countNear(ink, 0xFF000080, 40) > 10);
}

void TestTPanel::accessibleNameIsCaption()
{
    TPanel panel;
    panel.setCaption(QStringLiteral("YAPAY"));
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(&panel);
    QVERIFY(iface != nullptr);
    QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("YAPAY"));
}

PC_TEST_MAIN(TestTPanel)
#include "tst_tpanel.moc"

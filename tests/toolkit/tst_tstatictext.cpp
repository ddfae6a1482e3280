#include "tests/support/testmain.h"
#include "tests/support/pixelprobe.h"
#include "toolkit/tfont.h"
#include "toolkit/tstatictext.h"

#include <QAccessible>
#include <QFontMetrics>
#include <QSignalSpy>
#include <QWidget>

using tk::TAlignment;
using tk::TBevelCut;
using tk::TStaticText;

namespace {

constexpr QRgb Shadow = 0xFF808080;
constexpr QRgb Highlight = 0xFFFFFFFF;
constexpr QRgb ParentRed = 0xFFFF0000;

// A text on a red parent, so that an unpainted pixel shows.
struct Scene {
    QWidget parent;
    TStaticText *text;
    Scene()
    {
        parent.resize(80, 40);
        parent.setAutoFillBackground(true);
        QPalette p = parent.palette();
        p.setColor(QPalette::Window, QColor(ParentRed));
        parent.setPalette(p);
        text = new TStaticText(&parent);
        text->setGeometry(0, 0, 60, 30);
        text->setFont(tk::makeFont(u"MS Sans Serif", 13, tk::FontStyle::Bold));
    }
    PixelProbe grab() { return PixelProbe::of(parent); }
};

} // namespace

class TestTStaticText : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void border_data();
    void border();
    void alignment_data();
    void alignment();
    void click_data();
    void click();
    void autoSizeFollowsTextAndBorder();
    void accessibleNameIsCaption();
};

void TestTStaticText::border_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<quint32>("background");
    QTest::addColumn<quint32>("topLeft");
    QTest::addColumn<quint32>("bottomRight");
    QTest::newRow("sunken on khaki") << int(TBevelCut::bvLowered) << 0xFFD1D1A3u << quint32(Shadow)
                                     << quint32(Highlight);
    QTest::newRow("raised on peach") << int(TBevelCut::bvRaised) << 0xFFFFC5A6u << quint32(Highlight)
                                     << quint32(Shadow);
    QTest::newRow("no border, no colour") << int(TBevelCut::bvNone) << quint32(ParentRed)
                                          << quint32(ParentRed) << quint32(ParentRed);
}

void TestTStaticText::border()
{
    QFETCH(int, style);
    QFETCH(quint32, background);
    QFETCH(quint32, topLeft);
    QFETCH(quint32, bottomRight);
    Scene s;
    s.text->setBorderStyle(TBevelCut(style));
    s.text->setColor(background == ParentRed ? tk::clNone
                                             : tk::TColor::fromRgb(qRed(background), qGreen(background), qBlue(background)));
    s.text->setTextAlignment(TAlignment::taCenter);
    s.text->setCaption(QStringLiteral("8B"));
    const PixelProbe probe = s.grab();
    const Ring ring(QRect(0, 0, 60, 30));
    QCOMPARE(probe.uniform(ring.top, topLeft), QString());
    QCOMPARE(probe.uniform(ring.left, topLeft), QString());
    QCOMPARE(probe.uniform(ring.right, bottomRight), QString());
    QCOMPARE(probe.uniform(ring.bottom, bottomRight), QString());
    // Inside the border, away from the centred text, the background.
    QCOMPARE(probe.uniform(QRect(1, 1, 58, 3), background), QString());
    QCOMPARE(probe.uniform(QRect(1, 26, 58, 3), background), QString());
    // Outside the box the parent is untouched.
    QCOMPARE(probe.uniform(QRect(60, 0, 20, 40), ParentRed), QString());
}

void TestTStaticText::alignment_data()
{
    QTest::addColumn<int>("alignment");
    QTest::newRow("left") << int(TAlignment::taLeftJustify);
    QTest::newRow("centre") << int(TAlignment::taCenter);
    QTest::newRow("right") << int(TAlignment::taRightJustify);
}

void TestTStaticText::alignment()
{
    QFETCH(int, alignment);
    Scene s;
    s.text->setBorderStyle(TBevelCut::bvLowered);
    s.text->setColor(tk::clWhite);
    s.text->setTextAlignment(TAlignment(alignment));
    s.text->setCaption(QStringLiteral("Iii"));
    const QRect inner = s.text->textRect();
    QCOMPARE(inner, QRect(1, 1, 58, 28));
    const QRect ink = PixelProbe(s.grab()).boundsOfOther(inner, 0xFFFFFFFF);
    QVERIFY2(!ink.isEmpty(), "no text drawn");
    QVERIFY(inner.contains(ink));
    // Vertically centred in every alignment.
    QVERIFY2(qAbs((ink.top() + ink.bottom()) - (inner.top() + inner.bottom())) <= 4,
             qPrintable(QStringLiteral("ink rows %1..%2").arg(ink.top()).arg(ink.bottom())));
    const int slack = 3; // side bearings of the glyphs
    switch (TAlignment(alignment)) {
    case TAlignment::taLeftJustify: QVERIFY(ink.left() - inner.left() <= slack); break;
    case TAlignment::taRightJustify: QVERIFY(inner.right() - ink.right() <= slack); break;
    case TAlignment::taCenter:
        QVERIFY(qAbs((ink.left() + ink.right()) - (inner.left() + inner.right())) <= slack);
        break;
    }
}

void TestTStaticText::click_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<QPoint>("pressAt");
    QTest::addColumn<QPoint>("releaseAt");
    QTest::addColumn<int>("clicks");
    QTest::newRow("left press and release inside") << int(Qt::LeftButton) << QPoint(5, 5) << QPoint(50, 20) << 1;
    QTest::newRow("released outside") << int(Qt::LeftButton) << QPoint(5, 5) << QPoint(70, 5) << 0;
    QTest::newRow("right button") << int(Qt::RightButton) << QPoint(5, 5) << QPoint(5, 5) << 0;
}

void TestTStaticText::click()
{
    QFETCH(int, button);
    QFETCH(QPoint, pressAt);
    QFETCH(QPoint, releaseAt);
    QFETCH(int, clicks);
    Scene s;
    s.parent.show();
    QSignalSpy spy(s.text, &TStaticText::OnClick);
    QTest::mousePress(s.text, Qt::MouseButton(button), {}, pressAt);
    QTest::mouseRelease(s.text, Qt::MouseButton(button), {}, releaseAt);
    QCOMPARE(spy.count(), clicks);
    if (clicks > 0)
        QCOMPARE(spy.at(0).at(0).value<TStaticText *>(), s.text);
}

void TestTStaticText::autoSizeFollowsTextAndBorder()
{
    Scene s;
    s.text->setBorderStyle(TBevelCut::bvLowered);
    s.text->setCaption(QStringLiteral("Lantanitler"));
    QCOMPARE(s.text->size(), QSize(60, 30)); // off by default: the design size stays
    s.text->setAutoSize(true);
    const QFontMetrics m(s.text->font());
    QCOMPARE(s.text->size(), QSize(m.horizontalAdvance(QStringLiteral("Lantanitler")) + 2, m.height() + 2));
    s.text->setCaption(QStringLiteral("Ak"));
    QCOMPARE(s.text->width(), m.horizontalAdvance(QStringLiteral("Ak")) + 2);
}

void TestTStaticText::accessibleNameIsCaption()
{
    Scene s;
    s.text->setCaption(QStringLiteral("1.Periyot "));
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(s.text);
    QVERIFY(iface != nullptr);
    QCOMPARE(iface->text(QAccessible::Name).trimmed(), QStringLiteral("1.Periyot"));
}

PC_TEST_MAIN(TestTStaticText)
#include "tst_tstatictext.moc"

#include "widgets/tshadowlabel.h"

#include "tests/support/testmain.h"
#include "toolkit/tfont.h"

#include <QEnterEvent>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

#include <cmath>

using SP = TShadowLabel::TShadowPosition;
using AL = tk::TAlignment;

namespace {

QFont crispFont(int px, tk::FontStyle style = tk::FontStyle::Bold)
{
    QFont f = tk::makeFont(u"MS Sans Serif", px, style);
    f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

// Drawn at the screen's pixel ratio, so that a run at twice the scale checks device pixels.
QImage render(const TShadowLabel::Look &look, QSize size)
{
    const qreal dpr = qApp->devicePixelRatio();
    QImage image(size * dpr, QImage::Format_RGB32);
    image.setDevicePixelRatio(dpr);
    image.fill(Qt::red);
    QPainter p(&image);
    TShadowLabel::paintLabel(p, look, size);
    return image;
}

QPoint offsetOf(SP pos, int s)
{
    switch (pos) {
    case SP::spLeftTop: return {-s, -s};
    case SP::spLeftBottom: return {-s, s};
    case SP::spRightBottom: return {s, s};
    case SP::spRightTop: return {s, -s};
    }
    return {};
}

// The device offsets a move by `logical` pixels may take at ratio dpr: the exact one, or at a
// fractional ratio either whole neighbour of it (both are crisp; a fraction is not).
QList<QPoint> deviceOffsets(QPoint logical, qreal dpr)
{
    const auto whole = [&](int v) {
        const qreal device = v * dpr;
        return std::floor(device) == device ? QList<int>{int(device)}
                                            : QList<int>{int(std::floor(device)), int(std::ceil(device))};
    };
    QList<QPoint> out;
    for (const int dx : whole(logical.x()))
        for (const int dy : whole(logical.y()))
            out.append(QPoint(dx, dy));
    return out;
}

} // namespace

class TestShadowLabel : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void defaults();
    void shadowPixels_data();
    void shadowPixels();
    void smoothShadowIsTheTextMoved_data();
    void smoothShadowIsTheTextMoved();
    void autoSize_data();
    void autoSize();
    void emptyCaptionMeasuresOneBlank_data();
    void emptyCaptionMeasuresOneBlank();
    void dockedToTopKeepsWidth();
    void transparency();
    void clicks_data();
    void clicks();
    void hoverNeedsForeground();
    void leaveWhilePressedKeepsInside();
};

void TestShadowLabel::defaults()
{
    TShadowLabel label;
    QCOMPARE(label.size(), QSize(65, 17));
    QCOMPARE(label.shadowColor(), tk::clBtnHighlight);
    QCOMPARE(label.shadowSize(), 1);
    QCOMPARE(label.shadowPos(), SP::spLeftTop);
    QVERIFY(label.autoSize());
    QVERIFY(!label.transparent());
    QVERIFY(label.testAttribute(Qt::WA_OpaquePaintEvent));
    QVERIFY(label.showAccelChar());
    QCOMPARE(label.alignment(), AL::taLeftJustify);
    QCOMPARE(label.layout(), TShadowLabel::TTextLayout::tlTop);
}

// Every pixel of the face is the text, else the shadow where the text moved by the shadow's
// offset lies, else the background. The text's own pixels come from a run whose shadow has the
// background colour, so the check depends on nothing but the shadow's placement.
void TestShadowLabel::shadowPixels_data()
{
    QTest::addColumn<int>("pos");
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QPoint>("expectedOffset");

    QTest::newRow("default: one up-left") << int(SP::spLeftTop) << 1 << true << QPoint(-1, -1);
    QTest::newRow("left-bottom 2") << int(SP::spLeftBottom) << 2 << true << QPoint(-2, 2);
    QTest::newRow("right-bottom 3") << int(SP::spRightBottom) << 3 << true << QPoint(3, 3);
    QTest::newRow("right-top 1") << int(SP::spRightTop) << 1 << true << QPoint(1, -1);
    QTest::newRow("size 0 hides the shadow") << int(SP::spLeftTop) << 0 << true << QPoint(0, 0);
    QTest::newRow("disabled keeps its offset") << int(SP::spLeftBottom) << 2 << false << QPoint(-2, 2);
    QTest::newRow("disabled size 0: right-bottom 1") << int(SP::spLeftTop) << 0 << false << QPoint(1, 1);
}

void TestShadowLabel::shadowPixels()
{
    QFETCH(int, pos);
    QFETCH(int, size);
    QFETCH(bool, enabled);
    QFETCH(QPoint, expectedOffset);

    TShadowLabel label;
    label.setFont(crispFont(16));
    label.setFontColor(tk::clBlack);
    label.setCaption(QStringLiteral("HIKŞ"));
    label.setShadowPos(SP(pos));
    label.setShadowSize(std::uint8_t(size));
    label.resize(70, 30);
    label.setEnabled(enabled);

    TShadowLabel::Look look = label.look();
    QCOMPARE(look.shadowColor, QColor(Qt::white)); // clBtnHighlight of the classic palette
    const QColor face = look.color;
    const QColor text = enabled ? QColor(Qt::black) : tk::clGrayText.toQColor();
    const QColor shadow(Qt::white);

    TShadowLabel::Look plain = look;
    plain.shadowColor = face;
    plain.btnHighlight = face;
    const QImage textOnly = render(plain, label.size());
    const QImage shaded = render(look, label.size());

    // The shadow is the text's own pixels moved by whole device pixels.
    // The first pixel that differs from the face the offset predicts, or an empty string.
    const auto mismatch = [&](QPoint deviceOffset, int *textPixels, int *shadowPixels) -> QString {
        *textPixels = *shadowPixels = 0;
        for (int y = 0; y < shaded.height(); ++y) {
            for (int x = 0; x < shaded.width(); ++x) {
                const bool isText = textOnly.pixelColor(x, y) == text;
                const QPoint src = QPoint(x, y) - deviceOffset;
                const bool underShadow = textOnly.rect().contains(src) && textOnly.pixelColor(src) == text;
                const QColor expected = isText ? text : underShadow ? shadow : face;
                if (shaded.pixelColor(x, y) != expected)
                    return QStringLiteral("pixel (%1, %2) is %3, expected %4")
                        .arg(x).arg(y).arg(shaded.pixelColor(x, y).name(), expected.name());
                *textPixels += isText;
                *shadowPixels += !isText && underShadow;
            }
        }
        return {};
    };
    QString fault;
    for (const QPoint offset : deviceOffsets(expectedOffset, shaded.devicePixelRatio())) {
        int textPixels = 0;
        int shadowPixels = 0;
        const QString m = mismatch(offset, &textPixels, &shadowPixels);
        if (!m.isEmpty()) {
            fault += QStringLiteral("offset (%1, %2): %3; ").arg(offset.x()).arg(offset.y()).arg(m);
            continue;
        }
        QVERIFY(textPixels > 50);
        if (expectedOffset.isNull())
            QCOMPARE(shadowPixels, 0);
        else
            QVERIFY(shadowPixels > 20);
        return;
    }
    QFAIL(qPrintable(fault));
}

void TestShadowLabel::smoothShadowIsTheTextMoved_data()
{
    QTest::addColumn<int>("pos");
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QPoint>("expectedOffset");
    QTest::newRow("one up-left") << int(SP::spLeftTop) << 1 << true << QPoint(-1, -1);
    QTest::newRow("right-bottom 1") << int(SP::spRightBottom) << 1 << true << QPoint(1, 1);
    QTest::newRow("right-top 3") << int(SP::spRightTop) << 3 << true << QPoint(3, -3);
    QTest::newRow("left-bottom 2") << int(SP::spLeftBottom) << 2 << true << QPoint(-2, 2);
    QTest::newRow("disabled size 0: right-bottom 1") << int(SP::spLeftTop) << 0 << false << QPoint(1, 1);
}

// With the smoothed font the program uses, the shadow is still the text's own smoothing moved by
// whole device pixels: drawn a fraction of a device pixel off, the font system would smooth it
// afresh and the shadow would not match the text it copies.
void TestShadowLabel::smoothShadowIsTheTextMoved()
{
    QFETCH(int, pos);
    QFETCH(int, size);
    QFETCH(bool, enabled);
    QFETCH(QPoint, expectedOffset);

    TShadowLabel label;
    label.setFont(tk::makeFont(u"MS Sans Serif", 16, tk::FontStyle::Bold));
    label.setFontColor(tk::clBlack);
    label.setCaption(QString::fromUtf8("HIKŞ Wavy"));
    label.setShadowPos(SP(pos));
    label.setShadowSize(std::uint8_t(size));
    label.resize(110, 30);
    label.setEnabled(enabled);

    const TShadowLabel::Look look = label.look();
    const QColor face = look.color;
    const QColor shadow = enabled ? look.shadowColor : look.btnHighlight;
    // The shadow alone (the text drawn with nothing), and the text alone in the shadow's colour.
    TShadowLabel::Look shadowOnly = look;
    shadowOnly.fontColor = shadowOnly.grayText = Qt::transparent;
    TShadowLabel::Look textAsShadow = look;
    textAsShadow.shadowColor = textAsShadow.btnHighlight = Qt::transparent;
    textAsShadow.fontColor = textAsShadow.grayText = shadow;
    const QImage moved = render(shadowOnly, label.size());
    const QImage original = render(textAsShadow, label.size());

    int smoothed = 0;
    for (int y = 0; y < original.height(); ++y)
        for (int x = 0; x < original.width(); ++x)
            smoothed += original.pixelColor(x, y) != face && original.pixelColor(x, y) != shadow;
    QVERIFY2(smoothed > 20, "the font is drawn smoothed");

    QString fault;
    for (const QPoint offset : deviceOffsets(expectedOffset, moved.devicePixelRatio())) {
        QString m;
        for (int y = 0; y < moved.height() && m.isEmpty(); ++y)
            for (int x = 0; x < moved.width() && m.isEmpty(); ++x) {
                const QPoint src = QPoint(x, y) - offset;
                const QColor expected = original.rect().contains(src) ? original.pixelColor(src) : face;
                if (moved.pixelColor(x, y) != expected)
                    m = QStringLiteral("pixel (%1, %2) is %3, expected %4")
                            .arg(x).arg(y).arg(moved.pixelColor(x, y).name(), expected.name());
            }
        if (m.isEmpty())
            return;
        fault += QStringLiteral("offset (%1, %2): %3; ").arg(offset.x()).arg(offset.y()).arg(m);
    }
    QFAIL(qPrintable(fault));
}

void TestShadowLabel::autoSize_data()
{
    QTest::addColumn<int>("alignment");
    QTest::addColumn<int>("pos");
    QTest::addColumn<int>("size");

    QTest::newRow("left, default shadow") << int(AL::taLeftJustify) << int(SP::spLeftTop) << 1;
    QTest::newRow("right, default shadow") << int(AL::taRightJustify) << int(SP::spLeftTop) << 1;
    QTest::newRow("centre, default shadow") << int(AL::taCenter) << int(SP::spLeftTop) << 1;
    QTest::newRow("left, right-bottom 3") << int(AL::taLeftJustify) << int(SP::spRightBottom) << 3;
    QTest::newRow("right, right-bottom 2") << int(AL::taRightJustify) << int(SP::spRightBottom) << 2;
    QTest::newRow("left, left-bottom 2") << int(AL::taLeftJustify) << int(SP::spLeftBottom) << 2;
    QTest::newRow("right, right-top 4") << int(AL::taRightJustify) << int(SP::spRightTop) << 4;
}

// Width is text width + 2 plus the shadow where it sticks out to the right, height is the text
// height plus the shadow where it sticks out below; a right-justified label keeps its right edge.
void TestShadowLabel::autoSize()
{
    QFETCH(int, alignment);
    QFETCH(int, pos);
    QFETCH(int, size);

    QWidget parent;
    parent.resize(400, 100);
    auto *label = new TShadowLabel(&parent);
    label->setFont(crispFont(11, tk::FontStyle::Regular));
    label->setAlignment(AL(alignment));
    label->setShadowPos(SP(pos));
    label->setShadowSize(std::uint8_t(size));
    label->move(200, 30);
    const QPoint offset = offsetOf(SP(pos), size);
    const QFontMetrics fm(label->font());

    const int right0 = label->x() + label->width();
    const int left0 = label->x();
    for (const QString &caption : {QStringLiteral("www.kvt.example"), QStringLiteral("Kısa"),
                                   QStringLiteral("Çok daha uzun bir başlık yazısı")}) {
        label->setCaption(caption);
        const QSize text = fm.size(Qt::TextShowMnemonic, caption);
        QCOMPARE(label->width(), text.width() + 2 + std::max(offset.x(), 0));
        QCOMPARE(label->height(), fm.height() + std::max(offset.y(), 0));
        QCOMPARE(label->y(), 30);
        if (AL(alignment) == AL::taRightJustify)
            QCOMPARE(label->x() + label->width(), right0);
        else
            QCOMPARE(label->x(), left0);
    }

    // Growth by a new font follows the same rule.
    label->setFont(crispFont(20));
    const QSize text = QFontMetrics(label->font()).size(Qt::TextShowMnemonic, label->caption());
    QCOMPARE(label->width(), text.width() + 2 + std::max(offset.x(), 0));
    if (AL(alignment) == AL::taRightJustify)
        QCOMPARE(label->x() + label->width(), right0);
    else
        QCOMPARE(label->x(), left0);
}

void TestShadowLabel::emptyCaptionMeasuresOneBlank_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("showAccel");
    QTest::addColumn<QString>("measuredAs");

    QTest::newRow("empty") << QString() << true << QStringLiteral(" ");
    QTest::newRow("empty without accelerators") << QString() << false << QStringLiteral(" ");
    QTest::newRow("lone ampersand") << QStringLiteral("&") << true << QStringLiteral(" ");
    QTest::newRow("lone ampersand shown as itself") << QStringLiteral("&") << false << QStringLiteral("&");
}

void TestShadowLabel::emptyCaptionMeasuresOneBlank()
{
    QFETCH(QString, caption);
    QFETCH(bool, showAccel);
    QFETCH(QString, measuredAs);

    TShadowLabel label;
    label.setFont(crispFont(13));
    label.setCaption(QStringLiteral("x"));
    label.setShowAccelChar(showAccel);
    label.setCaption(caption);
    label.adjustBounds();
    const QFontMetrics fm(label.font());
    QVERIFY(label.height() > 0);
    QCOMPARE(label.height(), fm.height());
    QCOMPARE(label.width(), fm.horizontalAdvance(measuredAs) + 2);
}

void TestShadowLabel::dockedToTopKeepsWidth()
{
    TShadowLabel label;
    label.setAlign(TShadowLabel::TAlign::alTop);
    label.setGeometry(1, 1, 291, 10);
    label.setFont(tk::makeFont(u"Times New Roman", 24, tk::FontStyle::Bold));
    label.setCaption(QStringLiteral("Tamelis"));
    QCOMPARE(label.geometry(), QRect(1, 1, 291, QFontMetrics(label.font()).height()));
}

void TestShadowLabel::transparency()
{
    TShadowLabel label;
    label.setCaption(QStringLiteral("a"));
    label.resize(40, 20);
    label.setTransparent(true);
    QVERIFY(!label.testAttribute(Qt::WA_OpaquePaintEvent));
    QImage see = render(label.look(), label.size());
    QCOMPARE(see.pixelColor(see.width() - 2, see.height() - 2), QColor(Qt::red));

    label.setTransparent(false);
    QVERIFY(label.testAttribute(Qt::WA_OpaquePaintEvent));
    see = render(label.look(), label.size());
    QCOMPARE(see.pixelColor(see.width() - 2, see.height() - 2), tk::clBtnFace.toQColor());

    label.setColor(tk::clAqua);
    QVERIFY(!label.parentColor());
    see = render(label.look(), label.size());
    QCOMPARE(see.pixelColor(see.width() - 2, see.height() - 2), tk::clAqua.toQColor());
}

void TestShadowLabel::clicks_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<QPoint>("pressAt");
    QTest::addColumn<QPoint>("releaseAt");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("clicks");

    QTest::newRow("left inside") << int(Qt::LeftButton) << QPoint(5, 5) << QPoint(6, 6) << true << 1;
    QTest::newRow("released outside") << int(Qt::LeftButton) << QPoint(5, 5) << QPoint(200, 5) << true << 0;
    QTest::newRow("released above") << int(Qt::LeftButton) << QPoint(5, 5) << QPoint(5, -3) << true << 0;
    QTest::newRow("right button") << int(Qt::RightButton) << QPoint(5, 5) << QPoint(5, 5) << true << 0;
    QTest::newRow("disabled") << int(Qt::LeftButton) << QPoint(5, 5) << QPoint(5, 5) << false << 0;
}

void TestShadowLabel::clicks()
{
    QFETCH(int, button);
    QFETCH(QPoint, pressAt);
    QFETCH(QPoint, releaseAt);
    QFETCH(bool, enabled);
    QFETCH(int, clicks);

    QWidget window;
    window.resize(300, 100);
    auto *label = new TShadowLabel(&window);
    label->setCaption(QStringLiteral("bilgi@kvt.example"));
    label->move(20, 20);
    label->setEnabled(enabled);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QSignalSpy spy(label, &TShadowLabel::OnClick);
    QTest::mousePress(label, Qt::MouseButton(button), {}, pressAt);
    QCOMPARE(label->pressTracking(), enabled && button == Qt::LeftButton);
    QTest::mouseRelease(label, Qt::MouseButton(button), {}, releaseAt);
    QVERIFY(!label->pressTracking());
    QCOMPARE(spy.count(), clicks);
    if (clicks > 0)
        QCOMPARE(spy.at(0).at(0).value<TShadowLabel *>(), label);
}

void TestShadowLabel::hoverNeedsForeground()
{
    QWidget window;
    window.resize(200, 60);
    auto *label = new TShadowLabel(&window);
    label->setCaption(QStringLiteral("link"));
    label->move(10, 10);
    QSignalSpy entered(label, &TShadowLabel::OnMouseEnter);
    QSignalSpy left(label, &TShadowLabel::OnMouseLeave);

    // No window of the program is active: entering is not noticed.
    QVERIFY(QApplication::activeWindow() == nullptr);
    QEnterEvent enter(QPointF(2, 2), QPointF(12, 12), QPointF(12, 12));
    QApplication::sendEvent(label, &enter);
    QVERIFY(!label->mouseInside());
    QCOMPARE(entered.count(), 0);

    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QApplication::sendEvent(label, &enter);
    QVERIFY(label->mouseInside());
    QCOMPARE(entered.count(), 1);
    QApplication::sendEvent(label, &enter);
    QCOMPARE(entered.count(), 1);

    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(label, &leave);
    QVERIFY(!label->mouseInside());
    QCOMPARE(left.count(), 1);
}

void TestShadowLabel::leaveWhilePressedKeepsInside()
{
    QWidget window;
    window.resize(200, 60);
    auto *label = new TShadowLabel(&window);
    label->setCaption(QStringLiteral("link"));
    label->move(10, 10);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    QEnterEvent enter(QPointF(2, 2), QPointF(12, 12), QPointF(12, 12));
    QApplication::sendEvent(label, &enter);
    QVERIFY(label->mouseInside());
    QTest::mousePress(label, Qt::LeftButton, {}, QPoint(2, 2));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(label, &leave);
    QVERIFY(label->mouseInside());

    // The release re-evaluates from the pointer's real position, which is far from the label.
    QCursor::setPos(window.mapToGlobal(QPoint(150, 50)));
    QSignalSpy left(label, &TShadowLabel::OnMouseLeave);
    QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(150, 50));
    QVERIFY(!label->mouseInside());
    QCOMPARE(left.count(), 1);
}

PC_TEST_MAIN(TestShadowLabel)
#include "tst_tshadowlabel.moc"

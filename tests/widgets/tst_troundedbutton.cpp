#include "widgets/troundedbutton.h"

#include "tests/support/pixelprobe.h"
#include "tests/support/testmain.h"
#include "toolkit/tfont.h"

#include <QEnterEvent>
#include <QPainter>
#include <QPointer>
#include <QSignalSpy>

#include <cmath>

namespace {

constexpr QRgb background = 0xFFFFFFFFu; // the main window's white
constexpr QRgb lightBlue = 0xFF9DCEFFu;  // 0xFFCE9D as 0x00BBGGRR
constexpr QRgb white = 0xFFFFFFFFu;
constexpr QRgb black = 0xFF000000u;
constexpr QRgb navy = 0xFF000080u;
constexpr QRgb blue = 0xFF0000FFu;

// The parent is white, and so is the raised outline; a grey parent keeps the two apart.
constexpr QRgb parentGrey = 0xFF808080u;

QImage render(const RoundedButtonLook &look, QSize size, qreal scale, TrbsShape shape = TrbsShape::rbsRounded)
{
    QImage image(size * scale, QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    image.fill(parentGrey);
    QPainter painter(&image);
    paintRoundedButton(painter, RoundedButtonGeometry::make(size, shape), look);
    return image;
}

RoundedButtonLook closeButtonLook()
{
    RoundedButtonLook look;
    look.color = tk::TColor(16764573);
    look.hotTrackColor = tk::clBlue;
    look.fontColor = tk::clNavy;
    look.font = tk::makeFont(u"MS Sans Serif", 11, tk::FontStyle::Bold);
    return look;
}

// The colour of one logical pixel, 0 where it is not drawn crisp at the image's scale.
QRgb logical(const QImage &image, int x, int y)
{
    return PixelProbe(image).at(x, y);
}

QRect boundsOf(const QImage &image, QRgb colour)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == colour)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

int count(const QImage &image, QRgb colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixel(x, y) == colour;
    return n;
}

// The colour of logical pixel (x, y) of a grab at the screen's scale, 0 where it is not crisp.
QRgb at(const QImage &shot, int x, int y)
{
    return PixelProbe(shot).at(x, y);
}

} // namespace

class tst_TRoundedButton : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void defaults();
    void outline_data();
    void outline();
    void shapes_data();
    void shapes();
    void caption_data();
    void caption();
    void ellipsis_data();
    void ellipsis();
    void glyph_data();
    void glyph();
    void grayCopyValues_data();
    void grayCopyValues();
    void mouse_data();
    void mouse();
    void doubleClick_data();
    void doubleClick();
    void hoverRepaintsWithHoverLook_data();
    void hoverRepaintsWithHoverLook();
    void clickHandlerMayDeleteTheButton();
    void setterRules();
};

void tst_TRoundedButton::defaults()
{
    TRoundedButton button;
    QCOMPARE(button.size(), QSize(81, 33));
    QCOMPARE(button.color(), tk::clSilver);
    QCOMPARE(button.hotTrackColor(), tk::clBlue);
    QVERIFY(button.gray());
    QVERIFY(button.trackGlyph());
    QVERIFY(button.flat());
    QCOMPARE(button.shape(), TrbsShape::rbsRounded);
    QVERIFY(button.glyph().isNull());
    QCOMPARE(button.focusPolicy(), Qt::NoFocus);
}

void tst_TRoundedButton::outline_data()
{
    QTest::addColumn<bool>("flat");
    QTest::addColumn<bool>("over");
    QTest::addColumn<bool>("pressed");
    QTest::addColumn<qreal>("scale");
    QTest::addColumn<QRgb>("upperLeft"); // 0: no outline
    QTest::addColumn<QRgb>("lowerRight");

    for (const qreal scale : {1.0, 1.5, 2.0}) {
        const QByteArray at = " " + QByteArray::number(scale) + "x";
        QTest::newRow("flat at rest" + at) << true << false << false << scale << QRgb(0) << QRgb(0);
        QTest::newRow("flat hovered" + at) << true << true << false << scale << white << black;
        QTest::newRow("flat pressed" + at) << true << true << true << scale << black << white;
        QTest::newRow("pressed, dragged out" + at) << true << false << true << scale << black << white;
        QTest::newRow("not flat at rest" + at) << false << false << false << scale << white << black;
    }
}

void tst_TRoundedButton::outline()
{
    QFETCH(bool, flat);
    QFETCH(bool, over);
    QFETCH(bool, pressed);
    QFETCH(qreal, scale);
    QFETCH(QRgb, upperLeft);
    QFETCH(QRgb, lowerRight);

    RoundedButtonLook look = closeButtonLook();
    look.flat = flat;
    look.mouseOver = over;
    look.pressed = pressed;
    const int w = 55, h = 33, w1 = w - 1, h1 = h - 1;
    const QImage image = render(look, QSize(w, h), scale);

    const QRgb top = upperLeft != 0 ? upperLeft : lightBlue;
    const QRgb bottom = lowerRight != 0 ? lowerRight : lightBlue;
    QCOMPARE(logical(image, w / 2, 0), top);
    QCOMPARE(logical(image, 0, h / 2), top);
    QCOMPARE(logical(image, w / 2, h1 - 1), bottom);
    QCOMPARE(logical(image, w1 - 1, h / 2), bottom);
    QCOMPARE(logical(image, w / 2, 1), lightBlue);
    QCOMPARE(logical(image, w1 - 2, h / 2), lightBlue);
    QCOMPARE(logical(image, w / 2, h / 2), lightBlue);
    // The last column and row, and the rounded-off corners, stay the parent's.
    QCOMPARE(logical(image, w1, h / 2), parentGrey);
    QCOMPARE(logical(image, w / 2, h1), parentGrey);
    QCOMPARE(logical(image, 0, 0), parentGrey);
    QCOMPARE(logical(image, w1 - 1, h1 - 1), parentGrey);

    // Every outline pixel lies on the side of the diagonal (0, H1)-(W1, 0) its colour belongs to;
    // at the two corners the diagonal passes through, both colours meet.
    const qreal s = scale;
    int upperSeen = 0, lowerSeen = 0, nearTopRight = 0, nearBottomLeft = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            if (c == lightBlue || c == parentGrey)
                continue;
            QVERIFY2(upperLeft != 0, "outline drawn where none belongs");
            QVERIFY2(c == upperLeft || c == lowerRight, qPrintable(QString::number(c, 16)));
            const qreal px = (x + 0.5) / s, py = (y + 0.5) / s;
            const qreal side = px * h1 + py * w1 - w1 * h1; // < 0: above the diagonal
            const qreal distance = std::abs(side) / std::hypot(qreal(w1), qreal(h1));
            if (distance > 1.0)
                QCOMPARE(c, side < 0 ? upperLeft : lowerRight);
            (c == upperLeft ? upperSeen : lowerSeen)++;
            if (distance <= 2.0 && px > w1 / 2.0)
                nearTopRight |= c == upperLeft ? 1 : 2;
            if (distance <= 2.0 && px < w1 / 2.0)
                nearBottomLeft |= c == upperLeft ? 1 : 2;
        }
    }
    if (upperLeft != 0) {
        // Each colour covers about two of the four edges.
        QVERIFY(upperSeen > (w + h) / 2 * s * s);
        QVERIFY(lowerSeen > (w + h) / 2 * s * s);
        QCOMPARE(nearTopRight, 3);
        QCOMPARE(nearBottomLeft, 3);
    }
}

void tst_TRoundedButton::shapes_data()
{
    QTest::addColumn<int>("shape");
    QTest::addColumn<QPoint>("outside"); // a pixel in the bounding box the face leaves out
    QTest::addColumn<QPoint>("inside");  // a face pixel near the edge

    // 55 x 33: W1 54, H1 32, corner size 13.
    QTest::newRow("rounded: corner cut, edge kept") << int(TrbsShape::rbsRounded) << QPoint(1, 1) << QPoint(7, 1);
    QTest::newRow("ellipse: corner region cut") << int(TrbsShape::rbsEllipse) << QPoint(6, 4) << QPoint(27, 1);
    QTest::newRow("octagon: diagonal edge") << int(TrbsShape::rbsOctagon) << QPoint(5, 5) << QPoint(14, 1);
    QTest::newRow("octagon: right edge at W1 - 1") << int(TrbsShape::rbsOctagon) << QPoint(54, 16) << QPoint(52, 16);
}

void tst_TRoundedButton::shapes()
{
    QFETCH(int, shape);
    QFETCH(QPoint, outside);
    QFETCH(QPoint, inside);
    RoundedButtonLook look = closeButtonLook();
    look.flat = false;
    for (const qreal scale : {1.0, 1.5, 2.0}) {
        const QImage image = render(look, QSize(55, 33), scale, TrbsShape(shape));
        QCOMPARE(logical(image, outside.x(), outside.y()), parentGrey);
        QVERIFY(logical(image, inside.x(), inside.y()) != parentGrey);
        QCOMPARE(logical(image, 27, 16), lightBlue);
    }
}

void tst_TRoundedButton::caption_data()
{
    QTest::addColumn<bool>("over");
    QTest::addColumn<bool>("pressed");
    QTest::addColumn<QRgb>("shown");
    QTest::addColumn<QRgb>("absent");
    QTest::addColumn<QPoint>("shift");

    QTest::newRow("at rest: font colour") << false << false << navy << blue << QPoint(0, 0);
    QTest::newRow("hovered: hover colour") << true << false << blue << navy << QPoint(0, 0);
    QTest::newRow("pressed: font colour, shifted") << true << true << navy << blue << QPoint(1, 1);
    QTest::newRow("pressed outside: shifted") << false << true << navy << blue << QPoint(1, 1);
}

void tst_TRoundedButton::caption()
{
    QFETCH(bool, over);
    QFETCH(bool, pressed);
    QFETCH(QRgb, shown);
    QFETCH(QRgb, absent);
    QFETCH(QPoint, shift);

    RoundedButtonLook look = closeButtonLook();
    look.caption = QStringLiteral("Kapat");
    const QImage rest = render(look, QSize(55, 33), 1);
    const QRect restBounds = boundsOf(rest, navy);
    QVERIFY(!restBounds.isEmpty());

    look.mouseOver = over;
    look.pressed = pressed;
    const QImage image = render(look, QSize(55, 33), 1);
    QCOMPARE(count(image, absent), 0);
    QCOMPARE(boundsOf(image, shown), restBounds.translated(shift));
    // Centred in (0, 0)-(W1, H1): the margins left and right differ by at most a pixel.
    const int left = restBounds.left(), right = 54 - 1 - restBounds.right();
    QVERIFY2(std::abs(left - right) <= 1, qPrintable(QStringLiteral("%1 %2").arg(left).arg(right)));
}

void tst_TRoundedButton::ellipsis_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("cut");

    QTest::newRow("fits") << QStringLiteral("Kapat") << 55 << false;
    QTest::newRow("too wide") << QStringLiteral("Periyodik Cetvel hakkında") << 55 << true;
    QTest::newRow("empty") << QString() << 55 << false;
}

void tst_TRoundedButton::ellipsis()
{
    QFETCH(QString, caption);
    QFETCH(int, width);
    QFETCH(bool, cut);
    const QFont font = tk::makeFont(u"MS Sans Serif", 11, tk::FontStyle::Bold);
    const QString shown = roundedButtonCaption(caption, font, width);
    if (cut) {
        QVERIFY(shown.endsWith(QChar(0x2026)));
        QVERIFY(caption.startsWith(shown.chopped(1)));
        QVERIFY(QFontMetrics(font).horizontalAdvance(shown) <= width - 1);
    } else {
        QCOMPARE(shown, caption);
    }

    TRoundedButton button;
    button.setFont(font);
    button.resize(width, 33);
    button.setCaption(caption);
    QCOMPARE(button.look().caption, shown);
}

void tst_TRoundedButton::glyph_data()
{
    QTest::addColumn<bool>("gray");
    QTest::addColumn<bool>("trackGlyph");
    QTest::addColumn<bool>("over");
    QTest::addColumn<bool>("pressed");
    QTest::addColumn<QRgb>("expected");

    const QRgb red = qRgb(240, 30, 0), grey = qRgb(90, 90, 90);
    QTest::newRow("grey at rest") << true << true << false << false << grey;
    QTest::newRow("colour on hover with track") << true << true << true << false << red;
    QTest::newRow("grey on hover without track") << true << false << true << false << grey;
    QTest::newRow("colour when not grey") << false << false << false << false << red;
    QTest::newRow("pressed: one pixel right and down") << false << false << true << true << red;
}

void tst_TRoundedButton::glyph()
{
    QFETCH(bool, gray);
    QFETCH(bool, trackGlyph);
    QFETCH(bool, over);
    QFETCH(bool, pressed);
    QFETCH(QRgb, expected);

    // 6 x 4 red picture whose bottom-left colour (green) is the transparent one.
    QImage picture(6, 4, QImage::Format_RGB32);
    picture.fill(qRgb(240, 30, 0));
    picture.setPixel(0, 3, qRgb(0, 200, 0));
    picture.setPixel(5, 0, qRgb(0, 200, 0));

    TRoundedButton button;
    button.resize(55, 33);
    button.setColor(tk::TColor(16764573));
    button.setTrackGlyph(trackGlyph);
    button.setGray(gray);
    button.setGlyph(picture);
    QCOMPARE(button.grayGlyph().size(), picture.size());

    RoundedButtonLook look = button.look();
    look.mouseOver = over;
    look.pressed = pressed;
    for (const qreal scale : {1.0, 1.5, 2.0}) {
        const QImage image = render(look, button.size(), scale);
        const QPoint origin = QPoint((55 - 6) / 2 + 1, (33 - 4) / 2) + (pressed ? QPoint(1, 1) : QPoint());
        QCOMPARE(logical(image, origin.x(), origin.y()), expected);
        QCOMPARE(logical(image, origin.x() + 5, origin.y() + 3), expected);
        // Pixels of the transparent colour show the face; the picture ends where it should.
        QCOMPARE(logical(image, origin.x(), origin.y() + 3), lightBlue);
        QCOMPARE(logical(image, origin.x() + 5, origin.y()), lightBlue);
        QCOMPARE(logical(image, origin.x() - 1, origin.y()), lightBlue);
        QCOMPARE(logical(image, origin.x() + 6, origin.y() + 1), lightBlue);
    }
}

void tst_TRoundedButton::grayCopyValues_data()
{
    QTest::addColumn<QRgb>("in");
    QTest::addColumn<int>("out");
    QTest::newRow("mixed") << qRgb(30, 60, 90) << 60;
    QTest::newRow("rounds down") << qRgb(255, 255, 254) << 254;
    QTest::newRow("white") << qRgb(255, 255, 255) << 255;
    QTest::newRow("one channel") << qRgb(0, 0, 2) << 0;
}

void tst_TRoundedButton::grayCopyValues()
{
    QFETCH(QRgb, in);
    QFETCH(int, out);
    QImage picture(2, 1, QImage::Format_RGB32);
    picture.fill(in);
    const QImage gray = grayCopy(picture);
    QCOMPARE(gray.size(), picture.size());
    QCOMPARE(gray.pixel(1, 0), qRgb(out, out, out));
}

void tst_TRoundedButton::mouse_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<QPoint>("releaseAt");
    QTest::addColumn<int>("clicks");

    QTest::newRow("left press and release inside") << int(Qt::LeftButton) << QPoint(20, 10) << 1;
    QTest::newRow("left release on the last pixel") << int(Qt::LeftButton) << QPoint(54, 32) << 1;
    QTest::newRow("left press, drag out, release") << int(Qt::LeftButton) << QPoint(55, 10) << 0;
    QTest::newRow("left press, release far above") << int(Qt::LeftButton) << QPoint(20, -30) << 0;
    QTest::newRow("right press and release inside") << int(Qt::RightButton) << QPoint(20, 10) << 0;
    QTest::newRow("middle press and release inside") << int(Qt::MiddleButton) << QPoint(20, 10) << 0;
}

void tst_TRoundedButton::mouse()
{
    QFETCH(int, button);
    QFETCH(QPoint, releaseAt);
    QFETCH(int, clicks);

    QWidget window;
    window.resize(200, 120);
    auto *b = new TRoundedButton(&window);
    b->setGeometry(4, 40, 55, 33);
    b->setColor(tk::TColor(16764573));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QList<bool> pressedAtClick;
    connect(b, &TRoundedButton::OnClick, b, [&](TRoundedButton *sender) {
        QCOMPARE(sender, b);
        pressedAtClick << sender->pressed();
    });

    const Qt::MouseButton mb = Qt::MouseButton(button);
    QTest::mousePress(b, mb, {}, QPoint(20, 10));
    QVERIFY(b->pressed());
    QTest::mouseMove(b, releaseAt);
    // The sunken look stays while the button is held, wherever the pointer is.
    QVERIFY(b->pressed());
    QCOMPARE(at(b->grab().toImage(), 27, 0), black);
    QTest::mouseRelease(b, mb, {}, releaseAt);
    QVERIFY(!b->pressed());
    QCOMPARE(pressedAtClick.size(), clicks);
    // The click arrives before the release clears the sunken state.
    for (bool p : pressedAtClick)
        QVERIFY(p);
}

void tst_TRoundedButton::doubleClick_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("events"); // P press, R release, D double click
    QTest::addColumn<QString>("sunken"); // after each event: 1 sunken, 0 raised
    QTest::addColumn<int>("clicks");

    const int left = int(Qt::LeftButton);
    // The window system delivers the second press of a double click as the double click alone.
    QTest::newRow("double click as the screen delivers it") << left << "PRDR" << "1010" << 1;
    QTest::newRow("double click after a plain second press") << left << "PRPDR" << "10110" << 1;
    QTest::newRow("a third press clicks again") << left << "PRPDRPR" << "1011010" << 2;
    QTest::newRow("right double click") << int(Qt::RightButton) << "PRPDR" << "10110" << 0;
}

// A double click sinks the button like a press but clicks only once, on its first release.
void tst_TRoundedButton::doubleClick()
{
    QFETCH(int, button);
    QFETCH(QString, events);
    QFETCH(QString, sunken);
    QFETCH(int, clicks);

    QWidget window;
    window.resize(100, 100);
    auto *b = new TRoundedButton(&window);
    b->setGeometry(4, 40, 55, 33);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QSignalSpy spy(b, &TRoundedButton::OnClick);

    const Qt::MouseButton mb = Qt::MouseButton(button);
    const QPoint inside(20, 10);
    for (qsizetype i = 0; i < events.size(); ++i) {
        switch (events[i].toLatin1()) {
        case 'P': QTest::mousePress(b, mb, {}, inside); break;
        case 'R': QTest::mouseRelease(b, mb, {}, inside); break;
        case 'D': QTest::mouseDClick(b, mb, {}, inside); break;
        }
        QCOMPARE(b->pressed(), sunken[i] == u'1');
        // The look follows the state at once: a black upper-left outline while sunken, none (the
        // flat button's silver face) when raised.
        QCOMPARE(at(b->grab().toImage(), 27, 0), b->pressed() ? black : QRgb(0xFFC0C0C0u));
    }
    QCOMPARE(spy.size(), clicks);
}

void tst_TRoundedButton::hoverRepaintsWithHoverLook_data()
{
    QTest::addColumn<QPoint>("pos");
    // At 1.5 times the scale an odd position starts the button inside a device pixel.
    QTest::newRow("even position") << QPoint(4, 40);
    QTest::newRow("odd position") << QPoint(5, 41);
}

void tst_TRoundedButton::hoverRepaintsWithHoverLook()
{
    QFETCH(QPoint, pos);
    QWidget window;
    window.resize(100, 100);
    window.setAutoFillBackground(true);
    window.setPalette(QPalette(Qt::white));
    auto *b = new TRoundedButton(&window);
    b->setGeometry(QRect(pos, QSize(55, 33)));
    b->setColor(tk::TColor(16764573));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    // The straight part of the top edge, between the rounded corners.
    auto topEdge = [&](QRgb colour) {
        return PixelProbe::of(window).uniform(QRect(pos.x() + 14, pos.y(), 27, 1), colour);
    };
    QCOMPARE(topEdge(lightBlue), QString());
    QEnterEvent enter(QPointF(10, 10), QPointF(14, 50), QPointF(14, 50));
    QApplication::sendEvent(b, &enter);
    QVERIFY(b->mouseOver());
    QCOMPARE(topEdge(white), QString());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(b, &leave);
    QVERIFY(!b->mouseOver());
    QCOMPARE(topEdge(lightBlue), QString());
    // Parts of the button the face leaves out show the window: the last column, the corners.
    const PixelProbe probe = PixelProbe::of(window);
    QCOMPARE(probe.uniform(QRect(pos.x() + 54, pos.y() + 8, 1, 17), background), QString());
    QCOMPARE(probe.at(pos.x(), pos.y()), background);
}

void tst_TRoundedButton::clickHandlerMayDeleteTheButton()
{
    QWidget window;
    window.resize(100, 100);
    QPointer<TRoundedButton> b = new TRoundedButton(&window);
    b->setGeometry(4, 40, 55, 33);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    connect(b, &TRoundedButton::OnClick, &window, [](TRoundedButton *sender) { delete sender; });
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(20, 10));
    QVERIFY(b.isNull());
}

void tst_TRoundedButton::setterRules()
{
    TRoundedButton b;
    b.setGray(false);
    b.setTrackGlyph(false);
    QVERIFY(!b.gray());
    b.setTrackGlyph(true);
    QVERIFY(b.gray());
}

PC_TEST_MAIN(tst_TRoundedButton)
#include "tst_troundedbutton.moc"

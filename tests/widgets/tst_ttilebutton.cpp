#include "widgets/ttilebutton.h"

#include "tests/support/pixelprobe.h"
#include "tests/support/testmain.h"
#include "toolkit/tfont.h"
#include "toolkit/thint.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QDialog>
#include <QEnterEvent>
#include <QFontMetrics>
#include <QImage>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <QWindow>

#include <functional>

using TB = TTileButton;
using Setter = std::function<void(TTileButton &)>;
Q_DECLARE_METATYPE(Setter)
Q_DECLARE_METATYPE(TB::TButtonFaceState)

namespace {

enum class C { Face, Hl, Shadow, Frame };

QColor colorOf(C c)
{
    switch (c) {
    case C::Face: return tk::clBtnFace.toQColor();
    case C::Hl: return tk::clBtnHighlight.toQColor();
    case C::Shadow: return tk::clBtnShadow.toQColor();
    case C::Frame: return tk::clWindowFrame.toQColor();
    }
    return {};
}

QFont tileFont()
{
    return tk::makeFont(u"MS Sans Serif", 11, tk::FontStyle::Bold);
}

// True when logical pixel (x, y) is crisp and of colour c at the image's ratio.
bool logicalPixelIs(const QImage &img, int x, int y, const QColor &c)
{
    return PixelProbe(img).at(x, y) == c.rgb();
}

// Renders through the free painter, as the button does, into an image of the given ratio.
QImage paintFace(TB::TButtonFaceState face, TB::TButtonFaceState look, bool flat, bool newStyle, qreal dpr,
                 const QString &caption = QString())
{
    QImage img((QSizeF(35, 35) * dpr).toSize(), QImage::Format_RGB32);
    img.setDevicePixelRatio(dpr);
    img.fill(Qt::magenta);
    TileLayoutInput in;
    in.caption = caption;
    in.font = tileFont();
    in.contentSize = tileContentRect(QSize(35, 35), flat).size();
    TileLayout layout;
    layoutTile(in, layout);
    TilePens pens;
    pens.update(QColor(Qt::red));
    TilePaintState st;
    st.size = QSize(35, 35);
    st.face = face;
    st.look = look;
    st.drawState = face;
    st.flat = flat;
    st.newStyle = newStyle;
    QPainter p(&img);
    paintTile(p, st, layout, pens);
    return img;
}

// Bounding box, in device pixels, of the pixels for which pred holds, within the logical rect.
template <typename Pred>
QRect inkBox(const QImage &img, QRect logical, Pred pred)
{
    return PixelProbe(img).deviceBoundsWhere(logical, pred);
}

bool isTextInk(const QColor &c)
{
    return c.red() > c.green() + 40; // the red font colour, also where it is antialiased
}

void send(TTileButton &b, QEvent::Type type, Qt::MouseButton button, QPoint pos)
{
    const Qt::MouseButton which = type == QEvent::MouseMove ? Qt::NoButton : button;
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent e(type, QPointF(pos), QPointF(b.mapToGlobal(pos)), which, held, Qt::NoModifier);
    QCoreApplication::sendEvent(&b, &e);
}

struct Host {
    QWidget window;
    TTileButton *tile = nullptr;
    Host()
    {
        window.resize(120, 120);
        tile = new TTileButton(&window);
        tile->setObjectName(QStringLiteral("TileButton26"));
        tile->setGeometry(10, 10, 35, 35);
        tile->setTileFont(tileFont());
        tile->setFontColor(tk::clRed);
        tile->setCaption(QStringLiteral("26\r\nFe"));
        tile->setHint(QString::fromUtf8("Demir"));
        tile->setTag(26);
        window.show();
    }
};

} // namespace

class TestTileButton : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void defaults();
    void rings_data();
    void rings();
    void cornerOwnership_data();
    void cornerOwnership();
    void ringsInWindow_data();
    void ringsInWindow();
    void bufferOnTheWindowGrid_data();
    void bufferOnTheWindowGrid();
    void exclusiveChecker();
    void contentShiftsWhilePressed();
    void captionCentred_data();
    void captionCentred();
    void shortening_data();
    void shortening();
    void longCaptionLineShortenedInTile();
    void disabledEmboss();
    void glyphLayout_data();
    void glyphLayout();
    void glyphPainted();
    void autoRepeat();
    void dropDownMenu();
    void mouse_data();
    void mouse();
    void queuedSecondPressDiscarded();
    void clickHandlerMayDestroyTheTile();
    void hoverNeedsForeground();
    void setterRepaintsOnlyOnChange_data();
    void setterRepaintsOnlyOnChange();
    void normalisedValues_data();
    void normalisedValues();
    void groups();
    void modalResult_data();
    void modalResult();
    void accessible();
    void acceleratorClicks_data();
    void acceleratorClicks();
    void toolTipRule_data();
    void toolTipRule();
    void bufferReused();
};

void TestTileButton::defaults()
{
    TTileButton b;
    QCOMPARE(b.size(), QSize(25, 25));
    QCOMPARE(b.alignment(), tk::TAlignment::taCenter);
    QCOMPARE(b.allowAllUp(), false);
    QCOMPARE(b.allowTimer(), false);
    QCOMPARE(b.down(), false);
    QCOMPARE(b.dropDownMenu(), nullptr);
    QCOMPARE(b.flat(), false);
    QVERIFY(b.glyph().isNull());
    QCOMPARE(b.grayedInactive(), true);
    QCOMPARE(b.groupIndex(), 0);
    QCOMPARE(b.initPause(), 500);
    QCOMPARE(b.layout(), TB::blGlyphTop);
    QCOMPARE(b.margin(), -1);
    QCOMPARE(b.markDropDown(), true);
    QCOMPARE(b.menuPosition(), TB::dmpBottom);
    QCOMPARE(b.modalResult(), 0);
    QCOMPARE(b.numGlyphs(), 1);
    QCOMPARE(b.repeatInterval(), 100);
    QCOMPARE(b.spacing(), 1);
    QCOMPARE(b.style(), TB::bsAutoDetect);
    QCOMPARE(b.transparent(), false);
    QCOMPARE(b.wordWrap(), false);
    QCOMPARE(b.parentShowHint(), false);
    QCOMPARE(b.showHint(), true);
    QCOMPARE(b.parentFont(), true);
    QCOMPARE(b.faceState(), TB::bfsUp);
    QVERIFY(b.testAttribute(Qt::WA_OpaquePaintEvent));
}

void TestTileButton::rings_data()
{
    QTest::addColumn<TB::TButtonFaceState>("face");
    QTest::addColumn<bool>("flat");
    QTest::addColumn<bool>("newStyle");
    QTest::addColumn<qreal>("dpr");
    // Ring colours from the outside in: first colour (top, left), second colour (right, bottom).
    QTest::addColumn<QList<C>>("rings");

    for (const qreal dpr : {1.0, 1.5, 2.0}) {
        const QByteArray at = " " + QByteArray::number(dpr) + "x";
        QTest::newRow("new up" + at) << TB::bfsUp << false << true << dpr
                                     << QList<C>{C::Hl, C::Frame, C::Face, C::Shadow, C::Face, C::Face};
        QTest::newRow("new down" + at) << TB::bfsDown << false << true << dpr
                                       << QList<C>{C::Frame, C::Hl, C::Shadow, C::Face, C::Face, C::Face};
        QTest::newRow("new flat up" + at) << TB::bfsUp << true << true << dpr
                                          << QList<C>{C::Hl, C::Shadow, C::Face, C::Face};
        QTest::newRow("new flat down" + at) << TB::bfsDown << true << true << dpr
                                            << QList<C>{C::Frame, C::Hl, C::Face, C::Face};
        QTest::newRow("old up" + at) << TB::bfsUp << false << false << dpr
                                     << QList<C>{C::Frame, C::Frame, C::Hl, C::Shadow, C::Face, C::Face};
        QTest::newRow("old flat up" + at) << TB::bfsUp << true << false << dpr
                                          << QList<C>{C::Hl, C::Frame, C::Face, C::Face};
        QTest::newRow("old flat down" + at) << TB::bfsDown << true << false << dpr
                                            << QList<C>{C::Frame, C::Hl, C::Face, C::Face};
        QTest::newRow("flat resting, no bevel" + at) << TB::bfsInactive << true << true << dpr
                                                     << QList<C>{C::Face, C::Face, C::Face, C::Face};
    }
}

void TestTileButton::rings()
{
    QFETCH(TB::TButtonFaceState, face);
    QFETCH(bool, flat);
    QFETCH(bool, newStyle);
    QFETCH(qreal, dpr);
    QFETCH(QList<C>, rings);

    const TB::TButtonFaceState look = face;
    const QImage img = paintFace(face, look, flat, newStyle, dpr);
    QCOMPARE(img.size(), (QSizeF(35, 35) * dpr).toSize());
    for (int i = 0; i < rings.size() / 2; ++i) {
        const QColor first = colorOf(rings[2 * i]);
        const QColor second = colorOf(rings[2 * i + 1]);
        const int lo = i, hi = 34 - i;
        for (int t = lo; t <= hi; ++t) {
            QVERIFY2(logicalPixelIs(img, t, lo, t < hi ? first : second), qPrintable(QString("ring %1 top x=%2").arg(i).arg(t)));
            QVERIFY2(logicalPixelIs(img, lo, t, t < hi ? first : second), qPrintable(QString("ring %1 left y=%2").arg(i).arg(t)));
            QVERIFY2(logicalPixelIs(img, hi, t, second), qPrintable(QString("ring %1 right y=%2").arg(i).arg(t)));
            QVERIFY2(logicalPixelIs(img, t, hi, second), qPrintable(QString("ring %1 bottom x=%2").arg(i).arg(t)));
        }
    }
}

void TestTileButton::cornerOwnership_data()
{
    QTest::addColumn<TB::TButtonFaceState>("face");
    QTest::addColumn<bool>("newStyle");
    QTest::addColumn<QPoint>("pixel");
    QTest::addColumn<C>("color");

    QTest::newRow("new up, top-left takes the first colour") << TB::bfsUp << true << QPoint(0, 0) << C::Hl;
    QTest::newRow("new up, top-right takes the second") << TB::bfsUp << true << QPoint(34, 0) << C::Frame;
    QTest::newRow("new up, bottom-left takes the second") << TB::bfsUp << true << QPoint(0, 34) << C::Frame;
    QTest::newRow("new up, inner top-right") << TB::bfsUp << true << QPoint(33, 1) << C::Shadow;
    QTest::newRow("new up, inner bottom-left") << TB::bfsUp << true << QPoint(1, 33) << C::Shadow;
    QTest::newRow("new up, inner top-left") << TB::bfsUp << true << QPoint(1, 1) << C::Face;
    QTest::newRow("new down, top-right") << TB::bfsDown << true << QPoint(34, 0) << C::Hl;
    QTest::newRow("new down, inner bottom-left") << TB::bfsDown << true << QPoint(1, 33) << C::Face;
    QTest::newRow("new down, inner top-left") << TB::bfsDown << true << QPoint(1, 1) << C::Shadow;
    QTest::newRow("old down, shadow line reaches top-right") << TB::bfsDown << false << QPoint(33, 1) << C::Shadow;
    QTest::newRow("old down, shadow line reaches bottom-left") << TB::bfsDown << false << QPoint(1, 33) << C::Shadow;
    QTest::newRow("old down, no shadow on the right") << TB::bfsDown << false << QPoint(33, 2) << C::Face;
    QTest::newRow("old down, no shadow at the bottom") << TB::bfsDown << false << QPoint(2, 33) << C::Face;
    QTest::newRow("old down, outer ring") << TB::bfsDown << false << QPoint(0, 0) << C::Frame;
}

void TestTileButton::cornerOwnership()
{
    QFETCH(TB::TButtonFaceState, face);
    QFETCH(bool, newStyle);
    QFETCH(QPoint, pixel);
    QFETCH(C, color);
    for (const qreal dpr : {1.0, 1.5, 2.0}) {
        const QImage img = paintFace(face, face, false, newStyle, dpr);
        QVERIFY2(logicalPixelIs(img, pixel.x(), pixel.y(), colorOf(color)), qPrintable(QString("at %1x").arg(dpr)));
    }
}

void TestTileButton::ringsInWindow_data()
{
    QTest::addColumn<QPoint>("pos");
    // At 1.5 times the scale an odd position starts the button inside a device pixel.
    QTest::newRow("even position") << QPoint(10, 10);
    QTest::newRow("odd position") << QPoint(11, 13);
    QTest::newRow("odd x, even y") << QPoint(15, 20);
}

// The button as the window shows it: its rings where the window's own grid puts those logical
// pixels, whole and crisp, and the window untouched around it.
void TestTileButton::ringsInWindow()
{
    QFETCH(QPoint, pos);
    Host h;
    h.window.setAutoFillBackground(true);
    QPalette palette = h.window.palette();
    palette.setColor(QPalette::Window, Qt::white);
    h.window.setPalette(palette);
    h.tile->move(pos);
    QVERIFY(QTest::qWaitForWindowExposed(&h.window));
    const PixelProbe probe = PixelProbe::of(h.window);
    const QRect tile(pos, QSize(35, 35));
    const auto ring = [&](int inset, QColor first, QColor second) -> QString {
        const Ring r(tile.adjusted(inset, inset, -inset, -inset));
        for (const QString &fault : {probe.uniform(r.top, first.rgb()), probe.uniform(r.left, first.rgb()),
                                     probe.uniform(r.right, second.rgb()), probe.uniform(r.bottom, second.rgb())})
            if (!fault.isEmpty())
                return QString("ring %1: %2").arg(inset).arg(fault);
        return {};
    };
    QCOMPARE(ring(-1, Qt::white, Qt::white), QString());
    QCOMPARE(ring(0, colorOf(C::Hl), colorOf(C::Frame)), QString());
    QCOMPARE(ring(1, colorOf(C::Face), colorOf(C::Shadow)), QString());
    QCOMPARE(ring(2, colorOf(C::Face), colorOf(C::Face)), QString());
}

void TestTileButton::bufferOnTheWindowGrid_data()
{
    QTest::addColumn<qreal>("dpr");
    QTest::addColumn<QPoint>("pos");
    for (const qreal dpr : {1.0, 1.5, 2.0})
        for (const QPoint pos : {QPoint(10, 10), QPoint(11, 13), QPoint(3, 8)})
            QTest::addRow("%gx at %d,%d", dpr, pos.x(), pos.y()) << dpr << pos;
}

// A face drawn into a buffer laid on the window's device grid and copied to the window gives the
// very pixels of the face drawn on the window itself, wherever the button sits.
void TestTileButton::bufferOnTheWindowGrid()
{
    QFETCH(qreal, dpr);
    QFETCH(QPoint, pos);
    const QSize size(35, 35);
    TileLayoutInput in;
    in.caption = QStringLiteral("26\r\nFe");
    in.font = tileFont();
    in.contentSize = tileContentRect(size, false).size();
    TileLayout layout;
    layoutTile(in, layout);
    TilePens pens;
    pens.update(QColor(Qt::red));
    TilePaintState st;
    st.size = size;
    const auto window = [&] {
        QImage img((QSizeF(60, 60) * dpr).toSize(), QImage::Format_RGB32);
        img.setDevicePixelRatio(dpr);
        img.fill(Qt::white);
        return img;
    };

    QImage direct = window();
    {
        QPainter p(&direct);
        p.translate(pos);
        p.setClipRect(QRect(QPoint(0, 0), size));
        paintTile(p, st, layout, pens);
    }
    QImage buffered = window();
    {
        QPainter p(&buffered);
        p.translate(pos);
        p.setClipRect(QRect(QPoint(0, 0), size));
        const DeviceGrid grid(p, size, dpr);
        QImage buffer(grid.bufferSize(), QImage::Format_RGB32);
        buffer.setDevicePixelRatio(dpr);
        buffer.fill(Qt::black);
        QPainter canvas(&buffer);
        grid.align(canvas);
        paintTile(canvas, st, layout, pens);
        canvas.end();
        DeviceGrid::draw(p, buffer);
    }
    QCOMPARE(buffered, direct);
}

void TestTileButton::exclusiveChecker()
{
    for (const qreal dpr : {1.0, 1.5, 2.0}) {
        const QImage img = paintFace(TB::bfsExclusive, TB::bfsExclusive, false, true, dpr);
        // The checkered fill covers the rectangle inside the rings grown by one: 2..32.
        for (int x = 2; x <= 32; ++x) {
            const C expected = (x + 2) % 2 == 0 ? C::Hl : C::Face;
            QVERIFY2(logicalPixelIs(img, x, 2, colorOf(expected)), qPrintable(QString("x=%1 at %2x").arg(x).arg(dpr)));
            QVERIFY(logicalPixelIs(img, 2, x, colorOf(expected)));
        }
        QVERIFY(logicalPixelIs(img, 1, 1, colorOf(C::Shadow)));
        QVERIFY(logicalPixelIs(img, 33, 5, colorOf(C::Face)));
    }
}

void TestTileButton::contentShiftsWhilePressed()
{
    const QString caption = QStringLiteral("WWWWWWWW\r\nWWWWWWWW\r\nWWWWWWWW");
    for (const qreal dpr : {1.0, 1.5, 2.0}) {
        const QImage up = paintFace(TB::bfsUp, TB::bfsUp, false, true, dpr, caption);
        const QImage down = paintFace(TB::bfsDown, TB::bfsDown, false, true, dpr, caption);
        const PixelProbe probeUp(up), probeDown(down);
        const QRect inkUp = inkBox(up, QRect(0, 0, 35, 35), isTextInk);
        const QRect inkDown = inkBox(down, QRect(0, 0, 35, 35), isTextInk);
        const QString at = QString("%1x").arg(dpr);
        QVERIFY(!inkUp.isEmpty());
        // The shortened lines fill the 29-pixel content width and stay inside 3..31.
        QVERIFY2(probeUp.deviceRect(QRect(3, 3, 29, 29)).contains(inkUp), qPrintable(at));
        QVERIFY(inkUp.width() > 20 * dpr);
        QVERIFY2(probeDown.deviceRect(QRect(4, 4, 29, 29)).contains(inkDown), qPrintable(at));
        // One logical pixel right and down; at a fractional ratio the text lands on the nearest
        // device pixel, so each edge moves by the ratio give or take half a device pixel.
        const QRect moved(inkDown.topLeft() - inkUp.topLeft(), inkDown.bottomRight() - inkUp.bottomRight());
        for (const int delta : {moved.left(), moved.top(), moved.right(), moved.bottom()})
            QVERIFY2(qAbs(delta - dpr) <= 0.5, qPrintable(QString("moved by %1 device pixels at %2").arg(delta).arg(at)));
    }
    QCOMPARE(tileContentRect(QSize(35, 35), false), QRect(3, 3, 29, 29));
}

void TestTileButton::captionCentred_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("lines");
    QTest::newRow("98 CR LF Cf") << QStringLiteral("98\r\nCf") << 2;
    QTest::newRow("1 CR LF H") << QStringLiteral("1\r\nH") << 2;
    QTest::newRow("114 LF Uuq") << QStringLiteral("114\nUuq") << 2;
    QTest::newRow("single line") << QStringLiteral("26") << 1;
    QTest::newRow("trailing break is cut") << QStringLiteral("8\r\nO\r\n") << 2;
}

void TestTileButton::captionCentred()
{
    QFETCH(QString, caption);
    QFETCH(int, lines);
    Host h;
    h.tile->setCaption(caption);
    h.tile->renderFace();
    const QImage img = h.tile->buffer();
    const qreal d = img.devicePixelRatio();
    const QRect all = inkBox(img, QRect(3, 3, 29, 29), isTextInk);
    QVERIFY(!all.isEmpty());
    // Split the ink into bands of rows separated by blank rows: one band per line.
    QList<QRect> bands;
    for (int y = all.top(); y <= all.bottom(); ++y) {
        QRect row;
        for (int x = all.left(); x <= all.right(); ++x)
            if (isTextInk(img.pixelColor(x, y)))
                row |= QRect(x, y, 1, 1);
        if (row.isEmpty())
            continue;
        if (!bands.isEmpty() && bands.last().bottom() == y - 1)
            bands.last() |= row;
        else
            bands.append(row);
    }
    QCOMPARE(bands.size(), lines);
    const double centre = 17.5 * d;
    for (const QRect &band : bands)
        QVERIFY2(qAbs((band.left() + band.right() + 1) / 2.0 - centre) <= 1.5 * d,
                 qPrintable(QString("line at x %1..%2").arg(band.left()).arg(band.right())));
    // The block is centred vertically: equal room above and below, within a line's ascent/descent slack.
    const QFontMetrics fm(tileFont());
    const int blockTop = 3 + (29 / 2 - (lines * fm.height()) / 2);
    QVERIFY(all.top() >= std::floor(blockTop * d));
    // Above 1x the glyphs are hinted for the device size and may reach one logical pixel lower.
    QVERIFY(all.bottom() < std::ceil((blockTop + lines * fm.height() + (d > 1 ? 1 : 0)) * d));
    QVERIFY(qAbs((all.top() + all.bottom() + 1) / 2.0 - centre) <= 3.0 * d);
}

void TestTileButton::shortening_data()
{
    const QFont f = tileFont();
    const QFontMetrics fm(f);
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("changed");
    QTest::newRow("fits unchanged") << QStringLiteral("Fe") << 29 << false;
    QTest::newRow("exactly the width") << QStringLiteral("Cf") << fm.horizontalAdvance(QStringLiteral("Cf")) << false;
    QTest::newRow("one pixel short") << QStringLiteral("Cf") << fm.horizontalAdvance(QStringLiteral("Cf")) - 1 << true;
    QTest::newRow("long word") << QStringLiteral("Ununquadium") << 29 << true;
    QTest::newRow("turkish text") << QString::fromUtf8("Geçiş Elementleri") << 29 << true;
    QTest::newRow("nothing fits") << QStringLiteral("Mendelevyum") << 1 << true;
    QTest::newRow("single wide character") << QStringLiteral("W") << 2 << true;
    QTest::newRow("accelerator takes no room") << QStringLiteral("&Fe") << fm.horizontalAdvance(QStringLiteral("Fe")) << false;
}

void TestTileButton::shortening()
{
    QFETCH(QString, line);
    QFETCH(int, width);
    QFETCH(bool, changed);
    const QFont f = tileFont();
    const QFontMetrics fm(f);
    const QString out = shortenTileLine(line, f, width);
    if (!changed) {
        QCOMPARE(out, line);
        return;
    }
    QVERIFY(out.endsWith(QStringLiteral("...")));
    const QString kept = out.chopped(3);
    QVERIFY(line.startsWith(kept));
    if (kept.isEmpty())
        return; // "..." is the last candidate whether or not it fits
    QVERIFY(kept.size() <= line.size() - 2);
    QVERIFY(fm.horizontalAdvance(out) <= width);
    // It is the longest candidate that fits.
    if (kept.size() + 1 <= line.size() - 2)
        QVERIFY(fm.horizontalAdvance(line.left(kept.size() + 1) + QStringLiteral("...")) > width);
}

void TestTileButton::longCaptionLineShortenedInTile()
{
    Host h;
    h.tile->setCaption(QStringLiteral("110\r\nDarmstadtium"));
    h.tile->renderFace();
    const QStringList lines = h.tile->fittedCaption().split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines[0], QStringLiteral("110"));
    QVERIFY(lines[1].endsWith(QStringLiteral("...")));
    QVERIFY(QStringLiteral("Darmstadtium").startsWith(lines[1].chopped(3)));
    QVERIFY(!lines[1].chopped(3).isEmpty());
    QVERIFY(QFontMetrics(tileFont()).horizontalAdvance(lines[1]) <= 29);
}

void TestTileButton::disabledEmboss()
{
    Host h;
    QFont crisp = tileFont();
    crisp.setStyleStrategy(QFont::NoAntialias); // whole pixels make the two copies comparable
    h.tile->setTileFont(crisp);
    h.tile->setCaption(QStringLiteral("88\r\nRa"));
    const QColor face = colorOf(C::Face);
    const QRect content(3, 3, 29, 29);
    h.tile->renderFace();
    const QRect enabledInk = inkBox(h.tile->buffer(), content, [&](const QColor &c) { return c.rgb() != face.rgb(); });
    QVERIFY(!enabledInk.isEmpty());

    h.tile->setEnabled(false);
    h.tile->renderFace();
    QCOMPARE(h.tile->faceState(), TB::bfsDisabled);
    const QImage img = h.tile->buffer();
    const qreal d = img.devicePixelRatio();
    QVERIFY(inkBox(img, content, isTextInk).isEmpty()); // the font colour is not used
    const QRect dark = inkBox(img, content, [&](const QColor &c) { return c.rgb() == colorOf(C::Shadow).rgb(); });
    const QRect light = inkBox(img, content, [&](const QColor &c) { return c.rgb() == colorOf(C::Hl).rgb(); });
    // The shadow copy sits where the enabled text was, the highlight copy one pixel right and
    // below: at a fractional ratio that is the ratio's device pixels give or take half of one.
    QCOMPARE(dark.topLeft(), enabledInk.topLeft());
    QCOMPARE(dark.bottomRight(), enabledInk.bottomRight());
    QVERIFY2(qAbs(light.right() - enabledInk.right() - d) <= 0.5, qPrintable(QString::number(light.right() - enabledInk.right())));
    QVERIFY2(qAbs(light.bottom() - enabledInk.bottom() - d) <= 0.5, qPrintable(QString::number(light.bottom() - enabledInk.bottom())));
    QVERIFY(light.left() > enabledInk.left());

    h.tile->setEnabled(true);
    h.tile->renderFace();
    QCOMPARE(h.tile->faceState(), TB::bfsUp);
    QCOMPARE(inkBox(h.tile->buffer(), content, [&](const QColor &c) { return c.rgb() != face.rgb(); }), enabledInk);
}

void TestTileButton::glyphLayout_data()
{
    QTest::addColumn<TB::TButtonLayout>("layout");
    QTest::addColumn<int>("margin");
    QTest::addColumn<int>("spacing");
    QTest::addColumn<bool>("withText");
    QTest::addColumn<QPoint>("glyphPos");
    QTest::addColumn<QString>("textRule");

    // Content 29 x 29, glyph 10 x 8; text "Ab" in the test font.
    QTest::newRow("top, glyph only") << TB::blGlyphTop << -1 << 1 << false << QPoint(9, 10) << "";
    QTest::newRow("bottom, glyph only") << TB::blGlyphBottom << -1 << 1 << false << QPoint(9, 11) << "";
    QTest::newRow("left, glyph only") << TB::blGlyphLeft << -1 << 1 << false << QPoint(9, 10) << "";
    QTest::newRow("right, glyph only") << TB::blGlyphRight << -1 << 1 << false << QPoint(10, 10) << "";
    QTest::newRow("top, margin 2") << TB::blGlyphTop << 2 << 1 << true << QPoint(9, 2) << "top-spacing";
    QTest::newRow("top, automatic margin and spacing") << TB::blGlyphTop << -1 << -1 << true << QPoint(9, -1) << "top-thirds";
    QTest::newRow("top, margin 2, automatic spacing") << TB::blGlyphTop << 2 << -1 << true << QPoint(9, 2) << "top-auto-spacing";
    QTest::newRow("left, margin 1, spacing 2") << TB::blGlyphLeft << 1 << 2 << true << QPoint(1, 10) << "left-spacing";
}

void TestTileButton::glyphLayout()
{
    QFETCH(TB::TButtonLayout, layout);
    QFETCH(int, margin);
    QFETCH(int, spacing);
    QFETCH(bool, withText);
    QFETCH(QPoint, glyphPos);
    QFETCH(QString, textRule);

    QFont f = tk::makeFont(u"MS Sans Serif", 11);
    const QFontMetrics fm(f);
    TileLayoutInput in;
    in.caption = withText ? QStringLiteral("Ab") : QString();
    in.font = f;
    in.contentSize = QSize(29, 29);
    in.glyphSize = QSize(10, 8);
    in.layout = layout;
    in.margin = margin;
    in.spacing = spacing;
    TileLayout out;
    layoutTile(in, out);

    const int tw = withText ? fm.horizontalAdvance(QStringLiteral("Ab")) : 0;
    const int th = withText ? fm.height() : 0;
    if (textRule == "top-thirds") {
        const int m = (29 - 8 - th) / 3;
        QCOMPARE(out.glyphPos, QPoint(9, m));
        QCOMPARE(out.textRect.topLeft(), QPoint(14 - tw / 2, m + 8 + m));
        return;
    }
    QCOMPARE(out.glyphPos, glyphPos);
    if (textRule == "top-spacing")
        QCOMPARE(out.textRect, QRect(14 - tw / 2, 2 + 8 + 1, tw, th));
    else if (textRule == "top-auto-spacing")
        QCOMPARE(out.textRect.top(), 2 + 8 + ((29 - 2 - 8) / 2 - th / 2));
    else if (textRule == "left-spacing")
        QCOMPARE(out.textRect, QRect(1 + 10 + 2, 14 - th / 2, tw, th));
    else
        QVERIFY(out.textRect.isEmpty());
}

void TestTileButton::glyphPainted()
{
    Host h;
    h.tile->setCaption(QString());
    QImage glyph(10, 8, QImage::Format_RGB32);
    glyph.fill(Qt::blue);
    glyph.setPixel(0, 0, tk::clFuchsia.rgb()); // the transparent colour
    h.tile->setGlyph(glyph);
    // Content 29 x 29 at (3, 3); the glyph alone is centred: (3 + 9, 3 + 10), one further while pressed.
    for (const bool pressed : {false, true}) {
        if (pressed)
            send(*h.tile, QEvent::MouseButtonPress, Qt::LeftButton, QPoint(3, 3));
        h.tile->renderFace();
        const QImage &img = h.tile->buffer();
        const QPoint at = QPoint(12, 13) + (pressed ? QPoint(1, 1) : QPoint());
        QVERIFY(logicalPixelIs(img, at.x(), at.y(), colorOf(C::Face)));
        QVERIFY(logicalPixelIs(img, at.x() + 1, at.y(), QColor(Qt::blue)));
        QVERIFY(logicalPixelIs(img, at.x() + 9, at.y() + 7, QColor(Qt::blue)));
        QVERIFY(logicalPixelIs(img, at.x() + 10, at.y() + 7, colorOf(C::Face)));
        QVERIFY(logicalPixelIs(img, at.x() + 9, at.y() + 8, colorOf(C::Face)));
    }
}

void TestTileButton::autoRepeat()
{
    Host h;
    h.tile->setAllowTimer(true);
    h.tile->setInitPause(40);
    h.tile->setRepeatInterval(10);
    QSignalSpy clicks(h.tile, &TTileButton::OnClick);
    send(*h.tile, QEvent::MouseButtonPress, Qt::LeftButton, QPoint(5, 5));
    QTRY_VERIFY(clicks.size() >= 3);
    // Held outside: the ticks click no more.
    send(*h.tile, QEvent::MouseMove, Qt::LeftButton, QPoint(60, 5));
    const qsizetype outside = clicks.size();
    QVERIFY(!clicks.wait(60));
    send(*h.tile, QEvent::MouseMove, Qt::LeftButton, QPoint(5, 5));
    QTRY_VERIFY(clicks.size() > outside);
    send(*h.tile, QEvent::MouseButtonRelease, Qt::LeftButton, QPoint(5, 5));
    QVERIFY(!clicks.wait(60));
}

void TestTileButton::dropDownMenu()
{
    Host h;
    QVERIFY(QTest::qWaitForWindowExposed(&h.window));
    QMenu menu;
    menu.addAction(QStringLiteral("one"));
    h.tile->setDropDownMenu(&menu);
    QSignalSpy clicks(h.tile, &TTileButton::OnClick);
    bool shownWhilePressed = false;
    QTimer::singleShot(0, &menu, [&] {
        QTRY_VERIFY(menu.isVisible());
        shownWhilePressed = h.tile->faceState() == TB::bfsDown;
        menu.close();
    });
    send(*h.tile, QEvent::MouseButtonPress, Qt::LeftButton, QPoint(5, 5));
    QVERIFY(shownWhilePressed);
    QCOMPARE(h.tile->faceState(), TB::bfsUp);
    QVERIFY(!h.tile->pressTracking());
    send(*h.tile, QEvent::MouseButtonRelease, Qt::LeftButton, QPoint(5, 5));
    QCOMPARE(clicks.size(), 0);
}

void TestTileButton::mouse_data()
{
    // Script: P press, R release, M move (left held), r/q right press/release, D double click;
    // each step with a point. Faces after each step: U up, D down.
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("faces");
    QTest::addColumn<int>("clicks");

    QTest::newRow("press and release inside") << "P10,10 R10,10" << "DU" << 1;
    QTest::newRow("drag out raises, release outside no click") << "P10,10 M40,10 R40,10" << "DUU" << 0;
    QTest::newRow("back inside before release, one click") << "P10,10 M40,10 M10,10 R10,10" << "DUDU" << 1;
    QTest::newRow("the row y = height is inside") << "P10,10 M10,35 R10,35" << "DDU" << 1;
    QTest::newRow("the row y = height + 1 is outside") << "P10,10 M10,36 R10,36" << "DUU" << 0;
    QTest::newRow("the column x = width is outside") << "P10,10 M35,10 R35,10" << "DUU" << 0;
    QTest::newRow("the column x = width - 1 is inside") << "P10,10 M34,10 R34,10" << "DDU" << 1;
    QTest::newRow("x = -1 is outside") << "P10,10 M-1,10 R-1,10" << "DUU" << 0;
    QTest::newRow("right press and release") << "r10,10 q10,10" << "UU" << 0;
    QTest::newRow("release without press") << "R10,10" << "U" << 0;
    QTest::newRow("two clicks") << "P5,5 R5,5 P6,6 R6,6" << "DUDU" << 2;
    QTest::newRow("double click clicks once more") << "P5,5 R5,5 P5,5 D5,5 R5,5" << "DUDDU" << 2;
}

void TestTileButton::mouse()
{
    QFETCH(QString, script);
    QFETCH(QString, faces);
    QFETCH(int, clicks);
    Host h;
    QVERIFY(QTest::qWaitForWindowExposed(&h.window));
    QSignalSpy clickSpy(h.tile, &TTileButton::OnClick);
    QSignalSpy dblSpy(h.tile, &TTileButton::OnDblClick);
    const QStringList steps = script.split(u' ');
    QCOMPARE(steps.size(), faces.size());
    for (int i = 0; i < steps.size(); ++i) {
        const QChar op = steps[i][0];
        const QStringList xy = steps[i].mid(1).split(u',');
        const QPoint pos(xy[0].toInt(), xy[1].toInt());
        if (op == u'P')
            send(*h.tile, QEvent::MouseButtonPress, Qt::LeftButton, pos);
        else if (op == u'R')
            send(*h.tile, QEvent::MouseButtonRelease, Qt::LeftButton, pos);
        else if (op == u'M')
            send(*h.tile, QEvent::MouseMove, Qt::LeftButton, pos);
        else if (op == u'D')
            send(*h.tile, QEvent::MouseButtonDblClick, Qt::LeftButton, pos);
        else if (op == u'r')
            send(*h.tile, QEvent::MouseButtonPress, Qt::RightButton, pos);
        else if (op == u'q')
            send(*h.tile, QEvent::MouseButtonRelease, Qt::RightButton, pos);
        const TB::TButtonFaceState expected = faces[i] == u'D' ? TB::bfsDown : TB::bfsUp;
        QVERIFY2(h.tile->faceState() == expected, qPrintable(QString("after step %1 (%2)").arg(i).arg(steps[i])));
        // The painted face follows the state: the outer ring's top-left is the highlight only when up.
        h.tile->renderFace();
        QCOMPARE(logicalPixelIs(h.tile->buffer(), 0, 0, colorOf(C::Hl)), expected == TB::bfsUp);
    }
    QCOMPARE(clickSpy.size(), clicks);
    QCOMPARE(dblSpy.size(), 0); // only a button held Down in a group reports double clicks
    if (clicks > 0)
        QCOMPARE(clickSpy.first().first().value<TTileButton *>(), h.tile);
    QVERIFY(!h.tile->pressTracking());
}

void TestTileButton::queuedSecondPressDiscarded()
{
    Host h;
    QSignalSpy downSpy(h.tile, &TTileButton::OnMouseDown);
    QSignalSpy clickSpy(h.tile, &TTileButton::OnClick);
    // A second press already queued behind the first one is dropped.
    QCoreApplication::postEvent(h.tile, new QMouseEvent(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5),
                                                        Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::postEvent(h.tile, new QMouseEvent(QEvent::MouseButtonPress, QPointF(6, 6), QPointF(6, 6),
                                                        Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::sendPostedEvents(h.tile);
    QCOMPARE(downSpy.size(), 1);
    send(*h.tile, QEvent::MouseButtonRelease, Qt::LeftButton, QPoint(5, 5));
    QCOMPARE(clickSpy.size(), 1);
    // Once the loop has run, a new press counts again.
    QTRY_VERIFY_WITH_TIMEOUT((send(*h.tile, QEvent::MouseButtonPress, Qt::LeftButton, QPoint(5, 5)), downSpy.size() >= 2), 2000);
    send(*h.tile, QEvent::MouseButtonRelease, Qt::LeftButton, QPoint(5, 5));
    QCOMPARE(clickSpy.size(), 2);
}

void TestTileButton::clickHandlerMayDestroyTheTile()
{
    QWidget window;
    QPointer<TTileButton> tile = new TTileButton(&window);
    tile->setModalResult(3);
    QObject::connect(tile, &TTileButton::OnClick, &window, [](TTileButton *sender) { delete sender; });
    send(*tile, QEvent::MouseButtonPress, Qt::LeftButton, QPoint(3, 3));
    send(*tile, QEvent::MouseButtonRelease, Qt::LeftButton, QPoint(3, 3));
    QVERIFY(tile.isNull());
}

void TestTileButton::hoverNeedsForeground()
{
    Host h;
    QVERIFY(QTest::qWaitForWindowExposed(&h.window));
    QSignalSpy enterSpy(h.tile, &TTileButton::OnMouseEnter);
    // The program in the background: a window that is none of its widgets' has the focus, as
    // another program's would.
    QWindow other;
    other.setGeometry(400, 400, 50, 50);
    other.show();
    other.requestActivate();
    QTRY_VERIFY(QGuiApplication::focusWindow() == &other);
    QTRY_VERIFY(QApplication::activeWindow() == nullptr);
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(h.tile->mapToGlobal(QPoint(5, 5))));
    QCoreApplication::sendEvent(h.tile, &enter);
    QVERIFY(!h.tile->mouseInside());
    QCOMPARE(enterSpy.size(), 0);

    h.tile->renderFace();
    const QImage before = h.tile->buffer().copy();
    h.window.activateWindow();
    QTRY_VERIFY(QApplication::activeWindow() == &h.window);
    QCoreApplication::sendEvent(h.tile, &enter);
    QVERIFY(h.tile->mouseInside());
    QCOMPARE(enterSpy.size(), 1);
    // A raised tile looks the same under the pointer.
    h.tile->renderFace();
    QCOMPARE(h.tile->buffer(), before);

    QSignalSpy leaveSpy(h.tile, &TTileButton::OnMouseLeave);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(h.tile, &leave);
    QVERIFY(!h.tile->mouseInside());
    QCOMPARE(leaveSpy.size(), 1);

    // A flat button shows its bevel only while the pointer is over it.
    h.tile->setFlat(true);
    h.tile->renderFace();
    QVERIFY(logicalPixelIs(h.tile->buffer(), 0, 0, colorOf(C::Face)));
    QCoreApplication::sendEvent(h.tile, &enter);
    h.tile->renderFace();
    QVERIFY(logicalPixelIs(h.tile->buffer(), 0, 0, colorOf(C::Hl)));
    QVERIFY(logicalPixelIs(h.tile->buffer(), 34, 0, colorOf(C::Shadow)));
}

void TestTileButton::setterRepaintsOnlyOnChange_data()
{
    QTest::addColumn<Setter>("same");
    QTest::addColumn<Setter>("changed");
    QTest::newRow("Caption") << Setter([](TB &b) { b.setCaption(QStringLiteral("26\r\nFe")); })
                             << Setter([](TB &b) { b.setCaption(QStringLiteral("27\r\nCo")); });
    QTest::newRow("Font colour") << Setter([](TB &b) { b.setFontColor(tk::clRed); })
                                 << Setter([](TB &b) { b.setFontColor(tk::clBlue); });
    QTest::newRow("Font") << Setter([](TB &b) { b.setTileFont(tileFont()); })
                          << Setter([](TB &b) { b.setTileFont(tk::makeFont(u"MS Sans Serif", 13)); });
    QTest::newRow("Flat") << Setter([](TB &b) { b.setFlat(false); }) << Setter([](TB &b) { b.setFlat(true); });
    QTest::newRow("Alignment") << Setter([](TB &b) { b.setAlignment(tk::TAlignment::taCenter); })
                               << Setter([](TB &b) { b.setAlignment(tk::TAlignment::taLeftJustify); });
    QTest::newRow("Layout") << Setter([](TB &b) { b.setLayout(TB::blGlyphTop); })
                            << Setter([](TB &b) { b.setLayout(TB::blGlyphLeft); });
    QTest::newRow("Margin") << Setter([](TB &b) { b.setMargin(-1); }) << Setter([](TB &b) { b.setMargin(3); });
    QTest::newRow("Spacing") << Setter([](TB &b) { b.setSpacing(1); }) << Setter([](TB &b) { b.setSpacing(4); });
    QTest::newRow("Style") << Setter([](TB &b) { b.setStyle(TB::bsAutoDetect); })
                           << Setter([](TB &b) { b.setStyle(TB::bsWin31); });
    QTest::newRow("WordWrap") << Setter([](TB &b) { b.setWordWrap(false); }) << Setter([](TB &b) { b.setWordWrap(true); });
    QTest::newRow("NumGlyphs") << Setter([](TB &b) { b.setNumGlyphs(1); }) << Setter([](TB &b) { b.setNumGlyphs(2); });
    QTest::newRow("GrayedInactive") << Setter([](TB &b) { b.setGrayedInactive(true); })
                                    << Setter([](TB &b) { b.setGrayedInactive(false); });
    QTest::newRow("Transparent") << Setter([](TB &b) { b.setTransparent(false); })
                                 << Setter([](TB &b) { b.setTransparent(true); });
    QTest::newRow("Glyph") << Setter([](TB &b) { b.setGlyph(QImage()); })
                           << Setter([](TB &b) { QImage g(8, 8, QImage::Format_RGB32); g.fill(Qt::red); b.setGlyph(g); });
    QTest::newRow("Enabled") << Setter([](TB &b) { b.setEnabled(true); }) << Setter([](TB &b) { b.setEnabled(false); });
}

void TestTileButton::setterRepaintsOnlyOnChange()
{
    QFETCH(Setter, same);
    QFETCH(Setter, changed);
    Host h;
    QVERIFY(QTest::qWaitForWindowExposed(&h.window));
    QTRY_VERIFY(h.tile->paintCount() > 0);
    QTest::qWait(20);
    const int settled = h.tile->paintCount();
    same(*h.tile);
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    QCOMPARE(h.tile->paintCount(), settled);
    changed(*h.tile);
    QTRY_VERIFY(h.tile->paintCount() > settled);
}

void TestTileButton::normalisedValues_data()
{
    QTest::addColumn<Setter>("set");
    QTest::addColumn<QString>("property");
    QTest::addColumn<int>("expected");
    QTest::newRow("NumGlyphs above 5 is 5") << Setter([](TB &b) { b.setNumGlyphs(9); }) << "numGlyphs" << 5;
    QTest::newRow("NumGlyphs 5 kept") << Setter([](TB &b) { b.setNumGlyphs(5); }) << "numGlyphs" << 5;
    QTest::newRow("NumGlyphs below 1 is 1") << Setter([](TB &b) { b.setNumGlyphs(0); }) << "numGlyphs" << 1;
    QTest::newRow("Margin -2 ignored") << Setter([](TB &b) { b.setMargin(4); b.setMargin(-2); }) << "margin" << 4;
    QTest::newRow("Margin -1 accepted") << Setter([](TB &b) { b.setMargin(4); b.setMargin(-1); }) << "margin" << -1;
    QTest::newRow("Down refused outside a group") << Setter([](TB &b) { b.setDown(true); }) << "down" << 0;
    QTest::newRow("Down accepted in a group") << Setter([](TB &b) { b.setGroupIndex(1); b.setDown(true); }) << "down" << 1;
    QTest::newRow("release refused without AllowAllUp")
        << Setter([](TB &b) { b.setGroupIndex(1); b.setDown(true); b.setDown(false); }) << "down" << 1;
    QTest::newRow("release allowed with AllowAllUp")
        << Setter([](TB &b) { b.setGroupIndex(1); b.setAllowAllUp(true); b.setDown(true); b.setDown(false); }) << "down" << 0;
}

void TestTileButton::normalisedValues()
{
    QFETCH(Setter, set);
    QFETCH(QString, property);
    QFETCH(int, expected);
    TTileButton b;
    set(b);
    const int actual = property == "numGlyphs" ? b.numGlyphs() : property == "margin" ? b.margin() : int(b.down());
    QCOMPARE(actual, expected);
}

void TestTileButton::groups()
{
    QWidget parent;
    auto *a = new TTileButton(&parent);
    auto *b = new TTileButton(&parent);
    auto *other = new TTileButton(&parent);
    a->setGroupIndex(1);
    b->setGroupIndex(1);
    other->setGroupIndex(2);
    other->setDown(true);
    auto clickOn = [](TTileButton *t) {
        send(*t, QEvent::MouseButtonPress, Qt::LeftButton, QPoint(3, 3));
        send(*t, QEvent::MouseButtonRelease, Qt::LeftButton, QPoint(3, 3));
    };
    clickOn(a);
    QVERIFY(a->down());
    QCOMPARE(a->faceState(), TB::bfsExclusive);
    clickOn(b);
    QVERIFY(b->down());
    QVERIFY(!a->down());
    QCOMPARE(a->faceState(), TB::bfsUp);
    QVERIFY(other->down()); // another group is not touched
    clickOn(b);
    QVERIFY(b->down()); // AllowAllUp off: the last one stays down
    b->setAllowAllUp(true);
    QVERIFY(a->allowAllUp()); // the group shares the setting
    clickOn(b);
    QVERIFY(!b->down());
    // A press released outside leaves a down button latched.
    clickOn(a);
    send(*a, QEvent::MouseButtonPress, Qt::LeftButton, QPoint(3, 3));
    QCOMPARE(a->faceState(), TB::bfsExclusive);
    send(*a, QEvent::MouseButtonRelease, Qt::LeftButton, QPoint(90, 3));
    QVERIFY(a->down());
    QCOMPARE(a->faceState(), TB::bfsExclusive);
    QSignalSpy dbl(a, &TTileButton::OnDblClick);
    send(*a, QEvent::MouseButtonDblClick, Qt::LeftButton, QPoint(3, 3));
    QCOMPARE(dbl.size(), 1);
}

void TestTileButton::modalResult_data()
{
    QTest::addColumn<int>("result");
    QTest::addColumn<bool>("staysOpen");
    QTest::newRow("0 leaves the window alone") << 0 << true;
    QTest::newRow("1 closes a modal window") << 1 << false;
    QTest::newRow("7 closes a modal window") << 7 << false;
}

void TestTileButton::modalResult()
{
    QFETCH(int, result);
    QFETCH(bool, staysOpen);
    QDialog dialog;
    auto *tile = new TTileButton(&dialog);
    tile->setModalResult(result);
    QSignalSpy clicks(tile, &TTileButton::OnClick);
    QSignalSpy finished(&dialog, &QDialog::finished);
    dialog.open();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    tile->click();
    QCOMPARE(clicks.size(), 1);
    QCOMPARE(dialog.isVisible(), staysOpen);
    if (!staysOpen) {
        QCOMPARE(finished.size(), 1);
        QCOMPARE(finished.first().first().toInt(), result);
    }
}

void TestTileButton::accessible()
{
    Host h;
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(h.tile);
    QVERIFY(iface);
    QCOMPARE(iface->role(), QAccessible::Button);
    QCOMPARE(iface->text(QAccessible::Name), QString::fromUtf8("Demir"));
    QCOMPARE(iface->text(QAccessible::Description), QStringLiteral("26 Fe"));
    QAccessibleActionInterface *actions = iface->actionInterface();
    QVERIFY(actions);
    QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    QSignalSpy clicks(h.tile, &TTileButton::OnClick);
    actions->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(clicks.size(), 1);
    h.tile->setEnabled(false);
    QVERIFY(actions->actionNames().isEmpty());
}

void TestTileButton::acceleratorClicks_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("clicks");
    QTest::newRow("marked letter") << QStringLiteral("&Ab\r\nCd") << true << 1;
    QTest::newRow("another letter is marked") << QStringLiteral("Ab\r\n&Cd") << true << 0;
    QTest::newRow("disabled button") << QStringLiteral("&Ab") << false << 0;
    QTest::newRow("doubled marker is a plain &") << QStringLiteral("&&Ab") << true << 0;
}

void TestTileButton::acceleratorClicks()
{
    QFETCH(QString, caption);
    QFETCH(bool, enabled);
    QFETCH(int, clicks);
    Host h;
    h.tile->setCaption(caption);
    h.tile->setEnabled(enabled);
    h.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&h.window));
    QSignalSpy spy(h.tile, &TTileButton::OnClick);
    QTest::keyClick(&h.window, Qt::Key_A, Qt::AltModifier);
    QCOMPARE(spy.size(), clicks);
}

void TestTileButton::toolTipRule_data()
{
    QTest::addColumn<bool>("showHint");
    QTest::addColumn<bool>("parentShowHint");
    QTest::addColumn<bool>("parentSays");
    QTest::addColumn<bool>("shown");
    QTest::newRow("defaults show the hint") << true << false << false << true;
    QTest::newRow("ShowHint off") << false << false << true << false;
    QTest::newRow("parent decides: off") << true << true << false << false;
    QTest::newRow("parent decides: on") << false << true << true << true;
}

void TestTileButton::toolTipRule()
{
    QFETCH(bool, showHint);
    QFETCH(bool, parentShowHint);
    QFETCH(bool, parentSays);
    QFETCH(bool, shown);
    Host h;
    tk::THint::setShowHint(&h.window, parentSays);
    h.tile->setShowHint(showHint);
    h.tile->setParentShowHint(parentShowHint);
    QCOMPARE(h.tile->hintShown(), shown);
    QVERIFY(QTest::qWaitForWindowExposed(&h.window));
    QToolTip::hideText();
    QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), h.tile->mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(h.tile, &help);
    QCOMPARE(QToolTip::isVisible(), shown);
    QCOMPARE(QToolTip::text(), shown ? QString::fromUtf8("Demir") : QString());
    QToolTip::hideText();
}

void TestTileButton::bufferReused()
{
    Host h;
    h.tile->renderFace();
    const uchar *bits = h.tile->buffer().constBits();
    const qint64 key = h.tile->buffer().cacheKey();
    for (int i = 0; i < 10; ++i) {
        send(*h.tile, i % 2 ? QEvent::MouseButtonRelease : QEvent::MouseButtonPress, Qt::LeftButton, QPoint(4, 4));
        h.tile->renderFace();
    }
    QCOMPARE(h.tile->buffer().constBits(), bits);
    QCOMPARE(h.tile->buffer().cacheKey(), key);
    const qreal dpr = h.tile->devicePixelRatioF();
    QCOMPARE(h.tile->buffer().size(), (QSizeF(35, 35) * dpr).toSize());
    QCOMPARE(h.tile->buffer().devicePixelRatio(), dpr);
    // Only a new size replaces the bitmap.
    h.tile->resize(40, 40);
    h.tile->renderFace();
    QCOMPARE(h.tile->buffer().size(), (QSizeF(40, 40) * dpr).toSize());
}

PC_TEST_MAIN(TestTileButton)
#include "tst_ttilebutton.moc"

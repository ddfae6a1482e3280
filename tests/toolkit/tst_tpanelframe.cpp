#include "tests/support/testmain.h"
#include "tests/support/pixelprobe.h"
#include "toolkit/tpanelframe.h"

#include <QImage>
#include <QPainter>

using tk::TBevelCut;
using tk::TPanelFrame;

namespace {

constexpr QRgb S = 0xFF808080; // shadow
constexpr QRgb H = 0xFFFFFFFF; // highlight
constexpr QRgb C = 0xFF0000FF; // the panel's colour, of the border
constexpr QRgb B = 0xFF00FF00; // what lay there before

using Pixels = QList<QList<quint32>>;

} // namespace

class TestTPanelFrame : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void frames_data();
    void frames();
};

void TestTPanelFrame::frames_data()
{
    QTest::addColumn<int>("outer");
    QTest::addColumn<int>("inner");
    QTest::addColumn<int>("bevelWidth");
    QTest::addColumn<int>("borderWidth");
    QTest::addColumn<int>("width");
    QTest::addColumn<QRect>("inside"); // a null rectangle: nothing is left inside
    QTest::addColumn<Pixels>("pixels");

    const int none = int(TBevelCut::bvNone);
    const int lowered = int(TBevelCut::bvLowered);
    const int raised = int(TBevelCut::bvRaised);
    const int space = int(TBevelCut::bvSpace);
    QTest::newRow("no bevels, no border") << none << none << 1 << 0 << 0 << QRect(0, 0, 3, 2)
                                          << Pixels{{B, B, B}, {B, B, B}};
    // The ring rule: top-right and bottom-left corners belong to the second colour.
    QTest::newRow("lowered outer bevel") << lowered << none << 1 << 0 << 1 << QRect(1, 1, 2, 1)
                                         << Pixels{{S, S, S, H}, {S, B, B, H}, {H, H, H, H}};
    QTest::newRow("raised outer, border, lowered inner")
        << raised << lowered << 1 << 1 << 3 << QRect(3, 3, 1, 1)
        << Pixels{{H, H, H, H, H, H, S}, {H, C, C, C, C, C, S}, {H, C, S, S, H, C, S}, {H, C, S, B, H, C, S},
                  {H, C, H, H, H, C, S}, {H, C, C, C, C, C, S}, {S, S, S, S, S, S, S}};
    QTest::newRow("two-pixel lowered bevel") << lowered << none << 2 << 0 << 2 << QRect(2, 2, 1, 1)
                                             << Pixels{{S, S, S, S, H}, {S, S, S, H, H}, {S, S, B, H, H},
                                                       {S, H, H, H, H}, {H, H, H, H, H}};
    QTest::newRow("a spacing bevel takes room, draws nothing") << space << none << 1 << 0 << 1 << QRect(1, 1, 1, 1)
                                                               << Pixels{{B, B, B}, {B, B, B}, {B, B, B}};
    QTest::newRow("border only") << none << none << 1 << 1 << 1 << QRect(1, 1, 2, 1)
                                 << Pixels{{C, C, C, C}, {C, B, B, C}, {C, C, C, C}};
    QTest::newRow("too small for its frame") << lowered << raised << 1 << 2 << 4 << QRect()
                                             << Pixels{{S, H}, {H, H}};
}

void TestTPanelFrame::frames()
{
    QFETCH(int, outer);
    QFETCH(int, inner);
    QFETCH(int, bevelWidth);
    QFETCH(int, borderWidth);
    QFETCH(int, width);
    QFETCH(QRect, inside);
    QFETCH(Pixels, pixels);
    const TPanelFrame frame{TBevelCut(outer), TBevelCut(inner), bevelWidth, borderWidth};
    QCOMPARE(frame.width(), width);
    const QSize size(int(pixels.first().size()), int(pixels.size()));
    // Whole pixels at any scale: the frame is the same at twice the device pixels.
    for (const qreal ratio : {1.0, 2.0}) {
        QImage image((QSizeF(size) * ratio).toSize(), QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
        image.fill(B);
        QPainter painter(&image);
        const QRect left = frame.paint(painter, QRect(QPoint(0, 0), size), QColor(C));
        painter.end();
        if (inside.isNull())
            QVERIFY(left.isEmpty());
        else
            QCOMPARE(left, inside);
        const PixelProbe probe(image);
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x)
                QCOMPARE(PixelProbe::describe(probe.at(x, y)) + QStringLiteral(" at %1,%2 x%3").arg(x).arg(y).arg(ratio),
                         PixelProbe::describe(pixels[y][x]) + QStringLiteral(" at %1,%2 x%3").arg(x).arg(y).arg(ratio));
    }
}

PC_TEST_MAIN(TestTPanelFrame)
#include "tst_tpanelframe.moc"

#include "tests/support/testmain.h"
#include "tests/support/pixelprobe.h"
#include "toolkit/tbevel.h"

#include <QWidget>

using tk::TBevel;
using tk::TBevelShape;
using tk::TBevelCut;

namespace {

constexpr QRgb S = 0xFF808080; // shadow
constexpr QRgb H = 0xFFFFFFFF; // highlight
constexpr QRgb P = 0xFF00FF00; // the parent, showing through

} // namespace

class TestTBevel : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void shapes_data();
    void shapes();
};

void TestTBevel::shapes_data()
{
    QTest::addColumn<int>("shape");
    QTest::addColumn<int>("style");
    QTest::addColumn<QSize>("size");
    // Expected colour of each logical pixel, row by row.
    QTest::addColumn<QList<QList<quint32>>>("pixels");
    QTest::newRow("lowered top line") << int(TBevelShape::TopLine) << int(TBevelCut::bvLowered) << QSize(4, 3)
                                      << QList<QList<quint32>>{{S, S, S, S}, {H, H, H, H}, {P, P, P, P}};
    QTest::newRow("raised top line") << int(TBevelShape::TopLine) << int(TBevelCut::bvRaised) << QSize(4, 2)
                                     << QList<QList<quint32>>{{H, H, H, H}, {S, S, S, S}};
    QTest::newRow("lowered bottom line") << int(TBevelShape::BottomLine) << int(TBevelCut::bvLowered) << QSize(3, 3)
                                         << QList<QList<quint32>>{{P, P, P}, {S, S, S}, {H, H, H}};
    QTest::newRow("lowered left line") << int(TBevelShape::LeftLine) << int(TBevelCut::bvLowered) << QSize(3, 2)
                                       << QList<QList<quint32>>{{S, H, P}, {S, H, P}};
    QTest::newRow("lowered right line") << int(TBevelShape::RightLine) << int(TBevelCut::bvLowered) << QSize(3, 2)
                                        << QList<QList<quint32>>{{P, S, H}, {P, S, H}};
    // The ring rule: top-right and bottom-left corners belong to the second colour.
    QTest::newRow("lowered box") << int(TBevelShape::Box) << int(TBevelCut::bvLowered) << QSize(4, 3)
                                 << QList<QList<quint32>>{{S, S, S, H}, {S, P, P, H}, {H, H, H, H}};
    QTest::newRow("raised box") << int(TBevelShape::Box) << int(TBevelCut::bvRaised) << QSize(3, 3)
                                << QList<QList<quint32>>{{H, H, S}, {H, P, S}, {S, S, S}};
    QTest::newRow("spacer draws nothing") << int(TBevelShape::Spacer) << int(TBevelCut::bvLowered) << QSize(2, 2)
                                          << QList<QList<quint32>>{{P, P}, {P, P}};
}

void TestTBevel::shapes()
{
    QFETCH(int, shape);
    QFETCH(int, style);
    QFETCH(QSize, size);
    QFETCH(QList<QList<quint32>>, pixels);
    QWidget parent;
    parent.resize(size);
    parent.setAutoFillBackground(true);
    QPalette p = parent.palette();
    p.setColor(QPalette::Window, QColor(P));
    parent.setPalette(p);
    auto *bevel = new TBevel(&parent);
    bevel->setGeometry(QRect(QPoint(0, 0), size));
    bevel->setShape(TBevelShape(shape));
    bevel->setStyle(TBevelCut(style));
    const PixelProbe probe = PixelProbe::of(parent);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            QCOMPARE(PixelProbe::describe(probe.at(x, y)) + QStringLiteral(" at %1,%2").arg(x).arg(y),
                     PixelProbe::describe(pixels[y][x]) + QStringLiteral(" at %1,%2").arg(x).arg(y));
}

PC_TEST_MAIN(TestTBevel)
#include "tst_tbevel.moc"

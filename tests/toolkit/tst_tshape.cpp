#include "tests/support/testmain.h"
#include "tests/support/pixelprobe.h"
#include "toolkit/tshape.h"

#include <QWidget>

using tk::TShape;
using tk::TShapeType;

namespace {

constexpr QRgb Parent = 0xFFFFFFFF;

QRgb rgbOf(tk::TColor c) { return c.rgb(); }

void whiten(QWidget &w)
{
    w.setAutoFillBackground(true);
    QPalette p = w.palette();
    p.setColor(QPalette::Window, QColor(Parent));
    w.setPalette(p);
}

} // namespace

class TestTShape : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void rectangles_data();
    void rectangles();
    void ellipseLeavesCornersToParent();
};

void TestTShape::rectangles_data()
{
    QTest::addColumn<quint32>("brush");
    QTest::addColumn<quint32>("pen");
    QTest::addColumn<int>("penWidth");
    QTest::newRow("band: outline in the fill colour") << 10485760u << 10485760u << 1;
    QTest::newRow("black outline") << 16739071u << 0u << 1;
    QTest::newRow("thick outline") << 48896u << 255u << 3;
    QTest::newRow("no outline") << 255u << 0u << 0;
}

void TestTShape::rectangles()
{
    QFETCH(quint32, brush);
    QFETCH(quint32, pen);
    QFETCH(int, penWidth);
    QWidget parent;
    whiten(parent);
    parent.resize(50, 40);
    auto *shape = new TShape(&parent);
    shape->setGeometry(5, 5, 39, 30);
    shape->setBrushColor(tk::TColor(brush));
    shape->setPenColor(tk::TColor(pen));
    shape->setPenWidth(penWidth);
    const PixelProbe probe = PixelProbe::of(parent);
    const QRect outer(5, 5, 39, 30);
    for (int i = 0; i < penWidth; ++i) {
        const Ring ring(outer.adjusted(i, i, -i, -i));
        for (const QRect &edge : {ring.top, ring.left, ring.right, ring.bottom})
            QCOMPARE(probe.uniform(edge, rgbOf(tk::TColor(pen))), QString());
    }
    QCOMPARE(probe.uniform(outer.adjusted(penWidth, penWidth, -penWidth, -penWidth), rgbOf(tk::TColor(brush))),
             QString());
    QCOMPARE(probe.uniform(QRect(0, 0, 50, 5), Parent), QString());
    QCOMPARE(probe.uniform(QRect(44, 0, 6, 40), Parent), QString());
}

void TestTShape::ellipseLeavesCornersToParent()
{
    QWidget parent;
    whiten(parent);
    parent.resize(40, 40);
    auto *shape = new TShape(&parent);
    shape->setGeometry(0, 0, 40, 40);
    shape->setShape(TShapeType::Ellipse);
    shape->setBrushColor(tk::clRed);
    shape->setPenColor(tk::clRed);
    const PixelProbe probe = PixelProbe::of(parent);
    QCOMPARE(probe.uniform(QRect(0, 0, 3, 3), Parent), QString());
    QCOMPARE(probe.uniform(QRect(37, 37, 3, 3), Parent), QString());
    QCOMPARE(probe.uniform(QRect(15, 15, 10, 10), tk::clRed.rgb()), QString());
}

PC_TEST_MAIN(TestTShape)
#include "tst_tshape.moc"

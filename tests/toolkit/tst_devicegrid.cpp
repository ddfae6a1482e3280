#include "toolkit/devicegrid.h"

#include "tests/support/pixelprobe.h"
#include "tests/support/testmain.h"

#include <QPainter>

#include <cmath>

// Pictures drawn scaled onto the device grid: every picture pixel fills the device pixels that a
// filled rectangle of its logical size fills, at every scale and wherever the drawing starts
// inside a device pixel.
class TestDeviceGrid : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void scaledPictureFollowsTheLogicalGrid_data();
    void scaledPictureFollowsTheLogicalGrid();
};

namespace {

// A picture of distinct colours, one per pixel, with a see-through corner when `alpha`.
QImage picture(QSize size, bool alpha)
{
    QImage image(size, alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgb(40 + 30 * x, 40 + 25 * y, (x + y) % 2 ? 200 : 90));
    if (alpha)
        image.setPixel(0, 0, 0);
    return image;
}

} // namespace

void TestDeviceGrid::scaledPictureFollowsTheLogicalGrid_data()
{
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<qreal>("phase"); // where the painter's origin lies inside a device pixel
    QTest::addColumn<QRect>("target");
    QTest::addColumn<QSize>("pictureSize");
    QTest::addColumn<bool>("alpha");

    for (const qreal ratio : {1.0, 1.5, 2.0}) {
        for (const qreal phase : {0.0, 0.5}) {
            if (ratio != 1.5 && phase != 0.0)
                continue;
            const QByteArray at = QByteArray::number(ratio) + "x, phase " + QByteArray::number(phase);
            QTest::newRow(at + ", 1:1 at an odd place") << ratio << phase << QRect(13, 13, 10, 8) << QSize(10, 8) << false;
            QTest::newRow(at + ", see-through corner") << ratio << phase << QRect(12, 13, 10, 8) << QSize(10, 8) << true;
            QTest::newRow(at + ", stretched five times") << ratio << phase << QRect(5, 5, 20, 20) << QSize(4, 4) << false;
            QTest::newRow(at + ", stretched unevenly") << ratio << phase << QRect(3, 7, 21, 16) << QSize(4, 5) << true;
        }
    }
}

void TestDeviceGrid::scaledPictureFollowsTheLogicalGrid()
{
    QFETCH(qreal, ratio);
    QFETCH(qreal, phase);
    QFETCH(QRect, target);
    QFETCH(QSize, pictureSize);
    QFETCH(bool, alpha);

    const QRgb ground = qRgb(255, 255, 255);
    const QImage source = picture(pictureSize, alpha);
    QImage canvas = QImage(QSize(40, 40) * ratio + QSize(1, 1), QImage::Format_RGB32);
    canvas.setDevicePixelRatio(ratio);
    canvas.fill(ground);
    {
        QPainter p(&canvas);
        p.translate(phase / ratio, phase / ratio);
        DeviceGrid::drawScaled(p, target, source);
    }
    const qreal sx = qreal(target.width()) / pictureSize.width();
    const qreal sy = qreal(target.height()) / pictureSize.height();
    for (int y = target.top() - 1; y <= target.bottom() + 1; ++y) {
        for (int x = target.left() - 1; x <= target.right() + 1; ++x) {
            // The device pixels wholly inside logical pixel (x, y) of the painter.
            const int left = int(std::ceil(x * ratio + phase - 1e-9));
            const int right = int(std::floor((x + 1) * ratio + phase + 1e-9));
            const int top = int(std::ceil(y * ratio + phase - 1e-9));
            const int bottom = int(std::floor((y + 1) * ratio + phase + 1e-9));
            QRgb expected = ground;
            if (target.contains(x, y)) {
                const int px = int((x - target.left()) / sx);
                const int py = int((y - target.top()) / sy);
                // Uneven stretching: a logical pixel on the edge of two picture pixels may hold both.
                if (int((x + 1 - target.left()) / sx - 1e-9) != px || int((y + 1 - target.top()) / sy - 1e-9) != py)
                    continue;
                const QRgb c = source.pixel(px, py);
                expected = qAlpha(c) == 0 ? ground : c | 0xFF000000u;
            }
            for (int j = top; j < bottom; ++j)
                for (int i = left; i < right; ++i)
                    QVERIFY2((canvas.pixel(i, j) | 0xFF000000u) == (expected | 0xFF000000u),
                             qPrintable(QStringLiteral("logical (%1, %2), device (%3, %4): %5, expected %6")
                                            .arg(x).arg(y).arg(i).arg(j)
                                            .arg(PixelProbe::describe(canvas.pixel(i, j)), PixelProbe::describe(expected))));
        }
    }
}

PC_TEST_MAIN(TestDeviceGrid)
#include "tst_devicegrid.moc"

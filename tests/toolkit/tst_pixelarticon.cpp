#include "tests/support/testmain.h"
#include "toolkit/pixelarticon.h"

#include <QSet>
#include <QTest>

namespace {

// A 4 x 4 checkerboard of two colours: any smoothing shows as a third.
QImage checkerboard(int size, QRgb a, QRgb b)
{
    QImage image(size, size, QImage::Format_ARGB32);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            image.setPixel(x, y, ((x * 4 / size) + (y * 4 / size)) % 2 ? b : a);
    return image;
}

QSet<QRgb> coloursOf(const QImage &image)
{
    QSet<QRgb> colours;
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y)
        for (int x = 0; x < argb.width(); ++x)
            colours.insert(argb.pixel(x, y));
    return colours;
}

constexpr QRgb Red = 0xFFFF0000, Blue = 0xFF0000FF, Grey = 0xFF808080, White = 0xFFFFFFFF;

} // namespace

// The icon of the tool bars' pixel-art pictures: the rendering made for a size, or the picture
// enlarged pixel for pixel, never smoothed.
class TestPixelArtIcon : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sizes_data();
    void sizes();
    void disabledPicture();
    void noPictureNoIcon();
};

void TestPixelArtIcon::sizes_data()
{
    QTest::addColumn<int>("device");     // device pixels asked for
    QTest::addColumn<QRgb>("firstPixel"); // tells the renderings apart
    QTest::newRow("own size") << 16 << Red;
    QTest::newRow("1.5 times: enlarged, not smoothed") << 24 << Red;
    QTest::newRow("twice: the rendering made for it") << 32 << Grey;
    QTest::newRow("three times: enlarged from the picture") << 48 << Red;
}

void TestPixelArtIcon::sizes()
{
    QFETCH(int, device);
    QFETCH(QRgb, firstPixel);
    QImage doubled = checkerboard(32, Red, Blue);
    doubled.setPixel(0, 0, Grey);
    const QIcon icon = tk::pixelArtIcon({checkerboard(16, Red, Blue), doubled});
    const QImage shown = icon.pixmap(QSize(device, device)).toImage();
    QCOMPARE(shown.size(), QSize(device, device));
    QCOMPARE(shown.pixel(0, 0), firstPixel);
    QSet<QRgb> expected{Red, Blue};
    if (firstPixel == Grey)
        expected.insert(Grey);
    QCOMPARE(coloursOf(shown), expected);
    // Each quarter of the checkerboard stays one colour: pixel-for-pixel enlargement keeps edges.
    QCOMPARE(shown.pixel(device / 4 - 1, device / 4 - 1) == shown.pixel(device / 4, device / 4 - 1), false);
}

void TestPixelArtIcon::disabledPicture()
{
    const QIcon given = tk::pixelArtIcon({checkerboard(16, Red, Blue)}, checkerboard(16, Grey, White));
    QCOMPARE(coloursOf(given.pixmap(QSize(24, 24), QIcon::Disabled).toImage()), (QSet<QRgb>{Grey, White}));
    QCOMPARE(coloursOf(given.pixmap(QSize(24, 24), QIcon::Normal).toImage()), (QSet<QRgb>{Red, Blue}));
    // Without one, the style makes it: no longer the picture's own colours.
    const QIcon made = tk::pixelArtIcon({checkerboard(16, Red, Blue)});
    QVERIFY(coloursOf(made.pixmap(QSize(16, 16), QIcon::Disabled).toImage()) != (QSet<QRgb>{Red, Blue}));
}

void TestPixelArtIcon::noPictureNoIcon()
{
    QVERIFY(tk::pixelArtIcon({}).isNull());
    QVERIFY(tk::pixelArtIcon({QImage()}).isNull());
}

PC_TEST_MAIN(TestPixelArtIcon)
#include "tst_pixelarticon.moc"

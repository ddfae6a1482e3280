#include "gif/tgifencoder.h"
#include "gif/tgifimage.h"
#include "gif/tgifquantizer.h"
#include "tests/support/testmain.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <QRandomGenerator>

namespace {

enum class Picture { FewColours, Noise16, Gradient, Transparent, OnePixel, WideOdd };

QImage makePicture(Picture kind)
{
    QRandomGenerator random(7);
    switch (kind) {
    case Picture::FewColours: {
        QImage image(93, 80, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        p.fillRect(10, 10, 40, 30, QColor(200, 10, 10));
        p.fillRect(30, 20, 50, 50, QColor(10, 10, 200));
        return image;
    }
    case Picture::Noise16: {
        QImage image(61, 47, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                image.setPixel(x, y, qRgb(int(random.bounded(4)) * 80, int(random.bounded(4)) * 80, 33));
        return image;
    }
    case Picture::Gradient: {
        QImage image(256, 64, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                image.setPixel(x, y, qRgb(x, y * 4, (x + y) / 2));
        return image;
    }
    case Picture::Transparent: {
        QImage image(20, 20, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.fillRect(5, 5, 10, 10, QColor(0, 128, 0));
        return image;
    }
    case Picture::OnePixel: {
        QImage image(1, 1, QImage::Format_RGB32);
        image.fill(qRgb(1, 2, 3));
        return image;
    }
    case Picture::WideOdd: {
        QImage image(1001, 13, QImage::Format_RGB32);
        for (int x = 0; x < image.width(); ++x)
            for (int y = 0; y < 13; ++y)
                image.setPixel(x, y, (x / 7 + y) % 3 ? qRgb(255, 255, 0) : qRgb(0, 0, 0));
        return image;
    }
    }
    return {};
}

// The frame as our reader shows it: ARGB with see-through pixels at alpha 0.
QImage readBack(TGIFFrame &frame)
{
    return frame.transparentImage().convertToFormat(QImage::Format_ARGB32);
}

QImage normalised(const QImage &image)
{
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x)
            if (qAlpha(out.pixel(x, y)) < 128)
                out.setPixel(x, y, 0);
    return out;
}

double meanError(const QImage &a, const QImage &b)
{
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (3.0 * a.width() * a.height());
}

bool qtReadsGif()
{
    return QImageReader::supportedImageFormats().contains("gif");
}

} // namespace

Q_DECLARE_METATYPE(Picture)

class TestGIFEncoder : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void roundTrip_data();
    void roundTrip();
    void animationAndLoop_data();
    void animationAndLoop();
    void quantiserKeepsFewColours();
    void imageSavesItsFrames();
};

void TestGIFEncoder::roundTrip_data()
{
    QTest::addColumn<Picture>("picture");
    QTest::addColumn<bool>("exact");
    QTest::addColumn<bool>("interlaced");
    QTest::addColumn<int>("version");

    QTest::newRow("few colours") << Picture::FewColours << true << false << int(TGIFVersion::V89a);
    QTest::newRow("few colours, interlaced") << Picture::FewColours << true << true << int(TGIFVersion::V89a);
    QTest::newRow("16-colour noise") << Picture::Noise16 << true << false << int(TGIFVersion::V89a);
    QTest::newRow("16-colour noise, 87a") << Picture::Noise16 << true << false << int(TGIFVersion::V87a);
    QTest::newRow("gradient, quantised") << Picture::Gradient << false << false << int(TGIFVersion::V89a);
    QTest::newRow("see-through pixels") << Picture::Transparent << true << false << int(TGIFVersion::V89a);
    QTest::newRow("one pixel") << Picture::OnePixel << true << false << int(TGIFVersion::V89a);
    QTest::newRow("1001 x 13, interlaced") << Picture::WideOdd << true << true << int(TGIFVersion::V89a);
}

void TestGIFEncoder::roundTrip()
{
    QFETCH(Picture, picture);
    QFETCH(bool, exact);
    QFETCH(bool, interlaced);
    QFETCH(int, version);

    const QImage source = makePicture(picture);
    TGIFEncoder encoder{TGIFVersion(version)};
    TGIFEncoder::FrameOptions options;
    options.interlaced = interlaced;
    encoder.addFrame(source, options);
    QByteArray bytes = encoder.finish();

    TGIFImage image;
    image.loadFromBytes(bytes);
    QCOMPARE(int(image.FormatVersion()), version);
    QCOMPARE(image.FrameCount(), 1);
    QVERIFY(!image.Frames(0).IsDamaged());
    QCOMPARE(image.Frames(0).IsInterlaced(), interlaced);
    const QImage ours = readBack(image.Frames(0));
    QCOMPARE(ours.size(), source.size());
    if (exact)
        QCOMPARE(ours, normalised(source));
    else
        QVERIFY2(meanError(ours, source) < 4.0, qPrintable(QString::number(meanError(ours, source))));

    if (!qtReadsGif())
        QSKIP("Qt's GIF plugin is not installed");
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer, "gif");
    const QImage theirs = reader.read();
    QVERIFY2(!theirs.isNull(), qPrintable(reader.errorString()));
    QCOMPARE(normalised(theirs), ours);
}

void TestGIFEncoder::animationAndLoop_data()
{
    QTest::addColumn<int>("frames");
    QTest::addColumn<int>("loopCount");
    QTest::newRow("3 frames, endless") << 3 << 0;
    QTest::newRow("2 frames, twice") << 2 << 2;
    QTest::newRow("1 frame, no loop block") << 1 << -1;
}

void TestGIFEncoder::animationAndLoop()
{
    QFETCH(int, frames);
    QFETCH(int, loopCount);
    TGIFEncoder encoder(TGIFVersion::V89a, 30, 20);
    if (loopCount >= 0)
        encoder.setLoopCount(loopCount);
    encoder.setComment({"made by the test"});
    QList<QImage> pictures;
    for (int i = 0; i < frames; ++i) {
        QImage picture(10 + i, 8, QImage::Format_RGB32);
        picture.fill(QColor::fromHsv(i * 90, 200, 200));
        pictures.append(picture);
        TGIFEncoder::FrameOptions options;
        options.x = i * 3;
        options.y = i;
        options.delayCs = 5 + i;
        options.disposal = 1;
        encoder.addFrame(picture, options);
    }
    QByteArray bytes = encoder.finish();
    TGIFImage image;
    image.loadFromBytes(bytes);
    QCOMPARE(image.FrameCount(), frames);
    QCOMPARE(int(image.LogicalWidth()), 30);
    QCOMPARE(image.HasLoopBlock(), loopCount >= 0);
    QCOMPARE(int(image.LoopCount()), loopCount >= 0 ? loopCount : 1);
    QCOMPARE(image.Data().ImageComment, QByteArrayList{"made by the test"});
    for (int i = 0; i < frames; ++i) {
        TGIFFrame &frame = image.Frames(i);
        QCOMPARE(frame.OffsetX(), i * 3);
        QCOMPARE(frame.OffsetY(), i);
        QCOMPARE(int(frame.DelayMs()), (5 + i) * 10);
        QCOMPARE(frame.HasLocalTable(), i > 0);
        QCOMPARE(readBack(frame), normalised(pictures[i]));
    }
    if (!qtReadsGif())
        QSKIP("Qt's GIF plugin is not installed");
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer, "gif");
    QCOMPARE(reader.imageCount(), frames);
    QCOMPARE(reader.loopCount(), loopCount < 0 ? 0 : (loopCount == 0 ? -1 : loopCount));
}

void TestGIFEncoder::quantiserKeepsFewColours()
{
    const QImage gradient = makePicture(Picture::Gradient);
    const auto many = TGIFQuantizer::quantize(gradient, 256);
    QVERIFY(many.colors.size() <= 256);
    QVERIFY(many.colors.size() > 128);
    QCOMPARE(many.transparentIndex, -1);
    const auto few = TGIFQuantizer::quantize(makePicture(Picture::FewColours), 256);
    QCOMPARE(few.colors.size(), 3);
    const auto keyed = TGIFQuantizer::quantize(makePicture(Picture::Transparent), 256);
    QCOMPARE(keyed.transparentIndex, 1);
    QCOMPARE(int(keyed.indices[0]), 1);
    QCOMPARE(int(keyed.indices[std::size_t(10 * 20 + 10)]), 0);
}

void TestGIFEncoder::imageSavesItsFrames()
{
    TGIFEncoder encoder(TGIFVersion::V89a);
    encoder.addFrame(makePicture(Picture::Noise16));
    encoder.addFrame(makePicture(Picture::Transparent));
    TGIFImage first;
    first.loadFromBytes(encoder.finish());
    TGIFImage second;
    second.loadFromBytes(first.saveToBytes(TGIFVersion::V89a, 3));
    QCOMPARE(second.FrameCount(), 2);
    QCOMPARE(int(second.LoopCount()), 3);
    for (int i = 0; i < 2; ++i)
        QCOMPARE(readBack(second.Frames(i)), readBack(first.Frames(i)));
}

PC_TEST_MAIN(TestGIFEncoder)
#include "tst_tgifencoder.moc"

#include "gif/interlacedrow.h"
#include "gif/tgifimage.h"
#include "gif/tlzwencoder.h"
#include "tests/gif/gifbuilder.h"
#include "tests/support/testmain.h"
#include "toolkit/error.h"

#include <QBuffer>
#include <QDir>
#include <QRandomGenerator>
#include <QPainter>
#include <QSignalSpy>

#include <memory>
#include <vector>

namespace {

// The builder's table entry i as the reader's colour.
tk::TColor entry(int i)
{
    return tk::TColor::fromRgb(i, 255 - i, i / 2);
}

// A valid 2 x 2 frame with a 4-entry table: pixels 0 1 / 2 3.
GifBuilder &smallImage(GifBuilder &b, int w = 2, int h = 2)
{
    return b.descriptor(0, 0, w, h).literals(2, {0, 1, 2, 3});
}

QByteArray simpleFile()
{
    GifBuilder b;
    b.header().screen(2, 2, 2);
    return smallImage(b).trailer();
}

QString loadError(TGIFImage &image, const QByteArray &bytes)
{
    try {
        image.loadFromBytes(bytes);
    } catch (const tk::Error &e) {
        return QString::fromUtf8(e.what());
    }
    return {};
}

} // namespace

class TestGIFImage : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void failures_data();
    void failures();
    void loadsFields_data();
    void loadsFields();
    void frameFields_data();
    void frameFields();
    void comments_data();
    void comments();
    void emptyDataStillNotifies();
    void failedLoadKeepsEarlierFrames();
    void damagedSubBlockKeepsDecodedPixels();
    void interlacedRows_data();
    void interlacedRows();
    void interlacedFrameRowOrder();
    void rowsLandInPlace_data();
    void rowsLandInPlace();
    void bytesOwnedElsewhereAreCopied();
    void codedDataOutlivesItsImage();
    void pictureDepthAndPalette_data();
    void pictureDepthAndPalette();
    void drawLeavesKeyColourOut_data();
    void drawLeavesKeyColourOut();
    void drawOntoAgreesWithPainter_data();
    void drawOntoAgreesWithPainter();
    void formDataLayout_data();
    void formDataLayout();
    void sizeCannotChange();
    void framesDecodeLazilyAndOnce();
    void assignSharesData();
    void arbitraryInputs_data();
    void arbitraryInputs();
    void pictureLimitApplies();
};

void TestGIFImage::failures_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("framesLeft");

    const QByteArray ok = simpleFile();
    QTest::newRow("bad signature") << QByteArray("GIX89a") + ok.mid(6) << "Unknown GIF version" << 0;
    QTest::newRow("version 90a") << QByteArray("GIF90a") + ok.mid(6) << "Unknown GIF version" << 0;
    QTest::newRow("signature cut short") << QByteArray("GI") << "Stream read error" << 0;
    QTest::newRow("version cut short") << QByteArray("GIF8") << "Stream read error" << 0;
    QTest::newRow("screen descriptor cut short") << ok.left(10) << "Stream read error" << 0;
    QTest::newRow("global table cut short") << ok.left(15) << "Stream read error" << 0;
    QTest::newRow("nothing after the global table") << ok.left(25) << "Stream read error" << 0;
    {
        GifBuilder b;
        b.header().screen(2, 2, 2).u8(0x21).u8(0x33).subBlocks({"x"}).trailer();
        QTest::newRow("unknown extension label") << b.bytes() << "Unrecognized extension block: 33" << 0;
    }
    {
        GifBuilder b;
        b.header().screen(2, 2, 2).u8(0x21).u8(0x0A).trailer();
        QTest::newRow("unknown label in hex, two digits") << b.bytes() << "Unrecognized extension block: 0a" << 0;
    }
    {
        GifBuilder b;
        b.header().screen(2, 2, 2).u8('X').trailer();
        QTest::newRow("stray byte, no extensions") << b.bytes() << "Stream read error" << 0;
    }
    {
        GifBuilder b;
        b.header().screen(2, 2, 2).loop(0).u8('X').trailer();
        QTest::newRow("stray byte after an application block") << b.bytes() << "Stream read error" << 0;
    }
    {
        GifBuilder b;
        b.header().screen(2, 2, 2).comment({"a"}).u8('X').trailer();
        QByteArray bytes = b.bytes();
        QTest::newRow("stray byte after a comment") << bytes << "Stream read error" << 0;
    }
    {
        GifBuilder b;
        b.header().screen(2, 2, 2).u8(0x21).u8(0xF9).u8(4).u8(1);
        QTest::newRow("graphic control cut short") << b.bytes() << "Stream read error" << 0;
    }
    {
        GifBuilder b;
        b.header().screen(2, 2, 2);
        smallImage(b);
        b.u8(0x2C).u16(0).u16(0);
        QTest::newRow("second descriptor cut short") << b.bytes() << "Stream read error" << 1;
    }
    {
        GifBuilder b;
        b.header().screen(2, 2, 2).u8(0x2C).u16(0).u16(0).u16(2).u16(2).u8(0x81).table(2);
        QTest::newRow("local table cut short") << b.bytes() << "Stream read error" << 0;
    }
    {
        GifBuilder b;
        b.header().screen(2, 2, 2).descriptor(0, 0, 2, 2);
        QTest::newRow("minimum code size missing") << b.bytes() << "Stream read error" << 0;
    }
    {
        GifBuilder b;
        b.header().screen(2, 2);
        smallImage(b).trailer();
        QTest::newRow("no colour table at all") << b.bytes() << "Wrong number of colors; must be a power of 2" << 0;
    }
    {
        GifBuilder b;
        b.header().screen(2, 2, 2).descriptor(0, 0, 65535, 65535).literals(2, {1}).trailer();
        QTest::newRow("forged frame size") << b.bytes() << "GIF frame too large: 65535 x 65535 pixels" << 0;
    }
    {
        GifBuilder b;
        b.header().screen(65535, 65535, 2).descriptor(0, 0, 1, 1).literals(2, {1}).trailer();
        QTest::newRow("forged logical screen") << b.bytes() << "GIF logical screen too large: 65535 x 65535 pixels"
                                               << 0;
    }
}

void TestGIFImage::failures()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    QFETCH(int, framesLeft);

    TGIFImage image;
    QSignalSpy changed(&image, &TGIFImage::changed);
    QCOMPARE(loadError(image, bytes), message);
    QCOMPARE(image.FrameCount(), framesLeft);
    if (!message.isEmpty()) {
        QCOMPARE(image.SelectedFrame(), -1);
        QCOMPARE(changed.count(), 0);
    }
}

void TestGIFImage::loadsFields_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("version");
    QTest::addColumn<int>("frames");
    QTest::addColumn<int>("logicalWidth");
    QTest::addColumn<bool>("hasLoop");
    QTest::addColumn<int>("loopCount");
    QTest::addColumn<quint32>("background");

    const quint32 none = tk::clNone.value();
    QTest::newRow("simple 89a") << simpleFile() << int(TGIFVersion::V89a) << 1 << 2 << false << 1 << entry(0).value();
    {
        GifBuilder b;
        b.header("gif89A").screen(7, 2, 2, 3);
        smallImage(b).trailer();
        QTest::newRow("letter case ignored") << b.bytes() << int(TGIFVersion::V89a) << 1 << 7 << false << 1
                                             << entry(3).value();
    }
    {
        GifBuilder b;
        b.header("GIF87a").screen(2, 2, 2, 9).trailer();
        QTest::newRow("87a, no frames, background beyond table") << b.bytes() << int(TGIFVersion::V87a) << 0 << 2
                                                                << false << 1 << none;
    }
    {
        GifBuilder b;
        b.header().screen(2, 2, 2).loop(40000);
        smallImage(b).trailer();
        QTest::newRow("loop count capped") << b.bytes() << int(TGIFVersion::V89a) << 1 << 2 << true << 30000
                                           << entry(0).value();
    }
    {
        GifBuilder b;
        b.header().screen(2, 2, 2).loop(7, "ANIMEXTS1.0");
        smallImage(b).trailer();
        QTest::newRow("ANIMEXTS loop") << b.bytes() << int(TGIFVersion::V89a) << 1 << 2 << true << 7
                                       << entry(0).value();
    }
    {
        GifBuilder b;
        b.header().screen(2, 2, 2).application("NETSCAPE2.0", {QByteArray("\x02\x05\x00", 3)});
        smallImage(b).trailer();
        QTest::newRow("loop block needs sub-block id 1") << b.bytes() << int(TGIFVersion::V89a) << 1 << 2 << false
                                                         << 1 << entry(0).value();
    }
    {
        GifBuilder b;
        b.header().screen(2, 2, 2).application("XMP DataXMP", {"abc"});
        smallImage(b).trailer();
        QTest::newRow("other application block skipped") << b.bytes() << int(TGIFVersion::V89a) << 1 << 2 << false
                                                         << 1 << entry(0).value();
    }
    {
        GifBuilder b;
        b.header().screen(2, 2, 2);
        smallImage(b);
        smallImage(b).u8(0).u8(0).u8('Z').u8(0x2C);
        QTest::newRow("unexpected byte after an image ends the load") << b.bytes() << int(TGIFVersion::V89a) << 2
                                                                      << 2 << false << 1 << entry(0).value();
    }
    {
        GifBuilder b;
        b.header().screen(2, 2, 2);
        smallImage(b);
        QTest::newRow("missing trailer") << b.bytes() << int(TGIFVersion::V89a) << 1 << 2 << false << 1
                                         << entry(0).value();
    }
    {
        GifBuilder b;
        b.header().screen(2, 2, 2);
        smallImage(b).trailer().raw("trailing junk");
        QTest::newRow("bytes after the trailer ignored") << b.bytes() << int(TGIFVersion::V89a) << 1 << 2 << false
                                                         << 1 << entry(0).value();
    }
}

void TestGIFImage::loadsFields()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, version);
    QFETCH(int, frames);
    QFETCH(int, logicalWidth);
    QFETCH(bool, hasLoop);
    QFETCH(int, loopCount);
    QFETCH(quint32, background);

    TGIFImage image;
    image.loadFromBytes(bytes);
    QCOMPARE(int(image.FormatVersion()), version);
    QCOMPARE(image.FrameCount(), frames);
    QCOMPARE(image.SelectedFrame(), frames > 0 ? 0 : -1);
    QCOMPARE(image.isEmpty(), frames == 0);
    QCOMPARE(int(image.LogicalWidth()), logicalWidth);
    QCOMPARE(image.HasLoopBlock(), hasLoop);
    QCOMPARE(int(image.LoopCount()), loopCount);
    QCOMPARE(image.ScreenBackground().value(), background);
}

void TestGIFImage::frameFields_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("delayMs");
    QTest::addColumn<int>("disposal");
    QTest::addColumn<quint32>("keyColor");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<bool>("localTable");

    const quint32 none = tk::clNone.value();
    auto file = [](auto extensions, int w = 2, int h = 2, int localBits = 0) {
        GifBuilder b;
        b.header().screen(5, 3, 2);
        extensions(b);
        b.descriptor(1, 1, w, h, localBits).literals(2, {0, 1, 2, 3});
        return b.trailer().bytes();
    };
    QTest::newRow("no graphic control") << file([](GifBuilder &) {}) << 0 << 0 << none << 2 << 2 << false;
    QTest::newRow("graphic control") << file([](GifBuilder &b) { b.graphicControl(1 | 2 << 2, 10, 2); }) << 100 << 2
                                     << entry(2).value() << 2 << 2 << false;
    QTest::newRow("two controls: larger delay, last disposal")
        << file([](GifBuilder &b) { b.graphicControl(1 << 2, 30, 0).graphicControl(3 << 2, 7, 0); }) << 300 << 3
        << none << 2 << 2 << false;
    QTest::newRow("plain text discards the control")
        << file([](GifBuilder &b) { b.graphicControl(1 | 1 << 2, 10, 1).plainText(); }) << 0 << 0 << none << 2 << 2
        << false;
    QTest::newRow("control after plain text stays")
        << file([](GifBuilder &b) { b.plainText().graphicControl(1 | 1 << 2, 10, 1); }) << 100 << 1
        << entry(1).value() << 2 << 2 << false;
    QTest::newRow("transparent index beyond the table")
        << file([](GifBuilder &b) { b.graphicControl(1, 0, 4); }) << 0 << 0 << none << 2 << 2 << false;
    QTest::newRow("in-table index after a cleared flag")
        << file([](GifBuilder &b) { b.graphicControl(1, 0, 3).graphicControl(0, 0, 3); }) << 0 << 0 << none << 2 << 2
        << false;
    QTest::newRow("out-of-table index keeps the earlier key")
        << file([](GifBuilder &b) { b.graphicControl(1, 0, 3).graphicControl(1, 0, 200); }) << 0 << 0
        << entry(3).value() << 2 << 2 << false;
    QTest::newRow("disposal 7 stored as read") << file([](GifBuilder &b) { b.graphicControl(7 << 2, 0, 0); }) << 0 << 7
                                               << none << 2 << 2 << false;
    QTest::newRow("delay kept in 16 bits") << file([](GifBuilder &b) { b.graphicControl(0, 6554, 0); }) << 65540 % 65536
                                           << 0 << none << 2 << 2 << false;
    QTest::newRow("width 0 takes the logical width") << file([](GifBuilder &) {}, 0, 2) << 0 << 0 << none << 5 << 2
                                                     << false;
    QTest::newRow("height 0 takes the logical height") << file([](GifBuilder &) {}, 2, 0) << 0 << 0 << none << 2 << 3
                                                       << false;
    QTest::newRow("local table") << file([](GifBuilder &b) { b.graphicControl(1, 0, 5); }, 2, 2, 3) << 0 << 0
                                 << entry(5).value() << 2 << 2 << true;
}

void TestGIFImage::frameFields()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, delayMs);
    QFETCH(int, disposal);
    QFETCH(quint32, keyColor);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(bool, localTable);

    TGIFImage image;
    image.loadFromBytes(bytes);
    QCOMPARE(image.FrameCount(), 1);
    TGIFFrame &frame = image.Frames(0);
    QCOMPARE(int(frame.DelayMs()), delayMs);
    QCOMPARE(frame.DisposalMode(), disposal);
    QCOMPARE(frame.KeyColor().value(), keyColor);
    QCOMPARE(frame.width(), width);
    QCOMPARE(frame.height(), height);
    QCOMPARE(frame.HasLocalTable(), localTable);
    QCOMPARE(frame.OffsetX(), 1);
    QCOMPARE(frame.OffsetY(), 1);
    QCOMPARE(image.isTransparent(), keyColor != tk::clNone.value());
}

void TestGIFImage::comments_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArrayList>("lines");

    {
        GifBuilder b;
        b.header().screen(2, 2, 2);
        smallImage(b).comment({"first", "line two"}).comment({"second"}).trailer();
        QTest::newRow("two comments after the image")
            << b.bytes() << QByteArrayList{"first", "line two", "\r\n\r\n", "second"};
    }
    {
        GifBuilder b;
        b.header().screen(2, 2, 2).comment({"before"});
        smallImage(b).trailer();
        QTest::newRow("comment before an image belongs to the frame") << b.bytes() << QByteArrayList{};
    }
    {
        GifBuilder b;
        b.header().screen(2, 2, 2);
        smallImage(b).comment({"a"}).trailer();
        b.comment({"after trailer"});
        QTest::newRow("comment after the trailer ignored") << b.bytes() << QByteArrayList{"a"};
    }
    {
        GifBuilder b;
        b.header().screen(2, 2, 2);
        smallImage(b).comment({"a"}).graphicControl(0, 0, 0).trailer();
        QTest::newRow("comment with a control in the same run") << b.bytes() << QByteArrayList{"a"};
    }
}

void TestGIFImage::comments()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArrayList, lines);
    TGIFImage image;
    image.loadFromBytes(bytes);
    QCOMPARE(image.Data().ImageComment, lines);
}

void TestGIFImage::emptyDataStillNotifies()
{
    TGIFImage image;
    image.loadFromBytes(simpleFile());
    QSignalSpy changed(&image, &TGIFImage::changed);
    image.loadFromBytes(QByteArray());
    QCOMPARE(changed.count(), 1);
    QCOMPARE(image.FrameCount(), 0);
    QVERIFY(image.isEmpty());
    QCOMPARE(image.width(), 0);
    QCOMPARE(image.LogicalWidth(), 0);
    QVERIFY(image.palette().isEmpty());
    QCOMPARE(image.FormatVersion(), TGIFVersion::Unknown);
}

void TestGIFImage::failedLoadKeepsEarlierFrames()
{
    GifBuilder b;
    b.header().screen(2, 2, 2);
    smallImage(b);
    smallImage(b).u8(0x21).u8(0x99);
    TGIFImage image;
    QCOMPARE(loadError(image, b.bytes()), QStringLiteral("Unrecognized extension block: 99"));
    QCOMPARE(image.FrameCount(), 2);
    QCOMPARE(image.SelectedFrame(), -1);
    QVERIFY(image.isEmpty());
}

void TestGIFImage::damagedSubBlockKeepsDecodedPixels()
{
    // Code data for pixels 1 2 3 ..., then a sub-block claiming 200 bytes where 3 remain.
    GifBuilder codes;
    codes.literals(2, {1, 2, 3, 1, 2, 3});
    QByteArray data = codes.bytes();
    data.chop(1);  // no zero-length block
    GifBuilder b;
    b.header().screen(4, 4, 2).descriptor(0, 0, 4, 4).raw(data).u8(200).raw("abc");
    TGIFImage image;
    image.loadFromBytes(b.bytes());
    QCOMPARE(image.FrameCount(), 1);
    TGIFFrame &frame = image.Frames(0);
    QVERIFY(frame.IsDamaged());
    QCOMPARE(frame.Item().CodeStream, data);
    const QImage &picture = frame.bitmap();
    QCOMPARE(picture.pixelIndex(0, 0), 1);
    QCOMPARE(picture.pixelIndex(2, 0), 3);
    QCOMPARE(picture.pixelIndex(1, 1), 3);
    QCOMPARE(picture.pixelIndex(2, 1), 0);
    QCOMPARE(picture.pixelIndex(3, 3), 0);
}

void TestGIFImage::interlacedRows_data()
{
    QTest::addColumn<int>("height");
    QTest::addColumn<QList<int>>("order");
    QTest::newRow("height 1") << 1 << QList<int>{0};
    QTest::newRow("height 2") << 2 << QList<int>{0, 1};
    QTest::newRow("height 5") << 5 << QList<int>{0, 4, 2, 1, 3};
    QTest::newRow("height 9") << 9 << QList<int>{0, 8, 4, 2, 6, 1, 3, 5, 7};
    QTest::newRow("height 12") << 12 << QList<int>{0, 8, 4, 2, 6, 10, 1, 3, 5, 7, 9, 11};
}

void TestGIFImage::interlacedRows()
{
    QFETCH(int, height);
    QFETCH(QList<int>, order);
    QList<int> rows;
    for (int i = 0; i < height; ++i)
        rows.append(interlacedRow(i, height));
    QCOMPARE(rows, order);
}

void TestGIFImage::interlacedFrameRowOrder()
{
    GifBuilder b;
    b.header().screen(1, 5, 3).descriptor(0, 0, 1, 5, 0, true).literals(3, {1, 2, 3, 4, 5}).trailer();
    TGIFImage image;
    image.loadFromBytes(b.bytes());
    const QImage &picture = image.Frames(0).bitmap();
    // Stored rows land on rows 0, 4, 2, 1, 3.
    const int expected[5] = {1, 4, 3, 5, 2};
    for (int row = 0; row < 5; ++row)
        QCOMPARE(picture.pixelIndex(0, row), expected[row]);
}

void TestGIFImage::rowsLandInPlace_data()
{
    // Widths that are and are not whole words (the picture's rows are padded to them), heights
    // that end each interlace pass at a different place.
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<bool>("interlaced");
    for (int w : {1, 3, 4, 5, 93, 250})
        for (int h : {1, 2, 3, 5, 8, 9, 17, 80})
            for (bool interlaced : {false, true})
                QTest::addRow("%d x %d%s", w, h, interlaced ? ", interlaced" : "") << w << h << interlaced;
}

void TestGIFImage::rowsLandInPlace()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(bool, interlaced);
    auto pixel = [](int x, int y) { return (y * 31 + x * 7) & 0xFF; };
    // Rows in file order: for an interlaced frame every 8th from 0, every 8th from 4, every 4th
    // from 2, every 2nd from 1.
    QList<int> order;
    if (interlaced) {
        for (const auto &[start, step] : {std::pair{0, 8}, {4, 8}, {2, 4}, {1, 2}})
            for (int y = start; y < height; y += step)
                order.append(y);
    } else {
        for (int y = 0; y < height; ++y)
            order.append(y);
    }
    std::vector<std::uint8_t> stored;
    for (int y : order)
        for (int x = 0; x < width; ++x)
            stored.push_back(std::uint8_t(pixel(x, y)));
    GifBuilder b;
    b.header().screen(width, height, 8).descriptor(0, 0, width, height, 0, interlaced);
    b.raw(TLZWEncoder::encode(stored.data(), stored.size(), 8)).trailer();
    TGIFImage image;
    image.loadFromBytes(b.bytes());
    const QImage &picture = image.Frames(0).bitmap();
    QVERIFY(!image.Frames(0).IsDamaged());
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (picture.pixelIndex(x, y) != pixel(x, y))
                QFAIL(qPrintable(QStringLiteral("pixel %1, %2 is %3").arg(x).arg(y).arg(picture.pixelIndex(x, y))));
}

void TestGIFImage::bytesOwnedElsewhereAreCopied()
{
    // Frames decode from the loaded bytes later, so bytes the image does not own must be copied:
    // here they are cleared and freed before the second frame is decoded.
    GifBuilder b;
    b.header().screen(2, 2, 2);
    smallImage(b);
    b.descriptor(0, 0, 2, 2).literals(2, {3, 2, 1, 0});
    const QByteArray bytes = b.trailer().bytes();
    auto owner = std::make_unique<std::vector<char>>(bytes.begin(), bytes.end());
    TGIFImage image;
    image.loadFromBytes(QByteArray::fromRawData(owner->data(), qsizetype(owner->size())));
    std::fill(owner->begin(), owner->end(), '\0');
    owner.reset();
    QCOMPARE(image.formData().mid(4), bytes);
    QVERIFY(!image.Frames(1).isDecoded());
    const QImage &picture = image.Frames(1).bitmap();
    QCOMPARE(picture.pixelIndex(0, 0), 3);
    QCOMPARE(picture.pixelIndex(1, 1), 0);
}

void TestGIFImage::codedDataOutlivesItsImage()
{
    // A frame's code data points into the loaded bytes; a copy of it keeps them (the address
    // sanitizer build catches a read of freed bytes).
    GifBuilder codes;
    codes.literals(2, {3, 2, 1, 0});
    GifBuilder b;
    b.header().screen(2, 2, 2).descriptor(0, 0, 2, 2).raw(codes.bytes()).trailer();
    const QByteArray bytes = b.bytes();
    TGIFItem item;
    {
        TGIFImage image;
        image.loadFromBytes(QByteArray(bytes.constData(), bytes.size()));
        item = image.Frames(0).Item();
    }
    QCOMPARE(item.CodeStream, codes.bytes());
}

void TestGIFImage::pictureDepthAndPalette_data()
{
    QTest::addColumn<int>("tableBits");
    QTest::addColumn<int>("depth");
    QTest::addColumn<int>("paletteSize");
    QTest::newRow("2 colours") << 1 << 1 << 2;
    QTest::newRow("4 colours") << 2 << 4 << 16;
    QTest::newRow("16 colours") << 4 << 4 << 16;
    QTest::newRow("32 colours") << 5 << 8 << 256;
    QTest::newRow("256 colours") << 8 << 8 << 256;
}

void TestGIFImage::pictureDepthAndPalette()
{
    QFETCH(int, tableBits);
    QFETCH(int, depth);
    QFETCH(int, paletteSize);
    GifBuilder b;
    b.header().screen(2, 1, tableBits).descriptor(0, 0, 2, 1).literals(std::max(2, tableBits), {1, 0}).trailer();
    TGIFImage image;
    image.loadFromBytes(b.bytes());
    QCOMPARE(image.Frames(0).pictureDepth(), depth);
    const QList<QRgb> palette = image.palette();
    QCOMPARE(palette.size(), paletteSize);
    const int entries = 1 << tableBits;
    QCOMPARE(palette[entries - 1], entry(entries - 1).rgb());
    if (entries < paletteSize)
        QCOMPARE(palette[entries], qRgb(128, 128, 128));
    QCOMPARE(image.width(), 2);
    QCOMPARE(image.height(), 1);
}

void TestGIFImage::drawLeavesKeyColourOut_data()
{
    QTest::addColumn<int>("tableBits");
    QTest::addColumn<bool>("transparentFlag");
    QTest::addColumn<QList<QRgb>>("expected");  // the 4 destination pixels after drawing

    const QRgb red = qRgb(255, 0, 0);
    // The frame: pixels 0 1 0 1 with key index 1; with a 2-entry table the key is white.
    QTest::newRow("keyed by colour") << 2 << true << QList<QRgb>{entry(0).rgb(), red, entry(0).rgb(), red};
    QTest::newRow("transparency off") << 2 << false
                                      << QList<QRgb>{entry(0).rgb(), entry(1).rgb(), entry(0).rgb(), entry(1).rgb()};
    QTest::newRow("1-bit picture keyed on white")
        << 1 << true << QList<QRgb>{entry(0).rgb(), entry(1).rgb(), entry(0).rgb(), entry(1).rgb()};
}

void TestGIFImage::drawLeavesKeyColourOut()
{
    QFETCH(int, tableBits);
    QFETCH(bool, transparentFlag);
    QFETCH(QList<QRgb>, expected);
    GifBuilder b;
    b.header().screen(4, 1, tableBits).graphicControl(1, 0, 1).descriptor(0, 0, 4, 1).literals(2, {0, 1, 0, 1});
    TGIFImage image;
    image.setTransparent(transparentFlag);
    image.loadFromBytes(b.trailer().bytes());
    QImage canvas(8, 1, QImage::Format_RGB32);
    canvas.fill(qRgb(255, 0, 0));
    {
        QPainter painter(&canvas);
        image.draw(painter, QRect(0, 0, 8, 1));  // stretched twice as wide
    }
    for (int x = 0; x < 4; ++x) {
        QCOMPARE(canvas.pixel(2 * x, 0), expected[x]);
        QCOMPARE(canvas.pixel(2 * x + 1, 0), expected[x]);
    }
}

void TestGIFImage::drawOntoAgreesWithPainter_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("transparent");
    QTest::addColumn<QPoint>("at");

    // 4 x 2 frames of the codes 0 to 3 (a 1-bit picture reads 2 and 3 as 0 and 1).
    const auto file = [](int tableBits, int control) {
        GifBuilder b;
        b.header().screen(4, 2, tableBits);
        if (control >= 0)
            b.graphicControl(1, 0, control);
        return b.descriptor(0, 0, 4, 2).literals(2, {0, 1, 2, 3, 3, 2, 1, 0}).trailer().bytes();
    };
    const struct {
        const char *name;
        int tableBits, control;
    } files[] = {
        {"keyed by index", 2, 1},
        {"1-bit, keyed on white", 1, 0},
        {"1-bit, no key", 1, -1},
        {"no key", 2, -1},
    };
    const struct {
        const char *name;
        QPoint at;
    } places[] = {
        {"inside", {2, 1}},
        {"cut at the right and bottom", {5, 3}},
        {"cut at the left and top", {-2, -1}},
        {"outside", {9, 0}},
    };
    for (const auto &f : files)
        for (bool transparent : {true, false})
            for (const auto &p : places)
                QTest::addRow("%s, %s, %s", f.name, transparent ? "transparent" : "opaque", p.name)
                    << file(f.tableBits, f.control) << transparent << p.at;
}

// Frames are composed by writing their pixels straight into the composition; that must give
// what drawing them with a painter gives.
void TestGIFImage::drawOntoAgreesWithPainter()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, transparent);
    QFETCH(QPoint, at);
    TGIFImage image;
    image.loadFromBytes(bytes);
    TGIFFrame &frame = image.Frames(0);
    QImage expected(7, 4, QImage::Format_RGB32);
    for (int y = 0; y < expected.height(); ++y)
        for (int x = 0; x < expected.width(); ++x)
            expected.setPixel(x, y, qRgb(40 * x, 60 * y, 200));
    QImage direct = expected.copy();
    {
        QPainter painter(&expected);
        frame.draw(painter, QRect(at, frame.bitmap().size()), transparent);
    }
    frame.drawOnto(direct, at, transparent);
    for (int y = 0; y < expected.height(); ++y)
        for (int x = 0; x < expected.width(); ++x)
            QVERIFY2(direct.pixel(x, y) == expected.pixel(x, y),
                     qPrintable(QStringLiteral("pixel %1, %2: %3, painter %4")
                                    .arg(x).arg(y).arg(direct.pixel(x, y), 8, 16).arg(expected.pixel(x, y), 8, 16)));
}

void TestGIFImage::formDataLayout_data()
{
    QTest::addColumn<QByteArray>("formData");
    QTest::addColumn<QString>("message");
    const QByteArray gif = simpleFile();
    auto count = [](quint32 n) {
        return QByteArray(1, char(n & 0xFF)) + char(n >> 8 & 0xFF) + char(n >> 16 & 0xFF) + char(n >> 24);
    };
    QTest::newRow("count then bytes") << count(quint32(gif.size())) + gif << "";
    QTest::newRow("extra bytes after the counted ones") << count(quint32(gif.size())) + gif + "xyz" << "";
    QTest::newRow("count larger than the data") << count(quint32(gif.size()) + 1) + gif << "Stream read error";
    QTest::newRow("forged 4 GiB count") << count(0xFFFFFFFFu) + gif << "Stream read error";
    QTest::newRow("count cut short") << QByteArray("\x05\x00", 2) << "Stream read error";
}

void TestGIFImage::formDataLayout()
{
    QFETCH(QByteArray, formData);
    QFETCH(QString, message);
    for (bool fromDevice : {false, true}) {
        TGIFImage image;
        QString error;
        try {
            if (fromDevice) {
                QBuffer buffer(&formData);
                buffer.open(QIODevice::ReadOnly);
                image.readData(buffer);
            } else {
                image.loadFromFormData(formData);
            }
        } catch (const tk::Error &e) {
            error = QString::fromUtf8(e.what());
        }
        QCOMPARE(error, message);
        if (message.isEmpty()) {
            QCOMPARE(image.FrameCount(), 1);
            QCOMPARE(image.formData(), formData.left(formData.size() - (formData.endsWith("xyz") ? 3 : 0)));
        }
    }
}

void TestGIFImage::sizeCannotChange()
{
    TGIFImage image;
    image.loadFromBytes(simpleFile());
    for (int which = 0; which < 2; ++which) {
        try {
            which ? image.setHeight(5) : image.setWidth(5);
            QFAIL("no error raised");
        } catch (const tk::Error &e) {
            QCOMPARE(QString::fromUtf8(e.what()), QStringLiteral("Cannot change the Size of a GIF image"));
        }
    }
    QCOMPARE(image.width(), 2);
}

void TestGIFImage::framesDecodeLazilyAndOnce()
{
    GifBuilder b;
    b.header().screen(2, 2, 2);
    for (int i = 0; i < 3; ++i)
        smallImage(b);
    TGIFImage image;
    image.loadFromBytes(b.trailer().bytes());
    QVERIFY(image.Frames(0).isDecoded());
    QVERIFY(!image.Frames(1).isDecoded());
    QVERIFY(!image.Frames(2).isDecoded());
    const uchar *bits = image.Frames(1).bitmap().constBits();
    QCOMPARE(image.Frames(1).width(), 2);
    QCOMPARE(image.Frames(1).bitmap().constBits(), bits);
    QVERIFY(!image.Frames(2).isDecoded());
}

void TestGIFImage::assignSharesData()
{
    GifBuilder b;
    b.header().screen(2, 2, 2).graphicControl(1 | 1 << 2, 5, 3);
    smallImage(b).comment({"c"}).trailer();
    TGIFImage source;
    source.loadFromBytes(b.bytes());
    TGIFImage copy;
    copy.assign(source);
    QCOMPARE(copy.FrameCount(), 1);
    QCOMPARE(&copy.Data(), &source.Data());
    QCOMPARE(&copy.Frames(0).Item(), &source.Frames(0).Item());
    QCOMPARE(copy.Frames(0).KeyColor(), entry(3));
    QCOMPARE(copy.Frames(0).bitmap().pixelIndex(1, 1), 3);
}

void TestGIFImage::arbitraryInputs_data()
{
    // The fuzz seeds, every input the fuzzer ever crashed on, and damaged copies of a valid file.
    QTest::addColumn<QByteArray>("bytes");
    for (const char *folder : {"/fuzz/seeds", "/tests/gif/fuzz-regressions"}) {
        QDir dir(QStringLiteral(PC_SOURCE_DIR) + QLatin1String(folder));
        for (const QFileInfo &info : dir.entryInfoList(QDir::Files, QDir::Name)) {
            QFile file(info.filePath());
            QVERIFY(file.open(QIODevice::ReadOnly));
            QTest::newRow(qPrintable(info.fileName())) << file.readAll();
        }
    }
    GifBuilder b;
    b.header().screen(8, 8, 3).graphicControl(1, 3, 2).descriptor(0, 0, 8, 8, 2, true);
    const QByteArray valid = b.literals(2, std::vector<int>(64, 1)).trailer().bytes();
    QRandomGenerator random(5);
    for (int i = 0; i < 200; ++i) {
        QByteArray damaged = valid;
        for (int flips = 0; flips < 3; ++flips)
            damaged[int(random.bounded(int(valid.size())))] = char(random.bounded(256));
        QTest::addRow("damaged copy %d", i) << damaged;
    }
}

void TestGIFImage::arbitraryInputs()
{
    QFETCH(QByteArray, bytes);
    TGIFImage image;
    try {
        image.loadFromBytes(bytes);
    } catch (const tk::Error &) {
        QCOMPARE(image.SelectedFrame(), -1);
    }
    QImage canvas(9, 9, QImage::Format_ARGB32);
    QPainter painter(&canvas);
    for (int i = 0; i < image.FrameCount(); ++i) {
        TGIFFrame &frame = image.Frames(i);
        try {
            const QImage &picture = frame.bitmap();
            if (!picture.isNull()) {
                QCOMPARE(picture.width(), int(frame.Item().StoredWidth));
                QCOMPARE(picture.height(), int(frame.Item().StoredHeight));
                QCOMPARE(picture.colorCount(), 1 << frame.pictureDepth());
            }
            frame.draw(painter, canvas.rect(), true);
        } catch (const tk::Error &) {
            QCOMPARE(frame.pictureDepth() == 0 || !frame.isDecoded(), true);
        }
    }
}

void TestGIFImage::pictureLimitApplies()
{
    // 600 x 600 at 4 bytes a pixel is 1.4 MB: over a 1 MiB limit, under the default one.
    GifBuilder b;
    b.header().screen(600, 600, 2).descriptor(0, 0, 600, 600).literals(2, {1, 2}).trailer();
    TGIFImage image;
    TGIFImage::setPictureLimit(1 << 20);
    const QString error = loadError(image, b.bytes());
    TGIFImage::setPictureLimit(std::uint64_t(1) << 40);
    QCOMPARE(error, QStringLiteral("GIF logical screen too large: 600 x 600 pixels"));
    QCOMPARE(TGIFImage::pictureLimit(), TGIFImage::MaxPictureBytes);
    QCOMPARE(loadError(image, b.bytes()), QString());
    QCOMPARE(image.Frames(0).bitmap().pixelIndex(1, 0), 2);
    QCOMPARE(image.Frames(0).bitmap().pixelIndex(2, 0), 0);
}

PC_TEST_MAIN(TestGIFImage)
#include "tst_tgifimage.moc"

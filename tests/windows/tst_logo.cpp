#include "assets/logoformdata.h"
#include "gif/tgifimage.h"
#include "gif/tlzwdecoder.h"
#include "tests/support/testmain.h"
#include "toolkit/error.h"

#include <vector>

class TestLogo : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void formDataCarriesTheFile();
    void compiledFormDataIsReadInPlace();
    void header();
    void frames_data();
    void frames();
    void trailingComment();
    void everyTruncationFailsCleanly();

private:
    QByteArray m_gif;
    TGIFImage m_image;
};

void TestLogo::initTestCase()
{
    const QByteArray formData = logoFormData();
    m_gif = formData.mid(4);
    m_image.loadFromFormData(formData);
}

void TestLogo::formDataCarriesTheFile()
{
    const QByteArray formData = logoFormData();
    const quint32 count = quint8(formData[0]) | quint8(formData[1]) << 8 | quint8(formData[2]) << 16
        | quint32(quint8(formData[3])) << 24;
    QCOMPARE(qsizetype(count), formData.size() - 4);
    QCOMPARE(m_image.formData(), formData);
}

void TestLogo::compiledFormDataIsReadInPlace()
{
    const QByteArray formData = logoFormData();
    TGIFImage image;
    image.loadFromCompiledFormData(formData);
    // The image keeps the compiled-in bytes themselves, not a copy of them.
    QCOMPARE(static_cast<const void *>(image.Data().SourceBytes.constData()),
             static_cast<const void *>(formData.constData() + 4));
    QCOMPARE(image.formData(), formData);
    QCOMPARE(image.FrameCount(), m_image.FrameCount());
    for (int i = 0; i < image.FrameCount(); ++i)
        QCOMPARE(image.Frames(i).bitmap(), m_image.Frames(i).bitmap());
}

void TestLogo::header()
{
    QVERIFY(m_gif.startsWith("GIF89a"));
    QCOMPARE(m_image.FormatVersion(), TGIFVersion::V89a);
    QCOMPARE(int(m_image.LogicalWidth()), 93);
    QCOMPARE(int(m_image.LogicalHeight()), 80);
    QCOMPARE(int(m_image.Data().AspectByte), 0);
    QCOMPARE(m_image.Data().GlobalTableBits, 8);
    QCOMPARE(m_image.Data().ColorResolution, 8);
    QCOMPARE(m_image.Data().GlobalColorTable.Count, 256u);
    QCOMPARE(int(quint8(m_gif[11])), 9);  // background index
    QCOMPARE(m_image.ScreenBackground(), m_image.Data().GlobalColorTable.color(9));
    QCOMPARE(m_image.Data().GlobalColorTable.color(0), tk::TColor::fromRgb(2, 2, 64));
    QVERIFY(m_image.HasLoopBlock());
    QCOMPARE(int(m_image.LoopCount()), 0);
    QVERIFY(m_gif.mid(13 + 768, 19) == QByteArray("\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00", 19));
    QCOMPARE(m_image.FrameCount(), 36);
    QCOMPARE(m_image.SelectedFrame(), 0);
    QVERIFY(m_image.isTransparent());
}

void TestLogo::frames_data()
{
    QTest::addColumn<int>("index");
    for (int i = 0; i < 36; ++i)
        QTest::addRow("frame %d", i + 1) << i;
}

void TestLogo::frames()
{
    QFETCH(int, index);
    TGIFFrame &frame = m_image.Frames(index);
    const TGIFItem &item = frame.Item();
    QCOMPARE(frame.OffsetX(), 0);
    QCOMPARE(frame.OffsetY(), 0);
    QCOMPARE(int(item.StoredWidth), 93);
    QCOMPARE(int(item.StoredHeight), 80);
    QVERIFY(!frame.IsInterlaced());
    QVERIFY(!frame.IsDamaged());
    QCOMPARE(int(quint8(item.CodeStream[0])), 8);
    QCOMPARE(frame.HasLocalTable(), index > 0);
    QCOMPARE(item.TableBits, 8);
    QCOMPARE(item.ColorTable.Count, 256u);

    // Exactly one graphic control: disposal 1, transparency on with index 0, delay 10.
    QCOMPARE(frame.ExtensionBlocks().size(), std::size_t(1));
    const TExtension &control = frame.ExtensionBlocks().front();
    QCOMPARE(control.ExtensionKind, TExtensionKind::GraphicControl);
    QCOMPARE(int(control.gcPacked()), 1 << 2 | 1);
    QCOMPARE(int(control.gcDelay()), 10);
    QCOMPARE(int(control.gcTransparentIndex()), 0);
    QCOMPARE(int(frame.DelayMs()), 100);
    QCOMPARE(frame.DisposalMode(), 1);
    QCOMPARE(frame.KeyColor(), item.ColorTable.color(0));
    // Keying is by colour: no other entry may carry the key colour.
    for (int i = 1; i < 256; ++i)
        QVERIFY2(item.ColorTable.color(i) != frame.KeyColor(), qPrintable(QString::number(i)));

    // The code data ends with the end code after exactly 7440 pixels.
    std::vector<std::uint8_t> pixels(7441, 0xEE);
    const auto result = TLZWDecoder::decode(item.CodeStream, 8, pixels.data(), pixels.size());
    QVERIFY(result.sawEndCode);
    QVERIFY(!result.damaged);
    QCOMPARE(result.pixelsWritten, std::size_t(7440));
    QVERIFY(item.CodeStream.endsWith('\0'));

    const QImage &picture = frame.bitmap();
    QCOMPARE(picture.size(), QSize(93, 80));
    int keyPixels = 0;
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 93; ++x)
            keyPixels += picture.pixelIndex(x, y) == 0;
    if (index == 0)
        QCOMPARE(keyPixels, 0);
    else
        QVERIFY2(keyPixels >= 1 && keyPixels <= 180, qPrintable(QString::number(keyPixels)));
}

void TestLogo::trailingComment()
{
    QCOMPARE(m_image.Data().ImageComment.size(), 1);
    QVERIFY(m_image.Data().ImageComment[0].contains("KORVANTA"));
    // The comment block comes after the last frame's code data, then the trailer ends the file.
    const QByteArray block = "\x21\xFE" + QByteArray(1, char(m_image.Data().ImageComment[0].size()))
        + m_image.Data().ImageComment[0] + QByteArray("\0\x3B", 2);
    QVERIFY(m_gif.endsWith(block));
    QCOMPARE(m_image.Frames(35).ExtensionBlocks().size(), std::size_t(1));
}

void TestLogo::everyTruncationFailsCleanly()
{
    // Every prefix either fails with the reader's error or loads with its frames intact or damaged.
    int failed = 0, damaged = 0;
    for (qsizetype length = 0; length < m_gif.size(); ++length) {
        TGIFImage image;
        try {
            image.loadFromBytes(QByteArrayView(m_gif).first(length));
            if (image.FrameCount() > 0)
                damaged += image.Frames(image.FrameCount() - 1).IsDamaged();
        } catch (const tk::Error &) {
            ++failed;
            QCOMPARE(image.SelectedFrame(), -1);
        }
    }
    QVERIFY(failed > 0);
    QVERIFY(damaged > 0);
}

PC_TEST_MAIN(TestLogo)
#include "tst_logo.moc"

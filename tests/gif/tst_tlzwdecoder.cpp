#include "gif/tlzwdecoder.h"
#include "gif/tlzwencoder.h"
#include "tests/gif/gifbuilder.h"
#include "tests/support/testmain.h"

#include <QRandomGenerator>

#include <vector>

using Codes = std::vector<GifBuilder::Code>;
Q_DECLARE_METATYPE(Codes)

namespace {

QByteArray stream(int minCodeSize, const Codes &codes)
{
    return GifBuilder().codes(minCodeSize, codes).bytes();
}

// The width of the k-th code after a clear, by the GIF rule: it grows when the next free code
// reaches a power of two, and stays at 12 bits once the table is full.
int widthAfterClear(int k, int minCodeSize)
{
    if (k == 0)
        return minCodeSize + 1;
    const int nextFree = std::min((1 << minCodeSize) + 2 + k - 1, 4096);
    int bits = minCodeSize + 1;
    while ((1 << bits) <= nextFree && bits < 12)
        ++bits;
    return bits;
}

} // namespace

class TestLZWDecoder : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void decodes_data();
    void decodes();
    void tableGrowsToTwelveBitsAndFreezesWhenFull();
    void interlacedRows_data();
    void interlacedRows();
    void neverLeavesItsBuffers();
    void roundTripsEncoderOutput_data();
    void roundTripsEncoderOutput();
};

void TestLZWDecoder::decodes_data()
{
    QTest::addColumn<int>("minCodeSize");
    QTest::addColumn<int>("tableBits");
    QTest::addColumn<Codes>("codes");
    QTest::addColumn<QByteArray>("pixels");
    QTest::addColumn<bool>("damaged");

    // Codes are {value, width}; a 2-bit code size starts at 3 bits, clear 4, end 5, first free 6.
    QTest::newRow("literals, width grows at 8")
        << 2 << 2 << Codes{{4, 3}, {0, 3}, {1, 3}, {2, 3}, {3, 4}, {5, 4}} << QByteArray("\0\1\2\3", 4) << false;
    QTest::newRow("table entry") << 2 << 2 << Codes{{4, 3}, {1, 3}, {2, 3}, {6, 3}, {5, 4}}
                                 << QByteArray("\1\2\1\2", 4) << false;
    QTest::newRow("code equal to next free repeats previous plus its first")
        << 2 << 2 << Codes{{4, 3}, {1, 3}, {6, 3}, {1, 3}, {5, 4}} << QByteArray("\1\1\1\1", 4) << false;
    QTest::newRow("code beyond next free takes the same case")
        << 2 << 2 << Codes{{4, 3}, {2, 3}, {7, 3}, {5, 3}} << QByteArray("\2\2\2\0", 4) << false;
    // Without a leading clear the first code is a pixel and adds no entry (the GIF rule).
    QTest::newRow("no leading clear") << 2 << 2 << Codes{{1, 3}, {2, 3}, {6, 3}, {5, 4}}
                                      << QByteArray("\1\2\1\2", 4) << false;
    QTest::newRow("early end code leaves zeros") << 2 << 2 << Codes{{4, 3}, {3, 3}, {5, 3}}
                                                 << QByteArray("\3\0\0\0", 4) << false;
    // Two 4-bit codes fill one byte exactly, so the data ends after them.
    QTest::newRow("data runs out before the end") << 3 << 3 << Codes{{8, 4}, {1, 4}}
                                                  << QByteArray("\1\0\0\0", 4) << true;
    QTest::newRow("codes after the last pixel are not read")
        << 2 << 2 << Codes{{4, 3}, {1, 3}, {2, 3}} << QByteArray("\1\2", 2) << false;
    QTest::newRow("clear twice") << 2 << 2 << Codes{{4, 3}, {4, 3}, {3, 3}, {3, 3}, {5, 3}}
                                 << QByteArray("\3\3\0", 3) << false;
    QTest::newRow("clear resets the width")
        << 2 << 2 << Codes{{4, 3}, {0, 3}, {1, 3}, {2, 3}, {4, 4}, {3, 3}, {5, 3}} << QByteArray("\0\1\2\3", 4)
        << false;
    // Pixel mask rule: with a 2-entry table (mask 1) codes 2 and 3 are unwritten entries: 0, 0.
    QTest::newRow("unwritten entry reads as two zero pixels")
        << 2 << 1 << Codes{{4, 3}, {1, 3}, {3, 3}, {6, 3}, {5, 4}} << QByteArray("\1\0\0\1\0", 5) << false;
    QTest::newRow("first code after clear keeps its low bits")
        << 2 << 1 << Codes{{4, 3}, {3, 3}, {5, 3}} << QByteArray("\1\0", 2) << false;
    // With a 256-entry table every code up to 255 is a pixel, even one the table has filled.
    QTest::newRow("codes under the mask are pixels")
        << 2 << 8 << Codes{{4, 3}, {1, 3}, {2, 3}, {6, 3}, {5, 4}} << QByteArray("\1\2\6\0", 4) << false;
    QTest::newRow("minimum code size 1 is damaged, read as 2")
        << 1 << 2 << Codes{{4, 3}, {1, 3}, {5, 3}} << QByteArray("\1\0", 2) << true;
    QTest::newRow("minimum code size 12 is damaged, read as 9")
        << 12 << 8 << Codes{{512, 10}, {7, 10}, {513, 10}} << QByteArray("\7", 1) << true;
    QTest::newRow("empty code data") << 2 << 2 << Codes{} << QByteArray("\0\0", 2) << true;
}

void TestLZWDecoder::decodes()
{
    QFETCH(int, minCodeSize);
    QFETCH(int, tableBits);
    QFETCH(Codes, codes);
    QFETCH(QByteArray, pixels);
    QFETCH(bool, damaged);

    QByteArray out(pixels.size(), '\x7F');
    const auto result = TLZWDecoder::decode(stream(minCodeSize, codes), tableBits,
                                            reinterpret_cast<std::uint8_t *>(out.data()), std::size_t(out.size()));
    QCOMPARE(out.toHex(' '), pixels.toHex(' '));
    QCOMPARE(result.damaged, damaged);
}

void TestLZWDecoder::tableGrowsToTwelveBitsAndFreezesWhenFull()
{
    // After a clear: 5000 literal codes, each adding an entry until the table is full at 4096; then
    // code 4000 (added after the width reached 12 bits) and code 4095 (the last entry).
    const int min = 8;
    Codes codes{{256, 9}};
    QByteArray expected;
    std::vector<int> literal;
    for (int k = 0; k < 5000; ++k) {
        const int value = (k * 7) % 256;
        literal.push_back(value);
        codes.push_back({value, widthAfterClear(k, min)});
        expected.append(char(value));
    }
    // Entry e was added by code k = e - 257 and holds literal[k - 1], literal[k].
    for (int entry : {4000, 4095}) {
        const int k = entry - 257;
        codes.push_back({entry, 12});
        expected.append(char(literal[std::size_t(k - 1)]));
        expected.append(char(literal[std::size_t(k)]));
    }
    codes.push_back({256, 12});
    codes.push_back({9, 9});
    codes.push_back({257, 9});
    expected.append('\x09');

    expected.append('\0');  // one more pixel than the codes give, so that the end code is reached
    QByteArray out(expected.size(), '\x55');
    const auto result = TLZWDecoder::decode(stream(min, codes), 8, reinterpret_cast<std::uint8_t *>(out.data()),
                                            std::size_t(out.size()));
    QVERIFY(!result.damaged);
    QVERIFY(result.sawEndCode);
    QCOMPARE(out, expected);
}

void TestLZWDecoder::interlacedRows_data()
{
    QTest::addColumn<int>("height");
    QTest::addColumn<QList<int>>("order");
    QTest::newRow("height 1") << 1 << QList<int>{0};
    QTest::newRow("height 2") << 2 << QList<int>{0, 1};
    QTest::newRow("height 5") << 5 << QList<int>{0, 4, 2, 1, 3};
    QTest::newRow("height 9") << 9 << QList<int>{0, 8, 4, 2, 6, 1, 3, 5, 7};
    QTest::newRow("height 12") << 12 << QList<int>{0, 8, 4, 2, 6, 10, 1, 3, 5, 7, 9, 11};
}

void TestLZWDecoder::interlacedRows()
{
    QFETCH(int, height);
    QFETCH(QList<int>, order);
    QList<int> rows;
    for (int i = 0; i < height; ++i)
        rows.append(TLZWDecoder::interlacedRow(i, height));
    QCOMPARE(rows, order);
}

void TestLZWDecoder::neverLeavesItsBuffers()
{
    // Random code data against small and odd-sized outputs; guard bytes around the output must
    // stay untouched (ASan builds catch reads past the input).
    QRandomGenerator random(1234);
    for (int round = 0; round < 3000; ++round) {
        QByteArray data(int(random.bounded(1, 600)), '\0');
        for (char &c : data)
            c = char(random.bounded(256));
        data[0] = char(random.bounded(0, 14));
        const std::size_t size = std::size_t(random.bounded(1, 3000));
        std::vector<std::uint8_t> out(size + 32, 0xAB);
        const auto result = TLZWDecoder::decode(data, int(random.bounded(0, 10)), out.data() + 16, size);
        QVERIFY(result.pixelsWritten <= size);
        for (int i = 0; i < 16; ++i) {
            QCOMPARE(out[std::size_t(i)], std::uint8_t(0xAB));
            QCOMPARE(out[size + 16 + std::size_t(i)], std::uint8_t(0xAB));
        }
    }
}

void TestLZWDecoder::roundTripsEncoderOutput_data()
{
    QTest::addColumn<int>("minCodeSize");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("distinct");
    QTest::newRow("2 colours, one run") << 2 << 100000 << 1;
    QTest::newRow("4 colours, noise") << 2 << 50000 << 4;
    QTest::newRow("16 colours") << 4 << 70000 << 16;
    QTest::newRow("256 colours, noise (many clears)") << 8 << 200000 << 256;
    QTest::newRow("256 colours, few used") << 8 << 200000 << 3;
    QTest::newRow("single pixel") << 8 << 1 << 256;
}

void TestLZWDecoder::roundTripsEncoderOutput()
{
    QFETCH(int, minCodeSize);
    QFETCH(int, count);
    QFETCH(int, distinct);
    QRandomGenerator random(99);
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(count));
    for (std::size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = std::uint8_t(random.bounded(distinct));
    const QByteArray coded = TLZWEncoder::encode(pixels.data(), pixels.size(), minCodeSize);
    std::vector<std::uint8_t> out(pixels.size() + 1, 0xEE);
    const auto result = TLZWDecoder::decode(coded, minCodeSize, out.data(), pixels.size() + 1);
    QVERIFY(result.sawEndCode);
    QCOMPARE(result.pixelsWritten, pixels.size());
    QVERIFY(std::equal(pixels.begin(), pixels.end(), out.begin()));
}

PC_TEST_MAIN(TestLZWDecoder)
#include "tst_tlzwdecoder.moc"

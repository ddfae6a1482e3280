#include "gif/tlzwdecoder.h"
#include "gif/tlzwencoder.h"
#include "tests/gif/gifbuilder.h"
#include "tests/gif/lzwstringtable.h"
#include "tests/support/testmain.h"

#include <QRandomGenerator>

#include <algorithm>
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

// Codes of the right widths for a decoder that follows them: mostly entries of the table and
// pixels, sometimes the next free code or one beyond it, a clear now and then; long runs without a
// clear fill the table up to 4096 entries.
QByteArray randomCodes(QRandomGenerator &random, int minSize, int mask, int count)
{
    const int clear = 1 << minSize;
    Codes codes{{clear, minSize + 1}};
    int size = minSize + 1;
    int next = clear + 2;
    bool afterClear = true;
    const int clearEvery = int(random.bounded(50, 20000));
    for (int k = 0; k < count; ++k) {
        const int pick = int(random.bounded(100));
        int code;
        if (int(random.bounded(clearEvery)) == 0)
            code = clear;
        else if (pick < 30 || next <= clear + 2)
            code = int(random.bounded(std::min(clear, mask + 1)));
        else if (pick < 95)
            code = int(random.bounded(clear + 2, next));
        else if (pick < 98)
            code = std::min(next, (1 << size) - 1);
        else
            code = int(random.bounded(1 << size));
        codes.push_back({code, size});
        if (code == clear) {
            size = minSize + 1;
            next = clear + 2;
            afterClear = true;
        } else if (code == clear + 1) {
            break;
        } else if (afterClear) {
            afterClear = false;
        } else if (next < 4096 && ++next == 1 << size && size < 12) {
            ++size;
        }
    }
    codes.push_back({clear + 1, size});
    return stream(minSize, codes);
}

// The same code data in sub-blocks of other lengths: `lengths` is cycled through.
QByteArray reblocked(const QByteArray &stream, const QList<int> &lengths)
{
    QByteArray data;
    for (qsizetype at = 1; at < stream.size() && stream[at] != 0; at += 1 + quint8(stream[at]))
        data.append(stream.mid(at + 1, quint8(stream[at])));
    QByteArray out = stream.left(1);
    for (qsizetype at = 0, i = 0; at < data.size(); ++i) {
        const qsizetype n = std::min<qsizetype>(lengths[i % lengths.size()], data.size() - at);
        out.append(char(n));
        out.append(data.mid(at, n));
        at += n;
    }
    out.append('\0');
    return out;
}

} // namespace

class TestLZWDecoder : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void decodes_data();
    void decodes();
    void tableGrowsToTwelveBitsAndFreezesWhenFull();
    void neverLeavesItsBuffers();
    void roundTripsEncoderOutput_data();
    void roundTripsEncoderOutput();
    void agreesWithStringTable_data();
    void agreesWithStringTable();
    void subBlockLengthsDoNotMatter_data();
    void subBlockLengthsDoNotMatter();
    void longExpansionsStopAtTheLastPixel();
    void longestExpansionsStayInsideTheOutput();
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

void TestLZWDecoder::agreesWithStringTable_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("minCodeSize");
    QTest::addColumn<int>("tableBits");
    QTest::newRow("codes, 8-bit") << "codes" << 8 << 8;
    QTest::newRow("codes, 2-bit") << "codes" << 2 << 2;
    QTest::newRow("codes, 4-bit") << "codes" << 4 << 4;
    QTest::newRow("codes, 1-bit table, size 2") << "codes" << 2 << 1;
    QTest::newRow("codes, table wider than the code size") << "codes" << 3 << 8;
    QTest::newRow("codes, table narrower than the code size") << "codes" << 8 << 5;
    QTest::newRow("codes, size 9") << "codes" << 9 << 8;
    QTest::newRow("codes, size out of range") << "codes" << 11 << 8;
    QTest::newRow("codes cut short") << "cut" << 8 << 8;
    QTest::newRow("codes with bytes changed") << "changed" << 6 << 6;
    QTest::newRow("random bytes") << "random" << -1 << -1;
}

void TestLZWDecoder::agreesWithStringTable()
{
    QFETCH(QString, kind);
    QFETCH(int, minCodeSize);
    QFETCH(int, tableBits);
    QRandomGenerator random(quint32(qHash(QTest::currentDataTag())));
    for (int round = 0; round < 150; ++round) {
        const int bits = tableBits < 0 ? int(random.bounded(0, 10)) : tableBits;
        QByteArray data;
        if (kind == u"random") {
            data.resize(random.bounded(1, 3000));
            for (char &c : data)
                c = char(random.bounded(256));
            data[0] = char(random.bounded(0, 14));
        } else {
            const int clampedMask = (1 << std::clamp(bits, 1, 8)) - 1;
            data = randomCodes(random, std::clamp(minCodeSize, 2, 9), clampedMask, int(random.bounded(1, 9000)));
            data[0] = char(minCodeSize);
            if (kind == u"cut")
                data.truncate(random.bounded(1, int(data.size())));
            for (int i = 0; kind == u"changed" && i < 3; ++i)
                data[random.bounded(1, int(data.size()))] = char(random.bounded(256));
        }
        const int total = int(random.bounded(1, 40000));
        const StringTableDecoded expected = stringTableDecode(data, bits, total);
        std::vector<std::uint8_t> out(std::size_t(total) + 32, 0xAB);
        const auto result = TLZWDecoder::decode(data, bits, out.data(), std::size_t(total));
        const QByteArray got(reinterpret_cast<const char *>(out.data()), total);
        if (got != expected.pixels) {
            qsizetype at = 0;
            while (got[at] == expected.pixels[at])
                ++at;
            QFAIL(qPrintable(QStringLiteral("round %1: pixel %2 differs").arg(round).arg(at)));
        }
        QCOMPARE(result.pixelsWritten, expected.pixelsWritten);
        QCOMPARE(result.damaged, expected.damaged);
        QCOMPARE(result.sawEndCode, expected.sawEndCode);
        QVERIFY(std::all_of(out.end() - 32, out.end(), [](std::uint8_t b) { return b == 0xAB; }));
    }
}

void TestLZWDecoder::subBlockLengthsDoNotMatter_data()
{
    QTest::addColumn<QList<int>>("lengths");
    QTest::newRow("1") << QList<int>{1};
    QTest::newRow("2") << QList<int>{2};
    QTest::newRow("7") << QList<int>{7};
    QTest::newRow("8") << QList<int>{8};
    QTest::newRow("9") << QList<int>{9};
    QTest::newRow("15, 16, 17") << QList<int>{15, 16, 17};
    QTest::newRow("254") << QList<int>{254};
    QTest::newRow("1, 255, 3, 8") << QList<int>{1, 255, 3, 8};
}

void TestLZWDecoder::subBlockLengthsDoNotMatter()
{
    // Where a code crosses from one sub-block into the next must not change it.
    QFETCH(QList<int>, lengths);
    QRandomGenerator random(7);
    std::vector<std::uint8_t> pixels(60000);
    for (std::size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = std::uint8_t(i % 3000 < 1500 ? random.bounded(256) : (i / 40) % 7);
    const QByteArray coded = reblocked(TLZWEncoder::encode(pixels.data(), pixels.size(), 8), lengths);
    std::vector<std::uint8_t> out(pixels.size());
    const auto result = TLZWDecoder::decode(coded, 8, out.data(), out.size());
    QVERIFY(!result.damaged);
    QCOMPARE(result.pixelsWritten, pixels.size());
    QVERIFY(out == pixels);
}

void TestLZWDecoder::longExpansionsStopAtTheLastPixel()
{
    // Runs give expansions of every length up to hundreds of pixels. Output ending at each pixel
    // of the first few hundred: the pixels up to there, nothing written beyond.
    std::vector<std::uint8_t> pixels(5000);
    for (std::size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = std::uint8_t(i < 3000 ? 5 : (i / 9) % 3);
    const QByteArray coded = TLZWEncoder::encode(pixels.data(), pixels.size(), 8);
    for (std::size_t total = 1; total <= 700; ++total) {
        std::vector<std::uint8_t> out(total + 32, 0xAB);
        const auto result = TLZWDecoder::decode(coded, 8, out.data(), total);
        QCOMPARE(result.pixelsWritten, total);
        QVERIFY2(std::equal(out.begin(), out.begin() + std::ptrdiff_t(total), pixels.begin()), qPrintable(QString::number(total)));
        QVERIFY2(std::all_of(out.begin() + std::ptrdiff_t(total), out.end(), [](std::uint8_t b) { return b == 0xAB; }),
                 qPrintable(QString::number(total)));
    }
    for (std::size_t total = 2980; total <= 3020; ++total) {
        std::vector<std::uint8_t> out(total + 32, 0xAB);
        TLZWDecoder::decode(coded, 8, out.data(), total);
        QVERIFY(std::equal(out.begin(), out.begin() + std::ptrdiff_t(total), pixels.begin()));
        QVERIFY(std::all_of(out.begin() + std::ptrdiff_t(total), out.end(), [](std::uint8_t b) { return b == 0xAB; }));
    }
}

void TestLZWDecoder::longestExpansionsStayInsideTheOutput()
{
    // One colour throughout: each code stands for one pixel more than the one before, until the
    // table is full at about 4090 pixels. Outputs that end just past the longest codes, or about
    // 4096 pixels past their start: every pixel up to there, nothing written beyond.
    const std::vector<std::uint8_t> pixels(std::size_t(4091) * 4092 / 2 + 20000, 3);
    const QByteArray coded = TLZWEncoder::encode(pixels.data(), pixels.size(), 2);
    for (const std::size_t longest : {4090, 4091}) {
        const std::size_t start = longest * (longest - 1) / 2;  // where the code of that length starts
        for (std::size_t past = longest - 20; past <= 4160; past += 5) {
            const std::size_t total = start + past;
            std::vector<std::uint8_t> out(total + 32, 0xAB);
            const auto result = TLZWDecoder::decode(coded, 2, out.data(), total);
            QCOMPARE(result.pixelsWritten, total);
            const auto end = out.begin() + std::ptrdiff_t(total);
            QVERIFY2(std::all_of(out.begin(), end, [](std::uint8_t b) { return b == 3; }), qPrintable(QString::number(total)));
            QVERIFY2(std::all_of(end, out.end(), [](std::uint8_t b) { return b == 0xAB; }), qPrintable(QString::number(total)));
        }
    }
}

PC_TEST_MAIN(TestLZWDecoder)
#include "tst_tlzwdecoder.moc"

#include "gif/tgifimage.h"
#include "tests/support/testmain.h"
#include "toolkit/error.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QImageReader>
#include <QPainter>

#include <algorithm>

namespace {

QString suiteDir()
{
    const QByteArray env = qgetenv("PC_GIF_SUITE");
    return env.isEmpty() ? QStringLiteral(PC_SOURCE_DIR "/../shared/gif-suite") : QString::fromLocal8Bit(env);
}

using Ini = QHash<QString, QHash<QString, QString>>;

Ini readIni(const QString &path)
{
    Ini ini;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return ini;
    QString section;
    for (const QByteArray &raw : file.readAll().split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        if (line.startsWith(u'[')) {
            section = line.mid(1, line.size() - 2);
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (eq > 0)
            ini[section][line.left(eq).trimmed()] = line.mid(eq + 1).trimmed();
    }
    return ini;
}

QImage expectedFrame(const QString &dir, const QHash<QString, QString> &frame, int w, int h)
{
    if (frame.contains(QStringLiteral("image")))
        return QImage(dir + u'/' + frame[QStringLiteral("image")]).convertToFormat(QImage::Format_ARGB32);
    QFile file(dir + u'/' + frame[QStringLiteral("pixels")]);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray rgba = file.readAll();
    if (rgba.size() != qsizetype(w) * h * 4)
        return {};
    QImage image(w, h, QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const char *p = rgba.constData() + (qsizetype(y) * w + x) * 4;
            image.setPixel(x, y, qRgba(quint8(p[0]), quint8(p[1]), quint8(p[2]), quint8(p[3])));
        }
    return image;
}

// Composes the frames as a renderer of this reader does: a see-through canvas of the logical size,
// each frame drawn at its offset with pixels of its key colour left out (white for 1-bit frames),
// then disposed of: 2 clears the frame's rectangle, 3 restores the canvas from before the frame.
// A frame without a delay is shown together with the ones after it, up to one with a delay,
// unless the file is one that readers show as an animation anyway (everyImage).
QList<QImage> compose(TGIFImage &image, QString &error, bool everyImage = false)
{
    QList<QImage> out;
    QImage canvas(image.LogicalWidth(), image.LogicalHeight(), QImage::Format_ARGB32);
    canvas.fill(0);
    for (int i = 0; i < image.FrameCount(); ++i) {
        TGIFFrame &frame = image.Frames(i);
        QImage picture;
        try {
            picture = frame.bitmap();
        } catch (const tk::Error &e) {
            error = QString::fromUtf8(e.what());
            return out;
        }
        const QImage before = canvas;
        const bool keyed = !frame.KeyColor().isNone();
        const QRgb key = frame.pictureDepth() == 1 ? tk::clWhite.rgb() : frame.KeyColor().rgb();
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x) {
                const int cx = frame.OffsetX() + x, cy = frame.OffsetY() + y;
                if (cx >= canvas.width() || cy >= canvas.height())
                    continue;
                const QRgb c = picture.pixel(x, y);
                if (!keyed || c != key)
                    canvas.setPixel(cx, cy, c | 0xFF000000u);
            }
        if (everyImage || frame.DelayMs() > 0 || i + 1 == image.FrameCount())
            out.append(canvas);
        if (frame.DisposalMode() == dmRestoreToBackground) {
            for (int y = 0; y < picture.height(); ++y)
                for (int x = 0; x < picture.width(); ++x)
                    if (frame.OffsetX() + x < canvas.width() && frame.OffsetY() + y < canvas.height())
                        canvas.setPixel(frame.OffsetX() + x, frame.OffsetY() + y, 0);
        } else if (frame.DisposalMode() == dmRestoreToPrevious) {
            canvas = before;
        }
    }
    return out;
}

QImage readBack(TGIFFrame &frame)
{
    return frame.transparentImage().convertToFormat(QImage::Format_ARGB32);
}

bool sameFrame(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            if (qAlpha(p) == 0 && qAlpha(q) == 0)
                continue;
            if (p != q)
                return false;
        }
    return true;
}

// Tests whose expected frames differ from what this reader's rules give, and why.
const QHash<QString, const char *> &knownDifferences()
{
    static const QHash<QString, const char *> reasons = {
        {"no-data", "a descriptor with no code data after it: the missing minimum code size is \"Stream read error\""},
        {"image-zero-width", "a frame width of 0 takes the logical width instead of drawing nothing"},
        {"image-zero-height", "a frame height of 0 takes the logical height instead of drawing nothing"},
        {"image-zero-size", "a frame size of 0 takes the logical size instead of drawing nothing"},
        {"invalid-colors", "indices beyond the table: entries past the table's count are drawn 128 grey, opaque"},
        {"unknown-extension", "an unknown extension label fails with \"Unrecognized extension block: 2a\""},
        {"invalid-code", "the pixel mask rule: codes above the mask that the table never filled give 0, 0"},
        {"max-size", "a 65535 x 65535 logical screen needs more than 64 MiB and is refused"},
        {"max-codes", "minimum code size 11 is outside 2 to 9: the frame is marked damaged and read with 9"},
        {"overflow-codes", "a full table stays frozen and decoding goes on, where the suite counts an error"},
        {"overflow-codes-max", "a full table stays frozen and decoding goes on, where the suite counts an error"},
        {"plain-text", "the image after a plain-text block is read as a frame, where the suite shows none"},
    };
    return reasons;
}

// Files outside the GIF rules on which Qt's reader and ours may rightly differ.
const QHash<QString, const char *> &outsideTheRules()
{
    static const QHash<QString, const char *> reasons = {
        {"invalid-code", "a code beyond the table: Qt refuses the frame"},
        {"invalid-colors", "indices beyond the colour table: each reader picks its own colour"},
    };
    return reasons;
}

} // namespace

class TestGifSuite : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void conformance_data();
    void conformance();
    void agreesWithQt_data();
    void agreesWithQt();
    void directDrawingAgrees_data();
    void directDrawingAgrees();
};

void TestGifSuite::conformance_data()
{
    QTest::addColumn<QString>("name");
    QFile list(suiteDir() + QStringLiteral("/TESTS"));
    if (!list.open(QIODevice::ReadOnly))
        QSKIP("the GIF conformance suite is not present");
    for (const QByteArray &line : list.readAll().split('\n'))
        if (!line.trimmed().isEmpty())
            QTest::newRow(line.trimmed().constData()) << QString::fromUtf8(line.trimmed());
}

void TestGifSuite::conformance()
{
    QFETCH(QString, name);
    const QString dir = suiteDir();
    const Ini ini = readIni(dir + u'/' + name + QStringLiteral(".conf"));
    const auto config = ini.value(QStringLiteral("config"));
    QFile input(dir + u'/' + config.value(QStringLiteral("input")));
    QVERIFY(input.open(QIODevice::ReadOnly));

    TGIFImage image;
    QString error;
    try {
        image.loadFromBytes(input.readAll());
    } catch (const tk::Error &e) {
        error = QString::fromUtf8(e.what());
    }
    QList<QImage> frames;
    if (error.isEmpty())
        frames = compose(image, error, config.value(QStringLiteral("force-animation")) == u"yes");
    const int w = config.value(QStringLiteral("width")).toInt();
    const int h = config.value(QStringLiteral("height")).toInt();
    const QStringList names = config.value(QStringLiteral("frames")).split(u',', Qt::SkipEmptyParts);

    QString mismatch;
    if (!error.isEmpty())
        mismatch = QStringLiteral("error: ") + error;
    else if (frames.size() != names.size())
        mismatch = QStringLiteral("%1 frames, expected %2").arg(frames.size()).arg(names.size());
    for (int i = 0; mismatch.isEmpty() && i < names.size(); ++i) {
        const QImage expected = expectedFrame(dir, ini.value(names[i].trimmed()), w, h);
        if (!sameFrame(frames[i], expected))
            mismatch = QStringLiteral("frame %1 differs").arg(i);
    }
    if (knownDifferences().contains(name))
        QEXPECT_FAIL("", knownDifferences().value(name), Continue);
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
}

void TestGifSuite::agreesWithQt_data()
{
    conformance_data();
}

void TestGifSuite::agreesWithQt()
{
    QFETCH(QString, name);
    if (!QImageReader::supportedImageFormats().contains("gif"))
        QSKIP("Qt's GIF plugin is not installed");
    if (outsideTheRules().contains(name))
        QSKIP(outsideTheRules().value(name));
    const Ini ini = readIni(suiteDir() + u'/' + name + QStringLiteral(".conf"));
    QFile input(suiteDir() + u'/' + ini.value(QStringLiteral("config")).value(QStringLiteral("input")));
    QVERIFY(input.open(QIODevice::ReadOnly));
    QByteArray bytes = input.readAll();
    TGIFImage image;
    try {
        image.loadFromBytes(bytes);
    } catch (const tk::Error &) {
        QSKIP("our reader refuses this file");
    }
    // Both must agree on files that stay inside the GIF rules: every frame covering the logical
    // screen, every index inside its table, no see-through pixels, nothing damaged.
    QString error;
    const QList<QImage> ours = compose(image, error);
    if (!error.isEmpty() || ours.isEmpty() || image.isTransparent())
        QSKIP("outside what both readers must agree on");
    for (int i = 0; i < image.FrameCount(); ++i) {
        TGIFFrame &frame = image.Frames(i);
        if (frame.IsDamaged() || frame.OffsetX() != 0 || frame.OffsetY() != 0
            || frame.width() != image.LogicalWidth() || frame.height() != image.LogicalHeight())
            QSKIP("outside what both readers must agree on");
        const QImage &picture = frame.bitmap();
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                if (std::uint32_t(picture.pixelIndex(x, y)) >= frame.Item().ColorTable.Count)
                    QSKIP("indices outside the table");
    }
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer, "gif");
    for (int i = 0; i < image.FrameCount(); ++i) {
        const QImage theirs = reader.read();
        QVERIFY2(!theirs.isNull(), qPrintable(reader.errorString()));
        QVERIFY2(sameFrame(theirs.convertToFormat(QImage::Format_ARGB32), readBack(image.Frames(i))),
                 qPrintable(QStringLiteral("frame %1").arg(i)));
    }
}


void TestGifSuite::directDrawingAgrees_data()
{
    conformance_data();
}

// Every frame the reader decodes, written straight onto a picture of the logical screen at its
// offset, gives what a painter drawing it there gives.
void TestGifSuite::directDrawingAgrees()
{
    QFETCH(QString, name);
    const Ini ini = readIni(suiteDir() + u'/' + name + QStringLiteral(".conf"));
    QFile input(suiteDir() + u'/' + ini.value(QStringLiteral("config")).value(QStringLiteral("input")));
    QVERIFY(input.open(QIODevice::ReadOnly));
    TGIFImage image;
    try {
        image.loadFromBytes(input.readAll());
    } catch (const tk::Error &) {
        QSKIP("our reader refuses this file");
    }
    const QSize screen(std::min<int>(image.LogicalWidth(), 1024), std::min<int>(image.LogicalHeight(), 1024));
    for (int i = 0; i < image.FrameCount(); ++i) {
        TGIFFrame &frame = image.Frames(i);
        try {
            frame.bitmap();
        } catch (const tk::Error &) {
            continue;
        }
        QImage expected(screen, QImage::Format_RGB32);
        for (int y = 0; y < expected.height(); ++y)
            for (int x = 0; x < expected.width(); ++x)
                expected.setPixel(x, y, qRgb(x * 7, y * 5, x ^ y));
        QImage direct = expected.copy();
        const QPoint at(frame.OffsetX(), frame.OffsetY());
        {
            QPainter painter(&expected);
            frame.draw(painter, QRect(at, frame.bitmap().size()), true);
        }
        frame.drawOnto(direct, at, true);
        QVERIFY2(direct == expected, qPrintable(QStringLiteral("frame %1 differs").arg(i)));
    }
}

PC_TEST_MAIN(TestGifSuite)
#include "tst_gifsuite.moc"

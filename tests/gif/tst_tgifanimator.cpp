#include "gif/tgifanimator.h"

#include "assets/logoformdata.h"
#include "gif/tgifimage.h"
#include "gif/timagecontrol.h"
#include "tests/support/pixelprobe.h"
#include "tests/support/testmain.h"
#include "toolkit/error.h"
#include "widgets/tthreadedtimer.h"

#include <QBackingStore>
#include <QDialog>
#include <QElapsedTimer>
#include <QThread>
#include <QPainter>
#include <QSignalSpy>
#include <QTimer>

#include <array>
#include <atomic>
#include <functional>

namespace {

// The four colours of the test pictures' table; index 0 is the see-through one.
constexpr QRgb keyRgb = 0xFF020240u; // (2, 2, 64)
constexpr QRgb red = 0xFFFF0000u;
constexpr QRgb green = 0xFF00FF00u;
constexpr QRgb blue = 0xFF0000FFu;
constexpr std::array<QRgb, 4> table{keyRgb, red, green, blue};
constexpr QRgb windowWhite = 0xFFFFFFFFu;

struct FramePlan {
    QRect rect;
    QList<int> pixels;        // indices 0..3, row by row; a single entry fills the rectangle
    int disposal = 1;
    int transparentIndex = 0; // -1: none
    int delayCs = 10;
    bool localTable = false;
};

struct GifPlan {
    QSize screen{4, 4};
    bool globalTable = true;
    int backgroundIndex = 0;
    QList<FramePlan> frames;
};

void put16(QByteArray &out, int v)
{
    out.append(char(v & 0xFF));
    out.append(char(v >> 8 & 0xFF));
}

void putTable(QByteArray &out)
{
    for (const QRgb c : table) {
        out.append(char(qRed(c)));
        out.append(char(qGreen(c)));
        out.append(char(qBlue(c)));
    }
}

// LZW data with a minimum code size of 2 that never lets the code size grow: a clear code
// before every second pixel keeps all codes 3 bits wide.
QByteArray codeData(const QList<int> &pixels)
{
    QByteArray bytes;
    quint32 acc = 0;
    int bits = 0;
    auto code = [&](int c) {
        acc |= quint32(c) << bits;
        bits += 3;
        while (bits >= 8) {
            bytes.append(char(acc & 0xFF));
            acc >>= 8;
            bits -= 8;
        }
    };
    for (qsizetype i = 0; i < pixels.size(); ++i) {
        if (i % 2 == 0)
            code(4);
        code(pixels[i]);
    }
    code(5);
    if (bits > 0)
        bytes.append(char(acc & 0xFF));
    QByteArray out(1, char(2));
    for (qsizetype at = 0; at < bytes.size(); at += 255) {
        const QByteArray block = bytes.mid(at, 255);
        out.append(char(block.size()));
        out.append(block);
    }
    out.append(char(0));
    return out;
}

QByteArray buildGif(const GifPlan &plan)
{
    QByteArray out("GIF89a");
    put16(out, plan.screen.width());
    put16(out, plan.screen.height());
    out.append(char(plan.globalTable ? 0x81 : 0x01));
    out.append(char(plan.backgroundIndex));
    out.append(char(0));
    if (plan.globalTable)
        putTable(out);
    for (const FramePlan &f : plan.frames) {
        out.append("\x21\xF9\x04", 3);
        out.append(char(f.disposal << 2 | (f.transparentIndex >= 0 ? 1 : 0)));
        put16(out, f.delayCs);
        out.append(char(f.transparentIndex >= 0 ? f.transparentIndex : 0));
        out.append(char(0));
        out.append(char(0x2C));
        put16(out, f.rect.x());
        put16(out, f.rect.y());
        put16(out, f.rect.width());
        put16(out, f.rect.height());
        out.append(char(f.localTable ? 0x81 : 0x00));
        if (f.localTable)
            putTable(out);
        QList<int> pixels = f.pixels;
        const int area = f.rect.width() * f.rect.height();
        if (pixels.size() == 1)
            pixels = QList<int>(area, pixels.first());
        Q_ASSERT(pixels.size() == area);
        out.append(codeData(pixels));
    }
    out.append(char(0x3B));
    return out;
}

QByteArray formData(const QByteArray &gif)
{
    QByteArray out;
    const auto n = quint32(gif.size());
    for (int i = 0; i < 4; ++i)
        out.append(char(n >> (8 * i) & 0xFF));
    return out + gif;
}

void load(TGIFAnimator &animator, const GifPlan &plan)
{
    animator.image().loadFromFormData(formData(buildGif(plan)));
}

// Frames 0..2 on a 4 x 4 screen: red all over, then green in (1, 1)-(2, 2) with the given
// disposal, then blue at (0, 0) beside a see-through pixel at (1, 0).
GifPlan threeFrames(int secondDisposal)
{
    GifPlan plan;
    plan.frames = {FramePlan{QRect(0, 0, 4, 4), {1}},
                   FramePlan{QRect(1, 1, 2, 2), {2}, secondDisposal},
                   FramePlan{QRect(0, 0, 2, 1), {3, 0}}};
    return plan;
}

// The three frames, 50 ms each: an animation that plays through quickly.
GifPlan playingThreeFrames()
{
    GifPlan plan = threeFrames(1);
    for (FramePlan &f : plan.frames)
        f.delayCs = 5;
    return plan;
}

struct Host {
    QWidget parent;
    TGIFAnimator *animator;
    explicit Host(QColor background = Qt::white, QSize size = QSize(120, 120))
    {
        parent.resize(size);
        parent.setAutoFillBackground(true);
        QPalette p = parent.palette();
        p.setColor(QPalette::Window, background);
        parent.setPalette(p);
        animator = new TGIFAnimator(&parent);
    }
};

// The colour of logical pixel (x, y) of a grab, 0 where it is not drawn crisp at the grab's scale.
QRgb at(const QImage &shot, int x, int y)
{
    return PixelProbe(shot).at(x, y);
}

using HostStep = std::function<void(Host &)>;

// An image control whose content is a green square in its middle over what lies beneath, and
// which the test can repaint as an animation's frame repaints it. As an overlay, the square is
// also offered as a picture to lay over the kept background (at the scale of 1).
class SquareOverBackground : public TImageControl {
public:
    explicit SquareOverBackground(QWidget *parent, bool asOverlay = false) : TImageControl(parent), m_asOverlay(asOverlay)
    {
        m_square.fill(Qt::green);
    }
    using TImageControl::repaintOwnContent;

protected:
    void paintContent(QPainter &canvas) override
    {
        paintBackground(canvas);
        canvas.fillRect(QRect(8, 8, 4, 4), Qt::green);
    }
    Overlay overlay(qreal ratio) override
    {
        if (!m_asOverlay || ratio != 1.0)
            return {};
        return Overlay{&m_square, QPoint(8, 8), {}};
    }

private:
    bool m_asOverlay;
    QImage m_square{4, 4, QImage::Format_RGB32};
};

// An animator the test can repaint as a tick repaints it.
class TickedAnimator : public TGIFAnimator {
public:
    using TGIFAnimator::TGIFAnimator;
    using TGIFAnimator::repaintOwnContent;
};

// What the window shows at its logical pixel (x, y): its backing store's pixels (what goes to the
// screen), not a fresh rendering.
QRgb onScreen(QWidget &window, int x, int y)
{
    QPaintDevice *device = window.backingStore()->paintDevice();
    if (device == nullptr || device->devType() != QInternal::Image)
        return 0;
    QImage shot = *static_cast<QImage *>(device);
    shot.setDevicePixelRatio(qreal(shot.width()) / window.width());
    return PixelProbe(shot).at(x, y);
}

} // namespace

Q_DECLARE_METATYPE(HostStep)

class tst_TGIFAnimator : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void defaults();
    void disposal_data();
    void disposal();
    void fillColour_data();
    void fillColour();
    void startFrame_data();
    void startFrame();
    void wrapToFrameZeroRecomposes();
    void decodeFailureKeepsCache_data();
    void decodeFailureKeepsCache();
    void frameDelay_data();
    void frameDelay();
    void frameIndexSetter_data();
    void frameIndexSetter();
    void loopFalseStopsOnWrap();
    void destination_data();
    void destination();
    void autoSize();
    void seeThrough_data();
    void seeThrough();
    void readsStoredPropertiesInStreamOrder();
    void playsDuringModalLoop();
    void ownRepaintShowsWhatLiesBeneathNow_data();
    void ownRepaintShowsWhatLiesBeneathNow();
    void restsUnseenAndPlaysOnFromItsFrame_data();
    void restsUnseenAndPlaysOnFromItsFrame();
    void logoAsTheMainWindowPlacesIt();
    void tickedFramesMatchFullPaints_data();
    void tickedFramesMatchFullPaints();
    void notificationsQuietDuringDestruction();
    void asyncDrawing_data();
    void asyncDrawing();
    void asyncDestructionWhilePlaying();
    void paintFailureIsReported();
};

void tst_TGIFAnimator::defaults()
{
    TGIFAnimator a;
    QCOMPARE(a.size(), QSize(105, 105));
    QVERIFY(!a.animate());
    QVERIFY(a.autoSize());
    QVERIFY(!a.center());
    QCOMPARE(a.frameIndex(), 0);
    QVERIFY(a.loop());
    QVERIFY(!a.stretch());
    QVERIFY(a.transparent());
    QCOMPARE(a.cacheIndex(), -1);
    QVERIFY(a.image().isEmpty());
    QVERIFY(a.testAttribute(Qt::WA_OpaquePaintEvent));
    QCOMPARE(a.timer().interval(), 1000u);
    QVERIFY(a.timer().enabled());
    QVERIFY(!a.timer().onTimer());
}

void tst_TGIFAnimator::disposal_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("sequential"); // compose 0, 1, 2 in turn, or jump to 2
    QTest::addColumn<QRgb>("underSecond");
    QTest::addColumn<int>("recompositions");

    for (const bool sequential : {true, false}) {
        const QByteArray how = sequential ? ", frame by frame" : ", jump to the frame";
        QTest::newRow("0 unspecified keeps" + how) << 0 << sequential << green << 1;
        QTest::newRow("1 keep" + how) << 1 << sequential << green << 1;
        QTest::newRow("2 clears to the fill colour" + how) << 2 << sequential << keyRgb << 1;
        QTest::newRow("3 leaves the frame out" + how) << 3 << sequential << red << (sequential ? 2 : 1);
        // Modes 4 to 7: kept when the cache is extended, left out when composing afresh.
        QTest::newRow("5 unknown" + how) << 5 << sequential << (sequential ? green : red) << 1;
    }
}

void tst_TGIFAnimator::disposal()
{
    QFETCH(int, mode);
    QFETCH(bool, sequential);
    QFETCH(QRgb, underSecond);
    QFETCH(int, recompositions);

    TGIFAnimator a;
    load(a, threeFrames(mode));
    if (sequential) {
        a.composeFrame(0);
        const QImage second = a.composeFrame(1);
        QCOMPARE(second.pixel(1, 1), green);
        QCOMPARE(second.pixel(0, 0), red);
    }
    tk::TColor key;
    const QImage third = a.composeFrame(2, &key);
    QCOMPARE(third.size(), QSize(4, 4));
    QCOMPARE(key, tk::TColor::fromRgb(2, 2, 64));
    QCOMPARE(a.cacheIndex(), 2);
    QCOMPARE(third.pixel(1, 1), underSecond);
    QCOMPARE(third.pixel(2, 2), underSecond);
    QCOMPARE(third.pixel(0, 0), blue);
    QCOMPARE(third.pixel(1, 0), red); // see-through pixel of frame 2
    QCOMPARE(third.pixel(3, 3), red);
    QCOMPARE(a.recompositions(), std::uint64_t(recompositions));
}

void tst_TGIFAnimator::fillColour_data()
{
    QTest::addColumn<int>("firstKey");        // transparent index of frame 0, -1 none
    QTest::addColumn<int>("secondKey");       // of frame 1
    QTest::addColumn<int>("backgroundIndex"); // 9 lies outside the table: no screen background
    QTest::addColumn<QRgb>("fill");
    QTest::addColumn<bool>("keyed");

    QTest::newRow("selected frame's key colour") << 0 << -1 << 2 << keyRgb << true;
    QTest::newRow("screen background, image transparent") << -1 << 0 << 2 << green << false;
    QTest::newRow("window colour, image opaque") << -1 << -1 << 2 << windowWhite << false;
    QTest::newRow("window colour, no screen background") << -1 << 0 << 9 << windowWhite << false;
}

void tst_TGIFAnimator::fillColour()
{
    QFETCH(int, firstKey);
    QFETCH(int, secondKey);
    QFETCH(int, backgroundIndex);
    QFETCH(QRgb, fill);
    QFETCH(bool, keyed);

    GifPlan plan;
    plan.backgroundIndex = backgroundIndex;
    FramePlan first{QRect(0, 0, 2, 2), {1}};
    first.transparentIndex = firstKey;
    FramePlan second{QRect(3, 3, 1, 1), {3}};
    second.transparentIndex = secondKey;
    plan.frames = {first, second};
    TGIFAnimator a;
    load(a, plan);

    tk::TColor key;
    const QImage composed = a.composeFrame(0, &key);
    QCOMPARE(composed.pixel(0, 0), red);
    QCOMPARE(composed.pixel(3, 3), fill);
    QCOMPARE(composed.pixel(2, 0), fill);
    QCOMPARE(key.isNone(), !keyed);
}

void tst_TGIFAnimator::startFrame_data()
{
    QTest::addColumn<int>("thirdKey");      // transparent index of the full-screen frame 2
    QTest::addColumn<int>("thirdDisposal");
    QTest::addColumn<QRgb>("atHole");       // (1, 1): a see-through pixel of frame 2
    QTest::addColumn<bool>("secondDecoded");

    QTest::newRow("full frame without key starts it") << -1 << 1 << keyRgb << false;
    QTest::newRow("full frame with key does not") << 0 << 1 << green << true;
    QTest::newRow("full keyed frame with mode 2 before n starts it") << 0 << 2 << keyRgb << false;
}

void tst_TGIFAnimator::startFrame()
{
    QFETCH(int, thirdKey);
    QFETCH(int, thirdDisposal);
    QFETCH(QRgb, atHole);
    QFETCH(bool, secondDecoded);

    // Frame 2 is blue over the whole screen but for index 0 at (1, 1); without a key that pixel
    // shows the key colour itself.
    QList<int> third(16, 3);
    third[5] = 0;
    FramePlan full{QRect(0, 0, 4, 4), third, thirdDisposal};
    full.transparentIndex = thirdKey;
    GifPlan plan;
    plan.frames = {FramePlan{QRect(0, 0, 4, 4), {1}}, FramePlan{QRect(1, 1, 2, 2), {2}}, full,
                   FramePlan{QRect(3, 3, 1, 1), {1}}};
    TGIFAnimator a;
    load(a, plan);
    const QImage composed = a.composeFrame(3);
    QCOMPARE(composed.pixel(3, 3), red);
    QCOMPARE(composed.pixel(1, 1), atHole);
    QCOMPARE(composed.pixel(0, 0), thirdDisposal == 2 ? keyRgb : blue);
    // Frames before the start frame are neither drawn nor decoded.
    QCOMPARE(a.image().Frames(1).isDecoded(), secondDecoded);
}

void tst_TGIFAnimator::wrapToFrameZeroRecomposes()
{
    TGIFAnimator a;
    load(a, threeFrames(1));
    a.composeFrame(0);
    a.composeFrame(1);
    a.composeFrame(2);
    QCOMPARE(a.recompositions(), std::uint64_t(1));
    const QImage first = a.composeFrame(0);
    QCOMPARE(a.recompositions(), std::uint64_t(2));
    QCOMPARE(a.cacheIndex(), 0);
    QCOMPARE(first.pixel(1, 1), red);
    QCOMPARE(first.pixel(0, 0), red);
    // An index beyond the last frame composes the last one.
    a.composeFrame(1);
    QCOMPARE(a.composeFrame(7).pixel(0, 0), blue);
    QCOMPARE(a.cacheIndex(), 2);
}

void tst_TGIFAnimator::decodeFailureKeepsCache_data()
{
    QTest::addColumn<bool>("extending");
    QTest::addColumn<int>("cacheAfter");
    QTest::newRow("extending the cache keeps its index") << true << 0;
    QTest::newRow("a fresh composition is dropped") << false << -1;
}

void tst_TGIFAnimator::decodeFailureKeepsCache()
{
    QFETCH(bool, extending);
    QFETCH(int, cacheAfter);

    // No global table: frame 1, without a table of its own, cannot be decoded.
    GifPlan plan;
    plan.globalTable = false;
    FramePlan first{QRect(0, 0, 4, 4), {1}};
    first.localTable = true;
    plan.frames = {first, FramePlan{QRect(0, 0, 1, 1), {2}}};
    TGIFAnimator a;
    load(a, plan);
    QCOMPARE(a.image().FrameCount(), 2);
    if (extending)
        a.composeFrame(0);
    QVERIFY_THROWS_EXCEPTION(tk::Error, a.composeFrame(1));
    QCOMPARE(a.cacheIndex(), cacheAfter);
}

void tst_TGIFAnimator::frameDelay_data()
{
    QTest::addColumn<int>("frames");
    QTest::addColumn<int>("delayCs");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("expected");

    QTest::newRow("0 ms plays at 50") << 2 << 0 << 0 << 50;
    QTest::newRow("20 ms plays at 50") << 2 << 2 << 0 << 50;
    QTest::newRow("50 ms") << 2 << 5 << 0 << 50;
    QTest::newRow("100 ms") << 2 << 10 << 0 << 100;
    QTest::newRow("20 000 ms plays at 10 000") << 2 << 2000 << 0 << 10000;
    QTest::newRow("one frame: the timer rests") << 1 << 10 << 0 << 0;
    QTest::newRow("index -1") << 2 << 10 << -1 << 0;
    QTest::newRow("index at the frame count") << 2 << 10 << 2 << 0;
}

void tst_TGIFAnimator::frameDelay()
{
    QFETCH(int, frames);
    QFETCH(int, delayCs);
    QFETCH(int, index);
    QFETCH(int, expected);

    GifPlan plan;
    for (int i = 0; i < frames; ++i) {
        FramePlan f{QRect(0, 0, 4, 4), {1}};
        f.delayCs = delayCs;
        plan.frames << f;
    }
    Host host;
    host.animator->setAnimate(true);
    load(*host.animator, plan);
    QCOMPARE(host.animator->frameDelayOf(index), expected);
    // The image change gives the timer frame 0's delay.
    QCOMPARE(int(host.animator->timer().interval()), host.animator->frameDelayOf(0));
}

void tst_TGIFAnimator::frameIndexSetter_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("taken");
    QTest::newRow("the frame count") << 3 << false;
    QTest::newRow("minus one") << -1 << false;
    QTest::newRow("the current value") << 0 << false;
    QTest::newRow("a valid index") << 2 << true;
}

void tst_TGIFAnimator::frameIndexSetter()
{
    QFETCH(int, index);
    QFETCH(bool, taken);

    GifPlan plan = threeFrames(1);
    plan.frames[2].delayCs = 30;
    TGIFAnimator a;
    load(a, plan);
    QSignalSpy frames(&a, &TGIFAnimator::OnFrameChanged);
    a.setFrameIndex(index);
    QCOMPARE(frames.size(), taken ? 1 : 0);
    QCOMPARE(a.frameIndex(), taken ? index : 0);
    QCOMPARE(a.timer().interval(), taken ? 300u : 100u);
}

void tst_TGIFAnimator::loopFalseStopsOnWrap()
{
    const GifPlan plan = playingThreeFrames();
    Host host;
    TGIFAnimator &a = *host.animator;
    load(a, plan);
    a.setLoop(false);
    host.parent.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host.parent));

    QList<int> seen;
    connect(&a, &TGIFAnimator::OnFrameChanged, &a, [&](TGIFAnimator *sender) { seen << sender->frameIndex(); });
    QSignalSpy stops(&a, &TGIFAnimator::OnStop);
    a.setAnimate(true);
    QTRY_COMPARE_WITH_TIMEOUT(stops.size(), 1, 5000);
    QCOMPARE(seen, (QList<int>{1, 2, 0}));
    QVERIFY(!a.animate());
    QCOMPARE(a.frameIndex(), 0);
    QVERIFY(!a.timer().onTimer());
    // Frame 0 is what the control shows.
    QCOMPARE(at(a.grab().toImage(), 0, 0), red);
}

void tst_TGIFAnimator::destination_data()
{
    QTest::addColumn<bool>("stretch");
    QTest::addColumn<bool>("center");
    QTest::addColumn<QRect>("expected");
    QTest::addColumn<QPoint>("pos");
    // At 1.5 times the scale an odd position starts the control inside a device pixel.
    for (const QPoint pos : {QPoint(10, 10), QPoint(3, 7)}) {
        const QByteArray at = pos.x() % 2 ? ", odd position" : "";
        QTest::newRow("centred" + at) << false << true << QRect(3, 10, 93, 80) << pos;
        QTest::newRow("top-left" + at) << false << false << QRect(0, 0, 93, 80) << pos;
        QTest::newRow("stretched" + at) << true << false << QRect(0, 0, 100, 100) << pos;
        QTest::newRow("stretch wins over centre" + at) << true << true << QRect(0, 0, 100, 100) << pos;
    }
}

void tst_TGIFAnimator::destination()
{
    QFETCH(bool, stretch);
    QFETCH(bool, center);
    QFETCH(QRect, expected);
    QFETCH(QPoint, pos);

    GifPlan plan;
    plan.screen = QSize(93, 80);
    FramePlan f{QRect(0, 0, 93, 80), {1}};
    f.transparentIndex = -1;
    plan.frames = {f, f};
    Host host;
    TGIFAnimator &a = *host.animator;
    a.setAutoSize(false);
    a.setGeometry(QRect(pos, QSize(100, 100)));
    load(a, plan);
    a.setStretch(stretch);
    a.setCenter(center);
    QCOMPARE(a.size(), QSize(100, 100));
    QCOMPARE(a.destinationRect(), expected);

    host.parent.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host.parent));
    const QImage shot = host.parent.grab().toImage();
    const QRect onParent = expected.translated(pos);
    const PixelProbe probe(shot);
    // The whole destination is red, crisp up to its edges; around it, as far as the control
    // reaches, the window colour.
    QCOMPARE(probe.uniform(onParent, red), QString());
    if (onParent.left() > pos.x())
        QCOMPARE(probe.uniform(QRect(onParent.left() - 1, onParent.top(), 1, onParent.height()), windowWhite), QString());
    if (onParent.top() > pos.y())
        QCOMPARE(probe.uniform(QRect(onParent.left(), onParent.top() - 1, onParent.width(), 1), windowWhite), QString());
    if (onParent.right() < pos.x() + 99)
        QCOMPARE(probe.uniform(QRect(onParent.right() + 1, onParent.top(), 1, onParent.height()), windowWhite), QString());
    if (onParent.bottom() < pos.y() + 99)
        QCOMPARE(probe.uniform(QRect(onParent.left(), onParent.bottom() + 1, onParent.width(), 1), windowWhite), QString());
}

void tst_TGIFAnimator::autoSize()
{
    GifPlan plan;
    plan.screen = QSize(93, 80);
    plan.frames = {FramePlan{QRect(0, 0, 93, 80), {1}}};
    TGIFAnimator a;
    a.move(3, 367);
    load(a, plan);
    QCOMPARE(a.geometry(), QRect(3, 367, 93, 80));
}

void tst_TGIFAnimator::seeThrough_data()
{
    QTest::addColumn<bool>("transparent");
    QTest::addColumn<bool>("empty");
    QTest::addColumn<QRgb>("overSibling"); // a key-colour pixel above the sibling
    QTest::addColumn<QRgb>("overParent");  // a key-colour pixel above the bare parent

    const QRgb yellow = qRgb(255, 255, 0), navy = qRgb(0, 0, 128);
    QTest::newRow("key colour shows what lies beneath") << true << false << navy << yellow;
    QTest::newRow("Transparent off draws the key colour") << false << false << keyRgb << keyRgb;
    QTest::newRow("empty image: only the background") << true << true << navy << yellow;
}

void tst_TGIFAnimator::seeThrough()
{
    QFETCH(bool, transparent);
    QFETCH(bool, empty);
    QFETCH(QRgb, overSibling);
    QFETCH(QRgb, overParent);
    const QRgb yellow = qRgb(255, 255, 0), navy = qRgb(0, 0, 128);

    Host host(QColor::fromRgb(yellow), QSize(60, 40));
    // A sibling below the control, covering its left part.
    auto *below = new QWidget(&host.parent);
    below->setGeometry(0, 0, 15, 40);
    below->setAutoFillBackground(true);
    QPalette p = below->palette();
    p.setColor(QPalette::Window, QColor::fromRgb(navy));
    below->setPalette(p);
    below->stackUnder(host.animator);

    TGIFAnimator &a = *host.animator;
    a.setAutoSize(false);
    a.setGeometry(5, 5, 20, 20);
    a.setStretch(true);
    a.setTransparent(transparent);
    if (!empty) {
        GifPlan plan;
        // Row 0 is the key colour, the rest red.
        plan.frames = {FramePlan{QRect(0, 0, 4, 4), {0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}}};
        load(a, plan);
    }
    host.parent.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host.parent));
    const QImage shot = host.parent.grab().toImage();
    // The control covers (5, 5)-(24, 24), the sibling x < 15; each picture pixel is 5 x 5.
    const PixelProbe probe(shot);
    QCOMPARE(probe.uniform(QRect(5, 5, 10, 5), overSibling), QString());
    QCOMPARE(probe.uniform(QRect(15, 5, 10, 5), overParent), QString());
    QCOMPARE(probe.uniform(QRect(5, 10, 10, 15), empty ? overSibling : red), QString());
    QCOMPARE(probe.uniform(QRect(15, 10, 10, 15), empty ? overParent : red), QString());
    // Outside it the sibling and the parent as they are.
    QCOMPARE(probe.uniform(QRect(0, 0, 15, 5), navy), QString());
    QCOMPARE(probe.uniform(QRect(25, 0, 35, 40), yellow), QString());
}

void tst_TGIFAnimator::readsStoredPropertiesInStreamOrder()
{
    GifPlan plan = threeFrames(1);
    Host host;
    TGIFAnimator &a = *host.animator;
    QStringList events;
    connect(&a, &TGIFAnimator::OnStart, &a, [&] { events << QStringLiteral("start"); });
    connect(&a, &TGIFAnimator::OnChange, &a, [&] { events << QStringLiteral("change"); });
    connect(&a, &TGIFAnimator::OnFrameChanged, &a, [&] { events << QStringLiteral("frame"); });
    connect(&a, &TGIFAnimator::OnStop, &a, [&] { events << QStringLiteral("stop"); });

    TGIFAnimator::StoredProperties stored;
    stored.Animate = true;
    stored.FrameIndex = 1;
    stored.ImageData = formData(buildGif(plan));
    stored.Stretch = true;
    a.readProperties(stored);

    QCOMPARE(events, (QStringList{QStringLiteral("start"), QStringLiteral("change")}));
    QVERIFY(a.animate());
    QVERIFY(a.stretch());
    QCOMPARE(a.frameIndex(), 0);
    QCOMPARE(a.timer().interval(), 100u);
    QVERIFY(a.timer().onTimer());
    // The size adjustment waits while the properties are read.
    QCOMPARE(a.size(), QSize(105, 105));
}

void tst_TGIFAnimator::playsDuringModalLoop()
{
    const GifPlan plan = playingThreeFrames();
    Host host;
    load(*host.animator, plan);
    host.parent.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host.parent));
    QSignalSpy frames(host.animator, &TGIFAnimator::OnFrameChanged);
    host.animator->setAnimate(true);

    QDialog dialog;
    int seenInside = 0;
    QTimer poll;
    connect(&poll, &QTimer::timeout, &dialog, [&] {
        if (frames.size() >= 4) {
            seenInside = int(frames.size());
            dialog.accept();
        }
    });
    poll.start(20);
    QTimer::singleShot(5000, &dialog, &QDialog::reject);
    dialog.exec();
    QVERIFY(seenInside >= 4);
}

void tst_TGIFAnimator::ownRepaintShowsWhatLiesBeneathNow_data()
{
    QTest::addColumn<bool>("asOverlay");
    QTest::addColumn<HostStep>("change");
    QTest::addColumn<QRgb>("beneath");
    const QRgb yellow = qRgb(255, 255, 0), navy = qRgb(0, 0, 128), silver = qRgb(192, 192, 192);
    for (const bool asOverlay : {false, true}) {
        const QByteArray how = asOverlay ? ", content as an overlay" : "";
        QTest::newRow("nothing changed" + how) << asOverlay << HostStep([](Host &) {}) << yellow;
        QTest::newRow("parent's colour changed" + how) << asOverlay << HostStep([silver](Host &h) {
            QPalette p = h.parent.palette();
            p.setColor(QPalette::Window, QColor::fromRgb(silver));
            h.parent.setPalette(p);
        }) << silver;
        QTest::newRow("a sibling moved under it" + how) << asOverlay << HostStep([](Host &h) {
            h.parent.findChild<QWidget *>(QStringLiteral("below"))->move(0, 0);
        }) << navy;
        QTest::newRow("the control moved over a sibling" + how) << asOverlay << HostStep([](Host &h) {
            h.parent.findChild<QWidget *>(QStringLiteral("control"))->move(44, 4);
        }) << navy;
    }
}

void tst_TGIFAnimator::ownRepaintShowsWhatLiesBeneathNow()
{
    QFETCH(bool, asOverlay);
    QFETCH(HostStep, change);
    QFETCH(QRgb, beneath);
    const QRgb yellow = qRgb(255, 255, 0), navy = qRgb(0, 0, 128);
    Host host(QColor::fromRgb(yellow), QSize(80, 40));
    // Only the parent's colour beneath the control at first: the host's own animator goes.
    delete host.animator;
    host.animator = nullptr;
    // A sibling below, off to the right for now.
    auto *below = new QWidget(&host.parent);
    below->setObjectName(QStringLiteral("below"));
    below->setGeometry(40, 0, 40, 40);
    below->setAutoFillBackground(true);
    QPalette p = below->palette();
    p.setColor(QPalette::Window, QColor::fromRgb(navy));
    below->setPalette(p);
    auto *control = new SquareOverBackground(&host.parent, asOverlay);
    control->setObjectName(QStringLiteral("control"));
    control->setGeometry(5, 5, 20, 20);
    host.parent.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host.parent));
    // Frames on an unchanged background.
    control->repaintOwnContent();
    control->repaintOwnContent();
    QCOMPARE(onScreen(host.parent, control->x() + 1, control->y() + 1), yellow);

    // The change, and the next frame before anything else has been painted.
    change(host);
    control->repaintOwnContent();
    QCOMPARE(onScreen(host.parent, control->x() + 1, control->y() + 1), beneath);
    QCOMPARE(onScreen(host.parent, control->x() + 10, control->y() + 10), qRgb(0, 255, 0));
}

void tst_TGIFAnimator::restsUnseenAndPlaysOnFromItsFrame_data()
{
    QTest::addColumn<bool>("asyncDrawing");
    QTest::addColumn<HostStep>("hide");
    QTest::addColumn<HostStep>("show");
    const HostStep minimise = [](Host &h) { h.parent.showMinimized(); };
    const HostStep restore = [](Host &h) { h.parent.showNormal(); };
    const HostStep hideWindow = [](Host &h) { h.parent.hide(); };
    const HostStep hideControl = [](Host &h) { h.animator->hide(); };
    const HostStep showControl = [](Host &h) { h.animator->show(); };
    for (const bool async : {false, true}) {
        const QByteArray how = async ? ", frames drawn on the worker" : "";
        QTest::newRow("window minimised" + how) << async << minimise << restore;
        QTest::newRow("window hidden" + how) << async << hideWindow << restore;
        QTest::newRow("control hidden" + how) << async << hideControl << showControl;
    }
}

void tst_TGIFAnimator::restsUnseenAndPlaysOnFromItsFrame()
{
    QFETCH(bool, asyncDrawing);
    QFETCH(HostStep, hide);
    QFETCH(HostStep, show);
    const GifPlan plan = playingThreeFrames();
    Host host;
    TGIFAnimator &a = *host.animator;
    load(a, plan);
    a.setAsyncDrawing(asyncDrawing);
    host.parent.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host.parent));
    QList<int> seen;
    connect(&a, &TGIFAnimator::OnFrameChanged, &a, [&](TGIFAnimator *sender) { seen << sender->frameIndex(); });
    a.setAnimate(true);
    QVERIFY(!a.resting());
    QTRY_VERIFY_WITH_TIMEOUT(seen.size() >= 2, 5000);

    hide(host);
    QTRY_VERIFY(a.resting());
    QVERIFY(a.animate());
    QVERIFY(!a.timer().enabled());
    // A frame that the worker advanced to before the control went out of sight is still
    // reported; none comes after it.
    QTRY_VERIFY(!seen.isEmpty() && seen.last() == a.frameIndex());
    const qsizetype frames = seen.size();
    const int at = a.frameIndex();
    const int composed = a.cacheIndex();
    const std::uint64_t recomposed = a.recompositions();
    // Several frame periods pass: no frame advances, none is composed.
    std::atomic<int> probeTicks{0};
    TThreadedTimer probe;
    probe.setInterval(10);
    probe.setOnTimer([&](TThreadedTimer *) { ++probeTicks; });
    QTRY_VERIFY(probeTicks >= 20);
    QCOMPARE(seen.size(), frames);
    QCOMPARE(a.frameIndex(), at);
    QCOMPARE(a.cacheIndex(), composed);
    QCOMPARE(a.recompositions(), recomposed);

    // Seen again, it plays on from the frame it showed.
    show(host);
    QTRY_VERIFY(!a.resting());
    QVERIFY(a.timer().enabled());
    QTRY_VERIFY_WITH_TIMEOUT(seen.size() > frames, 5000);
    QCOMPARE(seen[frames], (at + 1) % 3);
}

void tst_TGIFAnimator::logoAsTheMainWindowPlacesIt()
{
    Host host(Qt::white, QSize(200, 460));
    TGIFAnimator &a = *host.animator;
    a.setGeometry(3, 367, 93, 80);
    TGIFAnimator::StoredProperties stored;
    stored.Animate = true;
    stored.FrameIndex = 1;
    stored.ImageData = logoFormData();
    stored.ImageDataCompiledIn = true;
    stored.Stretch = true;
    a.readProperties(stored);
    QCOMPARE(a.image().FrameCount(), 36);
    QCOMPARE(a.frameIndex(), 0);
    QCOMPARE(a.timer().interval(), 100u);
    QCOMPARE(a.geometry(), QRect(3, 367, 93, 80));

    // Every frame keeps the one before it, so playing through costs one full composition, and
    // the wrap a second one.
    tk::TColor key;
    for (int n = 0; n < 36; ++n)
        a.composeFrame(n, &key);
    QCOMPARE(key, tk::TColor(0x00400202));
    QCOMPARE(a.recompositions(), std::uint64_t(1));
    a.composeFrame(0);
    QCOMPARE(a.recompositions(), std::uint64_t(2));

    host.parent.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host.parent));
    QSignalSpy frames(&a, &TGIFAnimator::OnFrameChanged);
    const QImage before = host.parent.grab(a.geometry()).toImage();
    QTRY_VERIFY_WITH_TIMEOUT(frames.size() >= 3, 5000);
    QVERIFY(host.parent.grab(a.geometry()).toImage() != before);
}

void tst_TGIFAnimator::tickedFramesMatchFullPaints_data()
{
    QTest::addColumn<QByteArray>("formData");
    QTest::addColumn<bool>("compiledIn");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("transparent");
    GifPlan plan;
    plan.screen = QSize(8, 6);
    // See-through pixels (index 0) in every frame, the second cleared away after it shows.
    QList<int> first(48);
    for (int i = 0; i < 48; ++i)
        first[i] = i % 5 == 0 ? 0 : 1 + i % 3;
    plan.frames = {FramePlan{QRect(0, 0, 8, 6), first}, FramePlan{QRect(2, 1, 3, 3), {2, 0, 2, 0, 3, 0, 2, 0, 2}, 2},
                   FramePlan{QRect(5, 3, 3, 3), {0, 3, 0, 3, 0, 3, 0, 3, 0}}};
    const QByteArray seeThrough = formData(buildGif(plan));
    QTest::newRow("see-through frames") << seeThrough << false << QSize(8, 6) << true;
    QTest::newRow("see-through frames, Transparent off") << seeThrough << false << QSize(8, 6) << false;
    QTest::newRow("see-through frames, centred in a larger control") << seeThrough << false << QSize(13, 9) << true;
    QTest::newRow("the logo") << logoFormData() << true << QSize(93, 80) << true;
}

// A tick's repaint writes the frame straight over the kept background where it can; every frame
// must then show as a full paint of the window shows it.
void tst_TGIFAnimator::tickedFramesMatchFullPaints()
{
    QFETCH(QByteArray, formData);
    QFETCH(bool, compiledIn);
    QFETCH(QSize, size);
    QFETCH(bool, transparent);
    QWidget parent;
    parent.resize(110, 100);
    // Stripes beneath: a background of one colour would hide a misplaced copy of it.
    QPalette p = parent.palette();
    QImage stripes(6, 6, QImage::Format_RGB32);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x)
            stripes.setPixel(x, y, (x + y) % 6 < 3 ? qRgb(250, 220, 0) : qRgb(0, 90, 160));
    p.setBrush(QPalette::Window, QBrush(stripes));
    parent.setPalette(p);
    parent.setAutoFillBackground(true);
    auto *a = new TickedAnimator(&parent);
    TGIFAnimator::StoredProperties stored;
    stored.ImageData = formData;
    stored.ImageDataCompiledIn = compiledIn;
    a->readProperties(stored);
    a->setAutoSize(false);
    a->setCenter(true);
    a->setTransparent(transparent);
    a->setGeometry(QRect(QPoint(7, 9), size));
    parent.show();
    QVERIFY(QTest::qWaitForWindowExposed(&parent));
    for (int n = 0; n < a->image().FrameCount(); ++n) {
        a->setFrameIndex(n);
        a->repaintOwnContent();
        QPaintDevice *device = parent.backingStore()->paintDevice();
        QVERIFY(device != nullptr && device->devType() == QInternal::Image);
        QImage shown = *static_cast<QImage *>(device);
        shown.setDevicePixelRatio(qreal(shown.width()) / parent.width());
        const PixelProbe ticked(shown), full(parent.grab().toImage());
        for (int y = a->y(); y < a->y() + a->height(); ++y)
            for (int x = a->x(); x < a->x() + a->width(); ++x)
                QVERIFY2(ticked.at(x, y) == full.at(x, y),
                         qPrintable(QStringLiteral("frame %1, pixel %2, %3: %4, full paint %5")
                                        .arg(n).arg(x).arg(y).arg(ticked.at(x, y), 8, 16).arg(full.at(x, y), 8, 16)));
    }
}

void tst_TGIFAnimator::notificationsQuietDuringDestruction()
{
    auto *a = new TGIFAnimator;
    load(*a, threeFrames(1));
    a->setAnimate(true);
    int stops = 0;
    connect(a, &TGIFAnimator::OnStop, qApp, [&] { ++stops; });
    a->setAnimate(false);
    QCOMPARE(stops, 1);
    a->setAnimate(true);
    delete a;
    QCOMPARE(stops, 1);
}

void tst_TGIFAnimator::asyncDrawing_data()
{
    QTest::addColumn<bool>("handler");
    QTest::newRow("frame-changed handler on the GUI thread") << true;
    QTest::newRow("no handler") << false;
}

void tst_TGIFAnimator::asyncDrawing()
{
    QFETCH(bool, handler);
    const GifPlan plan = playingThreeFrames();
    Host host;
    TGIFAnimator &a = *host.animator;
    load(a, plan);
    a.setAsyncDrawing(true);
    QVERIFY(!a.timer().syncEvent());
    a.setLoop(false);
    host.parent.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host.parent));

    QList<int> seen;
    bool onGui = true;
    if (handler) {
        connect(&a, &TGIFAnimator::OnFrameChanged, &a, [&](TGIFAnimator *sender) {
            seen << sender->frameIndex();
            onGui = onGui && QThread::currentThread() == qApp->thread();
        });
    }
    QSignalSpy stops(&a, &TGIFAnimator::OnStop);
    a.setAnimate(true);
    QTRY_COMPARE_WITH_TIMEOUT(stops.size(), 1, 5000);
    if (handler)
        QCOMPARE(seen, (QList<int>{1, 2, 0}));
    QVERIFY(onGui);
    QVERIFY(!a.animate());
    QCOMPARE(a.frameIndex(), 0);
    QTRY_COMPARE(at(host.parent.grab().toImage(), 0, 0), red);
    a.setAsyncDrawing(false);
    QVERIFY(a.timer().syncEvent());
}

void tst_TGIFAnimator::asyncDestructionWhilePlaying()
{
    GifPlan plan = threeFrames(1);
    for (FramePlan &f : plan.frames)
        f.delayCs = 0;
    Host host;
    TGIFAnimator *a = host.animator;
    load(*a, plan);
    a->setAsyncDrawing(true);
    host.parent.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host.parent));
    QSignalSpy frames(a, &TGIFAnimator::OnFrameChanged);
    a->setAnimate(true);
    QTRY_VERIFY_WITH_TIMEOUT(frames.size() >= 5, 5000);
    QElapsedTimer clock;
    clock.start();
    delete a;
    QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
    // Nothing queued by the worker reaches the deleted control.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

void tst_TGIFAnimator::paintFailureIsReported()
{
    QStringList messages;
    const auto previous = tk::Application::setErrorDisplay([&](const QString &m) { messages << m; });
    {
        GifPlan plan;
        plan.globalTable = false;
        FramePlan first{QRect(0, 0, 4, 4), {1}};
        first.localTable = true;
        plan.frames = {first, FramePlan{QRect(0, 0, 1, 1), {2}}};
        Host host;
        load(*host.animator, plan);
        host.parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host.parent));
        host.animator->setFrameIndex(1);
        host.animator->repaint();
        QTRY_VERIFY(!messages.isEmpty());
        QCOMPARE(messages.first(), QStringLiteral("Wrong number of colors; must be a power of 2"));
    }
    tk::Application::setErrorDisplay(previous);
}

PC_TEST_MAIN(tst_TGIFAnimator)
#include "tst_tgifanimator.moc"

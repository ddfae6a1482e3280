#include "widgets/tcreditspanel.h"

#include "tests/support/pixelprobe.h"
#include "tests/support/testmain.h"
#include "toolkit/error.h"
#include "toolkit/tcolor.h"
#include "toolkit/tfont.h"
#include "widgets/tthreadedtimer.h"

#include <QDeadlineTimer>
#include <QFontMetrics>
#include <QLabel>
#include <QPainter>
#include <QThread>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <memory>

using Panel = TCreditsPanel;
using PanelAction = std::function<void(TCreditsPanel &)>;
Q_DECLARE_METATYPE(PanelAction)
Q_DECLARE_METATYPE(TCreditsPanel::TGlyphLayout)
Q_DECLARE_METATYPE(tk::TBevelCut)
Q_DECLARE_METATYPE(TCreditsPanel::TScrollDirection)

namespace {

constexpr std::uint32_t kFrozen = 10'000'000; // an interval no test waits out

QImage glyph21x17()
{
    QImage g(21, 17, QImage::Format_RGB32);
    g.fill(tk::clSilver.toQColor());
    g.setPixelColor(5, 5, tk::clBlue.toQColor());
    g.setPixelColor(10, 8, tk::clLime.toQColor());
    return g;
}

// The regular credits panel of the about dialog.
void setUpRegularCredits(Panel &p)
{
    p.resize(284, 129);
    p.setBevelOuter(tk::TBevelCut::bvNone);
    p.setCycled(true);
    p.setGlyph(glyph21x17());
    p.setGlyphLayout(Panel::TGlyphLayout::glGlyphTop);
    p.setColor(tk::clBlack);
    p.setFont(tk::makeFont(u"MS Sans Serif", 13, tk::FontStyle::Bold));
    p.setFontColor(tk::clLime);
}

QFont crispFont(int px)
{
    QFont f = tk::makeFont(u"MS Sans Serif", px, tk::FontStyle::Bold);
    f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

// Bounding box, in device pixels, of the pixels of colour c.
QRect inkBox(const QImage &image, const QColor &c)
{
    QRect box;
    const QRgb want = c.rgb();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == want)
                box |= QRect(x, y, 1, 1);
    return box;
}

int countOf(const QImage &image, const QColor &c, const QRect &area)
{
    int n = 0;
    const QRgb want = c.rgb();
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) == want)
                ++n;
    return n;
}

Panel::TextFrame frameOf(const QStringList &lines, tk::TBevelCut style, int width, int height)
{
    Panel::TextFrame f;
    f.lines = lines;
    f.firstLine = Panel::firstNonBlankLine(lines);
    f.font = crispFont(13);
    f.lineHeight = QFontMetrics(f.font).lineSpacing() + (style != tk::TBevelCut::bvNone ? 1 : 0);
    f.textArea = QRect(3, 3, width, height);
    f.innerArea = QRect(0, 0, width + 6, height + 6);
    f.scrollExtent = height + int(lines.size() - f.firstLine) * f.lineHeight;
    f.textStyle = style;
    f.color = Qt::black;
    f.fontColor = Qt::green;
    f.highlightColor = Qt::white;
    return f;
}

QImage imageFor(const Panel::TextFrame &f, qreal ratio)
{
    QImage image((QSizeF(f.textArea.size()) * ratio).toSize(), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::red); // anything the frame leaves unpainted shows up
    return image;
}

// The device pixels of logical rows [top, top + rows) of the image.
QRect band(const QImage &image, int top, int rows)
{
    const PixelProbe probe(image);
    return probe.deviceRect(QRect(0, top, probe.logicalSize().width(), rows));
}

QImage grabbed(QWidget &w)
{
    return w.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QRect devicePixels(const QRect &logical, qreal ratio)
{
    return QRect((QPointF(logical.topLeft()) * ratio).toPoint(), (QSizeF(logical.size()) * ratio).toSize());
}

// Lets at least `ticks` ticks of a second timer pass (events processed meanwhile), so that a
// wait still under way in a panel's timer has certainly ended.
void letTimePass(int ticks, std::uint32_t interval)
{
    std::atomic<int> count{0};
    TThreadedTimer probe;
    probe.setInterval(interval);
    probe.setOnTimer([&](TThreadedTimer *) { ++count; });
    QTRY_VERIFY(count >= ticks);
}

// A panel whose resting clock the test can move on.
class ClockedPanel : public Panel {
public:
    void advance(std::chrono::milliseconds by) { m_offset += by.count(); }

protected:
    Clock::time_point now() const override { return Clock::now() + std::chrono::milliseconds(m_offset.load()); }

private:
    std::atomic<std::int64_t> m_offset{0};
};

} // namespace

class TestCreditsPanel : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        m_messages.clear();
        m_previousDisplay = tk::Application::setErrorDisplay([this](const QString &m) { m_messages << m; });
    }
    void cleanup()
    {
        tk::Application::setErrorDisplay(m_previousDisplay);
        QCOMPARE(m_messages, QStringList());
    }

    void regularCreditsAreas()
    {
        Panel p;
        setUpRegularCredits(p);
        p.setInterval(kFrozen);
        p.setLines({QStringLiteral("Periyodik Cetvel")});
        p.setActive(true);
        QCOMPARE(p.glyphOrigin(), QPoint(131, 6));
        QCOMPARE(p.textArea(), QRect(QPoint(3, 29), QPoint(280, 125))); // right 281, bottom 126
        QCOMPARE(p.innerArea(), QRect(0, 0, 284, 129));
        QVERIFY(p.hasTextImage());
    }

    void placeAreas_data()
    {
        QTest::addColumn<QSize>("client");
        QTest::addColumn<tk::TBevelCut>("outer");
        QTest::addColumn<tk::TBevelCut>("inner");
        QTest::addColumn<int>("bevelWidth");
        QTest::addColumn<int>("border");
        QTest::addColumn<QSize>("glyph");
        QTest::addColumn<TCreditsPanel::TGlyphLayout>("layout");
        QTest::addColumn<TCreditsPanel::TScrollDirection>("direction");
        QTest::addColumn<int>("lastLine");
        QTest::addColumn<int>("lineHeight");
        QTest::addColumn<QPoint>("origin");
        QTest::addColumn<QRect>("text");
        using B = tk::TBevelCut;
        using G = Panel::TGlyphLayout;
        using D = Panel::TScrollDirection;
        const QSize g(21, 17);
        QTest::newRow("glyph left, lowered outer bevel")
            << QSize(200, 100) << B::bvLowered << B::bvNone << 1 << 0 << g << G::glGlyphLeft << D::sdVertical << 0 << 16
            << QPoint(7, 41) << QRect(32, 4, 164, 92);
        QTest::newRow("glyph right, border 2 and inner bevel 2 wide")
            << QSize(200, 100) << B::bvNone << B::bvRaised << 2 << 2 << g << G::glGlyphRight << D::sdVertical << 0 << 16
            << QPoint(169, 41) << QRect(7, 7, 155, 86);
        QTest::newRow("glyph bottom")
            << QSize(200, 100) << B::bvNone << B::bvNone << 1 << 0 << g << G::glGlyphBottom << D::sdVertical << 0 << 16
            << QPoint(89, 77) << QRect(3, 3, 194, 68);
        QTest::newRow("glyph top, both bevels")
            << QSize(200, 100) << B::bvRaised << B::bvLowered << 1 << 0 << g << G::glGlyphTop << D::sdVertical << 0 << 16
            << QPoint(89, 8) << QRect(5, 33, 190, 62);
        QTest::newRow("no glyph keeps the text area")
            << QSize(200, 100) << B::bvNone << B::bvNone << 1 << 0 << QSize(0, 0) << G::glGlyphTop << D::sdVertical << 0
            << 16 << QPoint(100, 3) << QRect(3, 3, 194, 94);
        QTest::newRow("glyph wider than the area stays at its left")
            << QSize(20, 100) << B::bvNone << B::bvNone << 1 << 0 << g << G::glGlyphTop << D::sdVertical << 0 << 16
            << QPoint(3, 6) << QRect(3, 29, 14, 68);
        QTest::newRow("glyph right on a narrow panel stops at the left edge")
            << QSize(26, 100) << B::bvNone << B::bvNone << 1 << 0 << g << G::glGlyphRight << D::sdVertical << 0 << 16
            << QPoint(3, 41) << QRect(0, 0, 0, 0);
        QTest::newRow("too small for the glyph")
            << QSize(10, 30) << B::bvNone << B::bvNone << 1 << 0 << g << G::glGlyphTop << D::sdVertical << 0 << 16
            << QPoint(3, 6) << QRect(0, 0, 0, 0);
        QTest::newRow("too small for bevels and border")
            << QSize(8, 8) << B::bvLowered << B::bvLowered << 1 << 1 << QSize(0, 0) << G::glGlyphLeft << D::sdVertical
            << 0 << 16 << QPoint(6, 6) << QRect(0, 0, 0, 0);
        QTest::newRow("horizontal: two lines centred vertically")
            << QSize(200, 100) << B::bvNone << B::bvNone << 1 << 0 << QSize(0, 0) << G::glGlyphTop << D::sdHorizontal
            << 1 << 16 << QPoint(100, 3) << QRect(3, 34, 194, 32);
        QTest::newRow("horizontal: odd spare height")
            << QSize(200, 100) << B::bvNone << B::bvNone << 1 << 0 << QSize(0, 0) << G::glGlyphTop << D::sdHorizontal
            << 2 << 15 << QPoint(100, 3) << QRect(3, 27, 194, 46);
        QTest::newRow("horizontal: lines taller than the area")
            << QSize(200, 100) << B::bvNone << B::bvNone << 1 << 0 << QSize(0, 0) << G::glGlyphTop << D::sdHorizontal
            << 9 << 16 << QPoint(100, 3) << QRect(3, 3, 194, 94);
    }
    void placeAreas()
    {
        QFETCH(QSize, client);
        QFETCH(tk::TBevelCut, outer);
        QFETCH(tk::TBevelCut, inner);
        QFETCH(int, bevelWidth);
        QFETCH(int, border);
        QFETCH(QSize, glyph);
        QFETCH(TCreditsPanel::TGlyphLayout, layout);
        QFETCH(TCreditsPanel::TScrollDirection, direction);
        QFETCH(int, lastLine);
        QFETCH(int, lineHeight);
        QFETCH(QPoint, origin);
        QFETCH(QRect, text);
        Panel::Placement pl;
        pl.clientSize = client;
        pl.bevelOuter = outer;
        pl.bevelInner = inner;
        pl.bevelWidth = bevelWidth;
        pl.borderWidth = border;
        pl.glyphSize = glyph;
        pl.glyphLayout = layout;
        pl.scrollDirection = direction;
        pl.firstLine = 0;
        pl.lastLine = lastLine;
        pl.lineHeight = lineHeight;
        const Panel::Areas areas = Panel::PlaceAreas(pl);
        QCOMPARE(areas.glyphOrigin, origin);
        QCOMPARE(areas.textArea, text);
    }

    void measuring_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<tk::TBevelCut>("style");
        QTest::addColumn<int>("firstLine");
        QTest::addColumn<int>("rowsInExtent"); // lines counted into the extent beyond the area height
        QTest::addColumn<int>("extraHeight");  // pixels added to the font's line spacing
        using B = tk::TBevelCut;
        QTest::newRow("plain lines") << QStringList{"a", "b", "c"} << B::bvNone << 0 << 3 << 0;
        QTest::newRow("leading blank lines skipped") << QStringList{"", "  ", "a", "", "b"} << B::bvNone << 2 << 3 << 0;
        QTest::newRow("inner and trailing blanks count") << QStringList{"a", "", "b", "", ""} << B::bvNone << 0 << 5 << 0;
        QTest::newRow("engraved lines one pixel apart") << QStringList{"a", "b"} << B::bvLowered << 0 << 2 << 1;
        QTest::newRow("raised") << QStringList{"a"} << B::bvRaised << 0 << 1 << 1;
        QTest::newRow("space") << QStringList{"a"} << B::bvSpace << 0 << 1 << 1;
        QTest::newRow("empty list") << QStringList{} << B::bvNone << 0 << 0 << 0;
        QTest::newRow("all blank") << QStringList{"", "\t", " "} << B::bvNone << 3 << 0 << 0;
    }
    void measuring()
    {
        QFETCH(QStringList, lines);
        QFETCH(tk::TBevelCut, style);
        QFETCH(int, firstLine);
        QFETCH(int, rowsInExtent);
        QFETCH(int, extraHeight);
        Panel p;
        setUpRegularCredits(p);
        p.setInterval(kFrozen);
        p.setTextStyle(style);
        p.setLines(lines);
        p.setActive(true);
        const int spacing = QFontMetrics(p.font()).lineSpacing();
        QCOMPARE(p.firstLine(), firstLine);
        QCOMPARE(p.lineHeight(), spacing + extraHeight);
        QCOMPARE(p.scrollExtent(), 97 + rowsInExtent * (spacing + extraHeight));
    }

    void horizontalExtentIsWidestLinePlusWidth()
    {
        Panel p;
        setUpRegularCredits(p);
        p.setInterval(kFrozen);
        p.setScrollDirection(Panel::TScrollDirection::sdHorizontal);
        const QStringList lines{"", "kısa", "en uzun satır burada", "orta satır"};
        p.setLines(lines);
        p.setActive(true);
        const QFontMetrics m(p.font());
        QCOMPARE(p.scrollExtent(), m.horizontalAdvance(lines[2]) + 278);
        // Three lines centred in the 97 pixels below the glyph.
        const int d = 97 - 3 * p.lineHeight();
        QCOMPARE(p.textArea(), QRect(3, 29 + d / 2, 278, 97 - 2 * (d / 2)));
    }

    void framePixels_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<tk::TBevelCut>("style");
        QTest::addColumn<int>("rowsScrolled"); // ScrollPos in line heights
        QTest::addColumn<QList<int>>("inkRows"); // line slots from the top of the area that show ink
        QTest::addColumn<qreal>("ratio");
        using B = tk::TBevelCut;
        const QStringList three{"MMMM", "", "WWWW"};
        for (const qreal ratio : {1.0, 1.5, 2.0}) {
            const QByteArray at = " at " + QByteArray::number(ratio) + "x";
            QTest::newRow("start of a pass: the first line is below the area" + at)
                << three << B::bvNone << 0 << QList<int>{} << ratio;
            QTest::newRow("first line entered from the bottom" + at) << three << B::bvNone << 1 << QList<int>{3} << ratio;
            QTest::newRow("blank line keeps its height" + at) << three << B::bvNone << 3 << QList<int>{1, 3} << ratio;
            QTest::newRow("leading blanks skipped" + at)
                << QStringList{"", " ", "MMMM"} << B::bvNone << 1 << QList<int>{3} << ratio;
            QTest::newRow("end of the pass: the last line has left the top" + at)
                << three << B::bvNone << 7 << QList<int>{} << ratio;
            QTest::newRow("engraved, all three lines" + at) << three << B::bvLowered << 4 << QList<int>{0, 2} << ratio;
        }
    }
    void framePixels()
    {
        QFETCH(QStringList, lines);
        QFETCH(tk::TBevelCut, style);
        QFETCH(int, rowsScrolled);
        QFETCH(QList<int>, inkRows);
        QFETCH(qreal, ratio);
        Panel::TextFrame f = frameOf(lines, style, 120, 0);
        const int lh = f.lineHeight;
        f.textArea.setHeight(4 * lh); // four line slots
        f.innerArea.setHeight(4 * lh + 6);
        f.scrollExtent = 4 * lh + int(lines.size() - f.firstLine) * lh;
        QImage image = imageFor(f, ratio);
        Panel::RenderTextFrame(image, f, rowsScrolled * lh);

        QCOMPARE(countOf(image, Qt::red, image.rect()), 0); // the background covers the whole image
        for (int slot = 0; slot < 4; ++slot) {
            const int ink = countOf(image, Qt::green, band(image, slot * lh, lh));
            QVERIFY2((ink > 0) == inkRows.contains(slot), qPrintable(QStringLiteral("slot %1: %2").arg(slot).arg(ink)));
        }
        if (style == tk::TBevelCut::bvLowered) {
            // The highlight copy lies one pixel right of and below the text: at a fractional
            // ratio the ratio's device pixels, give or take half of one.
            const QRect green = inkBox(image, Qt::green);
            const QRect white = inkBox(image, Qt::white);
            QVERIFY(!white.isEmpty());
            QVERIFY2(qAbs(white.right() - green.right() - ratio) <= 0.5, qPrintable(QString::number(white.right() - green.right())));
            QVERIFY2(qAbs(white.bottom() - green.bottom() - ratio) <= 0.5, qPrintable(QString::number(white.bottom() - green.bottom())));
        } else {
            QCOMPARE(countOf(image, Qt::white, image.rect()), 0);
        }
    }

    void engravedCopyIsTheTextMoved_data()
    {
        QTest::addColumn<tk::TBevelCut>("style");
        QTest::addColumn<qreal>("ratio");
        for (const qreal ratio : {1.0, 1.5, 2.0}) {
            const QByteArray at = " at " + QByteArray::number(ratio) + "x";
            QTest::newRow("lowered" + at) << tk::TBevelCut::bvLowered << ratio;
            QTest::newRow("raised" + at) << tk::TBevelCut::bvRaised << ratio;
        }
    }
    // With the smoothed font the panels use, the engraved copy is the text's own smoothing moved
    // by whole device pixels, one pixel's worth right and down (lowered) or left and up (raised).
    void engravedCopyIsTheTextMoved()
    {
        QFETCH(tk::TBevelCut, style);
        QFETCH(qreal, ratio);
        Panel::TextFrame f = frameOf({"Programlama", "Grubu"}, style, 120, 0);
        f.font = tk::makeFont(u"MS Sans Serif", 13, tk::FontStyle::Bold);
        f.textArea.setHeight(3 * f.lineHeight);
        f.innerArea.setHeight(3 * f.lineHeight + 6);
        const int pos = 2 * f.lineHeight; // both lines inside the area
        // The copy alone (the text drawn with nothing), and the text alone in the copy's colour.
        Panel::TextFrame copyOnly = f;
        copyOnly.fontColor = Qt::transparent;
        Panel::TextFrame textAsCopy = f;
        textAsCopy.textStyle = tk::TBevelCut::bvNone;
        textAsCopy.fontColor = f.highlightColor;
        QImage moved = imageFor(f, ratio);
        QImage original = imageFor(f, ratio);
        Panel::RenderTextFrame(moved, copyOnly, pos);
        Panel::RenderTextFrame(original, textAsCopy, pos);

        int smoothed = 0;
        for (int y = 0; y < original.height(); ++y)
            for (int x = 0; x < original.width(); ++x)
                smoothed += original.pixelColor(x, y) != f.color && original.pixelColor(x, y) != f.highlightColor;
        QVERIFY2(smoothed > 20, "the font is drawn smoothed");

        const int sign = style == tk::TBevelCut::bvLowered ? 1 : -1;
        QString fault;
        for (const int d : {int(std::floor(ratio)), int(std::ceil(ratio))}) {
            const QPoint offset(sign * d, sign * d);
            QString m;
            for (int y = 0; y < moved.height() && m.isEmpty(); ++y)
                for (int x = 0; x < moved.width() && m.isEmpty(); ++x) {
                    const QPoint src = QPoint(x, y) - offset;
                    const QColor expected = original.rect().contains(src) ? original.pixelColor(src) : f.color;
                    if (moved.pixelColor(x, y) != expected)
                        m = QStringLiteral("pixel (%1, %2) is %3, expected %4")
                                .arg(x).arg(y).arg(moved.pixelColor(x, y).name(), expected.name());
                }
            if (m.isEmpty())
                return;
            fault += QStringLiteral("offset %1: %2; ").arg(sign * d).arg(m);
        }
        QFAIL(qPrintable(fault));
    }

    void frameWithoutLinesOrRoomDrawsNothing_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QRect>("area");
        QTest::newRow("no lines") << QStringList{} << QRect(3, 3, 50, 50);
        QTest::newRow("no text area") << QStringList{"MMMM"} << QRect(0, 0, 0, 0);
    }
    void frameWithoutLinesOrRoomDrawsNothing()
    {
        QFETCH(QStringList, lines);
        QFETCH(QRect, area);
        Panel::TextFrame f = frameOf(lines, tk::TBevelCut::bvNone, 50, 50);
        f.textArea = area;
        QImage image(50, 50, QImage::Format_RGB32);
        image.fill(Qt::red);
        Panel::RenderTextFrame(image, f, 40);
        QCOMPARE(countOf(image, Qt::red, image.rect()), 50 * 50);
    }

    void bevelsAndCorners_data()
    {
        QTest::addColumn<tk::TBevelCut>("outer");
        QTest::addColumn<tk::TBevelCut>("inner");
        QTest::addColumn<int>("border");
        QTest::addColumn<QPoint>("pixel");
        QTest::addColumn<QColor>("expected");
        using B = tk::TBevelCut;
        const QColor shadow = tk::clBtnShadow.toQColor(), light = tk::clBtnHighlight.toQColor();
        const QColor fill = tk::clNavy.toQColor();
        QTest::newRow("lowered: top-left corner") << B::bvLowered << B::bvNone << 0 << QPoint(0, 0) << shadow;
        QTest::newRow("lowered: top edge end") << B::bvLowered << B::bvNone << 0 << QPoint(18, 0) << shadow;
        QTest::newRow("lowered: top-right corner") << B::bvLowered << B::bvNone << 0 << QPoint(19, 0) << light;
        QTest::newRow("lowered: bottom-left corner") << B::bvLowered << B::bvNone << 0 << QPoint(0, 9) << light;
        QTest::newRow("lowered: left edge end") << B::bvLowered << B::bvNone << 0 << QPoint(0, 8) << shadow;
        QTest::newRow("lowered: bottom-right corner") << B::bvLowered << B::bvNone << 0 << QPoint(19, 9) << light;
        QTest::newRow("lowered: inside") << B::bvLowered << B::bvNone << 0 << QPoint(1, 1) << fill;
        QTest::newRow("raised: top-left corner") << B::bvRaised << B::bvNone << 0 << QPoint(0, 0) << light;
        QTest::newRow("raised: top-right corner") << B::bvRaised << B::bvNone << 0 << QPoint(19, 0) << shadow;
        QTest::newRow("no bevel: corner is face") << B::bvNone << B::bvNone << 0 << QPoint(0, 0) << fill;
        QTest::newRow("border ring in the panel colour") << B::bvLowered << B::bvRaised << 1 << QPoint(1, 1) << fill;
        QTest::newRow("inner bevel inside the border") << B::bvLowered << B::bvRaised << 1 << QPoint(2, 2) << light;
        QTest::newRow("inner bevel's top-right corner") << B::bvLowered << B::bvRaised << 1 << QPoint(17, 2) << shadow;
        QTest::newRow("inside both bevels") << B::bvLowered << B::bvRaised << 1 << QPoint(3, 3) << fill;
    }
    void bevelsAndCorners()
    {
        QFETCH(tk::TBevelCut, outer);
        QFETCH(tk::TBevelCut, inner);
        QFETCH(int, border);
        QFETCH(QPoint, pixel);
        QFETCH(QColor, expected);
        Panel p;
        p.resize(20, 10);
        p.setColor(tk::clNavy);
        p.setBevelOuter(outer);
        p.setBevelInner(inner);
        p.setBorderWidth(border);
        // The logical pixel has the colour, crisp at any scale.
        QCOMPARE(PixelProbe(grabbed(p)).at(pixel.x(), pixel.y()), expected.rgb());
    }

    void glyphOnlyWhileActiveWithItsBackgroundTransparent()
    {
        Panel p;
        setUpRegularCredits(p);
        p.setInterval(kFrozen);
        const QPoint o(131, 6);
        PixelProbe probe(grabbed(p));
        auto at = [&](QPoint pt) { return probe.at(pt.x(), pt.y()); };
        QCOMPARE(at(o + QPoint(5, 5)), tk::clBlack.rgb());
        p.setActive(true);
        probe = PixelProbe(grabbed(p));
        QCOMPARE(at(o + QPoint(5, 5)), tk::clBlue.rgb());
        QCOMPARE(at(o + QPoint(10, 8)), tk::clLime.rgb());
        QCOMPARE(at(o), tk::clBlack.rgb()); // the silver box is not drawn
        QCOMPARE(at(o + QPoint(20, 16)), tk::clBlack.rgb());
        p.setActive(false);
        probe = PixelProbe(grabbed(p));
        QCOMPARE(at(o + QPoint(5, 5)), tk::clBlack.rgb());
    }

    void activationHidesChildrenAndDeactivationShowsThem()
    {
        Panel p;
        setUpRegularCredits(p);
        p.setInterval(kFrozen);
        auto *visible = new QLabel(QStringLiteral("a"), &p);
        auto *hidden = new QLabel(QStringLiteral("b"), &p);
        hidden->hide();
        std::atomic<int> starts{0}, stops{0};
        QObject::connect(&p, &Panel::OnStartPlay, [&](Panel *sender) { starts += sender == &p; });
        QObject::connect(&p, &Panel::OnStopPlay, [&](Panel *sender) { stops += sender == &p; });
        p.setActive(true);
        QVERIFY(visible->isHidden());
        auto *late = new QLabel(QStringLiteral("c"), &p);
        late->show();
        p.setActive(false);
        QVERIFY(!visible->isHidden());
        QVERIFY(hidden->isHidden());
        QVERIFY(!late->isHidden());
        QVERIFY(!p.hasTextImage());
        QCOMPARE(starts.load(), 1);
        QCOMPARE(stops.load(), 1);
    }

    void failingStartLeavesThePanelInactive()
    {
        Panel p;
        setUpRegularCredits(p);
        p.setInterval(1);
        auto *child = new QLabel(QStringLiteral("a"), &p);
        QObject::connect(&p, &Panel::OnStartPlay, [](Panel *) { throw tk::Error("no start"); });
        QVERIFY_THROWS_EXCEPTION(tk::Error, p.setActive(true));
        QVERIFY(!p.active());
        QVERIFY(!p.hasTextImage());
        QVERIFY(!p.scrollTimer()->enabled());
        QVERIFY(!child->isHidden());
    }

    void scrollsCyclesAndStops_data()
    {
        QTest::addColumn<bool>("asyncDrawing");
        QTest::newRow("ticks on the worker") << true;
        QTest::newRow("ticks on the GUI thread") << false;
    }
    void scrollsCyclesAndStops()
    {
        QFETCH(bool, asyncDrawing);
        Panel p;
        setUpRegularCredits(p);
        p.resize(120, 50);
        p.setAsyncDrawing(asyncDrawing);
        p.setInterval(1);
        p.setLines({QStringLiteral("MMMM")});
        p.show();
        QVERIFY(QTest::qWaitForWindowExposed(&p));
        p.setActive(true);
        const QRect area = p.textArea();
        const auto textPixels = [&] {
            const QImage image = grabbed(p);
            return countOf(image, tk::clLime.toQColor(), devicePixels(area, image.devicePixelRatio()));
        };
        // The frames reach the screen.
        QTRY_VERIFY(textPixels() > 0);
        // A cycled panel starts again once the text has left the top.
        int previous = p.scrollPos(), wraps = 0;
        QTRY_VERIFY([&] {
            const int now = p.scrollPos();
            wraps += now < previous;
            previous = now;
            return wraps >= 2;
        }());
        QVERIFY(p.active());

        // Not cycled: at the end of its pass it switches itself off and shows its children again.
        auto *child = new QLabel(QStringLiteral("x"), &p);
        child->show();
        p.setActive(false);
        p.setCycled(false);
        std::atomic<int> stops{0};
        QObject::connect(&p, &Panel::OnStopPlay, [&](Panel *) { ++stops; });
        p.setActive(true);
        QVERIFY(child->isHidden());
        QTRY_VERIFY(!p.active());
        QVERIFY(!child->isHidden());
        QCOMPARE(stops.load(), 1);
        QCOMPARE(p.scrollPos(), 0);
        QVERIFY(!p.hasTextImage());
    }

    void activeTwiceKeepsThePosition()
    {
        // Ticks on the GUI thread, so that none runs between the steps below.
        Panel p;
        setUpRegularCredits(p);
        p.setAsyncDrawing(false);
        p.setLines(QStringList(40, QStringLiteral("satır")));
        p.setInterval(1);
        p.setActive(true);
        QTRY_VERIFY(p.scrollPos() >= 10);
        const int before = p.scrollPos();
        p.setActive(true);
        QCOMPARE(p.scrollPos(), before);
        QTRY_VERIFY(p.scrollPos() > before);
        p.setActive(false);
        QCOMPARE(p.scrollPos(), 0);
        p.setActive(true);
        QCOMPARE(p.scrollPos(), 0);
        QTRY_VERIFY(p.scrollPos() > 0);
    }

    void changesWhileActive_data()
    {
        QTest::addColumn<PanelAction>("change");
        QTest::addColumn<bool>("resets");
        QTest::addColumn<int>("lineHeightDelta");
        QTest::newRow("lines") << PanelAction([](Panel &p) { p.setLines({"a", "b"}); }) << true << 0;
        QTest::newRow("same lines") << PanelAction([](Panel &p) { p.setLines(p.lines()); }) << false << 0;
        QTest::newRow("scroll direction")
            << PanelAction([](Panel &p) { p.setScrollDirection(Panel::TScrollDirection::sdHorizontal); }) << true << 0;
        QTest::newRow("text style")
            << PanelAction([](Panel &p) { p.setTextStyle(tk::TBevelCut::bvLowered); }) << false << 1;
        QTest::newRow("glyph layout")
            << PanelAction([](Panel &p) { p.setGlyphLayout(Panel::TGlyphLayout::glGlyphLeft); }) << false << 0;
        QTest::newRow("size") << PanelAction([](Panel &p) { p.resize(200, 200); }) << false << 0;
        QTest::newRow("alignment")
            << PanelAction([](Panel &p) { p.setAlignment(tk::TAlignment::taLeftJustify); }) << false << 0;
        QTest::newRow("font") << PanelAction([](Panel &p) { p.setFont(tk::makeFont(u"MS Sans Serif", 20)); }) << false
                              << -1;
    }
    void changesWhileActive()
    {
        QFETCH(PanelAction, change);
        QFETCH(bool, resets);
        QFETCH(int, lineHeightDelta);
        Panel p;
        setUpRegularCredits(p);
        p.setLines(QStringList(40, QStringLiteral("satır")));
        p.setInterval(1);
        p.show(); // a hidden widget hears of its new size only when shown
        QVERIFY(QTest::qWaitForWindowExposed(&p));
        p.setActive(true);
        QTRY_VERIFY(p.scrollPos() >= 5);
        p.setInterval(kFrozen);
        letTimePass(5, 10);
        const int pos = p.scrollPos();
        const int lh = p.lineHeight();
        const QRect area = p.textArea();
        change(p);
        QCOMPARE(p.scrollPos(), resets ? 0 : pos);
        if (lineHeightDelta >= 0)
            QCOMPARE(p.lineHeight(), lh + lineHeightDelta);
        else
            QCOMPARE(p.lineHeight(), QFontMetrics(p.font()).lineSpacing());
        if (QTest::currentDataTag() == QByteArray("size"))
            QCOMPARE(p.textArea(), QRect(3, 29, 194, 168));
        else if (QTest::currentDataTag() == QByteArray("glyph layout"))
            QVERIFY(p.textArea() != area);
    }

    void emptyListScrollsOverBackgroundOnly()
    {
        Panel p;
        setUpRegularCredits(p);
        p.setInterval(1);
        p.show();
        QVERIFY(QTest::qWaitForWindowExposed(&p));
        p.setActive(true);
        int highest = 0;
        QTRY_VERIFY([&] {
            highest = std::max(highest, p.scrollPos());
            return p.scrollPos() < highest; // wrapped after reaching the area's height
        }());
        QVERIFY(highest <= p.textArea().height());
        QCOMPARE(p.scrollExtent(), p.textArea().height());
        QCOMPARE(PixelProbe(grabbed(p)).uniform(QRect(0, 29, p.width(), p.height() - 29), tk::clBlack.rgb()), QString());
    }

    void tooSmallPanelDrawsNoText()
    {
        Panel p;
        setUpRegularCredits(p);
        p.resize(24, 30);
        p.setInterval(1);
        p.setLines({QStringLiteral("MMMM"), QStringLiteral("MMMM")});
        p.show();
        QVERIFY(QTest::qWaitForWindowExposed(&p));
        p.setActive(true);
        QCOMPARE(p.textArea(), QRect(0, 0, 0, 0));
        QTRY_VERIFY(p.scrollPos() >= 10); // the timer still runs
        // The glyph's one lime pixel, and no lime device pixel outside it.
        const QImage image = grabbed(p);
        const PixelProbe probe(image);
        QRect lime;
        for (int y = 0; y < p.height(); ++y)
            for (int x = 0; x < p.width(); ++x)
                if (probe.at(x, y) == tk::clLime.rgb())
                    lime |= QRect(x, y, 1, 1);
        QCOMPARE(lime.size(), QSize(1, 1));
        QCOMPARE(probe.deviceBoundsWhere(QRect(0, 0, p.width(), p.height()),
                                         [](const QColor &c) { return c == tk::clLime.toQColor(); }),
                 probe.deviceBoundsWhere(lime, [](const QColor &c) { return c == tk::clLime.toQColor(); }));
    }

    void unseenPanelAdvancesWithoutDrawing()
    {
        std::atomic<int> backgrounds{0};
        Panel p;
        setUpRegularCredits(p);
        p.setLines(QStringList(60, QStringLiteral("MMMM")));
        p.setOnPaintClient([&](Panel *, QPainter &canvas, const QRect &r) {
            ++backgrounds;
            canvas.fillRect(r, Qt::black);
        });
        p.setInterval(1);
        p.setActive(true);
        QTRY_VERIFY(p.scrollPos() >= 40);
        QCOMPARE(backgrounds.load(), 0);

        // Once frozen, showing draws the frame at the position reached.
        p.setInterval(kFrozen);
        letTimePass(5, 10);
        QCOMPARE(backgrounds.load(), 0);
        const int pos = p.scrollPos();
        p.show();
        QVERIFY(QTest::qWaitForWindowExposed(&p));
        QCOMPARE(p.scrollPos(), pos);
        QVERIFY(backgrounds >= 1);
        const QImage screen = grabbed(p);
        const qreal r = screen.devicePixelRatio();
        const Panel::TextFrame f = p.textFrame();
        QImage expected((QSizeF(f.textArea.size()) * r).toSize(), QImage::Format_RGB32);
        expected.setDevicePixelRatio(r);
        Panel::RenderTextFrame(expected, f, pos);
        const QImage shown = screen.copy(devicePixels(f.textArea, r));
        QCOMPARE(shown, expected.convertToFormat(QImage::Format_RGB32));
        QVERIFY(countOf(shown, tk::clLime.toQColor(), shown.rect()) > 0);
    }

    void activatedSinceAnEarlierMomentStandsWhereTheTicksWouldBe_data()
    {
        QTest::addColumn<bool>("shown");
        QTest::addColumn<int>("expected");
        QTest::newRow("unseen: the ticks since then count") << false << 40;
        QTest::newRow("seen: it starts from the top now") << true << 0;
    }

    void activatedSinceAnEarlierMomentStandsWhereTheTicksWouldBe()
    {
        QFETCH(bool, shown);
        QFETCH(int, expected);
        constexpr std::uint32_t interval = 10'000;
        Panel p;
        setUpRegularCredits(p);
        p.setLines(QStringList(27, QStringLiteral("MMMM")));
        p.setInterval(interval);
        if (shown) {
            p.show();
            QVERIFY(QTest::qWaitForWindowExposed(&p));
        }
        p.activateSince(Panel::Clock::now() - std::chrono::milliseconds(40 * std::int64_t(interval) + interval / 2));
        QVERIFY(p.active());
        QCOMPARE(p.resting(), !shown);
        QCOMPARE(p.scrollPos(), expected);
    }

    void unseenCycledPanelRestsAndGoesOnWhereTheTicksWouldBe()
    {
        // A long interval: the real timer does not tick while the test looks; the panel's clock
        // is moved on instead.
        constexpr std::uint32_t interval = 10'000;
        using std::chrono::milliseconds;
        ClockedPanel p;
        setUpRegularCredits(p);
        p.setLines(QStringList(27, QStringLiteral("MMMM")));
        p.setInterval(interval);
        p.setActive(true);
        // Unseen from the start: resting, its timer off and no thread started for it.
        QVERIFY(p.resting());
        QVERIFY(!p.scrollTimer()->enabled());
        QVERIFY(!p.scrollTimer()->hasWorker());
        const int extent = p.scrollExtent();
        QVERIFY(extent > 40);

        // Three whole passes and 40 ticks, and half an interval.
        p.advance(milliseconds((3 * (extent + 1) + 40) * std::int64_t(interval) + interval / 2));
        QCOMPARE(p.scrollPos(), 40);
        p.show();
        QVERIFY(QTest::qWaitForWindowExposed(&p));
        QVERIFY(!p.resting());
        QVERIFY(p.scrollTimer()->enabled());
        QCOMPARE(p.scrollPos(), 40);
        // The first frame shown is the one at that position.
        const QImage screen = grabbed(p);
        const qreal r = screen.devicePixelRatio();
        const Panel::TextFrame f = p.textFrame();
        QImage expected((QSizeF(f.textArea.size()) * r).toSize(), QImage::Format_RGB32);
        expected.setDevicePixelRatio(r);
        Panel::RenderTextFrame(expected, f, 40);
        QCOMPARE(screen.copy(devicePixels(f.textArea, r)), expected.convertToFormat(QImage::Format_RGB32));

        // Minimised, it rests again and counts on from there (the timer's own wait, under way
        // when it came to rest, may hand over its tick on waking: one pixel either way).
        p.showMinimized();
        QTRY_VERIFY(p.resting());
        QVERIFY(!p.scrollTimer()->enabled());
        p.advance(milliseconds(5 * std::int64_t(interval) + interval / 2));
        QVERIFY2(std::abs(p.scrollPos() - 45) <= 1, qPrintable(QString::number(p.scrollPos())));
        p.showNormal();
        QTRY_VERIFY(!p.resting());
        QVERIFY2(std::abs(p.scrollPos() - 45) <= 1, qPrintable(QString::number(p.scrollPos())));

        // Changes while resting take effect from where the ticks would be.
        p.hide();
        QVERIFY(p.resting());
        const int before = p.scrollPos();
        p.setInterval(interval / 2);
        p.advance(milliseconds(interval + interval / 2));
        QVERIFY(p.scrollPos() > before);
        p.setLines(QStringList(10, QStringLiteral("WWWW")));
        QCOMPARE(p.scrollPos(), 0);
        p.setActive(false);
        QVERIFY(!p.resting());
        QCOMPARE(p.scrollPos(), 0);
    }

    void onlyCycledPanelsRest_data()
    {
        QTest::addColumn<bool>("cycled");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<bool>("rests");
        QTest::newRow("cycled, unseen") << true << false << true;
        QTest::newRow("cycled, shown") << true << true << false;
        // Its pass ends, and the end switches it off: it keeps ticking to find it.
        QTest::newRow("one pass, unseen") << false << false << false;
    }
    void onlyCycledPanelsRest()
    {
        QFETCH(bool, cycled);
        QFETCH(bool, shown);
        QFETCH(bool, rests);
        Panel p;
        setUpRegularCredits(p);
        p.setCycled(cycled);
        p.setInterval(kFrozen);
        if (shown) {
            p.show();
            QVERIFY(QTest::qWaitForWindowExposed(&p));
        }
        p.setActive(true);
        QCOMPARE(p.resting(), rests);
        QCOMPARE(p.scrollTimer()->enabled(), !rests);
        // Switching Cycled over changes it at once.
        p.setCycled(!cycled);
        QCOMPARE(p.resting(), !shown && !cycled);
        QCOMPARE(p.scrollTimer()->enabled(), shown || cycled);
    }

    void showHideAndSwapWhileTicking()
    {
        // Two panels swapped back and forth as the about dialog does, while both tick.
        QWidget form;
        form.resize(293, 274);
        auto *regular = new Panel(&form);
        auto *group = new Panel(&form);
        setUpRegularCredits(*regular);
        setUpRegularCredits(*group);
        group->setTextStyle(tk::TBevelCut::bvLowered);
        regular->setLines(QStringList(27, QStringLiteral("KORVANTA")));
        group->setLines(QStringList(14, QStringLiteral("Programlama Grubu")));
        regular->setInterval(1);
        group->setInterval(1);
        regular->setActive(true);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QDeadlineTimer deadline(120000);
        for (int i = 0; i < 4000 && !deadline.hasExpired(); ++i) {
            switch (i % 4) {
            case 0: // Ctrl+Alt+T
                regular->hide();
                regular->setActive(false);
                group->show();
                group->setActive(true);
                group->raise();
                break;
            case 1: // closed
                form.hide();
                regular->setActive(false);
                break;
            case 2: // shown again
                group->hide();
                group->setActive(false);
                regular->show();
                regular->setActive(true);
                form.show();
                break;
            case 3:
                regular->setAsyncDrawing(i % 8 == 3);
                regular->resize(284, 129 - (i % 3));
                break;
            }
            if (i % 16 == 0)
                QCoreApplication::processEvents();
        }
        QVERIFY(!deadline.hasExpired());
        QVERIFY(regular->active());
        QVERIFY(!group->active());
        const int at = regular->scrollPos();
        QTRY_VERIFY(regular->scrollPos() != at); // still scrolling
    }

    void destroyingActivePanelsWhileTheyTick()
    {
        for (int i = 0; i < 300; ++i) {
            auto p = std::make_unique<Panel>();
            setUpRegularCredits(*p);
            p->setLines({QStringLiteral("MMMM"), QString(), QStringLiteral("WWWW")});
            p->setAsyncDrawing(i % 2 == 0);
            p->setInterval(1);
            if (i % 3 == 0)
                p->show();
            p->setActive(true);
            if (i % 5 == 0)
                QTRY_VERIFY(p->scrollPos() >= 1);
            QCoreApplication::processEvents();
        }
    }

private:
    QStringList m_messages;
    tk::Application::ErrorDisplay m_previousDisplay;
};

PC_TEST_MAIN(TestCreditsPanel)
#include "tst_tcreditspanel.moc"

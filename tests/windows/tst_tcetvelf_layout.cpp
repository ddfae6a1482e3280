#include "tests/support/testmain.h"
#include "tests/support/crispness.h"
#include "tests/support/pixelprobe.h"
#include "data/elementcatalogue.h"
#include "toolkit/text.h"
#include "toolkit/tbevel.h"
#include "toolkit/thint.h"
#include "toolkit/tpanel.h"
#include "toolkit/tshape.h"
#include "toolkit/tstatictext.h"
#include "toolkit/tstatusbar.h"
#include "widgets/ttilebutton.h"
#include "windows/cetvelflayout.h"
#include "windows/layoutbuilder.h"
#include "windows/tcetvelf.h"

#include <QAccessible>
#include <QFontMetricsF>
#include <QSet>

#include <memory>
#include <optional>

using layout::Component;
using layout::Kind;

namespace {

constexpr QRgb White = 0xFFFFFFFF;
constexpr QRgb Shadow = 0xFF808080;
constexpr QRgb Highlight = 0xFFFFFFFF;
constexpr QRgb Face = 0xFFD4D0C8;
constexpr QRgb Solid = 0xFF0000A0;     // 10485760 as the layouts write it
constexpr QRgb Liquid = 0xFF00BF00;    // 48896
constexpr QRgb Gas = 0xFFFF0000;       // clRed
constexpr QRgb Synthetic = 0xFFFF6AFF; // 16739071

// Which legend entry each element belongs to, written out here so that the window is checked
// against an independent statement; the colours are then the built window's own legend's.
QString expectedState(int z)
{
    static const QSet<int> liquids{35, 80};
    static const QSet<int> gases{1, 2, 7, 8, 9, 10, 17, 18, 36, 54, 86};
    static const QSet<int> synthetic{43, 61, 95, 96, 97, 98, 99, 100, 101, 102, 103,
                                     105, 106, 107, 108, 109, 110, 111, 112, 113, 114};
    if (liquids.contains(z)) return QStringLiteral("SIVI");
    if (gases.contains(z)) return QStringLiteral("GAZ");
    if (synthetic.contains(z)) return QStringLiteral("YAPAY");
    return QStringLiteral("KATI");
}

QString expectedClass(int z)
{
    static const QSet<int> nonMetals{1, 6, 7, 8, 9, 15, 16, 17, 34, 35, 53};
    static const QSet<int> metalloids{5, 14, 32, 33, 51, 52, 84, 85};
    static const QSet<int> nobleGases{2, 10, 18, 36, 54, 86};
    if (nonMetals.contains(z)) return QStringLiteral("Ametal");
    if (metalloids.contains(z)) return QStringLiteral("Yarımetal");
    if (nobleGases.contains(z)) return QStringLiteral("Soygaz");
    return QStringLiteral("Metal");
}

// Row tops of the nine table rows (seven periods, lanthanides, actinides).
constexpr int RowTops[9] = {75, 114, 153, 192, 231, 270, 309, 369, 408};

// One window for the whole run; building it is what is under test.
std::unique_ptr<Tcetvelf> theWindow;
std::optional<PixelProbe> theProbe;

Tcetvelf &window() { return *theWindow; }
const PixelProbe &probe() { return *theProbe; }

QWidget *child(const Component &c) { return window().findChild<QWidget *>(tk::qs(c.name)); }

void addComponentRows(bool (*wanted)(const Component &))
{
    QTest::addColumn<int>("index");
    for (std::size_t i = 0; i < cetvelflayout::Components.size(); ++i)
        if (wanted(cetvelflayout::Components[i]))
            QTest::newRow(cetvelflayout::Components[i].name.data()) << int(i);
}

template <typename T>
T *named(const char *name) { return LayoutBuilder::component<T>(&window(), name); }

// The colour the built window's legend shows beside a caption: a state panel's face, a class
// text's ink.
QRgb legendColour(const QString &caption)
{
    for (const tk::TPanel *panel : window().findChildren<tk::TPanel *>())
        if (panel->caption() == caption)
            return panel->color().rgb();
    for (const tk::TStaticText *text : window().findChildren<tk::TStaticText *>())
        if (text->caption() == caption)
            return text->fontColor().rgb();
    qFatal("no legend entry %s", qPrintable(caption));
}

} // namespace

class TestTcetvelfLayout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void window();
    void components_data();
    void components();
    void stackingFollowsTable();
    void tilesOnBands_data();
    void tilesOnBands();
    void emptyCellsWhite_data();
    void emptyCellsWhite();
    void boxedTexts_data();
    void boxedTexts();
    void legendPanels_data();
    void legendPanels();
    void legendTexts_data();
    void legendTexts();
    void rules_data();
    void rules();
    void titleAndStatusBar();
    void crispAtThisScale();
    void toolTipsAndCursors();
    void tileHintsAgainstCatalogue_data();
    void tileHintsAgainstCatalogue();
    void accessibleCaptions_data();
    void accessibleCaptions();
};

void TestTcetvelfLayout::initTestCase()
{
    theWindow = std::make_unique<Tcetvelf>();
    theWindow->show();
    QVERIFY(QTest::qWaitForWindowExposed(theWindow.get()));
    theProbe.emplace(PixelProbe::of(*theWindow));
    const double scale = qEnvironmentVariableIsSet("QT_SCALE_FACTOR") ? qEnvironmentVariable("QT_SCALE_FACTOR").toDouble() : 1.0;
    QCOMPARE(probe().ratio(), scale);
    QCOMPARE(probe().logicalSize(), QSize(769, 479));
}

void TestTcetvelfLayout::cleanupTestCase()
{
    theProbe.reset();
    theWindow.reset();
}

void TestTcetvelfLayout::window()
{
    Tcetvelf &w = ::window();
    QCOMPARE(w.size(), QSize(769, 479));
    QCOMPARE(w.minimumSize(), w.maximumSize());
    QVERIFY(w.windowFlags() & Qt::WindowMinimizeButtonHint);
    QVERIFY(!(w.windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(w.windowFlags() & Qt::WindowSystemMenuHint);
    QVERIFY(w.windowTitle().startsWith(QStringLiteral("KORVANTA Tamelis - Periyodik Cetvel ")));
    QCOMPARE(w.font().pixelSize(), 11);
    for (int z = 1; z <= 114; ++z) {
        QVERIFY(w.tileButton(z) != nullptr);
        QCOMPARE(w.tileButton(z)->objectName(), QStringLiteral("TileButton%1").arg(z));
    }
    // No control takes the keyboard focus: the window itself gets the keys.
    for (QWidget *c : w.findChildren<QWidget *>())
        QVERIFY2(c->focusPolicy() == Qt::NoFocus, qPrintable(c->objectName()));
    QVERIFY(w.tileButton(0) == nullptr);
    QVERIFY(w.tileButton(115) == nullptr);
    QCOMPARE(w.StaticText12->objectName(), QStringLiteral("StaticText12"));
    // A component asked for as the wrong kind, or one that is not there, fails at the lookup.
    QCOMPARE(named<tk::TShape>("Shape20")->objectName(), QStringLiteral("Shape20"));
    QVERIFY_THROWS_EXCEPTION(tk::Error, named<tk::TPanel>("Shape20"));
    QVERIFY_THROWS_EXCEPTION(tk::Error, named<tk::TShape>("Shape23"));
}

void TestTcetvelfLayout::components_data()
{
    addComponentRows([](const Component &) { return true; });
}

// Each row of the layout table against the widget built from it.
void TestTcetvelfLayout::components()
{
    QFETCH(int, index);
    const Component &c = cetvelflayout::Components[std::size_t(index)];
    QWidget *w = child(c);
    QVERIFY(w != nullptr);
    QCOMPARE(w->parentWidget(), &::window());
    QCOMPARE(w->geometry(), QRect(c.rect.left, c.rect.top, c.rect.width, c.rect.height));
    QCOMPARE(int(tk::THint::cursor(w)), int(c.cursor));
    QCOMPARE(w->toolTip(), tk::qs(c.hint));
    const QFont font = w->font();
    if (!c.font.face.empty()) {
        QCOMPARE(font.pixelSize(), c.font.pixelHeight);
        QCOMPARE(font.bold(), c.font.bold());
    }
    switch (c.kind) {
    case Kind::Shape: {
        auto *shape = qobject_cast<tk::TShape *>(w);
        QVERIFY(shape != nullptr);
        QCOMPARE(shape->brushColor(), c.color);
        QCOMPARE(shape->penColor(), c.color);
        break;
    }
    case Kind::Bevel: {
        auto *bevel = qobject_cast<tk::TBevel *>(w);
        QVERIFY(bevel != nullptr);
        QCOMPARE(int(bevel->style()), int(tk::TBevelCut::bvLowered));
        break;
    }
    case Kind::TileButton: {
        auto *tile = qobject_cast<TTileButton *>(w);
        QVERIFY(tile != nullptr);
        QCOMPARE(tile->tag(), c.tag);
        QCOMPARE(tile->caption(), tk::qs(c.caption));
        QCOMPARE(tile->hint(), tk::qs(c.hint));
        QCOMPARE(PixelProbe::describe(tile->fontColor().rgb()), PixelProbe::describe(legendColour(expectedClass(c.tag))));
        QVERIFY(!tile->parentFont());
        QCOMPARE(int(tile->alignment()), int(tk::TAlignment::taCenter));
        QVERIFY(!tile->flat());
        break;
    }
    case Kind::StaticText: {
        auto *text = qobject_cast<tk::TStaticText *>(w);
        QVERIFY(text != nullptr);
        QCOMPARE(text->caption(), tk::qs(c.caption));
        QCOMPARE(text->color(), c.color);
        QCOMPARE(text->fontColor(), c.fontColor);
        QCOMPARE(int(text->borderStyle()),
                 int(cetvelflayout::isBoxedText(c) ? tk::TBevelCut::bvLowered : tk::TBevelCut::bvNone));
        QCOMPARE(int(text->textAlignment()), int(tk::TAlignment::taCenter));
        break;
    }
    case Kind::Panel: {
        auto *panel = qobject_cast<tk::TPanel *>(w);
        QVERIFY(panel != nullptr);
        QCOMPARE(panel->caption(), tk::qs(c.caption));
        QCOMPARE(panel->color(), c.color);
        QCOMPARE(panel->fontColor(), c.fontColor);
        QCOMPARE(int(panel->bevelOuter()), int(tk::TBevelCut::bvRaised));
        QCOMPARE(int(panel->alignment()), int(tk::TAlignment::taCenter));
        break;
    }
    case Kind::StatusBar: {
        auto *bar = qobject_cast<tk::TStatusBar *>(w);
        QVERIFY(bar != nullptr);
        QCOMPARE(bar->panelCount(), 2);
        QCOMPARE(bar->panelText(0), QStringLiteral(" KORVANTA"));
        QCOMPARE(bar->panelText(1), QString());
        break;
    }
    case Kind::RoundedButton:
    case Kind::GIFAnimator: break;
    default: QFAIL("a kind the main window does not use");
    }
}

void TestTcetvelfLayout::stackingFollowsTable()
{
    // Sibling order is stacking order; the table lists the bottom first.
    const QObjectList siblings = ::window().children();
    int previous = -1;
    for (const Component &c : cetvelflayout::Components) {
        const int at = int(siblings.indexOf(child(c)));
        QVERIFY2(at > previous, c.name.data());
        previous = at;
    }
    // Bands first, then Bevel1, then the tiles.
    QCOMPARE(siblings.indexOf(named<tk::TBevel>("Bevel1")) - siblings.indexOf(named<tk::TShape>("Shape4")), 1);
    QVERIFY(siblings.indexOf(named<tk::TBevel>("Bevel1")) < siblings.indexOf(::window().tileButton(1)));
}

void TestTcetvelfLayout::tilesOnBands_data()
{
    QTest::addColumn<int>("z");
    for (int z = 1; z <= 114; ++z)
        QTest::newRow(qPrintable(QStringLiteral("Z=%1").arg(z))) << z;
}

void TestTcetvelfLayout::tilesOnBands()
{
    QFETCH(int, z);
    const QRect tile = ::window().tileButton(z)->geometry();
    QCOMPARE(tile.size(), QSize(35, 35));
    const QRect cell = tile.adjusted(-2, -2, 2, 2);
    // On exactly one band, of the state's colour.
    int bands = 0;
    for (auto *shape : ::window().findChildren<tk::TShape *>()) {
        if (shape->geometry().contains(cell)) {
            ++bands;
            QCOMPARE(PixelProbe::describe(shape->brushColor().rgb()), PixelProbe::describe(legendColour(expectedState(z))));
        } else {
            QVERIFY2(!shape->geometry().intersects(cell), qPrintable(shape->objectName()));
        }
    }
    QCOMPARE(bands, 1);
    // The 2-pixel margin around the tile, that is half of each strip to its neighbours, shows the band.
    const QRgb band = legendColour(expectedState(z));
    QCOMPARE(probe().uniform(QRect(cell.left(), cell.top(), 39, 2), band), QString());
    QCOMPARE(probe().uniform(QRect(cell.left(), cell.bottom() - 1, 39, 2), band), QString());
    QCOMPARE(probe().uniform(QRect(cell.left(), cell.top(), 2, 39), band), QString());
    QCOMPARE(probe().uniform(QRect(cell.right() - 1, cell.top(), 2, 39), band), QString());
    // The tile itself is opaque: its face, not the band, just inside its bevel.
    QVERIFY(probe().at(tile.left() + 3, tile.top() + 3) != band);
}

void TestTcetvelfLayout::emptyCellsWhite_data()
{
    QTest::addColumn<QRect>("cell");
    const QList<QRect> tiles = [] {
        QList<QRect> r;
        for (int z = 1; z <= 114; ++z)
            r << ::window().tileButton(z)->geometry();
        return r;
    }();
    for (int row = 0; row < 9; ++row)
        for (int c = 0; c < 18; ++c) {
            const QRect cell(61 + 39 * c, RowTops[row], 39, 39);
            bool occupied = false;
            for (const QRect &t : tiles)
                occupied = occupied || cell.contains(t);
            if (!occupied)
                QTest::newRow(qPrintable(QStringLiteral("row %1 column %2").arg(row + 1).arg(c + 1))) << cell;
        }
}

// Empty cells are not filled: white wherever no other component of the layout stands.
void TestTcetvelfLayout::emptyCellsWhite()
{
    QFETCH(QRect, cell);
    QList<QRect> others;
    for (const Component &c : cetvelflayout::Components)
        if (c.kind != Kind::Shape)
            others << QRect(c.rect.left, c.rect.top, c.rect.width, c.rect.height);
    for (int y = cell.top(); y <= cell.bottom(); ++y)
        for (int x = cell.left(); x <= cell.right(); ++x) {
            bool covered = false;
            for (const QRect &o : others)
                covered = covered || o.contains(x, y);
            if (!covered && probe().at(x, y) != White)
                QFAIL(qPrintable(QStringLiteral("(%1,%2) is %3").arg(x).arg(y).arg(PixelProbe::describe(probe().at(x, y)))));
        }
}

void TestTcetvelfLayout::boxedTexts_data()
{
    addComponentRows(cetvelflayout::isBoxedText);
}

// Headings and period labels: sunken ring, their background, caption centred.
void TestTcetvelfLayout::boxedTexts()
{
    QFETCH(int, index);
    const Component &c = cetvelflayout::Components[std::size_t(index)];
    const QRect r(c.rect.left, c.rect.top, c.rect.width, c.rect.height);
    const Ring ring(r);
    QCOMPARE(probe().uniform(ring.top, Shadow), QString());
    QCOMPARE(probe().uniform(ring.left, Shadow), QString());
    QCOMPARE(probe().uniform(ring.right, Highlight), QString());
    QCOMPARE(probe().uniform(ring.bottom, Highlight), QString());
    const QRgb background = c.color.rgb();
    QCOMPARE(PixelProbe::describe(background),
             PixelProbe::describe(cetvelflayout::isPeriodLabel(c) ? 0xFF9DCEFF : c.hint.empty() ? 0xFFFFC5A6 : 0xFFD1D1A3));
    const QRect inner = r.adjusted(1, 1, -1, -1);
    QCOMPARE(probe().uniform(QRect(inner.left(), inner.top(), inner.width(), 2), background), QString());
    QCOMPARE(probe().uniform(QRect(inner.left(), inner.bottom() - 1, inner.width(), 2), background), QString());
    const QRect ink = probe().boundsOfOther(inner, background);
    QVERIFY(!ink.isEmpty());
    QVERIFY(qAbs(ink.left() + ink.right() - inner.left() - inner.right()) <= 5);
    QVERIFY(qAbs(ink.top() + ink.bottom() - inner.top() - inner.bottom()) <= 4);
    QVERIFY(probe().countNear(ink, 0xFF000000, 60) > 8); // clWindowText
}

void TestTcetvelfLayout::legendPanels_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<quint32>("colour");
    for (std::size_t i = 0; i < cetvelflayout::Components.size(); ++i) {
        const Component &c = cetvelflayout::Components[i];
        if (!cetvelflayout::isStatePanel(c))
            continue;
        const quint32 colour = c.caption == "KATI" ? Solid : c.caption == "SIVI" ? Liquid : c.caption == "GAZ" ? Gas : Synthetic;
        QTest::newRow(c.name.data()) << int(i) << colour;
    }
}

// State legend: raised ring, the colour of the band it names, white caption.
void TestTcetvelfLayout::legendPanels()
{
    QFETCH(int, index);
    QFETCH(quint32, colour);
    const Component &c = cetvelflayout::Components[std::size_t(index)];
    QCOMPARE(c.rect.top, 118);
    QCOMPARE(c.rect.height, 25);
    const QRect r(c.rect.left, c.rect.top, c.rect.width, c.rect.height);
    const Ring ring(r);
    // "KATI"'s last column lies under "SIVI".
    const int visibleWidth = c.name == "Panel6" ? r.width() - 1 : r.width();
    QCOMPARE(probe().uniform(QRect(r.left(), r.top(), visibleWidth - (visibleWidth == r.width() ? 1 : 0), 1), Highlight), QString());
    QCOMPARE(probe().uniform(ring.left, Highlight), QString());
    QCOMPARE(probe().uniform(QRect(r.left(), r.bottom(), visibleWidth, 1), Shadow), QString());
    if (visibleWidth == r.width())
        QCOMPARE(probe().uniform(ring.right, Shadow), QString());
    QCOMPARE(probe().uniform(QRect(r.left() + 1, r.top() + 1, 57, 2), colour), QString());
    const QRect ink = probe().boundsOfOther(r.adjusted(1, 1, -2, -1), colour);
    QVERIFY(!ink.isEmpty());
    QVERIFY(qAbs(ink.left() + ink.right() - (r.left() + 1) - (r.right() - 1)) <= 4);
    QVERIFY(probe().countNear(ink, 0xFFFFFFFF, 30) > 8);
}

void TestTcetvelfLayout::legendTexts_data()
{
    addComponentRows(cetvelflayout::isLegendText);
}

// Class legend and row labels: their colour's text on white, centred in their rectangles.
void TestTcetvelfLayout::legendTexts()
{
    QFETCH(int, index);
    const Component &c = cetvelflayout::Components[std::size_t(index)];
    const QRect r(c.rect.left, c.rect.top, c.rect.width, c.rect.height);
    const QRect ink = probe().boundsOfOther(r.adjusted(-4, -4, 4, 4), White);
    QVERIFY(!ink.isEmpty());
    const QString where = QStringLiteral("ink %1,%2 %3x%4").arg(ink.x()).arg(ink.y()).arg(ink.width()).arg(ink.height());
    QVERIFY2(r.contains(ink), qPrintable(where));
    // The margins left and right of the ink differ by no more than the glyphs' side bearings.
    QVERIFY2(qAbs((ink.left() - r.left()) - (r.right() - ink.right())) <= 2, qPrintable(where));
    // Vertically the text's line (ascent over descent) is centred, so the ink lies where the
    // font puts these letters' ink on a line so placed (descenders make it lower than the
    // middle), to within the device pixel that the baseline snaps to and the ink's smoothed edge.
    const auto *text = qobject_cast<const tk::TStaticText *>(child(c));
    QVERIFY(text != nullptr);
    const QFontMetricsF metrics(text->font());
    const QRectF expected = metrics.tightBoundingRect(text->text())
                                .translated(0, r.top() + (r.height() - metrics.height()) / 2 + metrics.ascent());
    const QString against = where + QStringLiteral(", expected ink rows %1 .. %2").arg(expected.top()).arg(expected.bottom());
    QVERIFY2(qAbs(ink.top() - expected.top()) <= 1.5, qPrintable(against));
    QVERIFY2(qAbs(ink.bottom() + 1 - expected.bottom()) <= 1.5, qPrintable(against));
    QVERIFY(probe().countNear(ink, c.fontColor.rgb(), 40) > 10);
}

void TestTcetvelfLayout::rules_data()
{
    addComponentRows([](const Component &c) { return c.kind == Kind::Bevel; });
}

void TestTcetvelfLayout::rules()
{
    QFETCH(int, index);
    const Component &c = cetvelflayout::Components[std::size_t(index)];
    QCOMPARE(c.rect.height, 2);
    QCOMPARE(probe().uniform(QRect(c.rect.left, c.rect.top, c.rect.width, 1), Shadow), QString());
    QCOMPARE(probe().uniform(QRect(c.rect.left, c.rect.top + 1, c.rect.width, 1), Highlight), QString());
    QCOMPARE(probe().uniform(QRect(c.rect.left - 1, c.rect.top, 1, 2), White), QString());
    QCOMPARE(probe().uniform(QRect(c.rect.left + c.rect.width, c.rect.top, 1, 2), White), QString());
}

void TestTcetvelfLayout::crispAtThisScale()
{
    const QRegion text = textRegion(::window(), {{"TTileButton", 2}, {"tk::TStaticText", 1}, {"tk::TLabel", 0},
                                                 {"tk::TPanel", 1}, {"tk::TStatusBar", 1}, {"TRoundedButton", 0}});
    const QString blur = blurOutside(probe(), text);
    QVERIFY2(blur.isEmpty(), qPrintable(blur));
}

void TestTcetvelfLayout::titleAndStatusBar()
{
    const Ring title(QRect(0, 0, 769, 30));
    QCOMPARE(probe().uniform(title.top, Highlight), QString());
    QCOMPARE(probe().uniform(title.left, Highlight), QString());
    QCOMPARE(probe().uniform(title.right, Shadow), QString());
    QCOMPARE(probe().uniform(title.bottom, Shadow), QString());
    QCOMPARE(probe().uniform(QRect(1, 1, 200, 3), 0xFF9DCEFF), QString());
    const QRect ink = probe().boundsOfOther(QRect(1, 1, 767, 28), 0xFF9DCEFF);
    QVERIFY(qAbs(ink.left() + ink.right() - 768) <= 4);
    QVERIFY(probe().countNear(ink, 0xFF000080, 40) > 30);
    QCOMPARE(named<tk::TPanel>("Panel1")->caption(), QStringLiteral("KORVANTA Tamelis - Periyodik Cetvel"));

    // The status bar: the first panel 75 pixels wide, the second reaching the right edge.
    tk::TStatusBar *bar = named<tk::TStatusBar>("StatusBar1");
    QCOMPARE(bar->panelRect(0).width(), 75);
    QCOMPARE(bar->panelRect(1).right(), 768);
    const int top = 460 + tk::TStatusBar::TopBorder;
    QCOMPARE(probe().uniform(QRect(0, top, 74, 1), Shadow), QString());
    QCOMPARE(probe().uniform(QRect(74, top, 1, 17), Highlight), QString());
    QCOMPARE(probe().uniform(QRect(75, top, 2, 17), Face), QString());
    QCOMPARE(probe().uniform(QRect(77, top, 1, 16), Shadow), QString());
    QCOMPARE(probe().uniform(QRect(768, top, 1, 17), Highlight), QString());
    QCOMPARE(probe().uniform(QRect(78, top + 1, 690, 15), Face), QString());
    QCOMPARE(probe().uniform(QRect(0, 460, 769, 2), Face), QString());
}

// Tool-tips and the hand cursor exactly where the window promises them.
void TestTcetvelfLayout::toolTipsAndCursors()
{
    QSet<QString> tipped;
    QSet<QString> handed;
    for (int z = 1; z <= 114; ++z) {
        tipped << QStringLiteral("TileButton%1").arg(z);
        handed << QStringLiteral("TileButton%1").arg(z);
    }
    for (const char *a : {"StaticText3", "StaticText15", "StaticText7", "StaticText8", "StaticText9",
                          "StaticText10", "StaticText11", "StaticText12"})
        tipped << QString::fromLatin1(a);
    for (const char *b : {"StaticText3", "StaticText15", "StaticText16", "StaticText17", "StaticText14",
                          "StaticText13", "StaticText19", "StaticText20", "StaticText18", "StaticText4",
                          "StaticText5", "StaticText6", "StaticText7", "StaticText8", "StaticText9",
                          "StaticText10", "StaticText11", "StaticText12"})
        handed << QString::fromLatin1(b);
    for (const char *p : {"StaticText21", "StaticText23", "StaticText24", "StaticText25", "StaticText26",
                          "StaticText27", "StaticText28", "Panel6", "Panel3", "Panel2", "Panel31",
                          "RoundedButton1", "GIFAnimator1"}) {
        tipped << QString::fromLatin1(p);
        handed << QString::fromLatin1(p);
    }
    int seen = 0;
    for (QWidget *w : ::window().findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (w->objectName().isEmpty())
            continue;
        ++seen;
        QVERIFY2(tipped.contains(w->objectName()) == !w->toolTip().isEmpty(), qPrintable(w->objectName()));
        const bool hand = w->testAttribute(Qt::WA_SetCursor) && w->cursor().shape() == Qt::PointingHandCursor;
        QVERIFY2(handed.contains(w->objectName()) == hand, qPrintable(w->objectName()));
    }
    QVERIFY(seen >= int(cetvelflayout::Components.size()) - 2);
    QCOMPARE(::window().findChild<QWidget *>(QStringLiteral("Panel31"))->toolTip(), QStringLiteral("Yapay"));
    QCOMPARE(::window().findChild<QWidget *>(QStringLiteral("StaticText21"))->toolTip(), QStringLiteral("1.Periyot"));
    QCOMPARE(::window().findChild<QWidget *>(QStringLiteral("StaticText12"))->toolTip(),
             QStringLiteral("Soygazlar(Asal gazlar)"));
}

void TestTcetvelfLayout::tileHintsAgainstCatalogue_data()
{
    QTest::addColumn<int>("z");
    QTest::addColumn<QString>("differsAs");
    const QMap<int, QString> own{{13, QStringLiteral("Aliminyum")},   {54, QStringLiteral("Xenon")},
                                 {59, QStringLiteral("Praseodiyum")}, {64, QStringLiteral("Gadolinyum")},
                                 {87, QStringLiteral("Fransium")},    {89, QStringLiteral("Aktinium")}};
    for (int z = 1; z <= 114; ++z)
        QTest::newRow(qPrintable(QStringLiteral("Z=%1").arg(z))) << z << own.value(z);
}

// A tile's hint is its own text: the catalogue's name except for six elements.
void TestTcetvelfLayout::tileHintsAgainstCatalogue()
{
    QFETCH(int, z);
    QFETCH(QString, differsAs);
    TTileButton *tile = ::window().tileButton(z);
    const QString catalogueName = tk::qs(ElementCatalogue[z].Name);
    if (differsAs.isEmpty()) {
        QCOMPARE(tile->toolTip(), catalogueName);
    } else {
        QCOMPARE(tile->toolTip(), differsAs);
        QVERIFY(catalogueName != differsAs);
    }
    QCOMPARE(tile->caption(), QStringLiteral("%1\r\n").arg(z) + tk::qs(ElementCatalogue[z].Symbol));
}

void TestTcetvelfLayout::accessibleCaptions_data()
{
    addComponentRows([](const Component &c) { return cetvelflayout::isBoxedText(c) || c.kind == Kind::Panel; });
}

void TestTcetvelfLayout::accessibleCaptions()
{
    QFETCH(int, index);
    const Component &c = cetvelflayout::Components[std::size_t(index)];
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(child(c));
    QVERIFY(iface != nullptr);
    QCOMPARE(iface->text(QAccessible::Name), tk::qs(c.caption));
}

PC_TEST_MAIN(TestTcetvelfLayout)
#include "tst_tcetvelf_layout.moc"

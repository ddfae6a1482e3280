#include "app/startup.h"
#include "data/categorytexts.h"
#include "data/elementcatalogue.h"
#include "tests/support/testmain.h"
#include "tests/support/crispness.h"
#include "tests/windows/modalprobe.h"
#include "toolkit/tdraw.h"
#include "toolkit/text.h"
#include "toolkit/tgroupbox.h"
#include "toolkit/timagelist.h"
#include "toolkit/tlabel.h"
#include "toolkit/tpanel.h"
#include "toolkit/tstatictext.h"
#include "toolkit/tstatusbar.h"
#include "toolkit/ttoolbar.h"
#include "toolkit/ttoolbutton.h"
#include "widgets/ttilebutton.h"
#include "windows/instances.h"
#include "windows/layoutbuilder.h"
#include "windows/sabitflayout.h"
#include "windows/tcetvelf.h"
#include "windows/tgrupf.h"
#include "windows/tsabitf.h"

#include <QAction>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTest>

#include <algorithm>
#include <memory>

namespace {

template <typename T>
T *named(const char *name) { return LayoutBuilder::component<T>(sabitf, name); }

QStringList valueTexts()
{
    QStringList texts;
    for (int n = 1; n <= 16; ++n)
        texts << sabitf->label(n)->caption();
    return texts;
}

// What the dialog should show for element z: its number, then fields 1 to 15 of its row.
QStringList expectedTexts(int z)
{
    QStringList texts{QString::number(z)};
    for (int field = 1; field <= 15; ++field)
        texts << tk::qs(ElementCatalogue[z].field(field));
    return texts;
}

void clickTile(int z)
{
    TTileButton *tile = cetvelf->tileButton(z);
    QTest::mouseClick(tile, Qt::LeftButton, {}, tile->rect().center());
}

bool sameColour(QRgb a, tk::TColor b)
{
    return (a & 0xFFFFFF) == (b.rgb() & 0xFFFFFF);
}

struct CategoryView {
    QString title;
    QString text;
};

CategoryView categoryView()
{
    return {grupf->Label1->caption(), grupf->Memo1->toPlainText()};
}

QString joined(const CategoryEntry &entry)
{
    QStringList lines;
    for (const std::string_view line : entry.Lines)
        lines << tk::qs(line);
    return lines.join(u'\n');
}


// Where the last ink of `label`'s text falls, in logical pixels from the label's left edge, when
// drawn as the label draws it at the window's device pixel ratio but without its clipping.
qreal inkEnd(const tk::TLabel *label, qreal dpr)
{
    const QFontMetrics metrics(label->font());
    const QString text = label->caption();
    const QRect room(0, 0, metrics.horizontalAdvance(text) + 2 * metrics.height(), metrics.height());
    QImage image((QSizeF(room.size()) * dpr).toSize(), QImage::Format_RGB32);
    image.setDevicePixelRatio(dpr);
    image.fill(Qt::black);
    QPainter painter(&image);
    painter.setFont(label->font());
    painter.setPen(Qt::white);
    painter.drawText(room, tk::singleLineFlags(tk::TAlignment::taLeftJustify), text);
    painter.end();
    for (int x = image.width() - 1; x >= 0; --x)
        for (int y = 0; y < image.height(); ++y)
            if (image.pixel(x, y) != qRgb(0, 0, 0))
                return (x + 1) / dpr;
    return 0;
}

// The value labels whose text comes within `spare` pixels of the group box's inner right edge,
// measured in the font each label resolves to here: its advance, its ink by the font's own
// bounding box and its ink as drawn at this scale. Empty when every value ends in time.
QStringList valuesNearTheEdge(int spare)
{
    constexpr int Frame = 2; // the group box's two-pixel etched ring
    const int limit = named<tk::TGroupBox>("GroupBox1")->width() - Frame - spare;
    const qreal dpr = sabitf->devicePixelRatioF();
    QStringList found;
    for (int n = 1; n <= 16; ++n) {
        const tk::TLabel *value = sabitf->label(n);
        const QFontMetrics metrics(value->font());
        const QString text = value->caption();
        if (n == 2) { // the name, centred on its own panel
            if (metrics.horizontalAdvance(text) > named<tk::TPanel>("Panel1")->width() - 2 * spare)
                found << QStringLiteral("name \"%1\" wider than its panel").arg(text);
            continue;
        }
        const qreal reach = std::max({qreal(metrics.horizontalAdvance(text)),
                                      qreal(metrics.boundingRect(text).right() + 1), inkEnd(value, dpr)});
        const qreal end = value->x() + reach;
        if (end > limit)
            found << QStringLiteral("Label%1 \"%2\" ends at %3, room up to %4 (%5, %6 px)")
                         .arg(n).arg(text).arg(end).arg(limit)
                         .arg(QFontInfo(value->font()).family()).arg(value->font().pixelSize());
    }
    // The real drawing agrees: in the values' rows, the strip just inside the ring holds nothing
    // but the box's colour.
    const QImage shot = named<tk::TGroupBox>("GroupBox1")->grab().toImage();
    const QRgb background = named<tk::TGroupBox>("GroupBox1")->color().rgb() & 0xFFFFFF;
    const int right = int((named<tk::TGroupBox>("GroupBox1")->width() - Frame) * dpr);
    for (int n = 1; n <= 16; ++n) {
        const tk::TLabel *value = sabitf->label(n);
        for (int y = int(value->y() * dpr); n != 2 && y < int((value->y() + value->height()) * dpr); ++y)
            for (int x = int(limit * dpr); x < right; ++x)
                if ((shot.pixel(x, y) & 0xFFFFFF) != background) {
                    found << QStringLiteral("text drawn in the spare strip at device pixel (%1, %2)").arg(x).arg(y);
                    return found;
                }
    }
    return found;
}

} // namespace

// The element details dialog: filled by a tile click, its layout, F5 and Escape.
class TestTsabitf : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();

    void tileClickFillsEveryLabel_data();
    void tileClickFillsEveryLabel();
    void secondElementLeavesNoTrace();
    void titleFollowsTheMainWindow();
    void detailCommand_data();
    void detailCommand();
    void detailTwiceShowsParagraphsOnce();
    void escapeClosesOnlyTheTopDialog();
    void buttonsRunTheirCommands();
    void layoutAreas_data();
    void layoutAreas();
    void captionedValues_data();
    void captionedValues();
    void toolBarItems_data();
    void toolBarItems();
    void nameAndStatusBar();
    void longValuesAreCoveredAndCut_data();
    void longValuesAreCoveredAndCut();
    void captionKeepsItsTrailingBlank();
    void everyValueEndsInsideTheDialog_data();
    void everyValueEndsInsideTheDialog();
    void crispAtThisScale();

private:
    std::unique_ptr<ProgramWindows> m_windows;
};

void TestTsabitf::initTestCase()
{
    m_windows = std::make_unique<ProgramWindows>();
    cetvelf->show();
    QVERIFY(QTest::qWaitForWindowExposed(cetvelf));
}

void TestTsabitf::cleanupTestCase()
{
    m_windows.reset();
}

void TestTsabitf::tileClickFillsEveryLabel_data()
{
    QTest::addColumn<int>("z");
    for (int z = 1; z <= 114; ++z)
        QTest::addRow("%d %s", z, ElementCatalogue[z].Symbol.empty() ? "?" : ElementCatalogue[z].Symbol.data()) << z;
}

void TestTsabitf::tileClickFillsEveryLabel()
{
    QFETCH(int, z);
    QStringList shown;
    bool modal = false;
    ModalProbe probe(sabitf, [&] {
        shown = valueTexts();
        modal = sabitf->isModal() && !cetvelf->isActiveWindow();
        sabitf->close();
    });
    clickTile(z);
    QVERIFY(!probe.timedOut());
    QVERIFY(probe.ran());
    QVERIFY(modal);
    QCOMPARE(shown, expectedTexts(z));
    QVERIFY(!sabitf->isVisible());
    QVERIFY(cetvelf->isVisible());
}

void TestTsabitf::secondElementLeavesNoTrace()
{
    // Row 1 fills fields that row 26 leaves empty (electron configuration, uses, how obtained).
    QVERIFY(!ElementCatalogue[1].ElectronConfiguration.empty());
    QVERIFY(ElementCatalogue[26].ElectronConfiguration.empty());
    QVERIFY(!ElementCatalogue[1].Uses.empty() && ElementCatalogue[26].Uses.empty());
    QStringList afterFirst;
    QStringList afterSecond;
    {
        ModalProbe probe(sabitf, [&] { afterFirst = valueTexts(); sabitf->close(); });
        clickTile(1);
        QVERIFY(probe.ran());
    }
    {
        ModalProbe probe(sabitf, [&] { afterSecond = valueTexts(); sabitf->close(); });
        clickTile(26);
        QVERIFY(probe.ran());
    }
    QCOMPARE(afterFirst, expectedTexts(1));
    QCOMPARE(afterSecond, expectedTexts(26));
    QCOMPARE(afterSecond.at(11), QString()); // Label12, the electron configuration
    QCOMPARE(afterSecond.at(14), QString()); // Label15, the uses
    // Closed, the dialog keeps the last element.
    QCOMPARE(valueTexts(), expectedTexts(26));
}

void TestTsabitf::titleFollowsTheMainWindow()
{
    const QString mainTitle = cetvelf->windowTitle();
    QCOMPARE(mainTitle, QStringLiteral("KORVANTA Tamelis - Periyodik Cetvel s" PC_VERSION));
    for (int round = 0; round < 3; ++round) {
        QString detailsTitle;
        QString categoryTitle;
        ModalProbe details(sabitf, [&] {
            detailsTitle = sabitf->windowTitle();
            ModalProbe category(grupf, [&] { categoryTitle = grupf->windowTitle(); grupf->close(); });
            QTest::keyClick(sabitf, Qt::Key_F5);
            sabitf->close();
        });
        clickTile(round == 0 ? 26 : 79);
        QVERIFY(details.ran());
        QCOMPARE(detailsTitle, mainTitle);
        QCOMPARE(categoryTitle, mainTitle);
    }
    QCOMPARE(cetvelf->windowTitle(), mainTitle);
}

void TestTsabitf::detailCommand_data()
{
    QTest::addColumn<int>("z");
    QTest::addColumn<QString>("category");
    QTest::addColumn<int>("primer");        // the entry of the fill before
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("paragraphs");
    QTest::addColumn<int>("entry");         // 0: no entry, the primer's title stays

    QTest::newRow("1 Hidrojen") << 1 << "Hidrojen" << 8 << "Hidrojen" << 0 << 9;
    QTest::newRow("2 Soygazlar") << 2 << "Soygazlar" << 1 << "Soygazlar" << 1 << 8;
    QTest::newRow("3 Alkali Metaller") << 3 << "Alkali Metaller" << 8 << "Alkali Metaller" << 10 << 1;
    QTest::newRow("4 Toprak Alkali Metaller") << 4 << "Toprak Alkali Metaller" << 1 << "Toprak Alkali Metaller" << 0 << 2;
    QTest::newRow("5 Ametaller") << 5 << "Ametaller" << 1 << "Ametaller" << 0 << 6;
    QTest::newRow("9 Halojenler") << 9 << "Halojenler" << 1 << "Halojenler" << 3 << 7;
    QTest::newRow("13 Diğer Metaller") << 13 << "Diğer Metaller" << 1 << "Diğer Metaller" << 0 << 5;
    QTest::newRow("26 Geçiş Elementleri") << 26 << "Geçiş Elementleri" << 1 << "Geçiş Elementleri" << 6 << 3;
    QTest::newRow("58 lanthanide") << 58 << "Lantanitler (Nadir bulunuyor.)" << 1 << "Yapay Elementler" << 0 << 4;
    QTest::newRow("92 actinide") << 92 << "Aktinitler" << 1 << "Yapay Elementler" << 0 << 4;
    QTest::newRow("89 Nadir bulunuyor") << 89 << "Nadir bulunuyor" << 7 << "Halojenler" << 0 << 0;
    QTest::newRow("111 Geçiş Metalleri") << 111 << "Geçiş Metalleri" << 3 << "Geçiş Elementleri" << 0 << 0;
    QTest::newRow("113 empty") << 113 << "" << 8 << "Soygazlar" << 0 << 0;
    QTest::newRow("114 empty") << 114 << "" << 1 << "Alkali Metaller" << 0 << 0;
}

void TestTsabitf::detailCommand()
{
    QFETCH(int, z);
    QFETCH(QString, category);
    QFETCH(int, primer);
    QFETCH(QString, title);
    QFETCH(int, paragraphs);
    QFETCH(int, entry);

    QCOMPARE(tk::qs(ElementCatalogue[z].Category), category);
    grupf->fill(&CategoryTextTable.entry(primer));
    CategoryView view;
    bool detailsStillUp = false;
    bool categoryWasModal = false;
    ModalProbe details(sabitf, [&] {
        ModalProbe shown(grupf, [&] {
            view = categoryView();
            detailsStillUp = sabitf->isVisible();
            categoryWasModal = QApplication::activeModalWidget() == grupf;
            grupf->close();
        });
        QTest::keyClick(sabitf, Qt::Key_F5);
        sabitf->close();
    });
    clickTile(z);
    QVERIFY(details.ran());
    QVERIFY(detailsStillUp);
    QVERIFY(categoryWasModal);
    QCOMPARE(view.title, title);
    const QStringList lines = view.text.isEmpty() ? QStringList() : view.text.split(u'\n');
    QCOMPARE(lines.size(), paragraphs);
    if (entry != 0)
        QCOMPARE(view.text, joined(CategoryTextTable.entry(entry)));
}

void TestTsabitf::detailTwiceShowsParagraphsOnce()
{
    QList<CategoryView> views;
    ModalProbe details(sabitf, [&] {
        for (int round = 0; round < 2; ++round) {
            ModalProbe shown(grupf, [&] { views << categoryView(); grupf->close(); });
            QTest::keyClick(sabitf, Qt::Key_F5);
            ModalProbe::activate(sabitf);
        }
        sabitf->close();
    });
    clickTile(3);
    QVERIFY(details.ran());
    QCOMPARE(views.size(), 2);
    QCOMPARE(views[1].title, QStringLiteral("Alkali Metaller"));
    QCOMPARE(views[1].text.split(u'\n').size(), 10);
    QCOMPARE(views[1].text, views[0].text);
}

void TestTsabitf::escapeClosesOnlyTheTopDialog()
{
    bool categoryUp = false;
    bool afterFirstEscape[3] = {};
    bool afterSecondEscape[2] = {};
    ModalProbe details(sabitf, [&] {
        ModalProbe shown(grupf, [&] {
            categoryUp = true;
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : grupf, Qt::Key_Escape);
            afterFirstEscape[0] = grupf->isVisible();
        });
        QTest::keyClick(sabitf, Qt::Key_F5);
        afterFirstEscape[1] = sabitf->isVisible();
        afterFirstEscape[2] = QApplication::activeModalWidget() == sabitf;
        ModalProbe::activate(sabitf);
        QTest::keyClick(sabitf, Qt::Key_Escape);
        afterSecondEscape[0] = sabitf->isVisible();
        afterSecondEscape[1] = cetvelf->isVisible();
    });
    clickTile(26);
    QVERIFY(!details.timedOut());
    QVERIFY(categoryUp);
    QVERIFY2(!afterFirstEscape[0], "Escape leaves the category dialog up");
    QVERIFY2(afterFirstEscape[1] && afterFirstEscape[2], "Escape in the category dialog closed the details dialog");
    QVERIFY2(!afterSecondEscape[0], "the second Escape leaves the details dialog up");
    QVERIFY(!details.leftOpen());
    QVERIFY(afterSecondEscape[1]);
    QVERIFY(cetvelf->isVisible());
}

void TestTsabitf::buttonsRunTheirCommands()
{
    bool categoryShown = false;
    bool closedByButton = false;
    ModalProbe details(sabitf, [&] {
        ModalProbe shown(grupf, [&] {
            categoryShown = true;
            QTest::mouseClick(grupf->ToolButton1, Qt::LeftButton);
        });
        QTest::mouseClick(sabitf->ToolButton2, Qt::LeftButton);
        ModalProbe::activate(sabitf);
        QTest::mouseClick(sabitf->ToolButton1, Qt::LeftButton);
        closedByButton = !sabitf->isVisible();
    });
    clickTile(9);
    QVERIFY(!details.timedOut());
    QVERIFY(categoryShown);
    QVERIFY(closedByButton);
    QCOMPARE(grupf->Label1->caption(), QStringLiteral("Halojenler"));
    // The actions of the action list and their keys.
    auto *list = sabitf->findChild<QObject *>(QStringLiteral("ActionList1"));
    QVERIFY(list);
    auto *kapat = list->findChild<QAction *>(QStringLiteral("kapat"));
    auto *ayrinti = list->findChild<QAction *>(QStringLiteral("Ayrinti"));
    QVERIFY(kapat && ayrinti);
    QCOMPARE(kapat->shortcut(), QKeySequence(Qt::Key_Escape));
    QCOMPARE(ayrinti->shortcut(), QKeySequence(Qt::Key_F5));
}

void TestTsabitf::layoutAreas_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QRgb>("colour");
    // Docked from the top, the group box fills the rest, the status bar at the bottom.
    QTest::newRow("ToolBar1") << "ToolBar1" << QRect(0, 0, 641, 40) << qRgb(0, 112, 223);
    QTest::newRow("Panel1") << "Panel1" << QRect(0, 40, 641, 30) << qRgb(197, 255, 138);
    QTest::newRow("GroupBox1") << "GroupBox1" << QRect(0, 70, 641, 240) << qRgb(0, 112, 223);
    QTest::newRow("StatusBar1") << "StatusBar1" << QRect(0, 310, 641, 19) << qRgb(188, 188, 222);
}

void TestTsabitf::layoutAreas()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(QRgb, colour);
    QCOMPARE(sabitf->size(), QSize(641, 329));
    auto *widget = sabitf->findChild<QWidget *>(name);
    QVERIFY(widget);
    QCOMPARE(widget->parentWidget(), static_cast<QWidget *>(sabitf));
    QCOMPARE(widget->geometry(), geometry);
    // Sampled away from bevels, frames and text.
    const QImage image = logicalGrab(widget);
    const QPoint sample(geometry.width() - 4, geometry.height() - 4);
    QCOMPARE(QColor(image.pixel(sample)).name(), QColor(colour).name());
}

void TestTsabitf::captionedValues_data()
{
    QTest::addColumn<QString>("captionName");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QPoint>("captionAt");
    QTest::addColumn<QString>("valueName");
    for (const sabitflayout::CaptionedValue &row : sabitflayout::CaptionedValues)
        QTest::newRow(row.captionName.data()) << tk::qs(row.captionName) << tk::qs(row.caption) << QPoint(row.left, row.top)
                                              << tk::qs(row.valueName);
}

void TestTsabitf::captionedValues()
{
    QFETCH(QString, captionName);
    QFETCH(QString, caption);
    QFETCH(QPoint, captionAt);
    QFETCH(QString, valueName);

    auto *box = named<tk::TGroupBox>("GroupBox1")->findChild<tk::TStaticText *>(captionName);
    auto *value = named<tk::TGroupBox>("GroupBox1")->findChild<tk::TLabel *>(valueName);
    QVERIFY(box && value);
    QCOMPARE(box->geometry(), QRect(captionAt, QSize(110, 17)));
    QCOMPARE(box->caption(), caption);
    QVERIFY(box->caption().endsWith(u' '));
    QCOMPARE(box->borderStyle(), tk::TBevelCut::bvLowered);
    QCOMPARE(box->textAlignment(), tk::TAlignment::taRightJustify);
    QCOMPARE(box->color(), tk::TColor::fromRgb(183, 183, 219));
    QCOMPARE(box->fontColor(), tk::clNavy);
    QVERIFY(box->font().bold());
    QCOMPARE(box->font().pixelSize(), 11);

    const int column = captionAt.x() == 8 ? 122 : 410;
    QCOMPARE(value->pos(), QPoint(column, captionAt.y() + 1));
    QVERIFY(value->autoSize());
    QVERIFY(!value->transparent());
    QCOMPARE(value->color(), tk::TColor::fromRgb(0, 112, 223));
    QCOMPARE(value->fontColor(), tk::clYellow);
    QVERIFY(value->font().bold());
    QCOMPARE(value->font().pixelSize(), 11);

    // Every caption box lies above every value label.
    const QObjectList order = named<tk::TGroupBox>("GroupBox1")->children();
    for (QObject *child : order)
        if (qobject_cast<tk::TLabel *>(child))
            QVERIFY2(order.indexOf(child) < order.indexOf(box), qPrintable(child->objectName()));
}

void TestTsabitf::toolBarItems_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("image");
    QTest::addColumn<QString>("hint");
    QTest::newRow("ToolButton4 separator") << "ToolButton4" << QRect(0, 2, 8, 36) << "" << -1 << "";
    QTest::newRow("ToolButton1 Kapat") << "ToolButton1" << QRect(8, 2, 35, 36) << "Kapat" << 2 << "Kapat (Esc)";
    QTest::newRow("ToolButton3 separator") << "ToolButton3" << QRect(43, 2, 15, 36) << "" << -1 << "";
    QTest::newRow("ToolButton2 Ayrıntı") << "ToolButton2" << QRect(58, 2, 35, 36) << "Ayrıntı" << 0
                                         << "Sınıflar hakkında ayrıntılı bilgi (F5)";
}

void TestTsabitf::toolBarItems()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(QString, caption);
    QFETCH(int, image);
    QFETCH(QString, hint);

    auto *item = named<tk::TToolBar>("ToolBar1")->findChild<tk::TToolButton *>(name);
    QVERIFY(item);
    QCOMPARE(item->geometry(), geometry);
    QCOMPARE(item->text(), caption);
    QCOMPARE(item->focusPolicy(), Qt::NoFocus);
    if (image < 0) {
        QCOMPARE(item->buttonStyle(), tk::TToolButton::Style::Separator);
        return;
    }
    QCOMPARE(item->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    QCOMPARE(item->imageIndex(), image);
    QCOMPARE(item->toolTip(), hint);
    QCOMPARE(item->cursor().shape(), Qt::PointingHandCursor);
    // The button's picture is the image list's, with its transparent mask.
    const QImage shown = item->icon().pixmap(QSize(16, 16), 1.0).toImage();
    const QImage listed = sabitf->ImageList1->icon(image).pixmap(QSize(16, 16), 1.0).toImage();
    QCOMPARE(shown, listed);
    QCOMPARE(qAlpha(shown.pixel(0, 0)), 0);
    QVERIFY(shown.hasAlphaChannel());
}

void TestTsabitf::nameAndStatusBar()
{
    QCOMPARE(sabitf->ImageList1->count(), 3);
    for (int i = 0; i < 3; ++i) {
        const QImage picture = sabitf->ImageList1->icon(i).pixmap(QSize(16, 16), 1.0).toImage();
        QCOMPARE(picture.size(), QSize(16, 16));
        int transparent = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                transparent += qAlpha(picture.pixel(x, y)) == 0 ? 1 : 0;
        QVERIFY2(transparent > 16 && transparent < 200, qPrintable(QString::number(transparent)));
    }
    // The name fills the panel, red, bold, 24 pixels, centred; nothing takes the focus.
    QCOMPARE(sabitf->label(2)->parentWidget(), static_cast<QWidget *>(named<tk::TPanel>("Panel1")));
    QCOMPARE(sabitf->label(2)->geometry(), named<tk::TPanel>("Panel1")->clientRect());
    QCOMPARE(sabitf->label(2)->fontColor(), tk::clRed);
    QVERIFY(sabitf->label(2)->font().bold());
    QCOMPARE(sabitf->label(2)->font().pixelSize(), 24);
    QCOMPARE(sabitf->label(2)->textAlignment(), tk::TAlignment::taCenter);
    QVERIFY(sabitf->label(2)->transparent());
    QCOMPARE(named<tk::TStatusBar>("StatusBar1")->panelCount(), 0);
    for (QWidget *child : sabitf->findChildren<QWidget *>())
        QVERIFY2(child->focusPolicy() == Qt::NoFocus, qPrintable(child->objectName()));
}

void TestTsabitf::longValuesAreCoveredAndCut_data()
{
    QTest::addColumn<QString>("valueName");
    QTest::addColumn<QString>("coveringCaption");
    QTest::newRow("left value under Kaynama Noktası") << "Label4" << "StaticText6";
    QTest::newRow("left value under Bulunuş Tarihi") << "Label7" << "StaticText13";
    QTest::newRow("right value at the edge") << "Label5" << "";
}

void TestTsabitf::longValuesAreCoveredAndCut()
{
    QFETCH(QString, valueName);
    QFETCH(QString, coveringCaption);

    const QStringList before = valueTexts();
    for (int n = 1; n <= 16; ++n)
        sabitf->label(n)->setCaption(QString());
    auto *value = named<tk::TGroupBox>("GroupBox1")->findChild<tk::TLabel *>(valueName);
    value->setCaption(QString(120, u'W'));
    const QImage image = logicalGrab(named<tk::TGroupBox>("GroupBox1"));
    const int height = value->height();
    QCOMPARE(height, QFontMetrics(value->font()).height()); // one line
    const int top = value->y();
    auto yellowIn = [&](int x0, int x1) {
        int count = 0;
        for (int y = top; y < top + height; ++y)
            for (int x = x0; x <= x1; ++x)
                count += sameColour(image.pixel(x, y), tk::clYellow) ? 1 : 0;
        return count;
    };
    const int groupRight = named<tk::TGroupBox>("GroupBox1")->width() - 1;
    if (!coveringCaption.isEmpty()) {
        auto *box = named<tk::TGroupBox>("GroupBox1")->findChild<tk::TStaticText *>(coveringCaption);
        QVERIFY(yellowIn(value->x(), box->x() - 1) > 0);
        QCOMPARE(yellowIn(box->x(), box->x() + box->width() - 1), 0);
        // The caption box is drawn whole: its face colour shows in the value's rows.
        QVERIFY(sameColour(image.pixel(box->x() + 5, top + height / 2), tk::TColor::fromRgb(183, 183, 219)));
        QVERIFY(yellowIn(box->x() + box->width(), groupRight) > 0);
    } else {
        QVERIFY(yellowIn(value->x(), groupRight) > 0);
    }
    // Cut off at the right edge: drawn right up to the last column.
    QVERIFY(value->x() + value->width() > sabitf->width());
    QVERIFY(yellowIn(groupRight - 10, groupRight) > 0);
    // Nothing wrapped into the row below.
    auto *below = named<tk::TGroupBox>("GroupBox1")->childAt(value->x() + 2, top + height + 8);
    Q_UNUSED(below);
    for (int x = value->x(); x <= groupRight; ++x)
        QVERIFY(!sameColour(image.pixel(x, top + height + 3), tk::clYellow));

    for (int n = 1; n <= 16; ++n)
        sabitf->label(n)->setCaption(before[n - 1]);
}

void TestTsabitf::captionKeepsItsTrailingBlank()
{
    // Right-aligned, the caption's last letter stands a blank's width inside the sunken ring.
    tk::TStaticText *box = named<tk::TStaticText>("StaticText2");
    const QImage image = logicalGrab(box);
    int rightmostText = -1;
    for (int x = 1; x < box->width() - 1; ++x)
        for (int y = 1; y < box->height() - 1; ++y)
            if (!sameColour(image.pixel(x, y), tk::TColor::fromRgb(183, 183, 219)))
                rightmostText = std::max(rightmostText, x);
    QVERIFY(rightmostText > 0);
    const int blank = QFontMetrics(box->font()).horizontalAdvance(u' ');
    QVERIFY(blank >= 2);
    const int innerRight = box->width() - 2;
    QVERIFY2(innerRight - rightmostText >= blank, qPrintable(QStringLiteral("last text column %1, inner edge %2, blank %3")
                                                              .arg(rightmostText).arg(innerRight).arg(blank)));
}

void TestTsabitf::everyValueEndsInsideTheDialog_data()
{
    QTest::addColumn<int>("z");
    for (int z = 1; z <= 114; ++z)
        QTest::addRow("%d %s", z, ElementCatalogue[z].Symbol.data()) << z;
}

void TestTsabitf::everyValueEndsInsideTheDialog()
{
    // A few pixels to spare, so that a slightly wider substitute face still fits.
    constexpr int Spare = 4;
    QFETCH(int, z);
    QStringList nearTheEdge{QStringLiteral("not shown")};
    ModalProbe probe(sabitf, [&] {
        nearTheEdge = valuesNearTheEdge(Spare);
        sabitf->close();
    });
    clickTile(z);
    QVERIFY(probe.ran());
    QVERIFY2(nearTheEdge.isEmpty(), qPrintable(nearTheEdge.join(u"; ")));
}

void TestTsabitf::crispAtThisScale()
{
    QString blur = QStringLiteral("not shown");
    ModalProbe probe(sabitf, [&] {
        const QRegion text = textRegion(*sabitf, {{"tk::TStaticText", 1}, {"tk::TLabel", 0}, {"tk::TStatusBar", 1},
                                                  {"QToolButton", 0}});
        blur = blurOutside(PixelProbe::of(*sabitf), text) + blurredPictures(sabitf->findChildren<QToolButton *>());
        sabitf->close();
    });
    clickTile(26);
    QVERIFY(probe.ran());
    QVERIFY2(blur.isEmpty(), qPrintable(blur));
}

PC_TEST_MAIN(TestTsabitf)
#include "tst_tsabitf.moc"
#include "projectversion.h"

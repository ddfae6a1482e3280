#include "app/startup.h"
#include "data/categorytexts.h"
#include "tests/support/crispness.h"
#include "tests/support/testmain.h"
#include "tests/windows/modalprobe.h"
#include "toolkit/timagelist.h"
#include "toolkit/tlabel.h"
#include "toolkit/tpanel.h"
#include "toolkit/tstatictext.h"
#include "toolkit/tstatusbar.h"
#include "toolkit/ttoolbar.h"
#include "toolkit/ttoolbutton.h"
#include "widgets/ttilebutton.h"
#include "windows/grupflayout.h"
#include "windows/instances.h"
#include "windows/layoutbuilder.h"
#include "windows/tcetvelf.h"
#include "windows/tgrupf.h"
#include "windows/tsabitf.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>

#include <memory>

namespace {

template <typename T>
T *named(const char *name) { return LayoutBuilder::component<T>(grupf, name); }

struct CategoryView {
    QString title;
    QString text;
    QString windowTitle;
    bool operator==(const CategoryView &) const = default;
};

CategoryView categoryView()
{
    return {grupf->Label1->caption(), grupf->Memo1->toPlainText(), grupf->windowTitle()};
}

tk::TStaticText *heading(const QString &name)
{
    return cetvelf->findChild<tk::TStaticText *>(name);
}

// Clicks a control of the main window and returns what the category dialog showed, or an empty
// view when it did not open.
CategoryView viewAfterClicking(QWidget *control, bool *opened = nullptr)
{
    CategoryView view;
    ModalProbe probe(grupf, [&] { view = categoryView(); grupf->close(); });
    QTest::mouseClick(control, Qt::LeftButton, {}, control->rect().center());
    if (opened)
        *opened = probe.ran();
    return view;
}

CategoryView viewAfterF5On(int z)
{
    CategoryView view;
    ModalProbe details(sabitf, [&] {
        ModalProbe shown(grupf, [&] { view = categoryView(); grupf->close(); });
        QTest::keyClick(sabitf, Qt::Key_F5);
        sabitf->close();
    });
    TTileButton *tile = cetvelf->tileButton(z);
    QTest::mouseClick(tile, Qt::LeftButton, {}, tile->rect().center());
    return view;
}

} // namespace

// The category dialog: the heading openers, its layout, its text box.
class TestTgrupf : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();

    void firstOpenedFromAHeading();
    void headingEqualsDetailCommand_data();
    void headingEqualsDetailCommand();
    void eachFillStartsEmpty();
    void otherControlsOpenNothing_data();
    void otherControlsOpenNothing();
    void layout_data();
    void layout();
    void toolBar();
    void memoIsReadOnlyAndTakesTheFocus();
    void longTextIsShownFromItsStart();
    void closeButtonAndEscape_data();
    void closeButtonAndEscape();
    void crispAtThisScale();

private:
    std::unique_ptr<ProgramWindows> m_windows;
};

void TestTgrupf::initTestCase()
{
    m_windows = std::make_unique<ProgramWindows>();
    cetvelf->show();
    QVERIFY(QTest::qWaitForWindowExposed(cetvelf));
}

void TestTgrupf::cleanupTestCase()
{
    m_windows.reset();
}

void TestTgrupf::firstOpenedFromAHeading()
{
    // Before any fill the title label is empty.
    QCOMPARE(grupf->Label1->caption(), QString());
    QCOMPARE(grupf->Memo1->toPlainText(), QString());
    bool opened = false;
    const CategoryView view = viewAfterClicking(heading(QStringLiteral("StaticText12")), &opened);
    QVERIFY(opened);
    QCOMPARE(view.windowTitle, QStringLiteral("KORVANTA Tamelis - Periyodik Cetvel s" PC_VERSION));
    QCOMPARE(view.windowTitle, cetvelf->windowTitle());
    QCOMPARE(view.title, QStringLiteral("Soygazlar"));
    QCOMPARE(view.text, QStringLiteral("Bu gruba ait olan elementler kararlı olup kimyasal tepkimeye girmezler."));
}

void TestTgrupf::headingEqualsDetailCommand_data()
{
    QTest::addColumn<QString>("headingName");
    QTest::addColumn<int>("z");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("paragraphs");
    QTest::newRow("1A and Sodyum") << "StaticText3" << 11 << "Alkali Metaller" << 10;
    QTest::newRow("7A and Flor") << "StaticText11" << 9 << "Halojenler" << 3;
    QTest::newRow("8A and Helyum") << "StaticText12" << 2 << "Soygazlar" << 1;
}

void TestTgrupf::headingEqualsDetailCommand()
{
    QFETCH(QString, headingName);
    QFETCH(int, z);
    QFETCH(QString, title);
    QFETCH(int, paragraphs);

    bool opened = false;
    const CategoryView fromHeading = viewAfterClicking(heading(headingName), &opened);
    QVERIFY(opened);
    QCOMPARE(fromHeading.title, title);
    QCOMPARE(fromHeading.text.split(u'\n').size(), paragraphs);
    // Something else in between, so that equality is not left over from the heading.
    grupf->fill(&CategoryTextTable.entry(3));
    const CategoryView fromDetails = viewAfterF5On(z);
    QCOMPARE(fromDetails, fromHeading);
}

void TestTgrupf::eachFillStartsEmpty()
{
    bool opened = false;
    viewAfterClicking(heading(QStringLiteral("StaticText3")), &opened);
    QVERIFY(opened);
    const CategoryView second = viewAfterClicking(heading(QStringLiteral("StaticText12")), &opened);
    QVERIFY(opened);
    QCOMPARE(second.text.split(u'\n').size(), 1);
    QCOMPARE(grupf->Memo1->document()->blockCount(), 1);
}

void TestTgrupf::otherControlsOpenNothing_data()
{
    QTest::addColumn<QString>("name");
    // The fifteen other headings are StaticText1, 2, 4 to 10 and 13 to 18 or thereabouts in the
    // main window; every heading that is not 1A, 7A or 8A is tried.
    const QStringList openers{"StaticText3", "StaticText11", "StaticText12"};
    for (tk::TStaticText *text : cetvelf->findChildren<tk::TStaticText *>()) {
        if (!openers.contains(text->objectName()))
            QTest::newRow(qPrintable(text->objectName() + u' ' + text->caption())) << text->objectName();
    }
    for (tk::TPanel *panel : cetvelf->findChildren<tk::TPanel *>())
        QTest::newRow(qPrintable(panel->objectName())) << panel->objectName();
    QTest::newRow("StatusBar1") << "StatusBar1";
}

void TestTgrupf::otherControlsOpenNothing()
{
    QFETCH(QString, name);
    auto *control = cetvelf->findChild<QWidget *>(name);
    QVERIFY(control);
    if (!control->isVisible())
        QSKIP("not shown");
    ModalProbe anyDialog(grupf, [] { grupf->close(); });
    ModalProbe details(sabitf, [] { sabitf->close(); });
    QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(2, 2));
    QTest::qWait(30);
    QVERIFY(!anyDialog.ran());
    QVERIFY(!details.ran());
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
}

void TestTgrupf::layout_data()
{
    QTest::addColumn<int>("index");
    for (std::size_t i = 0; i < grupflayout::Components.size(); ++i)
        if (grupflayout::Components[i].rect.width > 0) // the title label sizes itself to its text
            QTest::newRow(grupflayout::Components[i].name.data()) << int(i);
}

// Each row of the layout table against the widget built from it.
void TestTgrupf::layout()
{
    QFETCH(int, index);
    const layout::Component &c = grupflayout::Components[std::size_t(index)];
    const QString name = tk::qs(c.name);
    const QRect geometry = LayoutBuilder::rectOf(c.rect);
    const QString caption = tk::qs(c.caption);
    const QColor face = (c.color == tk::clNone ? tk::clBtnFace : c.color).toQColor();

    QCOMPARE(grupf->size(), QSize(471, 368));
    QCOMPARE(grupf->color(), tk::TColor::fromRgb(184, 220, 220));
    auto *widget = grupf->findChild<QWidget *>(name);
    QVERIFY(widget);
    QCOMPARE(widget->parentWidget(), static_cast<QWidget *>(grupf));
    QCOMPARE(widget->geometry(), geometry);
    QCOMPARE(widget->font().pixelSize(), c.font.face.empty() ? 11 : c.font.pixelHeight);
    QCOMPARE(widget->font().bold(), c.font.bold());
    if (auto *panel = qobject_cast<tk::TPanel *>(widget)) {
        QCOMPARE(panel->caption(), caption);
        QCOMPARE(panel->alignment(), tk::TAlignment::taCenter);
        QCOMPARE(panel->fontColor(), tk::clBlack);
    }
    if (auto *text = qobject_cast<tk::TStaticText *>(widget)) {
        QCOMPARE(text->caption(), caption);
        QCOMPARE(text->borderStyle(), tk::TBevelCut::bvLowered);
        QCOMPARE(text->textAlignment(), tk::TAlignment::taRightJustify);
        QCOMPARE(text->fontColor(), tk::clBlack);
    }
    // The face colour, sampled where no text, bevel or scroll bar is.
    const QImage image = logicalGrab(widget);
    const QPoint sample = name == "Memo1" ? QPoint(geometry.width() - 40, geometry.height() - 4)
                                          : QPoint(geometry.width() - 6, geometry.height() - 4);
    QCOMPARE(QColor(image.pixel(sample)).name(), face.name());
}

void TestTgrupf::toolBar()
{
    auto *bar = named<tk::TToolBar>("ToolBar1");
    auto *sep1 = bar->findChild<tk::TToolButton *>(QStringLiteral("ToolButton2"));
    auto *close = bar->findChild<tk::TToolButton *>(QStringLiteral("ToolButton1"));
    auto *sep2 = bar->findChild<tk::TToolButton *>(QStringLiteral("ToolButton4"));
    QVERIFY(sep1 && close && sep2);
    QCOMPARE(sep1->buttonStyle(), tk::TToolButton::Style::Separator);
    QCOMPARE(sep2->buttonStyle(), tk::TToolButton::Style::Separator);
    QCOMPARE(sep1->geometry(), QRect(0, 2, 8, 36));
    QCOMPARE(close->geometry(), QRect(8, 2, 35, 36));
    QCOMPARE(sep2->geometry(), QRect(43, 2, 8, 36));
    QCOMPARE(close->text(), QStringLiteral("Kapat"));
    QCOMPARE(close->toolTip(), QStringLiteral("Kapat (Esc)"));
    QCOMPARE(close->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(close->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    // The green door of the details dialog's image list.
    QCOMPARE(bar->images(), sabitf->ImageList1);
    QCOMPARE(close->imageIndex(), 1);
    QCOMPARE(close->icon().pixmap(QSize(16, 16), 1.0).toImage(), sabitf->ImageList1->icon(1).pixmap(QSize(16, 16), 1.0).toImage());
    QCOMPARE(named<tk::TStatusBar>("StatusBar1")->panelCount(), 0);
}

void TestTgrupf::memoIsReadOnlyAndTakesTheFocus()
{
    QPlainTextEdit *memo = grupf->Memo1;
    QVERIFY(memo->isReadOnly());
    QCOMPARE(memo->frameShape(), QFrame::NoFrame);
    QCOMPARE(memo->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    QCOMPARE(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(memo->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QVERIFY(memo->font().bold());
    QVERIFY(memo->textInteractionFlags() & Qt::TextSelectableByMouse);

    QString textAfterTyping;
    QWidget *focused = nullptr;
    QStringList otherFocusTakers;
    QString selected;
    bool selectionShownUnfocused = false;
    ModalProbe probe(grupf, [&] {
        focused = QApplication::focusWidget();
        for (QWidget *child : grupf->findChildren<QWidget *>())
            if (child != memo && child->focusPolicy() != Qt::NoFocus && !memo->isAncestorOf(child))
                otherFocusTakers << child->objectName();
        QTest::keyClicks(memo, "xyz");
        QTest::keyClick(memo, Qt::Key_Delete);
        textAfterTyping = memo->toPlainText();
        memo->selectAll();
        selected = memo->textCursor().selectedText();
        // Selection drawn while the box has no focus: the highlight colour shows.
        memo->clearFocus();
        const QImage image = logicalGrab(memo->viewport());
        const QRgb highlight = memo->palette().color(QPalette::Inactive, QPalette::Highlight).rgb();
        const QRgb face = grupflayout::MemoColor.rgb();
        selectionShownUnfocused = highlight != face && image.pixel(5, 5) == highlight;
        grupf->close();
    });
    QTest::mouseClick(heading(QStringLiteral("StaticText11")), Qt::LeftButton);
    QVERIFY(probe.ran());
    QCOMPARE(focused, static_cast<QWidget *>(memo));
    QCOMPARE(otherFocusTakers, QStringList());
    const CategoryEntry &halogens = CategoryTextTable.entry(7);
    QCOMPARE(textAfterTyping.split(u'\n').size(), int(halogens.Lines.size()));
    QVERIFY(textAfterTyping.startsWith(QStringLiteral("Periyodik tablonun VII A")));
    QVERIFY(selected.startsWith(QStringLiteral("Periyodik tablonun VII A")));
    QVERIFY(selectionShownUnfocused);
}

void TestTgrupf::longTextIsShownFromItsStart()
{
    int value = -1;
    int maximum = -1;
    int firstVisibleBlock = -1;
    ModalProbe probe(grupf, [&] {
        QScrollBar *bar = grupf->Memo1->verticalScrollBar();
        value = bar->value();
        maximum = bar->maximum();
        firstVisibleBlock = grupf->Memo1->cursorForPosition(QPoint(4, 4)).blockNumber();
        grupf->close();
    });
    QTest::mouseClick(heading(QStringLiteral("StaticText3")), Qt::LeftButton);
    QVERIFY(probe.ran());
    QVERIFY2(maximum > 0, "the alkali metal text should need scrolling");
    QCOMPARE(value, 0);
    QCOMPARE(firstVisibleBlock, 0);
}

void TestTgrupf::closeButtonAndEscape_data()
{
    QTest::addColumn<bool>("escape");
    QTest::newRow("Kapat button") << false;
    QTest::newRow("Escape in the text box") << true;
}

void TestTgrupf::closeButtonAndEscape()
{
    QFETCH(bool, escape);
    bool closed = false;
    ModalProbe probe(grupf, [&] {
        if (escape)
            QTest::keyClick(grupf->Memo1, Qt::Key_Escape);
        else
            QTest::mouseClick(grupf->ToolButton1, Qt::LeftButton);
        closed = !grupf->isVisible();
        if (!closed)
            grupf->close();
    });
    QTest::mouseClick(heading(QStringLiteral("StaticText12")), Qt::LeftButton);
    QVERIFY(probe.ran());
    QVERIFY(closed);
    QVERIFY(cetvelf->isVisible());
    // Closed, the dialog keeps its content.
    QCOMPARE(grupf->Label1->caption(), QStringLiteral("Soygazlar"));
}

void TestTgrupf::crispAtThisScale()
{
    QString blur = QStringLiteral("not shown");
    ModalProbe probe(grupf, [&] {
        const QRegion text = textRegion(*grupf, {{"tk::TStaticText", 1}, {"tk::TLabel", 0}, {"tk::TPanel", 1},
                                                 {"tk::TStatusBar", 1}, {"QToolButton", 0}, {"QPlainTextEdit", 0}});
        blur = blurOutside(PixelProbe::of(*grupf), text) + blurredPictures(grupf->findChildren<QToolButton *>());
        grupf->close();
    });
    tk::TStaticText *group = heading(QStringLiteral("StaticText3"));
    QTest::mouseClick(group, Qt::LeftButton, {}, group->rect().center());
    QVERIFY(probe.ran());
    QVERIFY2(blur.isEmpty(), qPrintable(blur));
}

PC_TEST_MAIN(TestTgrupf)
#include "tst_tgrupf.moc"
#include "projectversion.h"

#include "app/startup.h"
#include "data/categorytexts.h"
#include "data/elementcatalogue.h"
#include "tests/support/testmain.h"
#include "tests/windows/textink.h"
#include "toolkit/text.h"
#include "toolkit/tlabel.h"
#include "toolkit/tpanel.h"
#include "toolkit/tstatictext.h"
#include "toolkit/tstatusbar.h"
#include "widgets/tcreditspanel.h"
#include "widgets/tilepainter.h"
#include "widgets/troundedbutton.h"
#include "widgets/tshadowlabel.h"
#include "widgets/ttilebutton.h"
#include "windows/instances.h"
#include "windows/taboutf.h"
#include "windows/tcetvelf.h"
#include "windows/tgrupf.h"
#include "windows/tsabitf.h"

#include <QPlainTextEdit>
#include <QTest>
#include <QToolButton>

#include <memory>
#include <vector>

using textink::inkInArea;
using tk::TAlignment;

namespace {

// One text of a window: the control that shows it, the box the control paints and the text's ink,
// both in the window's coordinates.
struct ShownText {
    QString name;
    QString text;
    const QWidget *widget;
    QRectF box;
    QRectF ink;
};

QPointF shadowCopy(const TShadowLabel::Look &look)
{
    const qreal s = look.shadowSize;
    switch (look.shadowPos) {
    case TShadowLabel::TShadowPosition::spLeftTop: return {-s, -s};
    case TShadowLabel::TShadowPosition::spLeftBottom: return {-s, s};
    case TShadowLabel::TShadowPosition::spRightBottom: return {s, s};
    case TShadowLabel::TShadowPosition::spRightTop: return {s, -s};
    }
    return {};
}

// The texts a control shows, in its own coordinates: (text, ink) pairs. A control whose text is
// confined to an area it scrolls or clips (credits, text box) counts that whole area as inked.
std::vector<std::pair<QString, QRectF>> textsOf(QWidget *w, qreal ratio)
{
    std::vector<std::pair<QString, QRectF>> texts;
    const auto add = [&texts](const QString &text, const QRectF &ink) {
        if (!text.isEmpty() && !ink.isEmpty())
            texts.emplace_back(text, ink);
    };
    if (auto *tile = qobject_cast<TTileButton *>(w)) {
        // The lines of a caption are one text; the tile's bevel and band are no text at all.
        const QRect content = tileContentRect(tile->size(), tile->flat());
        QRectF ink;
        for (const QString &line : tile->caption().split(QStringLiteral("\r\n")))
            ink = ink.united(inkInArea(line, tile->tileFont(), content, TAlignment::taCenter, true, ratio));
        if (!ink.isEmpty())
            ink = QRectF(ink.left(), content.top(), ink.width(), content.height());
        add(tile->caption(), ink);
    } else if (auto *text = qobject_cast<tk::TStaticText *>(w)) {
        add(text->caption(),
            inkInArea(text->caption(), text->font(), text->textRect(), text->textAlignment(), true, ratio));
    } else if (auto *label = qobject_cast<tk::TLabel *>(w)) {
        add(label->caption(),
            inkInArea(label->caption(), label->font(), label->rect(), label->textAlignment(), true, ratio));
    } else if (auto *panel = qobject_cast<tk::TPanel *>(w)) {
        add(panel->caption(),
            inkInArea(panel->caption(), panel->font(), panel->clientRect(), panel->alignment(), true, ratio));
    } else if (auto *bar = qobject_cast<tk::TStatusBar *>(w)) {
        for (int i = 0; i < bar->panelCount(); ++i)
            add(bar->panelText(i), inkInArea(bar->panelText(i), bar->font(), bar->panelTextRect(i),
                                             bar->panelAlignment(i), true, ratio));
    } else if (auto *button = qobject_cast<TRoundedButton *>(w)) {
        add(button->caption(), inkInArea(button->caption(), button->font(),
                                         roundedButtonCaptionRect(button->size(), false), TAlignment::taCenter,
                                         true, ratio));
    } else if (auto *shadow = qobject_cast<TShadowLabel *>(w)) {
        // The label draws inside a one-pixel margin left and right, from its top.
        const TShadowLabel::Look look = shadow->look();
        const QRect area(1, 0, shadow->width() - 2, shadow->height());
        add(look.caption, inkInArea(look.caption, look.font, area, look.alignment,
                                    look.layout == TShadowLabel::TTextLayout::tlCenter, ratio, shadowCopy(look)));
    } else if (auto *tool = qobject_cast<QToolButton *>(w)) {
        // Under its icon a tool bar button's text may take the label's whole height.
        const QRect area = textink::toolButtonTextRect(tool);
        const bool beside = tool->toolButtonStyle() == Qt::ToolButtonTextBesideIcon;
        QRectF ink = inkInArea(tool->text(), tool->font(), area,
                               beside ? TAlignment::taLeftJustify : TAlignment::taCenter, true, ratio);
        if (!beside && !ink.isEmpty())
            ink = QRectF(ink.left(), area.top(), ink.width(), area.height());
        add(tool->text(), ink);
    } else if (auto *credits = qobject_cast<TCreditsPanel *>(w)) {
        if (!credits->lines().isEmpty()) {
            const bool wasActive = credits->active();
            credits->setActive(true); // the text area is measured while the panel runs
            add(credits->lines().join(u' '), QRectF(credits->textArea()));
            credits->setActive(wasActive);
        }
    } else if (auto *memo = qobject_cast<QPlainTextEdit *>(w)) {
        add(memo->toPlainText(), QRectF(memo->contentsRect()));
    }
    return texts;
}

// Whether a control paints its box (a background or a frame). A transparent label shows nothing
// but its text, so its ink is all of it that another text could run into.
bool paintsBox(const QWidget *w)
{
    if (const auto *label = qobject_cast<const tk::TLabel *>(w))
        return !label->transparent();
    if (const auto *shadow = qobject_cast<const TShadowLabel *>(w))
        return !shadow->transparent();
    return true;
}

// Every visible text of a window, in the window's coordinates.
std::vector<ShownText> shownTexts(QWidget *window)
{
    std::vector<ShownText> shown;
    const qreal ratio = window->devicePixelRatioF();
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_")) || !w->isVisibleTo(window))
            continue;
        const QPointF origin = w->mapTo(window, QPoint(0, 0));
        const QRectF box(origin, QSizeF(w->size()));
        for (const auto &[text, ink] : textsOf(w, ratio))
            shown.push_back({w->objectName(), text, w, paintsBox(w) ? box : ink.translated(origin),
                             ink.translated(origin)});
    }
    return shown;
}

QString describe(const QRectF &r)
{
    return QStringLiteral("x %1..%2, y %3..%4")
        .arg(r.left(), 0, 'f', 2)
        .arg(r.right(), 0, 'f', 2)
        .arg(r.top(), 0, 'f', 2)
        .arg(r.bottom(), 0, 'f', 2);
}

// Whether ink touches a rectangle: they overlap, or less than half a logical pixel lies between
// them (at 1x: not one pixel).
bool touches(const QRectF &ink, const QRectF &r)
{
    const QRectF near = ink.adjusted(-0.5, -0.5, 0.5, 0.5);
    return near.left() < r.right() && r.left() < near.right() && near.top() < r.bottom() && r.top() < near.bottom();
}

// What is wrong between two texts, if anything. A text's ink may not reach into another text's
// ink, nor into the box of a control beside it; a control inside another (a value label on its
// panel) only keeps its ink clear of the other's ink and the outer caption clear of its box.
QStringList clashes(const ShownText &a, const ShownText &b)
{
    QStringList found;
    const auto report = [&found](const ShownText &x, const ShownText &y, const QString &what, const QRectF &r) {
        found << QStringLiteral("%1 \"%2\" is inked at %3, into %4 of %5 \"%6\" at %7")
                     .arg(x.name, x.text.left(40), describe(x.ink), what, y.name, y.text.left(40), describe(r));
    };
    if (touches(a.ink, b.ink))
        report(a, b, QStringLiteral("the ink"), b.ink);
    if (a.widget == b.widget)
        return found;
    const bool aInsideB = b.widget->isAncestorOf(a.widget);
    const bool bInsideA = a.widget->isAncestorOf(b.widget);
    if (!aInsideB && touches(a.ink, b.box))
        report(a, b, QStringLiteral("the box"), b.box);
    if (!bInsideA && touches(b.ink, a.box))
        report(b, a, QStringLiteral("the box"), a.box);
    return found;
}

} // namespace

// No text of the four windows touches another: in the fonts the program resolves on this system,
// at the scale it runs at, every text keeps its ink out of every other text's ink and control.
class TestTextClearance : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void textsKeepApart_data();
    void textsKeepApart();

private:
    std::unique_ptr<ProgramWindows> m_windows;
};

void TestTextClearance::initTestCase()
{
    m_windows = std::make_unique<ProgramWindows>();
}

void TestTextClearance::cleanupTestCase()
{
    m_windows.reset();
}

enum class Window { Main, Details, Category, AboutRegular, AboutGroup };

void TestTextClearance::textsKeepApart_data()
{
    QTest::addColumn<int>("windowNumber");
    QTest::addColumn<int>("fill");
    QTest::newRow("cetvelf") << int(Window::Main) << 0;
    // The details dialog as every tile fills it.
    for (int z = 1; z <= 114; ++z)
        QTest::addRow("sabitf %d %s", z, qPrintable(tk::qs(ElementCatalogue[z].Name))) << int(Window::Details) << z;
    for (int n = 1; n <= CategoryTextTable.Count; ++n)
        QTest::addRow("grupf %d %s", n, qPrintable(tk::qs(CategoryTextTable.entry(n).Title)))
            << int(Window::Category) << n;
    QTest::newRow("AboutF regular credits") << int(Window::AboutRegular) << 0;
    QTest::newRow("AboutF group credits") << int(Window::AboutGroup) << 0;
}

void TestTextClearance::textsKeepApart()
{
    QFETCH(int, windowNumber);
    QFETCH(int, fill);
    const auto window = Window(windowNumber);

    QWidget *form = nullptr;
    auto *regular = AboutF->findChild<TCreditsPanel *>(QStringLiteral("CreditsPanel1"));
    auto *group = AboutF->findChild<TCreditsPanel *>(QStringLiteral("CreditsPanel2"));
    QVERIFY(regular && group);
    switch (window) {
    case Window::Main: form = cetvelf; break;
    case Window::Details:
        sabitf->fill(fill);
        form = sabitf;
        break;
    case Window::Category:
        grupf->fill(&CategoryTextTable.entry(fill));
        form = grupf;
        break;
    case Window::AboutRegular:
        regular->show();
        group->hide();
        form = AboutF;
        break;
    case Window::AboutGroup:
        regular->hide();
        group->show();
        group->raise();
        form = AboutF;
        break;
    }

    const std::vector<ShownText> shown = shownTexts(form);
    QVERIFY(shown.size() >= 2);
    QStringList found;
    for (std::size_t i = 0; i < shown.size(); ++i)
        for (std::size_t j = i + 1; j < shown.size(); ++j)
            found << clashes(shown[i], shown[j]);

    if (window == Window::AboutGroup) {
        group->hide();
        regular->show();
    }
    QVERIFY2(found.isEmpty(), qPrintable(found.join(u'\n')));
}

PC_TEST_MAIN(TestTextClearance)
#include "tst_textclearance.moc"

#include "app/startup.h"
#include "data/elementcatalogue.h"
#include "tests/support/testmain.h"
#include "tests/windows/textink.h"
#include "toolkit/text.h"
#include "toolkit/tlabel.h"
#include "toolkit/tpanel.h"
#include "toolkit/tstatictext.h"
#include "toolkit/tstatusbar.h"
#include "toolkit/ttoolbutton.h"
#include "widgets/tcreditspanel.h"
#include "widgets/tilepainter.h"
#include "widgets/troundedbutton.h"
#include "widgets/tshadowlabel.h"
#include "widgets/ttilebutton.h"
#include "windows/aboutflayout.h"
#include "windows/cetvelflayout.h"
#include "windows/grupflayout.h"
#include "windows/instances.h"
#include "windows/sabitflayout.h"
#include "windows/taboutf.h"
#include "windows/tcetvelf.h"
#include "windows/tgrupf.h"
#include "windows/tsabitf.h"

#include <QFontMetricsF>
#include <QTest>

#include <memory>
#include <span>

using textink::child;
using textink::inkOf;
using textink::Ink;
using textink::toolButtonTextRect;
using tk::TAlignment;

namespace {

// Adds a row: a text in a place of fixed size. `copy` is the horizontal offset of a second,
// engraved or shadow, copy of the text (0: none).
void place(const QString &row, QWidget *widget, const QString &text, const QFont &font, const QRect &area,
           TAlignment alignment, int copy = 0)
{
    if (!text.isEmpty())
        QTest::newRow(qPrintable(row)) << text << font << area << int(alignment) << copy
                                       << widget->devicePixelRatioF();
}

} // namespace

// Every text of the four windows that stands in a place of fixed size fits that place, in the
// fonts the program substitutes for the layouts' faces, at the scale the program runs at.
class TestTextFit : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void fitsItsPlace_data();
    void fitsItsPlace();

private:
    void mainWindowPlaces();
    void detailsPlaces();
    void categoryPlaces();
    void aboutPlaces();
    void toolBarPlaces(const char *window, QWidget *form, std::span<const tk::ToolItem> items);

    std::unique_ptr<ProgramWindows> m_windows;
};

void TestTextFit::initTestCase()
{
    m_windows = std::make_unique<ProgramWindows>();
}

void TestTextFit::cleanupTestCase()
{
    m_windows.reset();
}

void TestTextFit::mainWindowPlaces()
{
    using layout::Kind;
    for (const layout::Component &c : cetvelflayout::Components) {
        const QString row = QStringLiteral("cetvelf %1").arg(tk::qs(c.name));
        QWidget *w = child<QWidget>(cetvelf, c.name);
        QVERIFY2(w != nullptr, qPrintable(row));
        switch (c.kind) {
        case Kind::TileButton: {
            auto *tile = static_cast<TTileButton *>(w);
            const QRect content = tileContentRect(tile->size(), tile->flat());
            for (const QString &line : tile->caption().split(QStringLiteral("\r\n")))
                place(row + u' ' + line, tile, line, tile->tileFont(), content, TAlignment::taCenter);
            break;
        }
        case Kind::StaticText: {
            auto *text = static_cast<tk::TStaticText *>(w);
            place(row, text, text->caption(), text->font(), text->textRect(), text->textAlignment());
            break;
        }
        case Kind::Panel: {
            auto *panel = static_cast<tk::TPanel *>(w);
            place(row, panel, panel->caption(), panel->font(), panel->clientRect(), panel->alignment());
            break;
        }
        case Kind::StatusBar: {
            auto *bar = static_cast<tk::TStatusBar *>(w);
            for (int i = 0; i < bar->panelCount(); ++i)
                place(row + QStringLiteral(" panel %1").arg(i), bar, bar->panelText(i), bar->font(),
                      bar->panelTextRect(i), bar->panelAlignment(i));
            break;
        }
        case Kind::RoundedButton: {
            auto *button = static_cast<TRoundedButton *>(w);
            place(row, button, button->caption(), button->font(), roundedButtonCaptionRect(button->size(), false),
                  TAlignment::taCenter);
            break;
        }
        default:
            break;
        }
    }
}

void TestTextFit::toolBarPlaces(const char *window, QWidget *form, std::span<const tk::ToolItem> items)
{
    for (const tk::ToolItem &item : items) {
        if (item.separator)
            continue;
        auto *button = child<tk::TToolButton>(form, item.name);
        QVERIFY2(button != nullptr, window);
        place(QStringLiteral("%1 %2").arg(QLatin1String(window), tk::qs(item.name)), button, button->text(),
              button->font(), toolButtonTextRect(button), TAlignment::taCenter);
    }
}

void TestTextFit::detailsPlaces()
{
    toolBarPlaces("sabitf", sabitf, sabitflayout::ToolItems);
    for (const layout::Component &c : sabitflayout::Components) {
        if (c.kind != layout::Kind::StaticText)
            continue;
        auto *caption = child<tk::TStaticText>(sabitf, c.name);
        QVERIFY(caption != nullptr);
        place(QStringLiteral("sabitf %1").arg(tk::qs(c.name)), caption, caption->caption(), caption->font(),
              caption->textRect(), caption->textAlignment());
    }
    // The title takes every element's name in turn.
    tk::TLabel *title = sabitf->label(2);
    for (int z = 1; z <= 114; ++z)
        place(QStringLiteral("sabitf Label2 %1").arg(z), title, tk::qs(ElementCatalogue[z].Name), title->font(),
              title->rect(), title->textAlignment());
}

void TestTextFit::categoryPlaces()
{
    toolBarPlaces("grupf", grupf, grupflayout::ToolItems);
    for (const layout::Component &c : grupflayout::Components) {
        const QString row = QStringLiteral("grupf %1").arg(tk::qs(c.name));
        if (auto *caption = qobject_cast<tk::TStaticText *>(child<QWidget>(grupf, c.name)))
            place(row, caption, caption->caption(), caption->font(), caption->textRect(), caption->textAlignment());
        else if (auto *panel = qobject_cast<tk::TPanel *>(child<QWidget>(grupf, c.name)))
            place(row, panel, panel->caption(), panel->font(), panel->clientRect(), panel->alignment());
    }
}

void TestTextFit::aboutPlaces()
{
    for (const aboutf::Component &c : aboutf::Components) {
        const QString row = QStringLiteral("AboutF %1").arg(tk::qs(c.name));
        QWidget *w = child<QWidget>(AboutF, c.name);
        QVERIFY2(w != nullptr, qPrintable(row));
        if (c.kind == aboutf::Kind::ShadowLabel && c.rect.width > 0) { // the two headings
            auto *label = static_cast<TShadowLabel *>(w);
            const TShadowLabel::Look look = label->look();
            const bool shadowLeft = look.shadowPos == TShadowLabel::TShadowPosition::spLeftTop
                                    || look.shadowPos == TShadowLabel::TShadowPosition::spLeftBottom;
            const TAlignment alignment = label->alignment() == tk::TAlignment::taCenter
                                             ? TAlignment::taCenter
                                             : TAlignment::taLeftJustify;
            place(row, label, label->caption(), label->font(), label->rect(), alignment,
                  shadowLeft ? -look.shadowSize : look.shadowSize);
        } else if (c.kind == aboutf::Kind::CreditsPanel) {
            auto *panel = static_cast<TCreditsPanel *>(w);
            // The text area is measured while the panel runs.
            const bool wasActive = panel->active();
            panel->setActive(true);
            const int copy = panel->textStyle() == tk::TBevelCut::bvLowered  ? 1
                             : panel->textStyle() == tk::TBevelCut::bvRaised ? -1
                                                                                         : 0;
            const QStringList lines = panel->lines();
            for (int i = 0; i < lines.size(); ++i)
                place(row + QStringLiteral(" line %1").arg(i + 1), panel, lines[i], panel->font(), panel->textArea(),
                      TAlignment::taCenter, copy);
            panel->setActive(wasActive);
        } else if (c.kind == aboutf::Kind::SpeedButton) {
            auto *button = static_cast<QToolButton *>(w);
            place(row, button, button->text(), button->font(), toolButtonTextRect(button), TAlignment::taLeftJustify);
        }
    }
}

void TestTextFit::fitsItsPlace_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QFont>("font");
    QTest::addColumn<QRect>("area");
    QTest::addColumn<int>("alignment");
    QTest::addColumn<int>("copy");
    QTest::addColumn<qreal>("ratio");
    mainWindowPlaces();
    detailsPlaces();
    categoryPlaces();
    aboutPlaces();
}

void TestTextFit::fitsItsPlace()
{
    QFETCH(QString, text);
    QFETCH(QFont, font);
    QFETCH(QRect, area);
    QFETCH(int, alignment);
    QFETCH(int, copy);
    QFETCH(qreal, ratio);

    // The controls cut or shorten a text whose advance is wider than its place.
    const QFontMetricsF metrics(font);
    const qreal advance = metrics.horizontalAdvance(text);
    QVERIFY2(advance <= area.width(), qPrintable(QStringLiteral("\"%1\" takes %2 px of a %3-px place")
                                                      .arg(text).arg(advance).arg(area.width())));

    // Its ink, drawn at this scale where the control's alignment puts it, stays inside the place
    // (within the half pixel by which the controls round the text's position).
    qreal x = area.left();
    if (TAlignment(alignment) == TAlignment::taCenter)
        x += (area.width() - advance) / 2;
    else if (TAlignment(alignment) == TAlignment::taRightJustify)
        x += area.width() - advance;
    const Ink ink = inkOf(text, font, ratio);
    const qreal left = x + std::min(ink.left, ink.left + copy);
    const qreal right = x + std::max(ink.right, ink.right + copy);
    QVERIFY2(left >= area.left() - 0.5 && right <= area.left() + area.width() + 0.5,
             qPrintable(QStringLiteral("\"%1\" is inked from %2 to %3, outside %4 .. %5")
                            .arg(text).arg(left).arg(right).arg(area.left()).arg(area.left() + area.width())));
}

PC_TEST_MAIN(TestTextFit)
#include "tst_textfit.moc"

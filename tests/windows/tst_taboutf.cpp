#include "windows/taboutf.h"

#include "tests/support/crispness.h"
#include "tests/support/testmain.h"
#include "tests/windows/textink.h"
#include "toolkit/text.h"
#include "toolkit/timage.h"
#include "toolkit/tlabel.h"
#include "toolkit/tpanel.h"
#include "widgets/tcreditspanel.h"
#include "widgets/tshadowlabel.h"
#include "widgets/tthreadedtimer.h"
#include "windows/aboutflayout.h"
#include "windows/instances.h"
#include "windows/layoutbuilder.h"
#include "windows/tcetvelf.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

#include <memory>

namespace {

struct CreditsState {
    bool regularShown;
    bool regularActive;
    bool groupShown;
    bool groupActive;
    bool dialogShown;
};

CreditsState stateOf(const TAboutF &d)
{
    return {!d.CreditsPanel1->isHidden(), d.CreditsPanel1->active(), !d.CreditsPanel2->isHidden(),
            d.CreditsPanel2->active(), d.isVisible()};
}

QString describe(const CreditsState &s)
{
    return QStringLiteral("regular shown %1 active %2, group shown %3 active %4, dialog shown %5")
        .arg(s.regularShown).arg(s.regularActive).arg(s.groupShown).arg(s.groupActive).arg(s.dialogShown);
}

} // namespace

Q_DECLARE_METATYPE(CreditsState)

class TestAboutF : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void components_data();
    void components();
    void onlyLinksAndButtonShowHints();
    void headingsDockedUnderEachOther();
    void nameEndsBeforeTheLink();
    void creditLines();
    void creditsPanelsSetUp();
    void pictures();
    void scrollsUnseenFromCreation();
    void transitions_data();
    void transitions();
    void reopeningShowsRegularCreditsFromTheStart();
    void titleAndVersion();
    void linkClicks_data();
    void linkClicks();
    void modalShowEndsOnEscape();
    void crispAtThisScale();

private:
    void apply(const QString &step);

    std::unique_ptr<Tcetvelf> m_main;

    template <typename T>
    T *named(const char *name) const { return LayoutBuilder::component<T>(m_dialog.get(), name); }
    std::unique_ptr<TAboutF> m_dialog;
    std::unique_ptr<QWidget> m_other;
};

void TestAboutF::initTestCase()
{
    m_main = std::make_unique<Tcetvelf>();
    cetvelf = m_main.get();
    m_main->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
    m_other = std::make_unique<QWidget>();
    m_other->resize(50, 50);
}

void TestAboutF::cleanupTestCase()
{
    m_other.reset();
    cetvelf = nullptr;
    m_main.reset();
}

void TestAboutF::init()
{
    m_dialog = std::make_unique<TAboutF>();
    AboutF = m_dialog.get();
}

void TestAboutF::cleanup()
{
    AboutF = nullptr;
    m_dialog.reset();
}

void TestAboutF::components_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("onPanel");
    QTest::addColumn<QRect>("place"); // empty size: sized to its text
    for (const aboutf::Component &c : aboutf::Components) {
        const QString name = tk::qs(c.name);
        QTest::newRow(qPrintable(name)) << name << (c.parent == "Panel1") << LayoutBuilder::rectOf(c.rect);
    }
}

void TestAboutF::components()
{
    QFETCH(QString, name);
    QFETCH(bool, onPanel);
    QFETCH(QRect, place);

    auto *w = m_dialog->findChild<QWidget *>(name);
    QVERIFY(w != nullptr);
    QCOMPARE(w->parentWidget(), onPanel ? static_cast<QWidget *>(named<tk::TPanel>("Panel1")) : m_dialog.get());
    QCOMPARE(w->pos(), place.topLeft());
    if (place.width() > 0 && !name.startsWith(QLatin1String("ShadowLabel")))
        QCOMPARE(w->size(), place.size());
    else
        QVERIFY(w->width() > 0 && w->height() > 0);
    // No control takes the keyboard focus: the dialog sees every key.
    QCOMPARE(w->focusPolicy(), Qt::NoFocus);
    const QRect g = w->geometry();
    QVERIFY2(named<tk::TPanel>("Panel1")->rect().adjusted(1, 1, -1, -1).contains(g) || !onPanel,
             qPrintable(QStringLiteral("%1 at %2,%3 %4x%5 leaves the body").arg(name).arg(g.x()).arg(g.y()).arg(g.width()).arg(g.height())));
}

void TestAboutF::onlyLinksAndButtonShowHints()
{
    const QStringList withHints{QStringLiteral("ShadowLabel1"), QStringLiteral("ShadowLabel2"),
                                QStringLiteral("SpeedButton1")};
    const auto children = m_dialog->findChildren<QWidget *>();
    QVERIFY(children.size() >= 12);
    for (const QWidget *w : children) {
        if (w->objectName().isEmpty())
            continue;
        QCOMPARE(!w->toolTip().isEmpty(), withHints.contains(w->objectName()));
        const bool hand = w->testAttribute(Qt::WA_SetCursor) && w->cursor().shape() == Qt::PointingHandCursor;
        QCOMPARE(hand, withHints.contains(w->objectName()));
    }
    QCOMPARE(m_dialog->SpeedButton1->toolTip(), QStringLiteral("Kapat (Esc)"));
    QCOMPARE(m_dialog->ShadowLabel2->toolTip(), QString::fromUtf8("Program hakkındaki istek ve önerileriniz için..."));
}

void TestAboutF::headingsDockedUnderEachOther()
{
    const QRect top = named<TShadowLabel>("ShadowLabel4")->geometry();
    const QRect second = named<TShadowLabel>("ShadowLabel3")->geometry();
    QCOMPARE(top.topLeft(), QPoint(1, 1));
    QCOMPARE(top.width(), 291);
    QCOMPARE(second.topLeft(), QPoint(1, top.y() + top.height()));
    QCOMPARE(second.width(), 291);
    QVERIFY(top.height() >= 24 && top.height() <= 28);
    QCOMPARE(named<TShadowLabel>("ShadowLabel4")->alignment(), tk::TAlignment::taCenter);
    QCOMPARE(named<TShadowLabel>("ShadowLabel3")->caption(), QStringLiteral("Periyodik Cetvel"));
    // Headings keep the default shadow.
    QCOMPARE(named<TShadowLabel>("ShadowLabel4")->shadowColor(), tk::clBtnHighlight);
    QCOMPARE(named<TShadowLabel>("ShadowLabel4")->shadowPos(), TShadowLabel::TShadowPosition::spLeftTop);
}

void TestAboutF::nameEndsBeforeTheLink()
{
    auto *name = named<tk::TLabel>("Label4");
    const auto *link = named<TShadowLabel>("ShadowLabel1");
    QCOMPARE(name->pos(), QPoint(56, 208));
    QCOMPARE(name->caption(), QStringLiteral("KORVANTA"));
    QVERIFY(name->font().bold());

    // The name's ink, drawn at this scale, ends at least the gap before the link's box.
    const QRectF ink = textink::inkInArea(name->caption(), name->font(), name->geometry(), name->textAlignment(), true,
                                          name->devicePixelRatioF());
    const qreal gap = link->x() - ink.right();
    qInfo("\"KORVANTA\" at %d px ends at x %.2f (box %d), %.2f px before the link at %d", name->font().pixelSize(),
          ink.right(), name->x() + name->width(), gap, link->x());
    QVERIFY2(gap >= aboutf::NameToLinkGap, qPrintable(QStringLiteral("the name ends %1 px before the link").arg(gap)));

    // It is drawn as large as that allows, and never larger than the layout's 24 pixels.
    const int size = name->font().pixelSize();
    QVERIFY(size <= aboutf::HeadingFont.pixelHeight && size >= 18);
    if (size < aboutf::HeadingFont.pixelHeight) {
        QFont larger = name->font();
        larger.setPixelSize(size + 1);
        QVERIFY(name->x() + QFontMetrics(larger).horizontalAdvance(name->caption()) > link->x() - aboutf::NameToLinkGap);
    }
}

void TestAboutF::creditLines()
{
    const QStringList regular = m_dialog->CreditsPanel1->lines();
    QCOMPARE(regular.size(), 27);
    QList<int> blanks;
    for (int i = 0; i < regular.size(); ++i)
        if (regular[i].isEmpty())
            blanks.append(i + 1);
    QCOMPARE(blanks, (QList<int>{2, 5, 6, 8, 12, 14, 16, 21, 23, 25, 26}));
    QCOMPARE(regular[0], QStringLiteral("Periyodik Cetvel"));
    QCOMPARE(regular[6], QStringLiteral("KORVANTA"));
    QVERIFY(regular[16].contains(QLatin1String(".example")) && regular[17].contains(QLatin1String(".example")));
    QVERIFY(regular[18].contains(QLatin1Char('@')) && regular[19].contains(QLatin1Char('@')));

    const QStringList group = m_dialog->CreditsPanel2->lines();
    QCOMPARE(group.size(), 14);
    QCOMPARE(group[0], QStringLiteral("Programlama Grubu"));
    for (int i = 1; i < group.size(); ++i)
        QCOMPARE(group[i].isEmpty(), i % 2 == 1);
}

void TestAboutF::creditsPanelsSetUp()
{
    for (TCreditsPanel *p : {m_dialog->CreditsPanel1, m_dialog->CreditsPanel2}) {
        QVERIFY(p->cycled());
        QCOMPARE(p->interval(), 50u);
        QCOMPARE(p->glyphLayout(), TCreditsPanel::TGlyphLayout::glGlyphTop);
        QCOMPARE(p->bevelOuter(), tk::TBevelCut::bvNone);
        QCOMPARE(p->glyph().size(), QSize(21, 17));
        QVERIFY(p->asyncDrawing());
    }
    QCOMPARE(m_dialog->CreditsPanel1->color(), tk::clBlack);
    QCOMPARE(m_dialog->CreditsPanel1->fontColor(), tk::clLime);
    QCOMPARE(m_dialog->CreditsPanel1->font().pixelSize(), 13);
    QVERIFY(m_dialog->CreditsPanel1->font().bold());
    QCOMPARE(m_dialog->CreditsPanel1->textStyle(), tk::TBevelCut::bvNone);
    QCOMPARE(m_dialog->CreditsPanel2->color(), tk::clSilver);
    QCOMPARE(m_dialog->CreditsPanel2->fontColor(), tk::clBlack);
    // The layout asks for 12 px; the program draws that size at 11 (see tk::makeFont).
    QCOMPARE(m_dialog->CreditsPanel2->font().pixelSize(), 11);
    QCOMPARE(m_dialog->CreditsPanel2->textStyle(), tk::TBevelCut::bvLowered);
    // The regular panel lies above the body panel, the group panel on it.
    QCOMPARE(m_dialog->CreditsPanel1->parentWidget(), m_dialog.get());
    QVERIFY(m_dialog->children().indexOf(m_dialog->CreditsPanel1) > m_dialog->children().indexOf(named<tk::TPanel>("Panel1")));
    // Glyph on top, text area under it.
    QCOMPARE(m_dialog->CreditsPanel1->glyphOrigin(), QPoint(131, 6));
    QCOMPARE(m_dialog->CreditsPanel1->textArea(), QRect(3, 29, 278, 97));
}

void TestAboutF::pictures()
{
    const QImage logo = named<tk::TImage>("Image2")->pixmap().toImage();
    QCOMPARE(logo.size(), QSize(50, 39));
    QCOMPARE(qAlpha(logo.pixel(0, 0)), 0);            // white background keyed out
    QCOMPARE(qAlpha(logo.pixel(25, 15)), 255);         // the mark itself
    const QIcon icon = m_dialog->SpeedButton1->icon();
    const QImage normal = icon.pixmap(QSize(16, 16), 1.0, QIcon::Normal).toImage();
    const QImage disabled = icon.pixmap(QSize(16, 16), 1.0, QIcon::Disabled).toImage();
    QCOMPARE(qAlpha(normal.pixel(0, 0)), 0); // purple keyed out
    QVERIFY(normal != disabled);
    QCOMPARE(QColor(normal.pixel(6, 9)), QColor(Qt::red));
    QCOMPARE(QColor(disabled.pixel(6, 9)), QColor(128, 128, 128));
}

void TestAboutF::scrollsUnseenFromCreation()
{
    QVERIFY(!m_dialog->isVisible());
    QVERIFY(m_dialog->CreditsPanel1->active());
    QVERIFY(!m_dialog->CreditsPanel2->active());
    QVERIFY(m_dialog->CreditsPanel2->isHidden());
    // Unseen, it costs nothing: no timer runs for it and no thread is started.
    QVERIFY(m_dialog->CreditsPanel1->resting());
    QVERIFY(!m_dialog->CreditsPanel1->scrollTimer()->enabled());
    QVERIFY(!m_dialog->CreditsPanel1->scrollTimer()->hasWorker());
    QTRY_VERIFY_WITH_TIMEOUT(m_dialog->CreditsPanel1->scrollPos() >= 6, 5000);

    // The first showing finds the credits where their cycle has got to.
    const int before = m_dialog->CreditsPanel1->scrollPos();
    m_dialog->show();
    QVERIFY(m_dialog->CreditsPanel1->scrollPos() >= before);
    QVERIFY(m_dialog->CreditsPanel1->isVisible());
    m_dialog->close();
}

void TestAboutF::apply(const QString &step)
{
    TAboutF *d = m_dialog.get();
    if (step == QLatin1String("show")) {
        d->show();
        d->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(d));
    } else if (step == QLatin1String("ctrl+alt+t")) {
        QTest::keyClick(d, Qt::Key_T, Qt::ControlModifier | Qt::AltModifier);
    } else if (step == QLatin1String("ctrl+shift+alt+t")) {
        QTest::keyClick(d, Qt::Key_T, Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier);
    } else if (step == QLatin1String("ctrl+t")) {
        QTest::keyClick(d, Qt::Key_T, Qt::ControlModifier);
    } else if (step == QLatin1String("alt+t")) {
        QTest::keyClick(d, Qt::Key_T, Qt::AltModifier);
    } else if (step == QLatin1String("t")) {
        QTest::keyClick(d, Qt::Key_T);
    } else if (step == QLatin1String("ctrl+alt+r")) {
        QTest::keyClick(d, Qt::Key_R, Qt::ControlModifier | Qt::AltModifier);
    } else if (step == QLatin1String("tamam")) {
        QTest::mouseClick(d->SpeedButton1, Qt::LeftButton);
    } else if (step == QLatin1String("escape")) {
        QTest::keyClick(d, Qt::Key_Escape);
    } else if (step == QLatin1String("closebox")) {
        d->close();
    } else if (step == QLatin1String("reactivate")) {
        m_other->show();
        m_other->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_other.get()));
        d->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(d));
    } else if (step == QLatin1String("stop-regular")) {
        // Lets the activation in the next step be the one that starts it again.
        d->CreditsPanel1->setActive(false);
    } else {
        QFAIL(qPrintable(QStringLiteral("unknown step ") + step));
    }
}

void TestAboutF::transitions_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<CreditsState>("expected");

    const CreditsState regular{true, true, false, false, true};
    const CreditsState group{false, false, true, true, true};
    // Closed from regular: the regular panel stopped, the group panel as it was left.
    const CreditsState closedFromRegular{true, false, false, false, false};
    const CreditsState closedFromGroup{false, false, true, true, false};

    QTest::newRow("shown: regular") << "show" << regular;
    QTest::newRow("regular -> group") << "show ctrl+alt+t" << group;
    QTest::newRow("group -> group") << "show ctrl+alt+t ctrl+alt+t" << group;
    QTest::newRow("ctrl+shift+alt+t does nothing") << "show ctrl+shift+alt+t" << regular;
    QTest::newRow("ctrl+t does nothing") << "show ctrl+t" << regular;
    QTest::newRow("alt+t does nothing") << "show alt+t" << regular;
    QTest::newRow("t does nothing") << "show t" << regular;
    QTest::newRow("other ctrl+alt key does nothing") << "show ctrl+alt+r" << regular;
    QTest::newRow("regular closed by Tamam") << "show tamam" << closedFromRegular;
    QTest::newRow("regular closed by Escape") << "show escape" << closedFromRegular;
    QTest::newRow("regular closed by the close box") << "show closebox" << closedFromRegular;
    QTest::newRow("group closed by Tamam") << "show ctrl+alt+t tamam" << closedFromGroup;
    QTest::newRow("group closed by Escape") << "show ctrl+alt+t escape" << closedFromGroup;
    QTest::newRow("group closed by the close box") << "show ctrl+alt+t closebox" << closedFromGroup;
    QTest::newRow("closed from group -> regular") << "show ctrl+alt+t escape show" << regular;
    QTest::newRow("closed from regular -> regular") << "show tamam show" << regular;
    QTest::newRow("activation restarts the regular panel")
        << "show stop-regular reactivate" << regular;
    // In the group state activation starts the hidden regular panel: nothing changes on screen.
    QTest::newRow("activation in the group state")
        << "show ctrl+alt+t reactivate" << CreditsState{false, true, true, true, true};
}

void TestAboutF::transitions()
{
    QFETCH(QString, steps);
    QFETCH(CreditsState, expected);

    for (const QString &step : steps.split(QLatin1Char(' '))) {
        apply(step);
        if (QTest::currentTestFailed())
            return;
    }
    const CreditsState actual = stateOf(*m_dialog);
    QCOMPARE(describe(actual), describe(expected));
    if (expected.groupShown && expected.dialogShown) {
        // In front of the other controls of the body.
        QCOMPARE(named<tk::TPanel>("Panel1")->children().last(), m_dialog->CreditsPanel2);
        QVERIFY(m_dialog->CreditsPanel2->isVisible());
    }
    if (expected.regularShown && expected.dialogShown)
        QVERIFY(m_dialog->CreditsPanel1->isVisible());
    // An active panel that nobody sees (the group panel of a dialog closed in the group state,
    // the hidden regular panel) rests with its timer off; the one on the screen ticks.
    for (TCreditsPanel *panel : {m_dialog->CreditsPanel1, m_dialog->CreditsPanel2}) {
        const bool seen = expected.dialogShown && panel->isVisible();
        QTRY_COMPARE(panel->resting(), panel->active() && !seen);
        QCOMPARE(panel->scrollTimer()->enabled(), panel->active() && seen);
    }
}

void TestAboutF::reopeningShowsRegularCreditsFromTheStart()
{
    TCreditsPanel *regular = m_dialog->CreditsPanel1;
    TCreditsPanel *group = m_dialog->CreditsPanel2;
    apply(QStringLiteral("show"));
    QTRY_VERIFY_WITH_TIMEOUT(regular->scrollPos() >= 30, 10000);
    apply(QStringLiteral("ctrl+alt+t"));
    QCOMPARE(regular->scrollPos(), 0);
    QTRY_VERIFY_WITH_TIMEOUT(group->scrollPos() >= 3, 5000);
    apply(QStringLiteral("escape"));
    QVERIFY(!m_dialog->isVisible());

    apply(QStringLiteral("show"));
    // Started again: the first line rises from the bottom edge of the text area.
    QVERIFY(regular->active());
    QVERIFY(regular->isVisible());
    QVERIFY(regular->scrollPos() < 30);
    QVERIFY(group->isHidden());
    QVERIFY(!group->active());
    QCOMPARE(group->scrollPos(), 0);
    const int now = regular->scrollPos();
    QTRY_VERIFY_WITH_TIMEOUT(regular->scrollPos() > now, 5000);
}

void TestAboutF::titleAndVersion()
{
    QCOMPARE(m_main->windowTitle(), QStringLiteral("KORVANTA Tamelis - Periyodik Cetvel s" PC_VERSION));
    QVERIFY(m_dialog->srm->caption() != QStringLiteral("s" PC_VERSION));
    m_dialog->show();
    QCOMPARE(m_dialog->windowTitle(), QStringLiteral("KORVANTA Tamelis - Periyodik Cetvel s" PC_VERSION));
    QCOMPARE(m_dialog->srm->caption(), QStringLiteral("s" PC_VERSION));
    QCOMPARE(m_dialog->srm->pos(), QPoint(241, 53));
    m_dialog->close();

    // The title is copied again at every showing.
    const QString saved = m_main->windowTitle();
    m_main->setWindowTitle(QStringLiteral("başka başlık"));
    m_dialog->show();
    QCOMPARE(m_dialog->windowTitle(), QStringLiteral("başka başlık"));
    m_dialog->close();
    m_main->setWindowTitle(saved);
}

void TestAboutF::linkClicks_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<bool>("groupShowing");
    QTest::addColumn<QString>("expectedUrl");

    QTest::newRow("web link") << "ShadowLabel1" << false << "http://www.kvt.example";
    QTest::newRow("mail link") << "ShadowLabel2" << false << "mailto:bilgi@kvt.example";
    QTest::newRow("web link with the group credits") << "ShadowLabel1" << true << "http://www.kvt.example";
}

void TestAboutF::linkClicks()
{
    QFETCH(QString, link);
    QFETCH(bool, groupShowing);
    QFETCH(QString, expectedUrl);

    QList<QUrl> opened;
    TAboutF::UrlOpener previous = TAboutF::setUrlOpener([&opened](const QUrl &url) { opened.append(url); });
    apply(QStringLiteral("show"));
    if (groupShowing)
        apply(QStringLiteral("ctrl+alt+t"));
    auto *label = m_dialog->findChild<TShadowLabel *>(link);
    QVERIFY(label != nullptr);
    QCOMPARE(label->caption(), expectedUrl.section(QLatin1Char(':'), 1).remove(QStringLiteral("//")));
    const CreditsState before = stateOf(*m_dialog);
    const QString title = m_dialog->windowTitle();
    const QRect place = label->geometry();

    QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(3, 3));
    // Pressed on the link and released elsewhere: no hand-off.
    QTest::mousePress(label, Qt::LeftButton, {}, QPoint(3, 3));
    QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(-20, 3));
    TAboutF::setUrlOpener(std::move(previous));

    QCOMPARE(opened, QList<QUrl>{QUrl(expectedUrl)});
    QCOMPARE(describe(stateOf(*m_dialog)), describe(before));
    QVERIFY(m_dialog->isVisible());
    QCOMPARE(m_dialog->windowTitle(), title);
    QCOMPARE(label->geometry(), place);

    // An opener that does nothing (no browser, no mail program) leaves the dialog as it was too.
    previous = TAboutF::setUrlOpener([](const QUrl &) {});
    QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(3, 3));
    TAboutF::setUrlOpener(std::move(previous));
    QCOMPARE(describe(stateOf(*m_dialog)), describe(before));
    QVERIFY(m_dialog->isVisible());
}

void TestAboutF::modalShowEndsOnEscape()
{
    bool sawRegular = false;
    bool sawGroup = false;
    QTimer::singleShot(0, this, [&] {
        if (!QTest::qWaitForWindowActive(m_dialog.get()))
            return;
        const CreditsState s = stateOf(*m_dialog);
        sawRegular = s.regularShown && s.regularActive && !s.groupShown;
        QTest::keyClick(m_dialog.get(), Qt::Key_T, Qt::ControlModifier | Qt::AltModifier);
        sawGroup = !m_dialog->CreditsPanel1->isVisible() && m_dialog->CreditsPanel2->isVisible();
        QTest::keyClick(m_dialog.get(), Qt::Key_Escape);
    });
    QTimer::singleShot(10000, m_dialog.get(), [this] { m_dialog->reject(); }); // never hang the suite
    QSignalSpy closed(m_dialog.get(), &tk::TForm::formClosed);
    m_dialog->exec();
    QVERIFY(sawRegular);
    QVERIFY(sawGroup);
    QCOMPARE(closed.count(), 1);
    QVERIFY(!m_dialog->CreditsPanel1->active());
}

void TestAboutF::crispAtThisScale()
{
    m_dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
    const QRegion text = textRegion(*m_dialog, {{"TShadowLabel", 0}, {"TCreditsPanel", 2}, {"tk::TLabel", 0},
                                                {"tk::TStaticText", 1}, {"QToolButton", 0}});
    const QString blur = blurOutside(PixelProbe::of(*m_dialog), text) + blurredPictures({m_dialog->SpeedButton1});
    m_dialog->close();
    QVERIFY2(blur.isEmpty(), qPrintable(blur));
}

PC_TEST_MAIN(TestAboutF)
#include "tst_taboutf.moc"
#include "projectversion.h"

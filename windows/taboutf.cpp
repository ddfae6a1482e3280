#include "windows/taboutf.h"

#include "assets/compiledpictures.h"
#include "toolkit/pixelarticon.h"
#include "toolkit/tcolorkey.h"
#include "toolkit/text.h"
#include "toolkit/thint.h"
#include "toolkit/timage.h"
#include "toolkit/tlabel.h"
#include "toolkit/tpanel.h"
#include "widgets/tcreditspanel.h"
#include "widgets/tshadowlabel.h"
#include "windows/aboutflayout.h"
#include "windows/instances.h"
#include "windows/layoutbuilder.h"

#include <QDesktopServices>
#include <QIcon>
#include <QImage>
#include <QKeyEvent>
#include <QPixmap>
#include <QStringList>
#include <QToolButton>
#include <QUrl>

namespace {

template <std::size_t N>
QStringList linesOf(const std::array<std::string_view, N> &lines)
{
    QStringList list;
    list.reserve(qsizetype(N));
    for (std::string_view line : lines)
        list.append(tk::qs(line));
    return list;
}

// A compiled-in picture with every pixel of one colour made transparent.
QPixmap keyedOut(std::string_view picture, QColor key)
{
    return QPixmap::fromImage(tk::keyedOut(compiledPicture(picture), key.rgb()));
}

// Draws a label that sizes itself to its text a pixel size smaller at a time until its right edge
// lies at or before x = limit (exclusive), keeping its place.
void endBefore(tk::TLabel *label, int limit)
{
    QFont font = label->font();
    while (label->x() + label->width() > limit && font.pixelSize() > 1) {
        font.setPixelSize(font.pixelSize() - 1);
        label->setFont(font);
    }
}

TAboutF::UrlOpener &urlOpener()
{
    static TAboutF::UrlOpener opener = [](const QUrl &url) { QDesktopServices::openUrl(url); };
    return opener;
}

} // namespace

TAboutF::TAboutF(QWidget *parent, std::chrono::steady_clock::time_point creditsSince)
    : tk::TForm(QSize(aboutf::ClientWidth, aboutf::ClientHeight), QStringLiteral("TAboutF"), Buttons::SystemMenuOnly,
                parent)
{
    setObjectName(QStringLiteral("AboutF"));
    // Nothing in the dialog takes the focus, so every key reaches the dialog itself.
    setFocusPolicy(Qt::StrongFocus);
    buildComponents();

    connect(ShadowLabel1, &TShadowLabel::OnClick, this, &TAboutF::ShadowLabel1Click);
    connect(ShadowLabel2, &TShadowLabel::OnClick, this, &TAboutF::ShadowLabel2Click);
    connect(SpeedButton1, &QToolButton::clicked, this, &TAboutF::SpeedButton1Click);

    // The regular credits run from start-up on, unseen until the dialog is first shown.
    CreditsPanel1->activateSince(creditsSince);
}

TAboutF::~TAboutF() = default;

void TAboutF::buildComponents()
{
    // Every control with a hint shows it.
    tk::THint::setShowHint(this, true);
    LayoutBuilder::build(this, aboutf::Components);
    for (const aboutf::Component &c : aboutf::Components)
        LayoutBuilder::component<QWidget>(this, c.name)->setFocusPolicy(Qt::NoFocus);

    // Docked one under the other at the top inside the bevel, across the panel's width.
    const QRect inside = LayoutBuilder::component<tk::TPanel>(this, "Panel1")->rect().adjusted(1, 1, -1, -1);
    int top = inside.top();
    for (const char *name : {"ShadowLabel4", "ShadowLabel3"}) {
        auto *heading = LayoutBuilder::component<TShadowLabel>(this, name);
        heading->setAlign(TShadowLabel::TAlign::alTop);
        heading->setAlignment(tk::TAlignment::taCenter);
        heading->setGeometry(inside.left(), top, inside.width(), heading->height());
        heading->adjustBounds();
        top += heading->height();
    }

    srm = LayoutBuilder::component<tk::TLabel>(this, "srm");

    CreditsPanel1 = LayoutBuilder::component<TCreditsPanel>(this, "CreditsPanel1");
    CreditsPanel2 = LayoutBuilder::component<TCreditsPanel>(this, "CreditsPanel2");
    for (TCreditsPanel *panel : {CreditsPanel2, CreditsPanel1}) {
        panel->setCycled(true);
        panel->setInterval(50);
        panel->setGlyphLayout(TCreditsPanel::TGlyphLayout::glGlyphTop);
        panel->setBevelOuter(tk::TBevelCut::bvNone);
        panel->setBevelInner(tk::TBevelCut::bvNone);
        panel->setBorderWidth(0);
        panel->setGlyph(compiledPicture("about_emblem"));
    }
    CreditsPanel2->setTextStyle(tk::TBevelCut::bvLowered);
    CreditsPanel2->setLines(linesOf(aboutf::GroupCredits));
    CreditsPanel2->hide();
    CreditsPanel1->setLines(linesOf(aboutf::RegularCredits));
    CreditsPanel1->raise();

    LayoutBuilder::component<tk::TImage>(this, "Image2")
        ->setPixmap(keyedOut("about_logo", Qt::white));

    ShadowLabel1 = LayoutBuilder::component<TShadowLabel>(this, "ShadowLabel1");
    ShadowLabel2 = LayoutBuilder::component<TShadowLabel>(this, "ShadowLabel2");
    endBefore(LayoutBuilder::component<tk::TLabel>(this, "Label4"), ShadowLabel1->x() - aboutf::NameToLinkGap);

    SpeedButton1 = LayoutBuilder::component<QToolButton>(this, "SpeedButton1");
    const QColor purple = tk::clPurple.toQColor();
    SpeedButton1->setIcon(tk::pixelArtIcon({keyedOut("about_tick", purple).toImage()},
                                           keyedOut("about_tick_disabled", purple).toImage()));
}

TAboutF::UrlOpener TAboutF::setUrlOpener(UrlOpener opener)
{
    UrlOpener previous = std::move(urlOpener());
    urlOpener() = std::move(opener);
    return previous;
}

void TAboutF::FormShow()
{
    copyMainTitle(this);
    CreditsPanel2->hide();
    CreditsPanel2->setActive(false);
    CreditsPanel1->show();
    CreditsPanel1->setActive(true);
    srm->setCaption(QString::fromUtf16(VersionText));
}

void TAboutF::FormActivate()
{
    CreditsPanel1->setActive(true);
}

void TAboutF::FormClose()
{
    CreditsPanel1->setActive(false);
}

void TAboutF::FormKeyDown(QKeyEvent *event)
{
    const Qt::KeyboardModifiers held =
        event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (event->key() != Qt::Key_T || held != (Qt::ControlModifier | Qt::AltModifier))
        return;
    CreditsPanel1->hide();
    CreditsPanel1->setActive(false);
    CreditsPanel2->show();
    CreditsPanel2->setActive(true);
    CreditsPanel2->raise();
}

void TAboutF::ShadowLabel1Click()
{
    if (urlOpener())
        urlOpener()(QUrl(QStringLiteral("http://") + tk::qs(aboutf::WebHost)));
}

void TAboutF::ShadowLabel2Click()
{
    if (urlOpener())
        urlOpener()(QUrl(QStringLiteral("mailto:") + tk::qs(aboutf::MailAddress)));
}

void TAboutF::SpeedButton1Click()
{
    closeForm();
}

void TAboutF::kapatExecute()
{
    SpeedButton1Click();
}

void TAboutF::keyPressEvent(QKeyEvent *event)
{
    FormKeyDown(event);
    tk::TForm::keyPressEvent(event);
}

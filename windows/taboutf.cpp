#include "windows/taboutf.h"

#include "toolkit/pixelarticon.h"
#include "toolkit/text.h"
#include "toolkit/thint.h"
#include "toolkit/timage.h"
#include "toolkit/tlabel.h"
#include "toolkit/tpanel.h"
#include "widgets/tcreditspanel.h"
#include "widgets/tshadowlabel.h"
#include "windows/aboutflayout.h"
#include "windows/instances.h"

#include <QDesktopServices>
#include <QIcon>
#include <QImage>
#include <QKeyEvent>
#include <QPixmap>
#include <QStringList>
#include <QToolButton>
#include <QUrl>

namespace {

QFont fontOf(const aboutf::FontDef &def)
{
    return tk::makeFont(tk::qs(def.face), def.pixelHeight, def.style);
}

template <std::size_t N>
QStringList linesOf(const std::array<std::string_view, N> &lines)
{
    QStringList list;
    list.reserve(qsizetype(N));
    for (std::string_view line : lines)
        list.append(tk::qs(line));
    return list;
}

// A picture with every pixel of one colour made transparent.
QPixmap keyedOut(const QString &resource, QColor key)
{
    QImage image = tk::loadPicture(resource).convertToFormat(QImage::Format_ARGB32);
    const QRgb keyRgb = key.rgb();
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if ((line[x] | 0xFF000000u) == keyRgb)
                line[x] = 0;
    }
    return QPixmap::fromImage(image);
}

TAboutF::UrlOpener &urlOpener()
{
    static TAboutF::UrlOpener opener = [](const QUrl &url) { QDesktopServices::openUrl(url); };
    return opener;
}

const aboutf::Component &component(std::string_view name)
{
    for (const aboutf::Component &c : aboutf::Components)
        if (c.name == name)
            return c;
    qFatal("about dialog layout has no component %.*s", int(name.size()), name.data());
}

} // namespace

TAboutF::TAboutF(QWidget *parent)
    : tk::TForm(QSize(aboutf::ClientWidth, aboutf::ClientHeight), QStringLiteral("TAboutF"), Buttons::SystemMenuOnly,
                parent)
{
    setObjectName(QStringLiteral("AboutF"));
    // Nothing in the dialog takes the focus, so every key reaches the dialog itself.
    setFocusPolicy(Qt::StrongFocus);
    buildComponents();

    connect(ShadowLabel1, &TShadowLabel::clicked, this, &TAboutF::ShadowLabel1Click);
    connect(ShadowLabel2, &TShadowLabel::clicked, this, &TAboutF::ShadowLabel2Click);
    connect(SpeedButton1, &QToolButton::clicked, this, &TAboutF::SpeedButton1Click);

    // The regular credits run from start-up on, unseen until the dialog is first shown.
    CreditsPanel1->setActive(true);
}

TAboutF::~TAboutF() = default;

void TAboutF::buildComponents()
{
    using aboutf::Component;
    auto place = [](QWidget *w, const Component &c) {
        w->setObjectName(tk::qs(c.name));
        w->setFont(fontOf(c.font));
        w->setFocusPolicy(Qt::NoFocus);
        if (c.width > 0)
            w->setGeometry(c.left, c.top, c.width, c.height);
        else
            w->move(c.left, c.top);
        if (!c.hint.empty())
            tk::THint::set(w, tk::qs(c.hint), true, false);
        if (c.handCursor)
            tk::THint::setCursor(w, tk::TCursor::HandPoint);
    };
    auto shadowLabel = [&](const Component &c, QWidget *parent) {
        auto *label = new TShadowLabel(parent);
        place(label, c);
        label->setFontColor(c.font.color);
        label->setCaption(tk::qs(c.caption));
        return label;
    };
    auto plainLabel = [&](const Component &c, QWidget *parent, bool transparent) {
        auto *label = new tk::TLabel(parent);
        place(label, c);
        label->setTransparent(transparent);
        label->setFontColor(c.font.color);
        label->setCaption(tk::qs(c.caption));
        return label;
    };
    auto creditsPanel = [&](const Component &c, QWidget *parent) {
        auto *panel = new TCreditsPanel(parent);
        place(panel, c);
        panel->setFontColor(c.font.color);
        panel->setCycled(true);
        panel->setInterval(50);
        panel->setGlyphLayout(TCreditsPanel::TGlyphLayout::glGlyphTop);
        panel->setBevelOuter(TCreditsPanel::TBevelCut::bvNone);
        panel->setBevelInner(TCreditsPanel::TBevelCut::bvNone);
        panel->setBorderWidth(0);
        panel->setGlyph(tk::loadPicture(QStringLiteral(":/assets/about_emblem.png")));
        return panel;
    };

    Panel1 = new tk::TPanel(this);
    place(Panel1, component("Panel1"));
    Panel1->setBevelOuter(tk::TBevelCut::Lowered);
    Panel1->setColor(tk::clBtnFace);

    ShadowLabel4 = shadowLabel(component("ShadowLabel4"), Panel1);
    ShadowLabel3 = shadowLabel(component("ShadowLabel3"), Panel1);
    // Docked one under the other at the top inside the bevel, across the panel's width.
    const QRect inside = Panel1->rect().adjusted(1, 1, -1, -1);
    int top = inside.top();
    for (TShadowLabel *heading : {ShadowLabel4, ShadowLabel3}) {
        heading->setAlign(TShadowLabel::TAlign::alTop);
        heading->setAlignment(TShadowLabel::TAlignment::taCenter);
        heading->setGeometry(inside.left(), top, inside.width(), heading->height());
        heading->adjustBounds();
        top += heading->height();
    }

    srm = plainLabel(component("srm"), Panel1, false);
    srm->setColor(tk::clBtnFace);

    const Component &group = component("CreditsPanel2");
    CreditsPanel2 = creditsPanel(group, Panel1);
    CreditsPanel2->setColor(tk::clSilver);
    CreditsPanel2->setTextStyle(TCreditsPanel::TBevelCut::bvLowered);
    CreditsPanel2->setLines(linesOf(aboutf::GroupCredits));
    CreditsPanel2->hide();

    Image2 = new tk::TImage(Panel1);
    place(Image2, component("Image2"));
    Image2->setPixmap(keyedOut(QStringLiteral(":/assets/about_logo.png"), Qt::white));

    Label4 = plainLabel(component("Label4"), Panel1, true);
    Label5 = plainLabel(component("Label5"), Panel1, true);
    ShadowLabel1 = shadowLabel(component("ShadowLabel1"), Panel1);
    ShadowLabel2 = shadowLabel(component("ShadowLabel2"), Panel1);

    const Component &button = component("SpeedButton1");
    SpeedButton1 = new QToolButton(Panel1);
    place(SpeedButton1, button);
    SpeedButton1->setText(tk::qs(button.caption));
    SpeedButton1->setAutoRaise(true);
    SpeedButton1->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    SpeedButton1->setIconSize(QSize(16, 16));
    const QColor purple = tk::clPurple.toQColor();
    SpeedButton1->setIcon(tk::pixelArtIcon({keyedOut(QStringLiteral(":/assets/about_tick.png"), purple).toImage()},
                                           keyedOut(QStringLiteral(":/assets/about_tick_disabled.png"), purple).toImage()));

    const Component &regular = component("CreditsPanel1");
    CreditsPanel1 = creditsPanel(regular, this);
    CreditsPanel1->setColor(tk::clBlack);
    CreditsPanel1->setLines(linesOf(aboutf::RegularCredits));
    CreditsPanel1->raise();
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

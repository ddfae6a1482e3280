#include "windows/tcetvelf.h"

#include "data/categorytexts.h"
#include "gif/logoformdata.h"
#include "gif/tgifanimator.h"
#include "toolkit/tbevel.h"
#include "toolkit/text.h"
#include "toolkit/tfont.h"
#include "toolkit/thint.h"
#include "toolkit/tpanel.h"
#include "toolkit/tshape.h"
#include "toolkit/tstatictext.h"
#include "toolkit/tstatusbar.h"
#include "widgets/troundedbutton.h"
#include "widgets/ttilebutton.h"
#include "windows/cetvelflayout.h"
#include "windows/instances.h"
#include "windows/taboutf.h"
#include "windows/tgrupf.h"
#include "windows/tsabitf.h"

#include <QString>

#include <cstddef>

namespace {

using cetvelflayout::Component;
using cetvelflayout::Kind;

consteval std::size_t indexOf(std::string_view name)
{
    for (std::size_t i = 0; i < cetvelflayout::Components.size(); ++i)
        if (cetvelflayout::Components[i].name == name)
            return i;
    throw "no such component";
}

QFont fontOf(const Component &c)
{
    return tk::makeFont(tk::qs(c.font.face), c.font.pixelHeight,
                        c.font.bold ? tk::FontStyle::Bold : tk::FontStyle::Regular);
}

void place(QWidget *w, const Component &c)
{
    w->setObjectName(tk::qs(c.name));
    w->setGeometry(c.rect.left, c.rect.top, c.rect.width, c.rect.height);
    tk::THint::setCursor(w, c.cursor);
}

tk::TShape *makeBand(QWidget *parent, const Component &c)
{
    auto *shape = new tk::TShape(parent);
    place(shape, c);
    shape->setBrushColor(c.color);
    shape->setPenColor(c.color);
    return shape;
}

tk::TBevel *makeRule(QWidget *parent, const Component &c)
{
    auto *bevel = new tk::TBevel(parent);
    place(bevel, c);
    bevel->setShape(tk::TBevelShape::TopLine);
    bevel->setStyle(tk::TBevelStyle::Lowered);
    return bevel;
}

TTileButton *makeTile(QWidget *parent, const Component &c)
{
    auto *tile = new TTileButton(parent);
    place(tile, c);
    tile->setTag(c.tag);
    tile->setCaption(tk::qs(c.caption));
    tile->setHint(tk::qs(c.hint));
    tile->setTileFont(fontOf(c));
    tile->setFontColor(c.fontColor);
    return tile;
}

tk::TStaticText *makeStaticText(QWidget *parent, const Component &c)
{
    auto *text = new tk::TStaticText(parent);
    place(text, c);
    text->setFont(fontOf(c));
    text->setCaption(tk::qs(c.caption));
    text->setColor(c.color);
    text->setFontColor(c.fontColor);
    // Every text is centred in its box: the boxes were measured for the classic face, and a
    // stand-in face, a little wider or narrower, then leaves the same margin on either side.
    text->setTextAlignment(tk::TAlignment::Center);
    const bool boxed = c.kind == Kind::Heading || c.kind == Kind::PeriodLabel;
    text->setBorderStyle(boxed ? tk::TStaticBorderStyle::Sunken : tk::TStaticBorderStyle::None);
    tk::THint::setHint(text, tk::qs(c.hint));
    return text;
}

tk::TPanel *makePanel(QWidget *parent, const Component &c)
{
    auto *panel = new tk::TPanel(parent);
    place(panel, c);
    panel->setFont(fontOf(c));
    panel->setCaption(tk::qs(c.caption));
    panel->setColor(c.color);
    panel->setFontColor(c.fontColor);
    panel->setBevelOuter(tk::TBevelCut::Raised);
    tk::THint::setHint(panel, tk::qs(c.hint));
    return panel;
}

tk::TStatusBar *makeStatusBar(QWidget *parent, const Component &c)
{
    auto *bar = new tk::TStatusBar(parent);
    place(bar, c);
    bar->setFont(fontOf(c));
    bar->setColor(c.color);
    bar->setFontColor(c.fontColor);
    for (const cetvelflayout::StatusPanel &panel : cetvelflayout::StatusBar1Panels)
        bar->addPanel(tk::qs(panel.text), panel.width);
    return bar;
}

TRoundedButton *makeCloseButton(QWidget *parent, const Component &c)
{
    auto *button = new TRoundedButton(parent);
    place(button, c);
    button->setCaption(tk::qs(c.caption));
    button->setShape(TrbsShape::rbsRounded);
    button->setFlat(true);
    button->setGray(true);
    button->setTrackGlyph(true);
    button->setColor(c.color);
    button->setHotTrackColor(tk::clBlue);
    button->setFont(fontOf(c));
    button->setFontColor(c.fontColor);
    tk::THint::setHint(button, tk::qs(c.hint));
    return button;
}

TGIFAnimator *makeLogo(QWidget *parent, const Component &c)
{
    auto *logo = new TGIFAnimator(parent);
    place(logo, c);
    // The window's stored settings, read in their stream order: the logo plays from frame 0.
    TGIFAnimator::StoredProperties stored;
    stored.Animate = true;
    stored.FrameIndex = 1;
    stored.ImageData = logoFormData();
    stored.Stretch = true;
    logo->readProperties(stored);
    tk::THint::setHint(logo, tk::qs(c.hint));
    return logo;
}

} // namespace

Tcetvelf::Tcetvelf(QWidget *parent)
    : tk::TForm(QSize(769, 479), tk::qs(cetvelflayout::DesignTitle), Buttons::SystemMenuAndMinimize, parent)
{
    setObjectName(QStringLiteral("cetvelf"));
    setApplicationWindow(true);
    setColor(cetvelflayout::WindowColor);
    setFont(tk::defaultFont());
    // Every control with a hint shows it unless it says otherwise.
    tk::THint::setShowHint(this, true);
    buildLayout();
    for (TTileButton *tile : m_tiles)
        connect(tile, &TTileButton::OnClick, this, &Tcetvelf::TileButton1Click);
    connect(StaticText3, &tk::TStaticText::clicked, this, &Tcetvelf::StaticText3Click);
    connect(StaticText11, &tk::TStaticText::clicked, this, &Tcetvelf::StaticText11Click);
    connect(StaticText12, &tk::TStaticText::clicked, this, &Tcetvelf::StaticText12Click);
    connect(GIFAnimator1, &TImageControl::clicked, this, &Tcetvelf::GIFAnimator1Click);
    connect(RoundedButton1, &TRoundedButton::clicked, this, &Tcetvelf::RoundedButton1Click);
}

Tcetvelf::~Tcetvelf() = default;

void Tcetvelf::buildLayout()
{
    // Created bottom first: a later sibling is drawn over an earlier one.
    std::array<QWidget *, cetvelflayout::Components.size()> made{};
    for (std::size_t i = 0; i < cetvelflayout::Components.size(); ++i) {
        const Component &c = cetvelflayout::Components[i];
        switch (c.kind) {
        case Kind::Band: made[i] = makeBand(this, c); break;
        case Kind::Rule: made[i] = makeRule(this, c); break;
        case Kind::Tile:
            m_tiles[std::size_t(c.tag - 1)] = makeTile(this, c);
            made[i] = m_tiles[std::size_t(c.tag - 1)];
            break;
        case Kind::Heading:
        case Kind::PeriodLabel:
        case Kind::Text: made[i] = makeStaticText(this, c); break;
        case Kind::StatePanel:
        case Kind::TitlePanel: made[i] = makePanel(this, c); break;
        case Kind::StatusBar: made[i] = makeStatusBar(this, c); break;
        case Kind::CloseButton: made[i] = makeCloseButton(this, c); break;
        case Kind::Logo: made[i] = makeLogo(this, c); break;
        }
    }

#define PC_BIND(member) member = static_cast<decltype(member)>(made[indexOf(#member)])
    PC_BIND(Shape1); PC_BIND(Shape2); PC_BIND(Shape3); PC_BIND(Shape4); PC_BIND(Shape5); PC_BIND(Shape6);
    PC_BIND(Shape7); PC_BIND(Shape8); PC_BIND(Shape9); PC_BIND(Shape10); PC_BIND(Shape11); PC_BIND(Shape12);
    PC_BIND(Shape13); PC_BIND(Shape14); PC_BIND(Shape15); PC_BIND(Shape16); PC_BIND(Shape17);
    PC_BIND(Shape18); PC_BIND(Shape19); PC_BIND(Shape20); PC_BIND(Shape21); PC_BIND(Shape22);
    PC_BIND(Bevel1); PC_BIND(Bevel2); PC_BIND(Bevel3); PC_BIND(Bevel4);
    PC_BIND(StaticText1); PC_BIND(StaticText2); PC_BIND(StaticText3); PC_BIND(StaticText4);
    PC_BIND(StaticText5); PC_BIND(StaticText6); PC_BIND(StaticText7); PC_BIND(StaticText8);
    PC_BIND(StaticText9); PC_BIND(StaticText10); PC_BIND(StaticText11); PC_BIND(StaticText12);
    PC_BIND(StaticText13); PC_BIND(StaticText14); PC_BIND(StaticText15); PC_BIND(StaticText16);
    PC_BIND(StaticText17); PC_BIND(StaticText18); PC_BIND(StaticText19); PC_BIND(StaticText20);
    PC_BIND(StaticText21); PC_BIND(StaticText22); PC_BIND(StaticText23); PC_BIND(StaticText24);
    PC_BIND(StaticText25); PC_BIND(StaticText26); PC_BIND(StaticText27); PC_BIND(StaticText28);
    PC_BIND(StaticText29); PC_BIND(StaticText30); PC_BIND(StaticText31);
    PC_BIND(Panel1); PC_BIND(Panel2); PC_BIND(Panel3); PC_BIND(Panel6); PC_BIND(Panel31);
    PC_BIND(StatusBar1);
    PC_BIND(RoundedButton1);
    PC_BIND(GIFAnimator1);
#undef PC_BIND
}

TTileButton *Tcetvelf::tileButton(int z) const
{
    return z >= 1 && z <= int(m_tiles.size()) ? m_tiles[std::size_t(z - 1)] : nullptr;
}

void Tcetvelf::FormShow()
{
    setWindowTitle(windowTitle() + QString::fromUtf16(VersionText));
}

void Tcetvelf::TileButton1Click(TTileButton *sender)
{
    requireDialogs();
    sabitf->fill(sender->tag());
    sabitf->exec();
}

void Tcetvelf::StaticText3Click(tk::TStaticText *sender)
{
    Q_UNUSED(sender);
    requireDialogs();
    grupf->fill(&CategoryTextTable.entry(1));
    grupf->exec();
}

void Tcetvelf::StaticText11Click(tk::TStaticText *sender)
{
    Q_UNUSED(sender);
    requireDialogs();
    grupf->fill(&CategoryTextTable.entry(7));
    grupf->exec();
}

void Tcetvelf::StaticText12Click(tk::TStaticText *sender)
{
    Q_UNUSED(sender);
    requireDialogs();
    grupf->fill(&CategoryTextTable.entry(8));
    grupf->exec();
}

void Tcetvelf::GIFAnimator1Click(TImageControl *sender)
{
    Q_UNUSED(sender);
    requireDialogs();
    AboutF->exec();
}

void Tcetvelf::RoundedButton1Click(TRoundedButton *sender)
{
    Q_UNUSED(sender);
    closeForm();
}

void Tcetvelf::kapatExecute()
{
    RoundedButton1Click(RoundedButton1);
}

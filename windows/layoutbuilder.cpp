#include "windows/layoutbuilder.h"

#include "gif/tgifanimator.h"
#include "toolkit/tbevel.h"
#include "toolkit/tgroupbox.h"
#include "toolkit/timage.h"
#include "toolkit/tlabel.h"
#include "toolkit/tpanel.h"
#include "toolkit/tshape.h"
#include "toolkit/tstatictext.h"
#include "toolkit/tstatusbar.h"
#include "toolkit/ttoolbar.h"
#include "widgets/tcreditspanel.h"
#include "widgets/troundedbutton.h"
#include "widgets/tshadowlabel.h"
#include "widgets/ttilebutton.h"

#include <QPalette>
#include <QPlainTextEdit>
#include <QToolButton>

using layout::Component;
using layout::Kind;

namespace {

bool hasFont(const Component &c) { return !c.font.face.empty(); }
bool hasColor(tk::TColor color) { return color != tk::clNone; }

void setUp(tk::TShape *shape, const Component &c)
{
    shape->setBrushColor(c.color);
    shape->setPenColor(c.color);
}

void setUp(tk::TBevel *bevel, const Component &)
{
    bevel->setShape(tk::TBevelShape::TopLine);
    bevel->setStyle(tk::TBevelCut::bvLowered);
}

void setUp(tk::TStaticText *text, const Component &c)
{
    text->setCaption(tk::qs(c.caption));
    if (hasColor(c.color))
        text->setColor(c.color);
    if (hasColor(c.fontColor))
        text->setFontColor(c.fontColor);
    text->setTextAlignment(c.alignment);
    text->setBorderStyle(c.bevel);
}

void setUp(tk::TLabel *label, const Component &c)
{
    label->setTransparent(!hasColor(c.color));
    if (hasColor(c.color))
        label->setColor(c.color);
    if (hasColor(c.fontColor))
        label->setFontColor(c.fontColor);
    label->setTextAlignment(c.alignment);
    label->setCaption(tk::qs(c.caption));
}

void setUp(tk::TPanel *panel, const Component &c)
{
    panel->setCaption(tk::qs(c.caption));
    if (hasColor(c.color))
        panel->setColor(c.color);
    if (hasColor(c.fontColor))
        panel->setFontColor(c.fontColor);
    panel->setBevelOuter(c.bevel);
}

void setUp(tk::TGroupBox *box, const Component &c)
{
    if (hasColor(c.color))
        box->setColor(c.color);
}

void setUp(tk::TStatusBar *bar, const Component &c)
{
    if (hasColor(c.color))
        bar->setColor(c.color);
    if (hasColor(c.fontColor))
        bar->setFontColor(c.fontColor);
}

void setUp(tk::TToolBar *bar, const Component &c)
{
    if (hasColor(c.color))
        bar->setColor(c.color);
}

void setUp(QPlainTextEdit *memo, const Component &c)
{
    memo->setFrameShape(QFrame::NoFrame);
    memo->setReadOnly(true);
    memo->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    memo->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->setFocusPolicy(Qt::StrongFocus);
    // The selection keeps its colours when the box loses the focus.
    QPalette p = memo->palette();
    if (hasColor(c.color))
        p.setColor(QPalette::Base, c.color.toQColor());
    p.setColor(QPalette::Text, (hasColor(c.fontColor) ? c.fontColor : tk::clWindowText).toQColor());
    for (const auto group : {QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(group, QPalette::Highlight, p.color(QPalette::Active, QPalette::Highlight));
        p.setColor(group, QPalette::HighlightedText, p.color(QPalette::Active, QPalette::HighlightedText));
    }
    memo->setPalette(p);
}

void setUp(QToolButton *button, const Component &c)
{
    button->setText(tk::qs(c.caption));
    button->setAutoRaise(true);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setIconSize(QSize(16, 16));
}

void setUp(TTileButton *tile, const Component &c)
{
    tile->setTag(c.tag);
    tile->setCaption(tk::qs(c.caption));
    tile->setHint(tk::qs(c.hint));
    tile->setTileFont(LayoutBuilder::fontOf(c.font));
    tile->setFontColor(c.fontColor);
}

void setUp(TRoundedButton *button, const Component &c)
{
    button->setCaption(tk::qs(c.caption));
    button->setShape(TrbsShape::rbsRounded);
    button->setFlat(true);
    button->setGray(true);
    button->setTrackGlyph(true);
    button->setColor(c.color);
    button->setHotTrackColor(tk::clBlue);
    if (hasColor(c.fontColor))
        button->setFontColor(c.fontColor);
}

void setUp(TShadowLabel *label, const Component &c)
{
    if (hasColor(c.fontColor))
        label->setFontColor(c.fontColor);
    label->setCaption(tk::qs(c.caption));
}

void setUp(TCreditsPanel *panel, const Component &c)
{
    if (hasColor(c.fontColor))
        panel->setFontColor(c.fontColor);
    if (hasColor(c.color))
        panel->setColor(c.color);
}

template <typename T>
T *create(QWidget *parent)
{
    return new T(parent);
}

QWidget *create(QWidget *parent, const Component &c)
{
    switch (c.kind) {
    case Kind::Shape: return create<tk::TShape>(parent);
    case Kind::Bevel: return create<tk::TBevel>(parent);
    case Kind::StaticText: return create<tk::TStaticText>(parent);
    case Kind::Label: {
        auto *label = create<tk::TLabel>(parent);
        label->setAutoSize(c.rect.width == 0);
        return label;
    }
    case Kind::Panel: return create<tk::TPanel>(parent);
    case Kind::GroupBox: return create<tk::TGroupBox>(parent);
    case Kind::StatusBar: return create<tk::TStatusBar>(parent);
    case Kind::ToolBar: return new tk::TToolBar(QSize(layout::ToolButtonWidth, layout::ToolButtonHeight), parent);
    case Kind::Memo: return create<QPlainTextEdit>(parent);
    case Kind::Image: return create<tk::TImage>(parent);
    case Kind::SpeedButton: return create<QToolButton>(parent);
    case Kind::TileButton: return create<TTileButton>(parent);
    case Kind::RoundedButton: return create<TRoundedButton>(parent);
    case Kind::ShadowLabel: return create<TShadowLabel>(parent);
    case Kind::CreditsPanel: return create<TCreditsPanel>(parent);
    case Kind::GIFAnimator: return create<TGIFAnimator>(parent);
    }
    throw tk::Error("unknown component kind");
}

template <typename T>
void setUpAs(QWidget *w, const Component &c)
{
    setUp(static_cast<T *>(w), c);
}

void setUpKind(QWidget *w, const Component &c)
{
    switch (c.kind) {
    case Kind::Shape: setUpAs<tk::TShape>(w, c); break;
    case Kind::Bevel: setUpAs<tk::TBevel>(w, c); break;
    case Kind::StaticText: setUpAs<tk::TStaticText>(w, c); break;
    case Kind::Label: setUpAs<tk::TLabel>(w, c); break;
    case Kind::Panel: setUpAs<tk::TPanel>(w, c); break;
    case Kind::GroupBox: setUpAs<tk::TGroupBox>(w, c); break;
    case Kind::StatusBar: setUpAs<tk::TStatusBar>(w, c); break;
    case Kind::ToolBar: setUpAs<tk::TToolBar>(w, c); break;
    case Kind::Memo: setUpAs<QPlainTextEdit>(w, c); break;
    case Kind::SpeedButton: setUpAs<QToolButton>(w, c); break;
    case Kind::TileButton: setUpAs<TTileButton>(w, c); break;
    case Kind::RoundedButton: setUpAs<TRoundedButton>(w, c); break;
    case Kind::ShadowLabel: setUpAs<TShadowLabel>(w, c); break;
    case Kind::CreditsPanel: setUpAs<TCreditsPanel>(w, c); break;
    case Kind::Image:
    case Kind::GIFAnimator: break; // their pictures are the window's
    }
}

} // namespace

QFont LayoutBuilder::fontOf(const layout::Font &f)
{
    return tk::makeFont(tk::qs(f.face), f.pixelHeight, f.style);
}

void LayoutBuilder::build(QWidget *window, std::span<const Component> table)
{
    for (const Component &c : table) {
        QWidget *parent = c.parent.empty() ? window : component<QWidget>(window, c.parent);
        // The name, font and place come first: a control that sizes itself to its text measures
        // it in its own font, from its own position.
        QWidget *w = create(parent, c);
        w->setObjectName(tk::qs(c.name));
        if (hasFont(c) && c.kind != Kind::TileButton)
            w->setFont(fontOf(c.font));
        if (c.rect.width > 0)
            w->setGeometry(rectOf(c.rect));
        else
            w->move(c.rect.left, c.rect.top);
        setUpKind(w, c);
        tk::THint::setCursor(w, c.cursor);
        if (!c.hint.empty() && c.kind != Kind::TileButton)
            tk::THint::setHint(w, tk::qs(c.hint));
    }
}

std::string LayoutBuilder::describe(const QWidget *window)
{
    const QString name = window->objectName();
    return name.isEmpty() ? std::string("the window") : name.toStdString();
}

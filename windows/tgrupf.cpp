#include "windows/tgrupf.h"

#include "data/categorytexts.h"
#include "toolkit/text.h"
#include "toolkit/timagelist.h"
#include "toolkit/tlabel.h"
#include "toolkit/tpanel.h"
#include "toolkit/tstatictext.h"
#include "toolkit/tstatusbar.h"
#include "toolkit/ttoolbar.h"
#include "toolkit/ttoolbutton.h"
#include "windows/grupflayout.h"
#include "windows/instances.h"
#include "windows/sabitflayout.h"
#include "windows/tcetvelf.h"
#include "windows/tsabitf.h"

#include <QAbstractButton>
#include <QAction>
#include <QPlainTextEdit>
#include <QScrollBar>

namespace {

QRect boxRect(const grupflayout::Box &box)
{
    return QRect(box.left, box.top, box.width, box.height);
}

QFont boldFont(int pixelHeight)
{
    return tk::makeFont(u"MS Sans Serif", pixelHeight, tk::FontStyle::Bold);
}

tk::TStaticText *makeCaption(QWidget *parent, const grupflayout::Box &box)
{
    auto *caption = new tk::TStaticText(parent);
    caption->setObjectName(tk::qs(box.name));
    caption->setGeometry(boxRect(box));
    caption->setBorderStyle(tk::TStaticBorderStyle::Sunken);
    caption->setTextAlignment(tk::TAlignment::RightJustify);
    caption->setColor(box.color);
    caption->setFont(boldFont(grupflayout::TextFontHeight));
    caption->setFontColor(tk::clBlack);
    caption->setCaption(tk::qs(box.caption));
    return caption;
}

} // namespace

Tgrupf::Tgrupf(QWidget *parent)
    : tk::TForm(QSize(grupflayout::ClientWidth, grupflayout::ClientHeight), QStringLiteral("Tgrupf"),
                Buttons::SystemMenuAndMinimize, parent)
{
    using namespace grupflayout;
    setObjectName(QStringLiteral("grupf"));
    setFont(tk::defaultFont());
    setColor(WindowColor);

    Panel1 = new tk::TPanel(this);
    Panel1->setObjectName(tk::qs(grupflayout::Panel1.name));
    Panel1->setGeometry(boxRect(grupflayout::Panel1));
    Panel1->setColor(grupflayout::Panel1.color);
    Panel1->setFont(boldFont(PanelFontHeight));
    Panel1->setFontColor(tk::clBlack);
    Panel1->setCaption(tk::qs(grupflayout::Panel1.caption));

    const tk::TImageList *images = sabitf ? sabitf->ImageList1 : nullptr;
    if (images == nullptr) {
        m_ownImages = new tk::TImageList(QSize(16, 16), this);
        for (const std::string_view picture : sabitflayout::Pictures)
            m_ownImages->addFile(tk::qs(picture));
        images = m_ownImages;
    }
    ToolBar1 = new tk::TToolBar(QSize(ButtonWidth, ButtonHeight), this);
    ToolBar1->setObjectName(tk::qs(grupflayout::ToolBar1.name));
    ToolBar1->setGeometry(boxRect(grupflayout::ToolBar1));
    ToolBar1->setColor(grupflayout::ToolBar1.color);
    ToolBar1->setImages(images);
    const auto items = ToolBar1->addItems(ToolItems);
    ToolButton2 = items[0];
    ToolButton1 = items[1];
    ToolButton4 = items[2];

    StaticText1 = makeCaption(this, grupflayout::StaticText1);

    // The title label is empty until the first fill that finds an entry.
    Label1 = new tk::TLabel(this);
    Label1->setObjectName(tk::qs(grupflayout::Label1.name));
    Label1->setTransparent(false);
    Label1->setColor(grupflayout::Label1.color);
    Label1->setFont(boldFont(TextFontHeight));
    Label1->setFontColor(tk::clBlack);
    Label1->move(grupflayout::Label1.left, grupflayout::Label1.top);

    StaticText2 = makeCaption(this, grupflayout::StaticText2);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(tk::qs(grupflayout::Memo1.name));
    Memo1->setGeometry(boxRect(grupflayout::Memo1));
    Memo1->setFrameShape(QFrame::NoFrame);
    Memo1->setReadOnly(true);
    Memo1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Memo1->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setFont(boldFont(TextFontHeight));
    Memo1->setFocusPolicy(Qt::StrongFocus);
    {
        // The selection keeps its colours when the box loses the focus.
        QPalette p = Memo1->palette();
        p.setColor(QPalette::Base, MemoColor.toQColor());
        p.setColor(QPalette::Text, tk::clWindowText.toQColor());
        for (const auto group : {QPalette::Inactive, QPalette::Disabled}) {
            p.setColor(group, QPalette::Highlight, p.color(QPalette::Active, QPalette::Highlight));
            p.setColor(group, QPalette::HighlightedText, p.color(QPalette::Active, QPalette::HighlightedText));
        }
        Memo1->setPalette(p);
    }

    StatusBar1 = new tk::TStatusBar(this);
    StatusBar1->setObjectName(tk::qs(grupflayout::StatusBar1.name));
    StatusBar1->setGeometry(boxRect(grupflayout::StatusBar1));

    ActionList1 = new QObject(this);
    ActionList1->setObjectName(QStringLiteral("ActionList1"));
    kapat()->setParent(ActionList1);

    connect(ToolButton1, &QAbstractButton::clicked, this, [this] { ToolButton1Click(ToolButton1); });
}

Tgrupf::~Tgrupf() = default;

void Tgrupf::fill(const CategoryEntry *entry)
{
    Memo1->clear();
    if (entry == nullptr)
        return;
    Label1->setCaption(tk::qs(entry->Title));
    for (const std::string_view line : entry->Lines)
        Memo1->appendPlainText(tk::qs(line));
}

void Tgrupf::FormShow()
{
    setWindowTitle(cetvelf->windowTitle());
    // A new text is read from its beginning.
    Memo1->moveCursor(QTextCursor::Start);
    Memo1->verticalScrollBar()->setValue(Memo1->verticalScrollBar()->minimum());
}

void Tgrupf::kapatExecute()
{
    ToolButton1Click(kapat());
}

void Tgrupf::ToolButton1Click(QObject *)
{
    closeForm();
}

#include "windows/tgrupf.h"

#include "data/categorytexts.h"
#include "toolkit/text.h"
#include "toolkit/tlabel.h"
#include "toolkit/ttoolbar.h"
#include "toolkit/ttoolbutton.h"
#include "windows/grupflayout.h"
#include "windows/instances.h"
#include "windows/layoutbuilder.h"

#include <QAbstractButton>
#include <QPlainTextEdit>
#include <QScrollBar>

Tgrupf::Tgrupf(const tk::TImageList *images, QWidget *parent)
    : tk::TForm(QSize(grupflayout::ClientWidth, grupflayout::ClientHeight), QStringLiteral("Tgrupf"),
                Buttons::SystemMenuAndMinimize, parent)
{
    using namespace grupflayout;
    setObjectName(QStringLiteral("grupf"));
    setFont(tk::defaultFont());
    setColor(WindowColor);

    LayoutBuilder::build(this, Components);

    auto *toolBar = LayoutBuilder::component<tk::TToolBar>(this, "ToolBar1");
    toolBar->setImages(images);
    toolBar->addItems(ToolItems);
    ToolButton1 = LayoutBuilder::component<tk::TToolButton>(this, "ToolButton1");

    Label1 = LayoutBuilder::component<tk::TLabel>(this, "Label1");
    Memo1 = LayoutBuilder::component<QPlainTextEdit>(this, "Memo1");

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
    copyMainTitle(this);
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

#include "windows/tsabitf.h"

#include "assets/compiledpictures.h"
#include "data/categorytexts.h"
#include "data/elementcatalogue.h"
#include "toolkit/text.h"
#include "toolkit/timagelist.h"
#include "toolkit/tlabel.h"
#include "toolkit/ttoolbar.h"
#include "toolkit/ttoolbutton.h"
#include "windows/instances.h"
#include "windows/layoutbuilder.h"
#include "windows/sabitflayout.h"
#include "windows/tgrupf.h"

#include <QAction>
#include <QAbstractButton>

#include <string>

Tsabitf::Tsabitf(const tk::TImageList *images, QWidget *parent)
    : tk::TForm(QSize(sabitflayout::ClientWidth, sabitflayout::ClientHeight), QStringLiteral("Tsabitf"),
                Buttons::SystemMenuAndMinimize, parent)
    , ImageList1(images)
{
    using namespace sabitflayout;
    setObjectName(QStringLiteral("sabitf"));
    setFont(tk::defaultFont());

    LayoutBuilder::build(this, Components);
    auto *toolBar = LayoutBuilder::component<tk::TToolBar>(this, "ToolBar1");
    toolBar->setImages(ImageList1);
    toolBar->addItems(ToolItems);
    ToolButton1 = LayoutBuilder::component<tk::TToolButton>(this, "ToolButton1");
    ToolButton2 = LayoutBuilder::component<tk::TToolButton>(this, "ToolButton2");
    for (int number = 1; number <= int(m_labels.size()); ++number)
        m_labels[std::size_t(number - 1)] =
            LayoutBuilder::component<tk::TLabel>(this, QStringLiteral("Label%1").arg(number).toStdString());
    Label9 = label(9);

    ActionList1 = new QObject(this);
    ActionList1->setObjectName(QStringLiteral("ActionList1"));
    kapat()->setParent(ActionList1);
    Ayrinti = addShortcutAction(QStringLiteral("Ayrinti"), QKeySequence(Qt::Key_F5), [this] { ToolButton2Click(Ayrinti); });
    Ayrinti->setParent(ActionList1);

    connect(ToolButton1, &QAbstractButton::clicked, this, [this] { ToolButton1Click(ToolButton1); });
    connect(ToolButton2, &QAbstractButton::clicked, this, [this] { ToolButton2Click(ToolButton2); });
}

Tsabitf::~Tsabitf() = default;

std::unique_ptr<tk::TImageList> Tsabitf::makeImageList1()
{
    auto images = std::make_unique<tk::TImageList>(QSize(16, 16));
    images->setObjectName(QStringLiteral("ImageList1"));
    for (const std::string_view picture : sabitflayout::Pictures)
        images->add(tk::qs(picture), compiledPicture(picture), compiledPicture(std::string(picture) + "@2x"));
    return images;
}

tk::TLabel *Tsabitf::label(int number) const
{
    if (number < 1 || number > int(m_labels.size()))
        return nullptr;
    return m_labels[std::size_t(number - 1)];
}

void Tsabitf::fill(int z)
{
    label(1)->setCaption(QString::number(z));
    const ElementRecord &row = ElementCatalogue[z];
    for (int number = 2; number <= 16; ++number)
        label(number)->setCaption(tk::qs(row.field(sabitflayout::fieldOfLabel(number))));
}

void Tsabitf::FormShow()
{
    copyMainTitle(this);
}

void Tsabitf::kapatExecute()
{
    ToolButton1Click(kapat());
}

void Tsabitf::ToolButton1Click(QObject *)
{
    closeForm();
}

void Tsabitf::ToolButton2Click(QObject *)
{
    const std::string category = Label9->caption().toStdString();
    requireDialogs(Dialog::Category);
    grupf->fill(CategoryTextTable.find(category));
    grupf->exec();
}

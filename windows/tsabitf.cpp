#include "windows/tsabitf.h"

#include "data/categorytexts.h"
#include "data/elementcatalogue.h"
#include "toolkit/text.h"
#include "toolkit/tgroupbox.h"
#include "toolkit/timagelist.h"
#include "toolkit/tlabel.h"
#include "toolkit/tpanel.h"
#include "toolkit/tstatictext.h"
#include "toolkit/tstatusbar.h"
#include "toolkit/ttoolbar.h"
#include "toolkit/ttoolbutton.h"
#include "windows/instances.h"
#include "windows/sabitflayout.h"
#include "windows/tcetvelf.h"
#include "windows/tgrupf.h"

#include <QAction>
#include <QAbstractButton>

#include <charconv>
#include <string>

namespace {

// "Label12" -> 12, "StaticText3" -> 3.
int numberAfter(std::string_view name, std::string_view prefix)
{
    int number = 0;
    const std::string_view digits = name.substr(prefix.size());
    std::from_chars(digits.data(), digits.data() + digits.size(), number);
    return number;
}

QRect areaRect(const sabitflayout::Area &area)
{
    return QRect(area.left, area.top, area.width, area.height);
}

void applyFont(QWidget *widget, const sabitflayout::FontDef &def)
{
    widget->setFont(tk::makeFont(tk::qs(def.face), def.pixelHeight, def.style));
}

} // namespace

Tsabitf::Tsabitf(QWidget *parent)
    : tk::TForm(QSize(sabitflayout::ClientWidth, sabitflayout::ClientHeight), QStringLiteral("Tsabitf"),
                Buttons::SystemMenuAndMinimize, parent)
{
    using namespace sabitflayout;
    setObjectName(QStringLiteral("sabitf"));
    setFont(tk::defaultFont());

    ImageList1 = new tk::TImageList(QSize(16, 16), this);
    ImageList1->setObjectName(QStringLiteral("ImageList1"));
    for (const std::string_view picture : Pictures)
        ImageList1->addFile(tk::qs(picture));

    ToolBar1 = new tk::TToolBar(QSize(ButtonWidth, ButtonHeight), this);
    ToolBar1->setObjectName(tk::qs(sabitflayout::ToolBar1.name));
    ToolBar1->setGeometry(areaRect(sabitflayout::ToolBar1));
    ToolBar1->setColor(sabitflayout::ToolBar1.color);
    ToolBar1->setImages(ImageList1);
    const auto items = ToolBar1->addItems(ToolItems);
    ToolButton4 = items[0];
    ToolButton1 = items[1];
    ToolButton3 = items[2];
    ToolButton2 = items[3];

    Panel1 = new tk::TPanel(this);
    Panel1->setObjectName(tk::qs(sabitflayout::Panel1.name));
    Panel1->setGeometry(areaRect(sabitflayout::Panel1));
    Panel1->setColor(sabitflayout::Panel1.color);

    Label2 = new tk::TLabel(Panel1);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setAutoSize(false);
    Label2->setTransparent(true);
    Label2->setTextAlignment(tk::TAlignment::Center);
    applyFont(Label2, NameFont);
    Label2->setFontColor(NameFont.color);
    Label2->setGeometry(Panel1->clientRect());

    GroupBox1 = new tk::TGroupBox(this);
    GroupBox1->setObjectName(tk::qs(sabitflayout::GroupBox1.name));
    GroupBox1->setGeometry(areaRect(sabitflayout::GroupBox1));
    GroupBox1->setColor(sabitflayout::GroupBox1.color);

    // Values first, captions after them: a caption box is drawn over any value that runs under it.
    const auto labels = labelSlots();
    for (const CaptionedValue &row : CaptionedValues) {
        auto *value = new tk::TLabel(GroupBox1);
        value->setObjectName(tk::qs(row.valueName));
        value->setTransparent(false);
        value->setColor(StrongBlue);
        applyFont(value, ValueFont);
        value->setFontColor(ValueFont.color);
        value->move(row.left + ValueDx, row.top + ValueDy);
        *labels[std::size_t(numberAfter(row.valueName, "Label") - 1)] = value;
    }
    const auto captions = staticTextSlots();
    for (const CaptionedValue &row : CaptionedValues) {
        auto *caption = new tk::TStaticText(GroupBox1);
        caption->setObjectName(tk::qs(row.captionName));
        caption->setGeometry(row.left, row.top, CaptionWidth, CaptionHeight);
        caption->setBorderStyle(tk::TStaticBorderStyle::Sunken);
        caption->setTextAlignment(tk::TAlignment::RightJustify);
        caption->setColor(CaptionColor);
        applyFont(caption, CaptionFont);
        caption->setFontColor(CaptionFont.color);
        caption->setCaption(tk::qs(row.caption));
        *captions[std::size_t(numberAfter(row.captionName, "StaticText"))] = caption;
    }

    StatusBar1 = new tk::TStatusBar(this);
    StatusBar1->setObjectName(tk::qs(sabitflayout::StatusBar1.name));
    StatusBar1->setGeometry(areaRect(sabitflayout::StatusBar1));
    StatusBar1->setColor(sabitflayout::StatusBar1.color);

    ActionList1 = new QObject(this);
    ActionList1->setObjectName(QStringLiteral("ActionList1"));
    kapat()->setParent(ActionList1);
    Ayrinti = addShortcutAction(QStringLiteral("Ayrinti"), QKeySequence(Qt::Key_F5), [this] { ToolButton2Click(Ayrinti); });
    Ayrinti->setParent(ActionList1);

    connect(ToolButton1, &QAbstractButton::clicked, this, [this] { ToolButton1Click(ToolButton1); });
    connect(ToolButton2, &QAbstractButton::clicked, this, [this] { ToolButton2Click(ToolButton2); });
}

Tsabitf::~Tsabitf() = default;

std::array<tk::TLabel **, 16> Tsabitf::labelSlots()
{
    return {&Label1, &Label2, &Label3, &Label4, &Label5, &Label6, &Label7, &Label8,
            &Label9, &Label10, &Label11, &Label12, &Label13, &Label14, &Label15, &Label16};
}

std::array<tk::TStaticText **, 17> Tsabitf::staticTextSlots()
{
    // StaticText1 does not exist in this dialog; its slot stays empty.
    static tk::TStaticText *unused = nullptr;
    return {&unused, &unused, &StaticText2, &StaticText3, &StaticText4, &StaticText5,
            &StaticText6, &StaticText7, &StaticText8, &StaticText9, &StaticText10, &StaticText11,
            &StaticText12, &StaticText13, &StaticText14, &StaticText15, &StaticText16};
}

tk::TLabel *Tsabitf::label(int number) const
{
    const std::array<tk::TLabel *, 16> all{Label1, Label2, Label3, Label4, Label5, Label6, Label7, Label8,
                                           Label9, Label10, Label11, Label12, Label13, Label14, Label15, Label16};
    if (number < 1 || number > 16)
        return nullptr;
    return all[std::size_t(number - 1)];
}

void Tsabitf::fill(int z)
{
    Label1->setCaption(QString::number(z));
    const ElementRecord &row = ElementCatalogue[z];
    for (int number = 2; number <= 16; ++number)
        label(number)->setCaption(tk::qs(row.field(sabitflayout::fieldOfLabel(number))));
}

void Tsabitf::FormShow()
{
    setWindowTitle(cetvelf->windowTitle());
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
    grupf->fill(CategoryTextTable.find(category));
    grupf->exec();
}

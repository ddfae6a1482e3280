#include "windows/tcetvelf.h"

#include "assets/logoformdata.h"
#include "data/categorytexts.h"
#include "gif/tgifanimator.h"
#include "toolkit/text.h"
#include "toolkit/tfont.h"
#include "toolkit/thint.h"
#include "toolkit/tstatictext.h"
#include "toolkit/tstatusbar.h"
#include "widgets/troundedbutton.h"
#include "widgets/ttilebutton.h"
#include "windows/cetvelflayout.h"
#include "windows/instances.h"
#include "windows/layoutbuilder.h"
#include "windows/taboutf.h"
#include "windows/tgrupf.h"
#include "windows/tsabitf.h"

#include <QEvent>
#include <QString>

#include <cstddef>

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
    connect(StaticText3, &tk::TStaticText::OnClick, this, &Tcetvelf::StaticText3Click);
    connect(StaticText11, &tk::TStaticText::OnClick, this, &Tcetvelf::StaticText11Click);
    connect(StaticText12, &tk::TStaticText::OnClick, this, &Tcetvelf::StaticText12Click);
    connect(GIFAnimator1, &TImageControl::OnClick, this, &Tcetvelf::GIFAnimator1Click);
    connect(RoundedButton1, &TRoundedButton::OnClick, this, &Tcetvelf::RoundedButton1Click);
}

Tcetvelf::~Tcetvelf() = default;

void Tcetvelf::buildLayout()
{
    LayoutBuilder::build(this, cetvelflayout::Components);
    // Collected in one pass: a lookup by name for each of the 114 would search the window each time.
    for (TTileButton *tile : findChildren<TTileButton *>(Qt::FindDirectChildrenOnly))
        m_tiles[std::size_t(tile->tag() - 1)] = tile;

    auto *statusBar = LayoutBuilder::component<tk::TStatusBar>(this, "StatusBar1");
    for (const cetvelflayout::StatusPanel &panel : cetvelflayout::StatusBar1Panels)
        statusBar->addPanel(tk::qs(panel.text), panel.width);

    GIFAnimator1 = LayoutBuilder::component<TGIFAnimator>(this, "GIFAnimator1");
    // The window's stored settings, read in their stream order. FrameIndex 1 comes before the
    // image and, with no frames loaded yet, is ignored; loading the image then selects frame 0,
    // so the logo plays from frame 0.
    TGIFAnimator::StoredProperties stored;
    stored.Animate = true;
    stored.FrameIndex = 1;
    stored.ImageData = logoFormData();
    stored.ImageDataCompiledIn = true;
    stored.Stretch = true;
    GIFAnimator1->readProperties(stored);
    // The about dialog is made when it is first needed. A click on the logo opens it, and the
    // pointer comes onto the logo before it clicks: the dialog is made then, and the click finds
    // it ready.
    GIFAnimator1->installEventFilter(this);

    StaticText3 = LayoutBuilder::component<tk::TStaticText>(this, "StaticText3");
    StaticText11 = LayoutBuilder::component<tk::TStaticText>(this, "StaticText11");
    StaticText12 = LayoutBuilder::component<tk::TStaticText>(this, "StaticText12");
    RoundedButton1 = LayoutBuilder::component<TRoundedButton>(this, "RoundedButton1");
}

TTileButton *Tcetvelf::tileButton(int z) const
{
    return z >= 1 && z <= int(m_tiles.size()) ? m_tiles[std::size_t(z - 1)] : nullptr;
}

void Tcetvelf::FormShow()
{
    // The version follows the design title: formed from both rather than appended to the current
    // title, so that the title stays the same however often a platform reports the window shown
    // (some report a show again on restoring it from the task bar).
    setWindowTitle(tk::qs(cetvelflayout::DesignTitle) + QString::fromUtf16(VersionText));
}

void Tcetvelf::TileButton1Click(TTileButton *sender)
{
    requireDialogs(Dialog::Details);
    sabitf->fill(sender->tag());
    sabitf->exec();
}

void Tcetvelf::StaticText3Click(tk::TStaticText *sender)
{
    Q_UNUSED(sender);
    requireDialogs(Dialog::Category);
    grupf->fill(&CategoryTextTable.entry(1));
    grupf->exec();
}

void Tcetvelf::StaticText11Click(tk::TStaticText *sender)
{
    Q_UNUSED(sender);
    requireDialogs(Dialog::Category);
    grupf->fill(&CategoryTextTable.entry(7));
    grupf->exec();
}

void Tcetvelf::StaticText12Click(tk::TStaticText *sender)
{
    Q_UNUSED(sender);
    requireDialogs(Dialog::Category);
    grupf->fill(&CategoryTextTable.entry(8));
    grupf->exec();
}

bool Tcetvelf::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == GIFAnimator1 && event->type() == QEvent::Enter) {
        GIFAnimator1->removeEventFilter(this);
        requireDialogs(Dialog::About);
    }
    return tk::TForm::eventFilter(watched, event);
}

void Tcetvelf::GIFAnimator1Click(TImageControl *sender)
{
    Q_UNUSED(sender);
    requireDialogs(Dialog::About);
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

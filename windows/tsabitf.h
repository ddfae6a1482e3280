#pragma once

#include "toolkit/tform.h"

#include <array>

class QAction;

namespace tk {
class TGroupBox;
class TImageList;
class TLabel;
class TPanel;
class TStaticText;
class TStatusBar;
class TToolBar;
class TToolButton;
} // namespace tk

// The element details dialog: an element's name and fifteen captioned facts.
class Tsabitf : public tk::TForm {
    Q_OBJECT
public:
    explicit Tsabitf(QWidget *parent = nullptr);
    ~Tsabitf() override;

    // Label1 gets z in decimal digits, Label2 to Label16 fields 1 to 15 of catalogue row z,
    // empty fields included.
    void fill(int z);

    // Value label by number, 1 to 16; null for any other number.
    tk::TLabel *label(int number) const;

    void ToolButton1Click(QObject *Sender);
    void ToolButton2Click(QObject *Sender);

    tk::TToolBar *ToolBar1 = nullptr;
    tk::TToolButton *ToolButton1 = nullptr;
    tk::TToolButton *ToolButton2 = nullptr;
    tk::TToolButton *ToolButton3 = nullptr;
    tk::TToolButton *ToolButton4 = nullptr;
    tk::TPanel *Panel1 = nullptr;
    tk::TGroupBox *GroupBox1 = nullptr;
    tk::TStatusBar *StatusBar1 = nullptr;
    tk::TImageList *ImageList1 = nullptr;
    QObject *ActionList1 = nullptr;
    QAction *Ayrinti = nullptr;

    tk::TLabel *Label1 = nullptr;
    tk::TLabel *Label2 = nullptr;
    tk::TLabel *Label3 = nullptr;
    tk::TLabel *Label4 = nullptr;
    tk::TLabel *Label5 = nullptr;
    tk::TLabel *Label6 = nullptr;
    tk::TLabel *Label7 = nullptr;
    tk::TLabel *Label8 = nullptr;
    tk::TLabel *Label9 = nullptr;
    tk::TLabel *Label10 = nullptr;
    tk::TLabel *Label11 = nullptr;
    tk::TLabel *Label12 = nullptr;
    tk::TLabel *Label13 = nullptr;
    tk::TLabel *Label14 = nullptr;
    tk::TLabel *Label15 = nullptr;
    tk::TLabel *Label16 = nullptr;

    tk::TStaticText *StaticText2 = nullptr;
    tk::TStaticText *StaticText3 = nullptr;
    tk::TStaticText *StaticText4 = nullptr;
    tk::TStaticText *StaticText5 = nullptr;
    tk::TStaticText *StaticText6 = nullptr;
    tk::TStaticText *StaticText7 = nullptr;
    tk::TStaticText *StaticText8 = nullptr;
    tk::TStaticText *StaticText9 = nullptr;
    tk::TStaticText *StaticText10 = nullptr;
    tk::TStaticText *StaticText11 = nullptr;
    tk::TStaticText *StaticText12 = nullptr;
    tk::TStaticText *StaticText13 = nullptr;
    tk::TStaticText *StaticText14 = nullptr;
    tk::TStaticText *StaticText15 = nullptr;
    tk::TStaticText *StaticText16 = nullptr;

protected:
    void FormShow() override;
    void kapatExecute() override;

private:
    std::array<tk::TLabel **, 16> labelSlots();
    std::array<tk::TStaticText **, 17> staticTextSlots();
};

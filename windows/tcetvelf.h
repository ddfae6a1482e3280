#pragma once

#include "toolkit/tform.h"

#include <array>

class TGIFAnimator;
class TImageControl;
class TRoundedButton;
class TTileButton;
class QWidget;

namespace tk {
class TBevel;
class TPanel;
class TShape;
class TStaticText;
class TStatusBar;
} // namespace tk

// The main window: the periodic table.
class Tcetvelf : public tk::TForm {
    Q_OBJECT
public:
    explicit Tcetvelf(QWidget *parent = nullptr);
    ~Tcetvelf() override;

    // The tile of element z (1 .. 114).
    TTileButton *tileButton(int z) const;

    // Handlers.
    void TileButton1Click(TTileButton *sender);
    void StaticText3Click(tk::TStaticText *sender);
    void StaticText11Click(tk::TStaticText *sender);
    void StaticText12Click(tk::TStaticText *sender);
    void GIFAnimator1Click(TImageControl *sender);
    void RoundedButton1Click(TRoundedButton *sender);

    tk::TShape *Shape1 = nullptr;
    tk::TShape *Shape2 = nullptr;
    tk::TShape *Shape3 = nullptr;
    tk::TShape *Shape4 = nullptr;
    tk::TShape *Shape5 = nullptr;
    tk::TShape *Shape6 = nullptr;
    tk::TShape *Shape7 = nullptr;
    tk::TShape *Shape8 = nullptr;
    tk::TShape *Shape9 = nullptr;
    tk::TShape *Shape10 = nullptr;
    tk::TShape *Shape11 = nullptr;
    tk::TShape *Shape12 = nullptr;
    tk::TShape *Shape13 = nullptr;
    tk::TShape *Shape14 = nullptr;
    tk::TShape *Shape15 = nullptr;
    tk::TShape *Shape16 = nullptr;
    tk::TShape *Shape17 = nullptr;
    tk::TShape *Shape18 = nullptr;
    tk::TShape *Shape19 = nullptr;
    tk::TShape *Shape20 = nullptr;
    tk::TShape *Shape21 = nullptr;
    tk::TShape *Shape22 = nullptr;
    tk::TBevel *Bevel1 = nullptr;
    tk::TBevel *Bevel2 = nullptr;
    tk::TBevel *Bevel3 = nullptr;
    tk::TBevel *Bevel4 = nullptr;
    tk::TStaticText *StaticText1 = nullptr;
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
    tk::TStaticText *StaticText17 = nullptr;
    tk::TStaticText *StaticText18 = nullptr;
    tk::TStaticText *StaticText19 = nullptr;
    tk::TStaticText *StaticText20 = nullptr;
    tk::TStaticText *StaticText21 = nullptr;
    tk::TStaticText *StaticText22 = nullptr;
    tk::TStaticText *StaticText23 = nullptr;
    tk::TStaticText *StaticText24 = nullptr;
    tk::TStaticText *StaticText25 = nullptr;
    tk::TStaticText *StaticText26 = nullptr;
    tk::TStaticText *StaticText27 = nullptr;
    tk::TStaticText *StaticText28 = nullptr;
    tk::TStaticText *StaticText29 = nullptr;
    tk::TStaticText *StaticText30 = nullptr;
    tk::TStaticText *StaticText31 = nullptr;
    tk::TPanel *Panel1 = nullptr;
    tk::TPanel *Panel2 = nullptr;
    tk::TPanel *Panel3 = nullptr;
    tk::TPanel *Panel6 = nullptr;
    tk::TPanel *Panel31 = nullptr;
    tk::TStatusBar *StatusBar1 = nullptr;
    TRoundedButton *RoundedButton1 = nullptr;
    TGIFAnimator *GIFAnimator1 = nullptr;

protected:
    void FormShow() override;
    // Escape runs the close button's handler.
    void kapatExecute() override;

private:
    void buildLayout();

    // Tiles by atomic number: m_tiles[z - 1]; each is named TileButton<z>.
    std::array<TTileButton *, 114> m_tiles{};
};

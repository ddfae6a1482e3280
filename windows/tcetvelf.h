#pragma once

#include "toolkit/tform.h"

#include <array>

class TGIFAnimator;
class TImageControl;
class TRoundedButton;
class TTileButton;
class QWidget;

namespace tk {
class TStaticText;
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

    // The components the handlers use; the others are found by name (LayoutBuilder::component).
    tk::TStaticText *StaticText3 = nullptr;
    tk::TStaticText *StaticText11 = nullptr;
    tk::TStaticText *StaticText12 = nullptr;
    TRoundedButton *RoundedButton1 = nullptr;
    TGIFAnimator *GIFAnimator1 = nullptr;

protected:
    void FormShow() override;
    // Escape runs the close button's handler.
    void kapatExecute() override;
    // The pointer coming onto the logo makes the about dialog (see GIFAnimator1Click).
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildLayout();

    // Tiles by atomic number: m_tiles[z - 1]; each is named TileButton<z>.
    std::array<TTileButton *, 114> m_tiles{};
};

#pragma once

#include "toolkit/tform.h"

#include <array>
#include <memory>

class QAction;

namespace tk {
class TImageList;
class TLabel;
class TToolButton;
} // namespace tk

// The element details dialog: an element's name and fifteen captioned facts.
class Tsabitf : public tk::TForm {
    Q_OBJECT
public:
    // `images` (made by makeImageList1()) outlives the dialog.
    explicit Tsabitf(const tk::TImageList *images, QWidget *parent = nullptr);
    ~Tsabitf() override;

    // The open book, the green door and the blue door, for this dialog's and the category
    // dialog's tool bars.
    static std::unique_ptr<tk::TImageList> makeImageList1();

    // Label1 gets z in decimal digits, Label2 to Label16 fields 1 to 15 of catalogue row z,
    // empty fields included.
    void fill(int z);

    // Value label by number, 1 to 16; null for any other number.
    tk::TLabel *label(int number) const;

    void ToolButton1Click(QObject *Sender);
    void ToolButton2Click(QObject *Sender);

    // The tool bar's pictures, shared with the category dialog.
    const tk::TImageList *const ImageList1;
    QObject *ActionList1 = nullptr;
    QAction *Ayrinti = nullptr;

    // The components the handlers use; the others are found by name (LayoutBuilder::component).
    tk::TToolButton *ToolButton1 = nullptr;
    tk::TToolButton *ToolButton2 = nullptr;
    tk::TLabel *Label9 = nullptr;

protected:
    void FormShow() override;
    void kapatExecute() override;

private:
    // Label1 .. Label16, which fill() writes.
    std::array<tk::TLabel *, 16> m_labels{};
};

#pragma once

#include "toolkit/tform.h"

class QPlainTextEdit;
struct CategoryEntry;

namespace tk {
class TImageList;
class TLabel;
class TToolButton;
} // namespace tk

// The category information dialog: a category's title and descriptive paragraphs.
class Tgrupf : public tk::TForm {
    Q_OBJECT
public:
    // `images` (the details dialog's pictures) outlives the dialog.
    explicit Tgrupf(const tk::TImageList *images, QWidget *parent = nullptr);
    ~Tgrupf() override;

    // What every opener does before the modal show: empty Memo1, then, when there is an entry,
    // set Label1 to its title and add its paragraphs one line each. Without an entry the title
    // label keeps the previous fill's title.
    void fill(const CategoryEntry *entry);

    void ToolButton1Click(QObject *Sender);

    // The components the handlers use; the others are found by name (LayoutBuilder::component).
    tk::TToolButton *ToolButton1 = nullptr;
    tk::TLabel *Label1 = nullptr;
    QPlainTextEdit *Memo1 = nullptr;
    QObject *ActionList1 = nullptr;

protected:
    void FormShow() override;
    void kapatExecute() override;
};

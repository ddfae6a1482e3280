#pragma once

#include "toolkit/tform.h"

// The category information dialog: a category's title and descriptive paragraphs.
class Tgrupf : public tk::TForm {
    Q_OBJECT
public:
    explicit Tgrupf(QWidget *parent = nullptr);
    ~Tgrupf() override;

protected:
    void FormShow() override;
};

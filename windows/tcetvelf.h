#pragma once

#include "toolkit/tform.h"

// The main window: the periodic table.
class Tcetvelf : public tk::TForm {
    Q_OBJECT
public:
    explicit Tcetvelf(QWidget *parent = nullptr);
    ~Tcetvelf() override;

protected:
    void FormShow() override;
};

#pragma once

#include "toolkit/tform.h"

// The about dialog: headings, version, the scrolling credits and the maker's links.
class TAboutF : public tk::TForm {
    Q_OBJECT
public:
    explicit TAboutF(QWidget *parent = nullptr);
    ~TAboutF() override;

protected:
    void FormShow() override;
};

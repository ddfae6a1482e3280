#pragma once

#include "toolkit/tform.h"

// The element details dialog: an element's name and fifteen captioned facts.
class Tsabitf : public tk::TForm {
    Q_OBJECT
public:
    explicit Tsabitf(QWidget *parent = nullptr);
    ~Tsabitf() override;

protected:
    void FormShow() override;
};

#pragma once

#include <QLabel>

namespace tk {

// A picture control: shows its picture at its top-left corner at the picture's own size. On a
// screen at a higher scale the picture is enlarged pixel for pixel on the screen's grid, never
// smoothed, so that it stays as sharp as the bevels and frames around it.
class TImage : public QLabel {
    Q_OBJECT
public:
    explicit TImage(QWidget *parent = nullptr);
    ~TImage() override;

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace tk

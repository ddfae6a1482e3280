#pragma once

#include <QImage>
#include <QLabel>
#include <QString>

namespace tk {

// One of the program's own pictures (a resource path; its suffix names the format), or a null
// image if it is missing. Read by its format's own reader: left to guess, a reader first loads
// every image format plug-in installed and asks each whether the data is theirs.
QImage loadPicture(const QString &path);

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

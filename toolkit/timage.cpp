#include "toolkit/timage.h"

#include <QPainter>

namespace tk {

TImage::TImage(QWidget *parent) : QLabel(parent) {}

TImage::~TImage() = default;

void TImage::paintEvent(QPaintEvent *)
{
    // A label would smooth a picture made for one scale onto a screen at another.
    const QPixmap picture = pixmap();
    if (picture.isNull())
        return;
    QPainter painter(this);
    painter.drawPixmap(QPoint(0, 0), picture);
}

} // namespace tk

#pragma once

#include "tests/support/pixelprobe.h"

#include <QList>
#include <QRect>
#include <QRegion>
#include <QSet>
#include <QString>
#include <QToolButton>
#include <QWidget>

#include <initializer_list>

// A whole window checked for blur at the screen's scale. Text is drawn by the font system with
// smoothed edges at every scale, so the insides of the controls that hold text are left out; every
// other logical pixel (bevels, frames, fills, shapes, pictures) must read crisp from the probe.
struct TextArea {
    const char *className; // the controls of this class (or derived from it) hold text
    int inset;             // logical pixels of their edges (bevels, rings) that are still checked
    int top = 0;           // the text starts this far down (a picture above it is checked)
};

inline QRegion textRegion(QWidget &window, std::initializer_list<TextArea> areas)
{
    QRegion region;
    for (QWidget *child : window.findChildren<QWidget *>()) {
        if (!child->isVisibleTo(&window))
            continue;
        for (const TextArea &area : areas)
            if (child->inherits(area.className)) {
                const QRect inWindow(child->mapTo(&window, QPoint(0, 0)), child->size());
                region += inWindow.adjusted(area.inset, qMax(area.inset, area.top), -area.inset, -area.inset);
            }
    }
    return region;
}

// Empty when every checked logical pixel is crisp; else how many are not, and the first of them.
inline QString blurOutside(const PixelProbe &probe, const QRegion &text)
{
    const QSize size = probe.logicalSize();
    int blurred = 0;
    QString first;
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) {
            // Pixels next to text are left out too: their border device pixels meet smoothed ink.
            if (text.intersects(QRect(x - 1, y - 1, 3, 3)) || probe.at(x, y) != 0)
                continue;
            if (blurred++ == 0)
                first = QStringLiteral("(%1,%2)").arg(x).arg(y);
        }
    return blurred == 0 ? QString() : QStringLiteral("%1 blurred pixels, the first at %2").arg(blurred).arg(first);
}

// Pictures are enlarged pixel for pixel, so at a scale that is not a whole number their pixels
// fall on the screen's grid half a pixel either way; what must hold is that no colour appears that
// the picture and its background do not have. Empty when that holds for every button's picture.
// The picture lies above the caption, or left of it when the button shows its caption beside it.
inline QString blurredPictures(const QList<QToolButton *> &buttons)
{
    for (QToolButton *button : buttons) {
        const bool beside = button->toolButtonStyle() == Qt::ToolButtonTextBesideIcon;
        const QImage shot = button->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const qreal ratio = shot.devicePixelRatio();
        const QImage picture = button->icon().pixmap(button->iconSize(), 1.0).toImage().convertToFormat(QImage::Format_ARGB32);
        QSet<QRgb> allowed{shot.pixel(0, 0) | 0xFF000000u};
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                if (qAlpha(picture.pixel(x, y)) == 255)
                    allowed.insert(picture.pixel(x, y));
        const QSize area = beside ? QSize(button->iconSize().width() + 4, button->height())
                                  : QSize(button->width(), button->iconSize().height() + 6);
        for (int y = 0; y < qMin(int(area.height() * ratio), shot.height()); ++y)
            for (int x = 0; x < qMin(int(area.width() * ratio), shot.width()); ++x)
                if (!allowed.contains(shot.pixel(x, y) | 0xFF000000u))
                    return QStringLiteral("%1: device pixel (%2,%3) is %4, a colour its picture does not have")
                        .arg(button->objectName()).arg(x).arg(y).arg(PixelProbe::describe(shot.pixel(x, y)));
    }
    return {};
}

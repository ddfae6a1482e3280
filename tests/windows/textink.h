#pragma once

#include "toolkit/talignment.h"
#include "toolkit/text.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QStyle>
#include <QStyleOptionToolButton>
#include <QToolButton>
#include <QWidget>

#include <algorithm>
#include <string_view>

// Measuring where the windows' texts put their ink, in the fonts the program resolves on this
// system, for the text-fit and text-clearance tests.
namespace textink {

// Where a text's ink lies, in logical pixels from its pen position on the baseline (top is
// negative: above the baseline), drawn at a device pixel ratio.
struct Ink {
    qreal left = 0;
    qreal right = 0;
    qreal top = 0;
    qreal bottom = 0;

    bool isEmpty() const { return right <= left; }
};

inline Ink inkOf(const QString &text, const QFont &font, qreal ratio)
{
    const QFontMetricsF metrics(font);
    const int margin = 8;
    const QSizeF logical(metrics.horizontalAdvance(text) + 2 * margin, metrics.height() + 2 * margin);
    QImage image((logical * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setFont(font);
        painter.drawText(QPointF(margin, margin + metrics.ascent()), text);
    }
    int first = image.width();
    int last = -1;
    int topRow = -1;
    int bottomRow = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(line[x]) != 0) {
                first = std::min(first, x);
                last = std::max(last, x);
                if (topRow < 0)
                    topRow = y;
                bottomRow = y;
            }
    }
    if (last < 0)
        return Ink{};
    const qreal baseline = margin + metrics.ascent();
    return Ink{first / ratio - margin, (last + 1) / ratio - margin, topRow / ratio - baseline,
               (bottomRow + 1) / ratio - baseline};
}

// Where a one-line text's ink lies when a control draws it in `area` with the given horizontal
// alignment, centred vertically in the area or at its top. `copy` offsets a second, engraved or
// shadow, copy of the text; the result covers both. Empty when the text has no ink.
inline QRectF inkInArea(const QString &text, const QFont &font, const QRectF &area, tk::TAlignment alignment,
                        bool centredVertically, qreal ratio, QPointF copy = {})
{
    const QFontMetricsF metrics(font);
    const qreal advance = metrics.horizontalAdvance(text);
    qreal x = area.left();
    if (alignment == tk::TAlignment::taCenter)
        x += (area.width() - advance) / 2;
    else if (alignment == tk::TAlignment::taRightJustify)
        x += area.width() - advance;
    const qreal top = centredVertically ? area.top() + (area.height() - metrics.height()) / 2 : area.top();
    const Ink ink = inkOf(text, font, ratio);
    if (ink.isEmpty())
        return {};
    const qreal baseline = top + metrics.ascent();
    const QRectF main(QPointF(x + ink.left, baseline + ink.top), QPointF(x + ink.right, baseline + ink.bottom));
    return main.united(main.translated(copy));
}

// A toolbar or speed button's text rectangle, as the style lays out the button's label.
inline QRect toolButtonTextRect(const QToolButton *button)
{
    QStyleOptionToolButton option;
    option.initFrom(button);
    option.toolButtonStyle = button->toolButtonStyle();
    option.iconSize = button->iconSize();
    const QStyle *style = button->style();
    const int frame = style->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, button);
    QRect label = style->subControlRect(QStyle::CC_ToolButton, &option, QStyle::SC_ToolButton, button)
                      .adjusted(frame, frame, -frame, -frame);
    // Beside the icon the text starts after the icon and a 4-pixel gap.
    if (button->toolButtonStyle() == Qt::ToolButtonTextBesideIcon)
        label.setLeft(label.left() + button->iconSize().width() + 4);
    return label;
}

template <typename T>
T *child(QWidget *window, std::string_view name)
{
    return window->findChild<T *>(tk::qs(name));
}

} // namespace textink

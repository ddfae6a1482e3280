#include "toolkit/tcolor.h"

#include <QGuiApplication>
#include <QPalette>

namespace tk {

namespace {

QColor systemColor(std::uint32_t index)
{
    const QPalette palette = QGuiApplication::palette();
    switch (index) {
    case 5: return palette.color(QPalette::Active, QPalette::Base);
    case 6: return palette.color(QPalette::Active, QPalette::Shadow);
    case 8: return palette.color(QPalette::Active, QPalette::Text);
    case 13: return palette.color(QPalette::Active, QPalette::Highlight);
    case 14: return palette.color(QPalette::Active, QPalette::HighlightedText);
    case 15: return palette.color(QPalette::Active, QPalette::Button);
    case 16: return palette.color(QPalette::Active, QPalette::Dark);
    case 17: return palette.color(QPalette::Disabled, QPalette::Text);
    case 18: return palette.color(QPalette::Active, QPalette::ButtonText);
    case 20: return palette.color(QPalette::Active, QPalette::Light);
    case 21: return palette.color(QPalette::Active, QPalette::Shadow);
    case 22: return palette.color(QPalette::Active, QPalette::Midlight);
    case 24: return palette.color(QPalette::Active, QPalette::ToolTipBase);
    default: return palette.color(QPalette::Active, QPalette::Window);
    }
}

} // namespace

QColor TColor::toQColor() const
{
    if (isSystem())
        return systemColor(m_value & 0xFFu);
    if (isNone())
        return QColor(Qt::transparent);
    return QColor::fromRgb(rgb());
}

QPalette classicPalette()
{
    const QColor face(212, 208, 200);
    const QColor text(0, 0, 0);
    const QColor gray(128, 128, 128);
    QPalette p;
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(group, QPalette::Window, face);
        p.setColor(group, QPalette::Button, face);
        p.setColor(group, QPalette::Base, Qt::white);
        p.setColor(group, QPalette::AlternateBase, face);
        p.setColor(group, QPalette::Light, Qt::white);
        p.setColor(group, QPalette::Midlight, face);
        p.setColor(group, QPalette::Mid, gray);
        p.setColor(group, QPalette::Dark, gray);
        p.setColor(group, QPalette::Shadow, text);
        p.setColor(group, QPalette::Highlight, QColor(10, 36, 106));
        p.setColor(group, QPalette::HighlightedText, Qt::white);
        p.setColor(group, QPalette::ToolTipBase, QColor(255, 255, 225));
        p.setColor(group, QPalette::ToolTipText, text);
        p.setColor(group, QPalette::PlaceholderText, gray);
        const QColor fg = group == QPalette::Disabled ? gray : text;
        p.setColor(group, QPalette::WindowText, fg);
        p.setColor(group, QPalette::Text, fg);
        p.setColor(group, QPalette::ButtonText, fg);
    }
    return p;
}

} // namespace tk

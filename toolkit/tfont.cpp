#include "toolkit/tfont.h"

#include <QStringList>

namespace tk {

void installFontSubstitutions()
{
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("Arial"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("Times New Roman"),
                               {QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")});
}

QFont makeFont(QStringView face, int pixelHeight, FontStyle style)
{
    QFont font(face.toString());
    font.setPixelSize(pixelHeight);
    font.setBold(hasStyle(style, FontStyle::Bold));
    font.setItalic(hasStyle(style, FontStyle::Italic));
    font.setUnderline(hasStyle(style, FontStyle::Underline));
    font.setStrikeOut(hasStyle(style, FontStyle::StrikeOut));
    // Hinting keeps the small bitmap-era sizes legible.
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

QFont defaultFont()
{
    return makeFont(u"MS Sans Serif", 11);
}

} // namespace tk

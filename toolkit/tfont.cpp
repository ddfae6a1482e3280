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

namespace {

// Sizes at which a face is drawn smaller than the layout asks. At 12 pixels Liberation Sans is too
// wide for the group credits, the one text set at that size: "Programlama Grubu" takes 111
// pixels of their 105-pixel panel. At 11 pixels, the windows' default size, every line fits.
struct SizeChoice {
    QStringView face;
    int asked;
    int drawn;
};

constexpr SizeChoice SizeChoices[] = {
    {u"MS Sans Serif", 12, 11},
};

int drawnSize(QStringView face, int pixelHeight)
{
    for (const SizeChoice &choice : SizeChoices)
        if (choice.asked == pixelHeight && face.compare(choice.face, Qt::CaseInsensitive) == 0)
            return choice.drawn;
    return pixelHeight;
}

} // namespace

QFont makeFont(QStringView face, int pixelHeight, FontStyle style)
{
    QFont font(face.toString());
    font.setPixelSize(drawnSize(face, pixelHeight));
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

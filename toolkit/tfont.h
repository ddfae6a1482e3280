#pragma once

#include <QFont>
#include <QStringView>

namespace tk {

enum class FontStyle : unsigned { Regular = 0, Bold = 1, Italic = 2, Underline = 4, StrikeOut = 8 };
constexpr FontStyle operator|(FontStyle a, FontStyle b) { return FontStyle(unsigned(a) | unsigned(b)); }
constexpr bool hasStyle(FontStyle set, FontStyle s) { return (unsigned(set) & unsigned(s)) != 0; }

// A font as the layouts give it: face name, character height in pixels and style. The classic
// faces are mapped to metric-compatible free ones ("MS Sans Serif" and "Arial" to Liberation Sans,
// "Times New Roman" to Liberation Serif), with DejaVu behind them. Every font the program makes
// covers Turkish, so the layouts' character-set field needs nothing further. A few sizes at which
// a stand-in face is too wide for the places the layouts give its texts are drawn one size
// smaller ("MS Sans Serif" 12 px at 11 px).
QFont makeFont(QStringView face, int pixelHeight, FontStyle style = FontStyle::Regular);

// The windows' default font: "MS Sans Serif", 11 px.
QFont defaultFont();

// Registers the face substitutions once; the application calls it at start-up.
void installFontSubstitutions();

} // namespace tk

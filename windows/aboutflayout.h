#pragma once

#include "toolkit/tcolor.h"
#include "toolkit/tfont.h"

#include <algorithm>
#include <array>
#include <string_view>

// The about dialog's layout: its components with their places, fonts and texts, the maker's
// values and the two credits lists.
namespace aboutf {

inline constexpr int ClientWidth = 293;
inline constexpr int ClientHeight = 274;

// The maker's values. The addresses lie under a reserved domain, so that no real site or
// mailbox is ever reached from the program.
inline constexpr std::string_view WebHost = "www.kvt.example";
inline constexpr std::string_view MailAddress = "bilgi@kvt.example";
inline constexpr std::string_view CompanyForm = "Yazılım ve Eğitim Ltd. Şti.";

enum class Kind { Panel, ShadowLabel, Label, CreditsPanel, Image, SpeedButton };
enum class Parent { Form, Panel1 };

struct FontDef {
    std::string_view face;
    int pixelHeight;
    tk::FontStyle style;
    tk::TColor color;
};

inline constexpr FontDef DefaultFont{"MS Sans Serif", 11, tk::FontStyle::Regular, tk::clWindowText};
inline constexpr FontDef HeadingFont{"Times New Roman", 24, tk::FontStyle::Bold, tk::clBlue};

struct Component {
    std::string_view name;
    Kind kind;
    Parent parent;
    int left, top, width, height; // width and height 0: sized to the text
    std::string_view caption;
    FontDef font;
    std::string_view hint; // shown as a tool-tip when not empty
    bool handCursor;
};

// In creation order: a later component lies above an earlier one of the same parent. The two
// headings are docked to the top inside Panel1's bevel, one under the other.
inline constexpr std::array<Component, 12> Components{{
    {"Panel1", Kind::Panel, Parent::Form, 0, 0, 293, 274, "", DefaultFont, "", false},
    {"ShadowLabel4", Kind::ShadowLabel, Parent::Panel1, 1, 1, 291, 26, "Tamelis", HeadingFont, "", false},
    {"ShadowLabel3", Kind::ShadowLabel, Parent::Panel1, 1, 27, 291, 26, "Periyodik Cetvel", HeadingFont, "", false},
    {"srm", Kind::Label, Parent::Panel1, 241, 53, 0, 0, "sürüm", {"MS Sans Serif", 11, tk::FontStyle::Bold, tk::clBlue}, "", false},
    {"CreditsPanel2", Kind::CreditsPanel, Parent::Panel1, 6, 69, 111, 140, "",
     {"MS Sans Serif", 12, tk::FontStyle::Regular, tk::clBlack}, "", false},
    {"Image2", Kind::Image, Parent::Panel1, 4, 209, 50, 39, "", DefaultFont, "", false},
    {"Label4", Kind::Label, Parent::Panel1, 56, 208, 0, 0, "KORVANTA", HeadingFont, "", false},
    {"Label5", Kind::Label, Parent::Panel1, 59, 232, 0, 0, CompanyForm, {"MS Sans Serif", 4, tk::FontStyle::Regular, tk::clMaroon}, "", false},
    {"ShadowLabel1", Kind::ShadowLabel, Parent::Panel1, 185, 212, 0, 0, WebHost, DefaultFont,
     "Program hakkındaki gelişmeleri sitemizden takip edebilirsiniz...", true},
    {"ShadowLabel2", Kind::ShadowLabel, Parent::Panel1, 185, 230, 0, 0, MailAddress, DefaultFont,
     "Program hakkındaki istek ve önerileriniz için...", true},
    {"SpeedButton1", Kind::SpeedButton, Parent::Panel1, 102, 249, 91, 21, "Tamam", DefaultFont, "Kapat (Esc)", true},
    {"CreditsPanel1", Kind::CreditsPanel, Parent::Form, 5, 72, 284, 129, "",
     {"MS Sans Serif", 13, tk::FontStyle::Bold, tk::clLime}, "", false},
}};

// The regular credits, scrolled on black.
inline constexpr std::array<std::string_view, 27> RegularCredits{{
    "Periyodik Cetvel",
    "",
    "© 2004 Tüm hakları saklıdır",
    "KORVANTA Yazılım ve Eğitim Ltd. Şti.",
    "",
    "",
    "KORVANTA",
    "",
    "Meşrutiyet Caddesi No: 47/6",
    "Kızılay 06420",
    "Çankaya / ANKARA",
    "",
    "Tel  : (0312) 000 47 10",
    "",
    "Faks : (0312) 000 47 11",
    "",
    "www.kvt.example",
    "www.tamelis.kvt.example",
    "bilgi@kvt.example",
    "destek@kvt.example",
    "",
    "Bayi: Ege Kitap Kırtasiye Dağıtım",
    "",
    "Tel  : (0232) 000 63 20",
    "",
    "",
    "Öğrenmenin en renkli yolu...",
}};

// The programming group, revealed by Ctrl+Alt+T, engraved on silver.
inline constexpr std::array<std::string_view, 14> GroupCredits{{
    "Programlama Grubu",
    "",
    "Emre Yıldırım",
    "",
    "Ayşe Demirtaş",
    "",
    "Mert Özkan",
    "",
    "Zeynep Çelik",
    "",
    "Burak Şahin",
    "",
    "Elif Güneş",
    "",
}};

template <std::size_t N>
constexpr int blankCount(const std::array<std::string_view, N> &lines)
{
    return int(std::count(lines.begin(), lines.end(), std::string_view{}));
}

static_assert(blankCount(RegularCredits) == 11);
static_assert(blankCount(GroupCredits) == 7);

constexpr bool uniqueNames()
{
    for (std::size_t i = 0; i < Components.size(); ++i)
        for (std::size_t j = i + 1; j < Components.size(); ++j)
            if (Components[i].name == Components[j].name)
                return false;
    return true;
}
static_assert(uniqueNames());

constexpr bool insideClientArea()
{
    for (const Component &c : Components)
        if (c.left < 0 || c.top < 0 || c.left + c.width > ClientWidth || c.top + c.height > ClientHeight)
            return false;
    return true;
}
static_assert(insideClientArea());

} // namespace aboutf

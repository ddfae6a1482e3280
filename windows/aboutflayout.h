#pragma once

#include "toolkit/tcolor.h"
#include "toolkit/tfont.h"
#include "windows/layout.h"

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

using layout::Component;
using layout::Kind;

inline constexpr layout::Font HeadingFont{"Times New Roman", 24, tk::FontStyle::Bold};
inline constexpr layout::Font BoldFont{layout::ClassicFace, 11, tk::FontStyle::Bold};

// The maker's name (Label4) and the web link (ShadowLabel1) stand on one line. Where the name,
// in the face resolved for it, would reach within this many pixels of the link, the dialog draws
// the name a pixel size smaller at a time until it ends that far before the link: at 24 pixels
// Liberation Serif runs "KORVANTA" into "www.kvt.example".
inline constexpr int NameToLinkGap = 4;

// In creation order: a later component lies above an earlier one of the same parent. The two
// headings are docked to the top inside Panel1's bevel, one under the other.
inline constexpr std::array<Component, 12> Components{{
    {.name = "Panel1", .kind = Kind::Panel, .rect = {0, 0, 293, 274}, .color = tk::clBtnFace,
     .font = layout::DefaultFont, .bevel = tk::TBevelCut::bvLowered},
    {.name = "ShadowLabel4", .kind = Kind::ShadowLabel, .rect = {1, 1, 291, 26}, .caption = "Tamelis",
     .fontColor = tk::clBlue, .font = HeadingFont, .parent = "Panel1"},
    {.name = "ShadowLabel3", .kind = Kind::ShadowLabel, .rect = {1, 27, 291, 26}, .caption = "Periyodik Cetvel",
     .fontColor = tk::clBlue, .font = HeadingFont, .parent = "Panel1"},
    {.name = "srm", .kind = Kind::Label, .rect = {241, 53, 0, 0}, .caption = "sürüm", .color = tk::clBtnFace,
     .fontColor = tk::clBlue, .font = BoldFont, .parent = "Panel1"},
    {.name = "CreditsPanel2", .kind = Kind::CreditsPanel, .rect = {6, 69, 111, 140}, .color = tk::clSilver,
     .fontColor = tk::clBlack, .font = {layout::ClassicFace, 12, tk::FontStyle::Regular}, .parent = "Panel1"},
    {.name = "Image2", .kind = Kind::Image, .rect = {4, 209, 50, 39}, .font = layout::DefaultFont, .parent = "Panel1"},
    {.name = "Label4", .kind = Kind::Label, .rect = {56, 208, 0, 0}, .caption = "KORVANTA", .fontColor = tk::clBlue,
     .font = HeadingFont, .parent = "Panel1"},
    {.name = "Label5", .kind = Kind::Label, .rect = {59, 232, 0, 0}, .caption = CompanyForm, .fontColor = tk::clMaroon,
     .font = {layout::ClassicFace, 4, tk::FontStyle::Regular}, .parent = "Panel1"},
    {.name = "ShadowLabel1", .kind = Kind::ShadowLabel, .rect = {185, 212, 0, 0}, .caption = WebHost,
     .fontColor = tk::clWindowText, .font = layout::DefaultFont,
     .hint = "Program hakkındaki gelişmeleri sitemizden takip edebilirsiniz...", .cursor = tk::TCursor::HandPoint,
     .parent = "Panel1"},
    {.name = "ShadowLabel2", .kind = Kind::ShadowLabel, .rect = {185, 230, 0, 0}, .caption = MailAddress,
     .fontColor = tk::clWindowText, .font = layout::DefaultFont, .hint = "Program hakkındaki istek ve önerileriniz için...",
     .cursor = tk::TCursor::HandPoint, .parent = "Panel1"},
    {.name = "SpeedButton1", .kind = Kind::SpeedButton, .rect = {102, 249, 91, 21}, .caption = "Tamam",
     .font = layout::DefaultFont, .hint = "Kapat (Esc)", .cursor = tk::TCursor::HandPoint, .parent = "Panel1"},
    {.name = "CreditsPanel1", .kind = Kind::CreditsPanel, .rect = {5, 72, 284, 129}, .color = tk::clBlack,
     .fontColor = tk::clLime, .font = {layout::ClassicFace, 13, tk::FontStyle::Bold}},
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

static_assert(layout::namesUnique(Components));
static_assert(layout::parentsComeFirst(Components));

constexpr bool insideClientArea()
{
    for (const Component &c : Components)
        if (!layout::Rect{0, 0, ClientWidth, ClientHeight}.contains(c.rect))
            return false;
    return true;
}
static_assert(insideClientArea());

} // namespace aboutf

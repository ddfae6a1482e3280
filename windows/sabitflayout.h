#pragma once

#include "toolkit/tcolor.h"
#include "toolkit/tfont.h"
#include "toolkit/ttoolbar.h"
#include "windows/layout.h"

#include <array>
#include <string_view>

// The element details dialog's layout, in client coordinates (captions and values in the group
// box's coordinates).
namespace sabitflayout {

using namespace std::string_view_literals;
using layout::Component;
using layout::Kind;

// A caption box and the value label beside it; `field` is the catalogue field the value shows,
// 0 for the atomic number itself.
struct CaptionedValue {
    std::string_view captionName;
    std::string_view caption;
    int left, top;
    std::string_view valueName;
    int field;
};

inline constexpr int ClientWidth = 641;
inline constexpr int ClientHeight = 329;

inline constexpr tk::TColor StrongBlue{14643200};
inline constexpr tk::TColor LightGreen{9109445};
inline constexpr tk::TColor CaptionColor{14399415};
inline constexpr tk::TColor StatusColor{14597308};

inline constexpr std::array<tk::ToolItem, 4> ToolItems{{
    {"ToolButton4"sv, true, 8, {}, -1, {}},
    {"ToolButton1"sv, false, 0, "Kapat"sv, 2, "Kapat (Esc)"sv},
    {"ToolButton3"sv, true, 15, {}, -1, {}},
    {"ToolButton2"sv, false, 0, "Ayrıntı"sv, 0, "Sınıflar hakkında ayrıntılı bilgi (F5)"sv},
}};

// The image list's pictures, by index: open book, green door, blue door (compiled-in pictures,
// each with its "@2x" rendering).
inline constexpr std::array<std::string_view, 3> Pictures{"book"sv, "door-green"sv, "door-blue"sv};

inline constexpr layout::Font NameFont{layout::ClassicFace, 24, tk::FontStyle::Bold};
inline constexpr layout::Font BoldFont{layout::ClassicFace, 11, tk::FontStyle::Bold};

inline constexpr int CaptionWidth = 110;
inline constexpr int CaptionHeight = 17;
inline constexpr int LeftColumn = 8;
inline constexpr int RightColumn = 296;
// A value stands 114 pixels right of its caption's left edge and one pixel below its top.
inline constexpr int ValueDx = 114;
inline constexpr int ValueDy = 1;

inline constexpr std::array<CaptionedValue, 15> CaptionedValues{{
    {"StaticText3"sv, "Atom Numarası "sv, LeftColumn, 16, "Label1"sv, 0},
    {"StaticText2"sv, "Sembol "sv, LeftColumn, 41, "Label3"sv, 2},
    {"StaticText4"sv, "Atomik Yığın "sv, LeftColumn, 67, "Label4"sv, 3},
    {"StaticText9"sv, "Sınıfı "sv, LeftColumn, 92, "Label9"sv, 8},
    {"StaticText7"sv, "Prt.ve Elek.Sayısı "sv, LeftColumn, 117, "Label7"sv, 6},
    {"StaticText8"sv, "Nötron Sayısı "sv, LeftColumn, 142, "Label8"sv, 7},
    {"StaticText11"sv, "Yoğunluk "sv, LeftColumn, 167, "Label11"sv, 10},
    {"StaticText12"sv, "Elektron Dizilişi "sv, RightColumn, 16, "Label12"sv, 11},
    {"StaticText5"sv, "Erime Noktası "sv, RightColumn, 41, "Label5"sv, 4},
    {"StaticText6"sv, "Kaynama Noktası "sv, RightColumn, 66, "Label6"sv, 5},
    {"StaticText10"sv, "Kristal Yapısı "sv, RightColumn, 91, "Label10"sv, 9},
    {"StaticText13"sv, "Bulunuş Tarihi "sv, RightColumn, 116, "Label13"sv, 12},
    {"StaticText14"sv, "Buluşu Yapan "sv, RightColumn, 141, "Label14"sv, 13},
    {"StaticText16"sv, "Elde Ediliş Şekli "sv, RightColumn, 166, "Label16"sv, 15},
    {"StaticText15"sv, "Kullanım Alanı "sv, RightColumn, 191, "Label15"sv, 14},
}};

// Label n shows field n - 1, Label2 (the name, on Panel1) field 1.
constexpr int fieldOfLabel(int labelNumber)
{
    return labelNumber - 1;
}

constexpr bool captionedValuesAreConsistent()
{
    bool seenField[16] = {};
    for (const CaptionedValue &row : CaptionedValues) {
        if (row.field < 0 || row.field > 15 || seenField[row.field])
            return false;
        seenField[row.field] = true;
        if (row.captionName.substr(0, 10) != "StaticText"sv || row.valueName.substr(0, 5) != "Label"sv)
            return false;
        if (row.caption.empty() || row.caption.back() != ' ')
            return false;
        if (row.left != LeftColumn && row.left != RightColumn)
            return false;
    }
    return !seenField[1]; // the name is not a captioned value
}
static_assert(captionedValuesAreConsistent(), "each captioned value shows one catalogue field once");

namespace detail {

inline constexpr std::size_t ComponentCount = 5 + 2 * CaptionedValues.size();

constexpr std::array<Component, ComponentCount> build()
{
    std::array<Component, ComponentCount> all{};
    std::size_t i = 0;
    all[i++] = {.name = "ToolBar1", .kind = Kind::ToolBar, .rect = {0, 0, 641, 40}, .color = StrongBlue};
    all[i++] = {.name = "Panel1", .kind = Kind::Panel, .rect = {0, 40, 641, 30}, .color = LightGreen,
                .bevel = tk::TBevelCut::bvRaised};
    // The element's name, across the panel inside its bevel.
    all[i++] = {.name = "Label2", .kind = Kind::Label, .rect = {1, 1, 639, 28}, .fontColor = tk::clRed,
                .font = NameFont, .parent = "Panel1", .alignment = tk::TAlignment::taCenter};
    all[i++] = {.name = "GroupBox1", .kind = Kind::GroupBox, .rect = {0, 70, 641, 240}, .color = StrongBlue};
    // Values first, captions after them: a caption box is drawn over any value that runs under it.
    for (const CaptionedValue &row : CaptionedValues)
        all[i++] = {.name = row.valueName, .kind = Kind::Label, .rect = {row.left + ValueDx, row.top + ValueDy, 0, 0},
                    .color = StrongBlue, .fontColor = tk::clYellow, .font = BoldFont, .parent = "GroupBox1"};
    for (const CaptionedValue &row : CaptionedValues)
        all[i++] = {.name = row.captionName, .kind = Kind::StaticText,
                    .rect = {row.left, row.top, CaptionWidth, CaptionHeight}, .caption = row.caption,
                    .color = CaptionColor, .fontColor = tk::clNavy, .font = BoldFont, .parent = "GroupBox1",
                    .alignment = tk::TAlignment::taRightJustify, .bevel = tk::TBevelCut::bvLowered};
    all[i++] = {.name = "StatusBar1", .kind = Kind::StatusBar, .rect = {0, 310, 641, 19}, .color = StatusColor};
    return all;
}

} // namespace detail

// Every component, in creation order.
inline constexpr std::array<Component, detail::ComponentCount> Components = detail::build();

static_assert(layout::namesUnique(Components));
static_assert(layout::parentsComeFirst(Components));
static_assert(layout::rowOf(Components, "Label2").rect.right() + 1 == layout::rowOf(Components, "Panel1").rect.width,
              "the name fills the panel inside its one-pixel bevel");
static_assert(layout::rowOf(Components, "StatusBar1").rect.bottom() == ClientHeight,
              "the status bar is docked at the bottom");

} // namespace sabitflayout

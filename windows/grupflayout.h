#pragma once

#include "toolkit/tcolor.h"
#include "toolkit/tfont.h"
#include "toolkit/ttoolbar.h"

#include <array>
#include <string_view>

// The category dialog's layout, in client coordinates.
namespace grupflayout {

using namespace std::string_view_literals;

struct Box {
    std::string_view name;
    int left, top, width, height;
    tk::TColor color;
    std::string_view caption;
};

inline constexpr int ClientWidth = 471;
inline constexpr int ClientHeight = 368;

inline constexpr tk::TColor WindowColor{14474424};
inline constexpr tk::TColor PanelColor{12763781};
inline constexpr tk::TColor CaptionColor{10263630};
inline constexpr tk::TColor MemoColor{11645285};

inline constexpr Box Panel1{"Panel1"sv, 0, 0, 471, 30, PanelColor, "Sınıflar"sv};
inline constexpr Box ToolBar1{"ToolBar1"sv, 0, 30, 471, 41, tk::clBtnFace, {}};
inline constexpr Box StaticText1{"StaticText1"sv, 5, 73, 80, 17, CaptionColor, "Adı "sv};
inline constexpr Box StaticText2{"StaticText2"sv, 5, 97, 80, 17, CaptionColor, "Özellikleri "sv};
// The title label sizes itself to its text; only its position is fixed.
inline constexpr Box Label1{"Label1"sv, 89, 75, 0, 0, WindowColor, {}};
inline constexpr Box Memo1{"Memo1"sv, 88, 97, 377, 241, MemoColor, {}};
inline constexpr Box StatusBar1{"StatusBar1"sv, 0, 349, 471, 19, tk::clBtnFace, {}};

inline constexpr int PanelFontHeight = 13;
inline constexpr int TextFontHeight = 11;

inline constexpr int ButtonWidth = 35;
inline constexpr int ButtonHeight = 36;

inline constexpr std::array<tk::ToolItem, 3> ToolItems{{
    {"ToolButton2"sv, true, 8, {}, -1, {}},
    {"ToolButton1"sv, false, 0, "Kapat"sv, 1, "Kapat (Esc)"sv},
    {"ToolButton4"sv, true, 8, {}, -1, {}},
}};

static_assert(ToolBar1.top == Panel1.top + Panel1.height, "the tool bar is docked below the panel");
static_assert(StatusBar1.top + StatusBar1.height == ClientHeight, "the status bar is docked at the bottom");

} // namespace grupflayout

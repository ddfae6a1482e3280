#pragma once

#include "toolkit/tcolor.h"
#include "toolkit/ttoolbar.h"
#include "windows/layout.h"

#include <array>
#include <string_view>

// The category dialog's layout, in client coordinates.
namespace grupflayout {

using namespace std::string_view_literals;
using layout::Component;
using layout::Kind;

inline constexpr int ClientWidth = 471;
inline constexpr int ClientHeight = 368;

inline constexpr tk::TColor WindowColor{14474424};
inline constexpr tk::TColor PanelColor{12763781};
inline constexpr tk::TColor CaptionColor{10263630};
inline constexpr tk::TColor MemoColor{11645285};

inline constexpr layout::Font PanelFont{layout::ClassicFace, 13, tk::FontStyle::Bold};
inline constexpr layout::Font TextFont{layout::ClassicFace, 11, tk::FontStyle::Bold};

// In creation order. The title label sizes itself to its text and is empty until the first fill
// that finds an entry.
inline constexpr std::array<Component, 7> Components{{
    {.name = "Panel1", .kind = Kind::Panel, .rect = {0, 0, 471, 30}, .caption = "Sınıflar", .color = PanelColor,
     .fontColor = tk::clBlack, .font = PanelFont, .bevel = tk::TBevelCut::bvRaised},
    {.name = "ToolBar1", .kind = Kind::ToolBar, .rect = {0, 30, 471, 41}, .color = tk::clBtnFace},
    {.name = "StaticText1", .kind = Kind::StaticText, .rect = {5, 73, 80, 17}, .caption = "Adı ",
     .color = CaptionColor, .fontColor = tk::clBlack, .font = TextFont, .alignment = tk::TAlignment::taRightJustify,
     .bevel = tk::TBevelCut::bvLowered},
    {.name = "Label1", .kind = Kind::Label, .rect = {89, 75, 0, 0}, .color = WindowColor, .fontColor = tk::clBlack,
     .font = TextFont},
    {.name = "StaticText2", .kind = Kind::StaticText, .rect = {5, 97, 80, 17}, .caption = "Özellikleri ",
     .color = CaptionColor, .fontColor = tk::clBlack, .font = TextFont, .alignment = tk::TAlignment::taRightJustify,
     .bevel = tk::TBevelCut::bvLowered},
    {.name = "Memo1", .kind = Kind::Memo, .rect = {88, 97, 377, 241}, .color = MemoColor,
     .fontColor = tk::clWindowText, .font = TextFont},
    {.name = "StatusBar1", .kind = Kind::StatusBar, .rect = {0, 349, 471, 19}},
}};

inline constexpr std::array<tk::ToolItem, 3> ToolItems{{
    {"ToolButton2"sv, true, 8, {}, -1, {}},
    {"ToolButton1"sv, false, 0, "Kapat"sv, 1, "Kapat (Esc)"sv},
    {"ToolButton4"sv, true, 8, {}, -1, {}},
}};

static_assert(layout::namesUnique(Components));
static_assert(layout::rowOf(Components, "ToolBar1").rect.top == layout::rowOf(Components, "Panel1").rect.bottom(),
              "the tool bar is docked below the panel");
static_assert(layout::rowOf(Components, "StatusBar1").rect.bottom() == ClientHeight,
              "the status bar is docked at the bottom");

} // namespace grupflayout

#pragma once

#include "toolkit/talignment.h"
#include "toolkit/tcolor.h"
#include "toolkit/tfont.h"
#include "toolkit/thint.h"

#include <cstddef>
#include <string_view>

// The words every window's layout table is written in: a component row with its kind, rectangle,
// texts, colours, font, hint, cursor and tag. LayoutBuilder makes the widgets from such a table.
namespace layout {

// What a row makes.
enum class Kind {
    Shape,         // filled rectangle in `color`
    Bevel,         // lowered line along the top edge
    StaticText,    // text in a box; `bevel` is its one-pixel border (Lowered: sunken)
    Label,         // text on its parent; no `color`: transparent
    Panel,         // `bevel` is its outer bevel
    GroupBox,
    StatusBar,
    ToolBar,       // buttons of ToolButtonWidth x ToolButtonHeight, the window adds them
    Memo,          // read-only text box with a vertical scroll bar
    Image,
    SpeedButton,   // flat button with a caption
    TileButton,    // element tile: `tag` is Z
    RoundedButton,
    ShadowLabel,
    CreditsPanel,
    GIFAnimator,
};

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;  // 0 (with height 0): the control sizes itself to its text
    int height = 0;

    constexpr int right() const { return left + width; }   // exclusive
    constexpr int bottom() const { return top + height; }  // exclusive
    constexpr bool contains(const Rect &r) const
    {
        return r.left >= left && r.top >= top && r.right() <= right() && r.bottom() <= bottom();
    }
    constexpr bool intersects(const Rect &r) const
    {
        return r.left < right() && left < r.right() && r.top < bottom() && top < r.bottom();
    }
    friend constexpr bool operator==(const Rect &, const Rect &) = default;
};

// A face, a character height in pixels and a style; no face: the control keeps its window's font.
struct Font {
    std::string_view face{};
    int pixelHeight = 0;
    tk::FontStyle style = tk::FontStyle::Regular;

    constexpr bool bold() const { return tk::hasStyle(style, tk::FontStyle::Bold); }
};

inline constexpr std::string_view ClassicFace = "MS Sans Serif";
inline constexpr Font DefaultFont{ClassicFace, 11, tk::FontStyle::Regular};

// The tool bars' buttons, the same in every window that has one.
inline constexpr int ToolButtonWidth = 35;
inline constexpr int ToolButtonHeight = 36;

struct Component {
    std::string_view name{};
    Kind kind = Kind::StaticText;
    Rect rect{};                       // in the parent's client coordinates
    std::string_view caption{};        // UTF-8
    tk::TColor color = tk::clNone;     // fill or background; none: the control's own or transparent
    tk::TColor fontColor = tk::clNone; // none: the control's own
    Font font{};
    std::string_view hint{};           // UTF-8; empty: no tool-tip
    tk::TCursor cursor = tk::TCursor::Default;
    int tag = 0;
    std::string_view parent{};         // empty: the window itself
    tk::TAlignment alignment = tk::TAlignment::taLeftJustify;
    tk::TBevelCut bevel = tk::TBevelCut::bvNone;
};

// Checks every table makes: names are unique, and a parent comes before its children.
template <typename Table>
constexpr bool namesUnique(const Table &table)
{
    for (std::size_t i = 0; i < table.size(); ++i)
        for (std::size_t j = i + 1; j < table.size(); ++j)
            if (table[i].name == table[j].name)
                return false;
    return true;
}

template <typename Table>
constexpr bool parentsComeFirst(const Table &table)
{
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (table[i].parent.empty())
            continue;
        bool found = false;
        for (std::size_t j = 0; j < i; ++j)
            found = found || table[j].name == table[i].parent;
        if (!found)
            return false;
    }
    return true;
}

// The row called `name`; a name the table lacks does not compile where a constant is needed.
template <typename Table>
constexpr const Component &rowOf(const Table &table, std::string_view name)
{
    for (const Component &c : table)
        if (c.name == name)
            return c;
    throw "no such component";
}

template <typename Table>
constexpr std::size_t countOf(const Table &table, Kind kind)
{
    std::size_t n = 0;
    for (const Component &c : table)
        n += c.kind == kind ? 1 : 0;
    return n;
}

} // namespace layout

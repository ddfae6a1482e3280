#pragma once

#include "data/elementclasses.h"
#include "toolkit/tcolor.h"
#include "toolkit/thint.h"
#include "windows/layout.h"

#include <array>
#include <cstddef>
#include <string_view>

// The main window's layout: every component with its client rectangle, colours, font, caption,
// hint, cursor and tag, in stacking order (bottom first). The window builds itself from this
// table and the tests walk the same table.
namespace cetvelflayout {

using layout::Component;
using layout::Kind;
using layout::Rect;

inline constexpr Rect ClientRect{0, 0, 769, 479};
inline constexpr tk::TColor WindowColor = tk::clWhite;
inline constexpr std::string_view DesignTitle = "KORVANTA Tamelis - Periyodik Cetvel ";

// The cell grid: 18 columns of 39 pixels from x = 61, periods 1 .. 7 from y = 75, and the two
// separate rows below a 21-pixel gap.
inline constexpr int CellSize = 39;
inline constexpr int GridLeft = 61;
inline constexpr int GridTop = 75;
inline constexpr int LanthanideTop = 369;
inline constexpr int ActinideTop = 408;
inline constexpr int TileInset = 2;
inline constexpr int TileSize = 35;

constexpr int columnLeft(int c) { return GridLeft + CellSize * c; }
constexpr int periodTop(int p) { return GridTop + CellSize * (p - 1); }

struct Cell {
    int column = -1; // 0 .. 17
    int top = 0;     // top edge of the cell's row
    friend constexpr bool operator==(const Cell &, const Cell &) = default;
};

// Where element z stands in the table.
constexpr Cell cellOf(int z)
{
    if (z == 1) return {0, periodTop(1)};
    if (z == 2) return {17, periodTop(1)};
    if (z <= 4) return {z - 3, periodTop(2)};
    if (z <= 10) return {z + 7, periodTop(2)};
    if (z <= 12) return {z - 11, periodTop(3)};
    if (z <= 18) return {z - 1, periodTop(3)};
    if (z <= 36) return {z - 19, periodTop(4)};
    if (z <= 54) return {z - 37, periodTop(5)};
    if (z <= 57) return {z - 55, periodTop(6)};
    if (z <= 71) return {z - 54, LanthanideTop};
    if (z <= 86) return {z - 69, periodTop(6)};
    if (z <= 89) return {z - 87, periodTop(7)};
    if (z <= 103) return {z - 86, ActinideTop};
    return {z - 101, periodTop(7)};
}

constexpr Rect cellRect(int z)
{
    const Cell cell = cellOf(z);
    return {columnLeft(cell.column), cell.top, CellSize, CellSize};
}

constexpr Rect tileRect(int z)
{
    const Rect cell = cellRect(z);
    return {cell.left + TileInset, cell.top + TileInset, TileSize, TileSize};
}

// Element classes, shown as the tile's caption colour.
constexpr tk::TColor classColor(int z)
{
    switch (elementClass(z)) {
    case ElementClass::NonMetal: return tk::clAqua;
    case ElementClass::Metalloid: return tk::clGreen;
    case ElementClass::NobleGas: return tk::clRed;
    case ElementClass::Metal: break;
    }
    return tk::clBlue;
}

inline constexpr tk::TColor SolidColor{10485760};     // 0xA00000, dark blue
inline constexpr tk::TColor LiquidColor{48896};       // 0x00BF00, green
inline constexpr tk::TColor GasColor = tk::clRed;
inline constexpr tk::TColor SyntheticColor{16739071}; // 0xFF6AFF, pink

// States of matter, shown as the colour of the band behind the tile.
constexpr tk::TColor stateColor(int z)
{
    switch (stateOfMatter(z)) {
    case StateOfMatter::Liquid: return LiquidColor;
    case StateOfMatter::Gas: return GasColor;
    case StateOfMatter::Synthetic: return SyntheticColor;
    case StateOfMatter::Solid: break;
    }
    return SolidColor;
}

struct TileText {
    int z;
    std::string_view name;
    std::string_view caption;
    std::string_view hint;
};

// Component names are TileButton<Z>; the hint is the tile's own text, which differs from the
// catalogue's name for six elements.
inline constexpr std::array<TileText, 114> Tiles{{
    TileText{1, "TileButton1", "1\r\nH", "Hidrojen"},
    TileText{2, "TileButton2", "2\r\nHe", "Helyum"},
    TileText{3, "TileButton3", "3\r\nLi", "Lityum"},
    TileText{4, "TileButton4", "4\r\nBe", "Berilyum"},
    TileText{5, "TileButton5", "5\r\nB", "Bor"},
    TileText{6, "TileButton6", "6\r\nC", "Karbon"},
    TileText{7, "TileButton7", "7\r\nN", "Azot"},
    TileText{8, "TileButton8", "8\r\nO", "Oksijen"},
    TileText{9, "TileButton9", "9\r\nF", "Flor"},
    TileText{10, "TileButton10", "10\r\nNe", "Neon"},
    TileText{11, "TileButton11", "11\r\nNa", "Sodyum"},
    TileText{12, "TileButton12", "12\r\nMg", "Magnezyum"},
    TileText{13, "TileButton13", "13\r\nAl", "Aliminyum"},
    TileText{14, "TileButton14", "14\r\nSi", "Silisyum"},
    TileText{15, "TileButton15", "15\r\nP", "Fosfor"},
    TileText{16, "TileButton16", "16\r\nS", "Kükürt"},
    TileText{17, "TileButton17", "17\r\nCl", "Klor"},
    TileText{18, "TileButton18", "18\r\nAr", "Argon"},
    TileText{19, "TileButton19", "19\r\nK", "Potasyum"},
    TileText{20, "TileButton20", "20\r\nCa", "Kalsiyum"},
    TileText{21, "TileButton21", "21\r\nSc", "Skandiyum"},
    TileText{22, "TileButton22", "22\r\nTi", "Titanyum"},
    TileText{23, "TileButton23", "23\r\nV", "Vanadyum"},
    TileText{24, "TileButton24", "24\r\nCr", "Krom"},
    TileText{25, "TileButton25", "25\r\nMn", "Mangan"},
    TileText{26, "TileButton26", "26\r\nFe", "Demir"},
    TileText{27, "TileButton27", "27\r\nCo", "Kobalt"},
    TileText{28, "TileButton28", "28\r\nNi", "Nikel"},
    TileText{29, "TileButton29", "29\r\nCu", "Bakır"},
    TileText{30, "TileButton30", "30\r\nZn", "Çinko"},
    TileText{31, "TileButton31", "31\r\nGa", "Galyum"},
    TileText{32, "TileButton32", "32\r\nGe", "Germanyum"},
    TileText{33, "TileButton33", "33\r\nAs", "Arsenik"},
    TileText{34, "TileButton34", "34\r\nSe", "Selenyum"},
    TileText{35, "TileButton35", "35\r\nBr", "Brom"},
    TileText{36, "TileButton36", "36\r\nKr", "Kripton"},
    TileText{37, "TileButton37", "37\r\nRb", "Rubidyum"},
    TileText{38, "TileButton38", "38\r\nSr", "Stronsiyum"},
    TileText{39, "TileButton39", "39\r\nY", "İtriyum"},
    TileText{40, "TileButton40", "40\r\nZr", "Zirkonyum"},
    TileText{41, "TileButton41", "41\r\nNb", "Niyobyum"},
    TileText{42, "TileButton42", "42\r\nMo", "Molibden"},
    TileText{43, "TileButton43", "43\r\nTc", "Teknesyum"},
    TileText{44, "TileButton44", "44\r\nRu", "Rutenyum"},
    TileText{45, "TileButton45", "45\r\nRh", "Rodyum"},
    TileText{46, "TileButton46", "46\r\nPd", "Palladyum"},
    TileText{47, "TileButton47", "47\r\nAg", "Gümüş"},
    TileText{48, "TileButton48", "48\r\nCd", "Kadmiyum"},
    TileText{49, "TileButton49", "49\r\nIn", "İndiyum"},
    TileText{50, "TileButton50", "50\r\nSn", "Kalay"},
    TileText{51, "TileButton51", "51\r\nSb", "Antimon"},
    TileText{52, "TileButton52", "52\r\nTe", "Tellür"},
    TileText{53, "TileButton53", "53\r\nI", "İyot"},
    TileText{54, "TileButton54", "54\r\nXe", "Xenon"},
    TileText{55, "TileButton55", "55\r\nCs", "Sezyum"},
    TileText{56, "TileButton56", "56\r\nBa", "Baryum"},
    TileText{57, "TileButton57", "57\r\nLa", "Lantan"},
    TileText{58, "TileButton58", "58\r\nCe", "Seryum"},
    TileText{59, "TileButton59", "59\r\nPr", "Praseodiyum"},
    TileText{60, "TileButton60", "60\r\nNd", "Neodinyum"},
    TileText{61, "TileButton61", "61\r\nPm", "Prometyum"},
    TileText{62, "TileButton62", "62\r\nSm", "Samaryum"},
    TileText{63, "TileButton63", "63\r\nEu", "Europyum"},
    TileText{64, "TileButton64", "64\r\nGd", "Gadolinyum"},
    TileText{65, "TileButton65", "65\r\nTb", "Terbiyum"},
    TileText{66, "TileButton66", "66\r\nDy", "Disprosyum"},
    TileText{67, "TileButton67", "67\r\nHo", "Holmiyum"},
    TileText{68, "TileButton68", "68\r\nEr", "Erbiyum"},
    TileText{69, "TileButton69", "69\r\nTm", "Tulyum"},
    TileText{70, "TileButton70", "70\r\nYb", "Yiterbiyum"},
    TileText{71, "TileButton71", "71\r\nLu", "Lutesyum"},
    TileText{72, "TileButton72", "72\r\nHf", "Hafniyum"},
    TileText{73, "TileButton73", "73\r\nTa", "Tantal"},
    TileText{74, "TileButton74", "74\r\nW", "Tungsten"},
    TileText{75, "TileButton75", "75\r\nRe", "Renyum"},
    TileText{76, "TileButton76", "76\r\nOs", "Osmiyum"},
    TileText{77, "TileButton77", "77\r\nIr", "İridyum"},
    TileText{78, "TileButton78", "78\r\nPt", "Platin"},
    TileText{79, "TileButton79", "79\r\nAu", "Altın"},
    TileText{80, "TileButton80", "80\r\nHg", "Civa"},
    TileText{81, "TileButton81", "81\r\nTl", "Talyum"},
    TileText{82, "TileButton82", "82\r\nPb", "Kurşun"},
    TileText{83, "TileButton83", "83\r\nBi", "Bizmut"},
    TileText{84, "TileButton84", "84\r\nPo", "Polonyum"},
    TileText{85, "TileButton85", "85\r\nAt", "Astanin"},
    TileText{86, "TileButton86", "86\r\nRn", "Radon"},
    TileText{87, "TileButton87", "87\r\nFr", "Fransium"},
    TileText{88, "TileButton88", "88\r\nRa", "Radyum"},
    TileText{89, "TileButton89", "89\r\nAc", "Aktinium"},
    TileText{90, "TileButton90", "90\r\nTh", "Toryum"},
    TileText{91, "TileButton91", "91\r\nPa", "Protoaktinyum"},
    TileText{92, "TileButton92", "92\r\nU", "Uranyum"},
    TileText{93, "TileButton93", "93\r\nNp", "Neptünyum"},
    TileText{94, "TileButton94", "94\r\nPu", "Plütonyum"},
    TileText{95, "TileButton95", "95\r\nAm", "Amerikiyum"},
    TileText{96, "TileButton96", "96\r\nCm", "Küriyum"},
    TileText{97, "TileButton97", "97\r\nBk", "Berkelyum"},
    TileText{98, "TileButton98", "98\r\nCf", "Kaliforniyum"},
    TileText{99, "TileButton99", "99\r\nEs", "Einsteinyum"},
    TileText{100, "TileButton100", "100\r\nFm", "Fermiyum"},
    TileText{101, "TileButton101", "101\r\nMd", "Mendeleviyum"},
    TileText{102, "TileButton102", "102\r\nNo", "Nobelyum"},
    TileText{103, "TileButton103", "103\r\nLr", "Lawrensiyum"},
    TileText{104, "TileButton104", "104\r\nRf", "Rutherfordiyum"},
    TileText{105, "TileButton105", "105\r\nDb", "Dubniyum"},
    TileText{106, "TileButton106", "106\r\nSg", "Seaborgiyum"},
    TileText{107, "TileButton107", "107\r\nBh", "Bohriyum"},
    TileText{108, "TileButton108", "108\r\nHs", "Hassiyum"},
    TileText{109, "TileButton109", "109\r\nMt", "Meitneriyum"},
    TileText{110, "TileButton110", "110\r\nUun", "Ununnilyum"},
    TileText{111, "TileButton111", "111\r\nUuu", "Unununyum"},
    TileText{112, "TileButton112", "112\r\nUub", "Ununbiyum"},
    TileText{113, "TileButton113", "113\r\nUut", "Ununtriyum"},
    TileText{114, "TileButton114", "114\r\nUuq", "Ununquadiyum"},
}};

struct Band {
    std::string_view name;
    Rect rect;
    tk::TColor color;
};

inline constexpr std::array<Band, 22> Bands{{
    {"Shape1", {61, 75, 39, 39}, GasColor},
    {"Shape20", {724, 75, 39, 234}, GasColor},
    {"Shape18", {607, 114, 117, 39}, GasColor},
    {"Shape19", {685, 153, 39, 39}, GasColor},
    {"Shape5", {61, 114, 78, 234}, SolidColor},
    {"Shape17", {529, 114, 78, 39}, SolidColor},
    {"Shape16", {529, 153, 156, 39}, SolidColor},
    {"Shape6", {139, 192, 78, 156}, SolidColor},
    {"Shape7", {217, 192, 78, 117}, SolidColor},
    {"Shape14", {295, 192, 390, 39}, SolidColor},
    {"Shape15", {685, 192, 39, 39}, LiquidColor},
    {"Shape11", {295, 231, 39, 39}, SyntheticColor},
    {"Shape13", {334, 231, 390, 39}, SolidColor},
    {"Shape9", {295, 270, 195, 39}, SolidColor},
    {"Shape10", {490, 270, 39, 39}, LiquidColor},
    {"Shape12", {529, 270, 195, 39}, SolidColor},
    {"Shape8", {217, 309, 390, 39}, SyntheticColor},
    {"Shape2", {217, 369, 117, 39}, SolidColor},
    {"Shape21", {334, 369, 39, 39}, SyntheticColor},
    {"Shape22", {373, 369, 390, 39}, SolidColor},
    {"Shape3", {217, 408, 195, 39}, SolidColor},
    {"Shape4", {412, 408, 351, 39}, SyntheticColor},
}};

inline constexpr tk::TColor AHeadingColor{10736081}; // 0xA3D1D1, pale khaki
inline constexpr tk::TColor BHeadingColor{10929663}; // 0xA6C5FF, peach
inline constexpr tk::TColor PeriodLabelColor{16764573}; // 0xFFCE9D, light sky blue
inline constexpr tk::TColor TitleColor{16764573};

struct Heading {
    std::string_view name;
    std::string_view caption;
    std::string_view hint; // empty for the B groups
};

// One per column, in column order.
inline constexpr std::array<Heading, 18> Headings{{
    {"StaticText3", "1A", "Alkali metaller"},
    {"StaticText15", "2A", "Toprak alkali metaller"},
    {"StaticText16", "3B", ""},
    {"StaticText17", "4B", ""},
    {"StaticText14", "5B", ""},
    {"StaticText13", "6B", ""},
    {"StaticText19", "7B", ""},
    {"StaticText20", "8B", ""},
    {"StaticText18", "8B", ""},
    {"StaticText4", "8B", ""},
    {"StaticText5", "1B", ""},
    {"StaticText6", "2B", ""},
    {"StaticText7", "3A", "Toprak metalleri"},
    {"StaticText8", "4A", "Karbon grubu"},
    {"StaticText9", "5A", "Azot grubu"},
    {"StaticText10", "6A", "Oksijen grubu"},
    {"StaticText11", "7A", "Halojenler"},
    {"StaticText12", "8A", "Soygazlar(Asal gazlar)"},
}};

struct PeriodLabel {
    std::string_view name;
    std::string_view caption;
    int top;
    std::string_view hint;
};

inline constexpr std::array<PeriodLabel, 7> PeriodLabels{{
    {"StaticText21", "1.Periyot ", 86, "1.Periyot"},
    {"StaticText23", "2.Periyot ", 125, "2.Periyot"},
    {"StaticText24", "3.Periyot ", 163, "3.Periyot"},
    {"StaticText25", "4.Periyot ", 202, "4.Periyot"},
    {"StaticText26", "5.Periyot ", 241, "5.Periyot"},
    {"StaticText27", "6.Periyot ", 279, "6.Periyot"},
    {"StaticText28", "7.Periyot ", 318, "7.Periyot"},
}};

struct StatusPanel {
    int width;
    std::string_view text;
};

// The last panel's stated width has no effect: it always reaches the bar's right edge.
inline constexpr std::array<StatusPanel, 2> StatusBar1Panels{{{75, " KORVANTA"}, {50, ""}}};

namespace detail {

using layout::ClassicFace;
using layout::DefaultFont;
inline constexpr layout::Font TileFont{ClassicFace, 11, tk::FontStyle::Bold};
inline constexpr layout::Font HeadingFont{ClassicFace, 13, tk::FontStyle::Bold};
inline constexpr layout::Font SmallBoldFont{ClassicFace, 11, tk::FontStyle::Bold};
inline constexpr layout::Font TitleFont{ClassicFace, 16, tk::FontStyle::Bold};

// Every text is centred in its box: the boxes were measured for the classic face, and a stand-in
// face, a little wider or narrower, then leaves the same margin on either side.
inline constexpr tk::TAlignment TextAlignment = tk::TAlignment::taCenter;

constexpr Component band(const Band &b)
{
    return {.name = b.name, .kind = Kind::Shape, .rect = b.rect, .color = b.color};
}

constexpr Component rule(std::string_view name, int left, int top, int width)
{
    return {.name = name, .kind = Kind::Bevel, .rect = {left, top, width, 2}};
}

constexpr Component tile(const TileText &t)
{
    return {.name = t.name, .kind = Kind::TileButton, .rect = tileRect(t.z), .caption = t.caption,
            .color = tk::clBtnFace, .fontColor = classColor(t.z), .font = TileFont, .hint = t.hint,
            .cursor = tk::TCursor::HandPoint, .tag = t.z};
}

constexpr Component heading(const Heading &h, int column)
{
    const bool aGroup = !h.hint.empty();
    return {.name = h.name, .kind = Kind::StaticText, .rect = {columnLeft(column), 42, CellSize, 30},
            .caption = h.caption, .color = aGroup ? AHeadingColor : BHeadingColor,
            .fontColor = tk::clWindowText, .font = HeadingFont, .hint = h.hint, .cursor = tk::TCursor::HandPoint,
            .alignment = TextAlignment, .bevel = tk::TBevelCut::bvLowered};
}

constexpr Component periodLabel(const PeriodLabel &p)
{
    return {.name = p.name, .kind = Kind::StaticText, .rect = {3, p.top, 55, 20}, .caption = p.caption,
            .color = PeriodLabelColor, .fontColor = tk::clWindowText, .font = SmallBoldFont, .hint = p.hint,
            .cursor = tk::TCursor::HandPoint, .alignment = TextAlignment, .bevel = tk::TBevelCut::bvLowered};
}

constexpr Component text(std::string_view name, std::string_view caption, Rect rect, tk::TColor color)
{
    return {.name = name, .kind = Kind::StaticText, .rect = rect, .caption = caption, .color = WindowColor,
            .fontColor = color, .font = HeadingFont, .alignment = TextAlignment};
}

constexpr Component statePanel(std::string_view name, int left, std::string_view caption, tk::TColor color,
                               std::string_view hint)
{
    return {.name = name, .kind = Kind::Panel, .rect = {left, 118, 60, 25}, .caption = caption, .color = color,
            .fontColor = tk::clWhite, .font = SmallBoldFont, .hint = hint, .cursor = tk::TCursor::HandPoint,
            .bevel = tk::TBevelCut::bvRaised};
}

inline constexpr std::size_t ComponentCount = Bands.size() + 1 + Tiles.size() + 3 + Headings.size()
                                              + PeriodLabels.size() + 6 + 4 + 1 + 1 + 2;

constexpr std::array<Component, ComponentCount> build()
{
    std::array<Component, ComponentCount> all{};
    std::size_t i = 0;
    for (const Band &b : Bands)
        all[i++] = band(b);
    all[i++] = rule("Bevel1", 64, 357, 697);
    for (const TileText &t : Tiles)
        all[i++] = tile(t);
    all[i++] = rule("Bevel4", 119, 377, 95);
    all[i++] = rule("Bevel2", 119, 410, 95);
    all[i++] = rule("Bevel3", 119, 444, 95);
    for (std::size_t c = 0; c < Headings.size(); ++c)
        all[i++] = heading(Headings[c], int(c));
    for (const PeriodLabel &p : PeriodLabels)
        all[i++] = periodLabel(p);
    all[i++] = text("StaticText22", "Metal", {239, 88, 43, 20}, tk::clBlue);
    all[i++] = text("StaticText29", "Ametal", {290, 88, 53, 20}, tk::clAqua);
    all[i++] = text("StaticText30", "Soygaz", {350, 88, 57, 20}, tk::clRed);
    all[i++] = text("StaticText31", "Yarımetal", {413, 88, 71, 20}, tk::clGreen);
    all[i++] = text("StaticText1", "Lantanitler", {124, 385, 77, 20}, tk::clBlack);
    all[i++] = text("StaticText2", "Aktinitler", {136, 419, 65, 20}, tk::clBlack);
    all[i++] = statePanel("Panel6", 237, "KATI", SolidColor, "Katı");
    all[i++] = statePanel("Panel3", 296, "SIVI", LiquidColor, "Sıvı");
    all[i++] = statePanel("Panel2", 356, "GAZ", GasColor, "Gaz");
    all[i++] = statePanel("Panel31", 416, "YAPAY", SyntheticColor, "Yapay");
    all[i++] = {.name = "Panel1", .kind = Kind::Panel, .rect = {0, 0, 769, 30},
                .caption = "KORVANTA Tamelis - Periyodik Cetvel", .color = TitleColor, .fontColor = tk::clNavy,
                .font = TitleFont, .bevel = tk::TBevelCut::bvRaised};
    all[i++] = {.name = "StatusBar1", .kind = Kind::StatusBar, .rect = {0, 460, 769, 19}, .color = tk::clBtnFace,
                .fontColor = tk::clWindowText, .font = DefaultFont};
    all[i++] = {.name = "RoundedButton1", .kind = Kind::RoundedButton, .rect = {4, 40, 55, 33}, .caption = "Kapat",
                .color = TitleColor, .fontColor = tk::clNavy, .font = SmallBoldFont, .hint = "Kapat (Esc)",
                .cursor = tk::TCursor::HandPoint};
    all[i++] = {.name = "GIFAnimator1", .kind = Kind::GIFAnimator, .rect = {3, 367, 93, 80},
                .hint = "Periyodik Cetvel hakkında", .cursor = tk::TCursor::HandPoint};
    return all;
}

} // namespace detail

// Every component, bottom of the stack first.
inline constexpr std::array<Component, detail::ComponentCount> Components = detail::build();

// What a row stands for in the table, beyond the kind of control it makes.
constexpr bool isBoxedText(const Component &c)
{
    return c.kind == Kind::StaticText && c.bevel == tk::TBevelCut::bvLowered;
}
constexpr bool isPeriodLabel(const Component &c)
{
    for (const PeriodLabel &p : PeriodLabels)
        if (p.name == c.name)
            return true;
    return false;
}
constexpr bool isHeading(const Component &c) { return isBoxedText(c) && !isPeriodLabel(c); }
constexpr bool isLegendText(const Component &c) { return c.kind == Kind::StaticText && !isBoxedText(c); }
constexpr bool isStatePanel(const Component &c) { return c.kind == Kind::Panel && c.name != "Panel1"; }

template <typename Predicate>
constexpr std::size_t countOf(Predicate wanted)
{
    std::size_t n = 0;
    for (const Component &c : Components)
        n += wanted(c) ? 1 : 0;
    return n;
}

namespace detail {

constexpr bool tagsAreAtomicNumbers()
{
    std::array<int, 115> seen{};
    for (const Component &c : Components) {
        if (c.kind != Kind::TileButton)
            continue;
        if (c.tag < 1 || c.tag > 114 || seen[std::size_t(c.tag)]++ != 0)
            return false;
    }
    return true;
}

// The caption's first line is the tag in decimal.
constexpr bool captionsStartWithTag()
{
    for (const Component &c : Components) {
        if (c.kind != Kind::TileButton)
            continue;
        int value = 0;
        std::size_t i = 0;
        while (i < c.caption.size() && c.caption[i] >= '0' && c.caption[i] <= '9')
            value = value * 10 + (c.caption[i++] - '0');
        if (value != c.tag || c.caption.substr(i, 2) != "\r\n" || c.caption.size() <= i + 2)
            return false;
    }
    return true;
}

constexpr bool cellsDistinctAndOnGrid()
{
    for (int a = 1; a <= 114; ++a) {
        const Cell ca = cellOf(a);
        if (ca.column < 0 || ca.column > 17)
            return false;
        for (int b = a + 1; b <= 114; ++b)
            if (cellOf(b) == ca)
                return false;
    }
    return true;
}

// Every band is a union of whole cells, holds a tile in each of its cells, and carries the
// state colour of each tile on it; every tile lies on exactly one band.
constexpr bool bandsMatchStates()
{
    for (const Band &b : Bands) {
        if ((b.rect.left - GridLeft) % CellSize != 0 || b.rect.width % CellSize != 0
            || b.rect.height % CellSize != 0)
            return false;
        int tiles = 0;
        for (int z = 1; z <= 114; ++z) {
            if (b.rect.contains(cellRect(z))) {
                if (stateColor(z) != b.color)
                    return false;
                ++tiles;
            }
        }
        if (tiles * CellSize * CellSize != b.rect.width * b.rect.height)
            return false;
    }
    for (int z = 1; z <= 114; ++z) {
        int on = 0;
        for (const Band &b : Bands) {
            if (b.rect.contains(cellRect(z)))
                ++on;
            else if (b.rect.intersects(cellRect(z)))
                return false;
        }
        if (on != 1)
            return false;
    }
    return true;
}

// The state panels "KATI" (237 + 60) and "SIVI" (296) share one pixel column; "SIVI", later in
// the stack, covers it.
constexpr bool sharedColumn(const Component &a, const Component &b)
{
    return a.name == "Panel6" && b.name == "Panel3" && a.rect.right() - b.rect.left == 1;
}

// Nothing overlaps anything else, except tiles lying on their bands and the column above;
// everything is inside the client area.
constexpr bool noOverlaps()
{
    for (std::size_t i = 0; i < Components.size(); ++i) {
        const Component &a = Components[i];
        if (!ClientRect.contains(a.rect))
            return false;
        for (std::size_t j = i + 1; j < Components.size(); ++j) {
            const Component &b = Components[j];
            const bool tileOnBand = (a.kind == Kind::Shape && b.kind == Kind::TileButton)
                                    || (a.kind == Kind::TileButton && b.kind == Kind::Shape);
            if (!tileOnBand && !sharedColumn(a, b) && a.rect.intersects(b.rect))
                return false;
        }
    }
    return true;
}

} // namespace detail

static_assert(layout::countOf(Components, Kind::TileButton) == 114);
static_assert(layout::countOf(Components, Kind::Shape) == 22);
static_assert(countOf(isHeading) == 18);
static_assert(countOf(isPeriodLabel) == 7);
static_assert(layout::countOf(Components, Kind::Bevel) == 4);
static_assert(countOf(isStatePanel) == 4);
static_assert(layout::namesUnique(Components));
static_assert(detail::tagsAreAtomicNumbers());
static_assert(detail::captionsStartWithTag());
static_assert(detail::cellsDistinctAndOnGrid());
static_assert(detail::bandsMatchStates());
static_assert(detail::noOverlaps());
static_assert(tileRect(26) == Rect{336, 194, 35, 35});
static_assert(tileRect(72) == Rect{180, 272, 35, 35});
static_assert(tileRect(58) == Rect{219, 371, 35, 35});
static_assert(tileRect(103) == Rect{726, 410, 35, 35});
static_assert(tileRect(114) == Rect{570, 311, 35, 35});

} // namespace cetvelflayout

#pragma once

#include <QColor>
#include <QPalette>
#include <cstdint>

namespace tk {

// A colour as the layouts store it: 0x00BBGGRR (red in the low byte), or a system colour
// (0x80000000 | index) resolved from the application palette when drawn, or clNone.
class TColor {
public:
    constexpr TColor() = default;
    constexpr explicit TColor(std::uint32_t value) : m_value(value) {}

    static constexpr TColor fromRgb(int r, int g, int b)
    {
        return TColor(std::uint32_t(r & 0xFF) | std::uint32_t(g & 0xFF) << 8 | std::uint32_t(b & 0xFF) << 16);
    }

    constexpr std::uint32_t value() const { return m_value; }
    constexpr bool isSystem() const { return (m_value & 0xFF000000u) == 0x80000000u; }
    constexpr bool isNone() const { return m_value == 0x1FFFFFFFu; }
    constexpr int red() const { return int(m_value & 0xFF); }
    constexpr int green() const { return int(m_value >> 8 & 0xFF); }
    constexpr int blue() const { return int(m_value >> 16 & 0xFF); }

    // Plain colours convert at compile time; system colours need the palette (toQColor).
    constexpr QRgb rgb() const { return 0xFF000000u | QRgb(red()) << 16 | QRgb(green()) << 8 | QRgb(blue()); }
    QColor toQColor() const;

    friend constexpr bool operator==(TColor, TColor) = default;

private:
    std::uint32_t m_value = 0;
};

inline constexpr TColor clBlack{0x000000};
inline constexpr TColor clMaroon{0x000080};
inline constexpr TColor clGreen{0x008000};
inline constexpr TColor clOlive{0x008080};
inline constexpr TColor clNavy{0x800000};
inline constexpr TColor clPurple{0x800080};
inline constexpr TColor clTeal{0x808000};
inline constexpr TColor clGray{0x808080};
inline constexpr TColor clSilver{0xC0C0C0};
inline constexpr TColor clRed{0x0000FF};
inline constexpr TColor clLime{0x00FF00};
inline constexpr TColor clYellow{0x00FFFF};
inline constexpr TColor clBlue{0xFF0000};
inline constexpr TColor clFuchsia{0xFF00FF};
inline constexpr TColor clAqua{0xFFFF00};
inline constexpr TColor clWhite{0xFFFFFF};

inline constexpr TColor clWindowFrame{0x80000006};
inline constexpr TColor clWindowText{0x80000008};
inline constexpr TColor clBtnFace{0x8000000F};
inline constexpr TColor clBtnShadow{0x80000010};
inline constexpr TColor clGrayText{0x80000011};
inline constexpr TColor clBtnText{0x80000012};
inline constexpr TColor clBtnHighlight{0x80000014};
inline constexpr TColor cl3DDkShadow{0x80000015};
inline constexpr TColor cl3DLight{0x80000016};
inline constexpr TColor clInfoBk{0x80000018};
inline constexpr TColor clWindow{0x80000005};
inline constexpr TColor clHighlight{0x8000000D};
inline constexpr TColor clHighlightText{0x8000000E};

inline constexpr TColor clNone{0x1FFFFFFF};

// The classic desktop palette the program's looks were drawn for (button face 212/208/200,
// white highlight, grey shadow, black frame). The application installs it at start-up so that
// the system colours resolve the same on every desktop and in the tests.
QPalette classicPalette();

} // namespace tk

#pragma once

#include "toolkit/tcolor.h"

#include <array>
#include <cstdint>

// A GIF colour table: the entry count (0 when the file had none) and 256 RGB entries, unused ones zero.
struct TGIFColorTable {
    std::uint32_t Count = 0;
    std::array<std::array<std::uint8_t, 3>, 256> Entries{};

    tk::TColor color(int index) const
    {
        const auto &e = Entries[std::size_t(index & 0xFF)];
        return tk::TColor::fromRgb(e[0], e[1], e[2]);
    }
    void clear() { *this = TGIFColorTable{}; }

    // The number of bits that addresses a table of this size (1 to 8), 0 for no table.
    static int bitsFor(std::uint32_t count)
    {
        int bits = 0;
        while (bits < 8 && (1u << bits) < count)
            ++bits;
        return count == 0 ? 0 : (bits == 0 ? 1 : bits);
    }
};

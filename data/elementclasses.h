#pragma once

#include <array>

// The chemistry the periodic table shows beside each element's texts: its class (shown as the
// tile's caption colour) and its state of matter at room temperature (shown as the colour of the
// band behind the tile), for atomic numbers 1 to 114.

enum class ElementClass { Metal, NonMetal, Metalloid, NobleGas };

enum class StateOfMatter { Solid, Liquid, Gas, Synthetic };

constexpr ElementClass elementClass(int z)
{
    constexpr std::array nonMetals{1, 6, 7, 8, 9, 15, 16, 17, 34, 35, 53};
    constexpr std::array metalloids{5, 14, 32, 33, 51, 52, 84, 85};
    constexpr std::array nobleGases{2, 10, 18, 36, 54, 86};
    for (int e : nonMetals) if (e == z) return ElementClass::NonMetal;
    for (int e : metalloids) if (e == z) return ElementClass::Metalloid;
    for (int e : nobleGases) if (e == z) return ElementClass::NobleGas;
    return ElementClass::Metal;
}

// Synthetic: made, not found in nature, whatever its state.
constexpr StateOfMatter stateOfMatter(int z)
{
    constexpr std::array liquids{35, 80};
    constexpr std::array gases{1, 2, 7, 8, 9, 10, 17, 18, 36, 54, 86};
    for (int e : liquids) if (e == z) return StateOfMatter::Liquid;
    for (int e : gases) if (e == z) return StateOfMatter::Gas;
    if (z == 43 || z == 61 || (z >= 95 && z <= 103) || z >= 105)
        return StateOfMatter::Synthetic;
    return StateOfMatter::Solid;
}

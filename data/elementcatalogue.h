#pragma once

#include <array>
#include <cstddef>
#include <string_view>

// One element's display texts (UTF-8), in the order the details dialog reads them.
struct ElementRecord {
    std::string_view Name;
    std::string_view Symbol;
    std::string_view AtomicMass;
    std::string_view MeltingPoint;
    std::string_view BoilingPoint;
    std::string_view ProtonElectronCount;
    std::string_view NeutronCount;
    std::string_view Category;
    std::string_view CrystalStructure;
    std::string_view Density;
    std::string_view ElectronConfiguration;
    std::string_view DiscoveryDate;
    std::string_view Discoverer;
    std::string_view Uses;
    std::string_view HowObtained;
    std::string_view Reserved; // field 16: empty in every row, read by nothing

    static constexpr int FieldCount = 16;

    // Field by position, 1 to 16.
    constexpr std::string_view field(int position) const
    {
        const std::string_view ElementRecord::*const members[FieldCount] = {
            &ElementRecord::Name, &ElementRecord::Symbol, &ElementRecord::AtomicMass,
            &ElementRecord::MeltingPoint, &ElementRecord::BoilingPoint, &ElementRecord::ProtonElectronCount,
            &ElementRecord::NeutronCount, &ElementRecord::Category, &ElementRecord::CrystalStructure,
            &ElementRecord::Density, &ElementRecord::ElectronConfiguration, &ElementRecord::DiscoveryDate,
            &ElementRecord::Discoverer, &ElementRecord::Uses, &ElementRecord::HowObtained, &ElementRecord::Reserved};
        return this->*members[position - 1];
    }
};

// The 114 rows, indexed by atomic number 1 to 114; a constant of the program, never written.
class ElementCatalogueTable {
public:
    static constexpr int First = 1;
    static constexpr int Last = 114;

    // Row Z for 1 <= Z <= 114; any other Z yields an empty row.
    const ElementRecord &operator[](int z) const;
    constexpr int size() const { return Last; }
};

inline constexpr ElementCatalogueTable ElementCatalogue{};

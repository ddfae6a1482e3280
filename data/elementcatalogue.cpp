#include "data/elementcatalogue.h"

namespace {

// Filled in by the catalogue change.
constexpr std::array<ElementRecord, 114> Rows{};
constexpr ElementRecord EmptyRow{};

} // namespace

const ElementRecord &ElementCatalogueTable::operator[](int z) const
{
    if (z < First || z > Last)
        return EmptyRow;
    return Rows[std::size_t(z - 1)];
}

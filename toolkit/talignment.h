#pragma once

namespace tk {

// Horizontal placement of a control's text.
enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

// The cut of a bevel: none, sunk into the surface, standing out of it, or blank space of its width.
enum class TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

} // namespace tk

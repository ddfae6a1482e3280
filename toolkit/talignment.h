#pragma once

namespace tk {

// Horizontal placement of a control's text.
enum class TAlignment { LeftJustify, RightJustify, Center };

// The cut of a bevel: none, sunk into the surface, standing out of it, or blank space of its width.
enum class TBevelCut { None, Lowered, Raised, Space };

} // namespace tk

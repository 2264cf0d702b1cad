// Horizontal alignment of a text, shared by fields (how a grid column
// aligns a field's text) and controls (labels, panels, grid columns).
#pragma once

namespace zor::plat {

enum TAlignment { taLeftJustify, taRightJustify, taCenter };

}  // namespace zor::plat

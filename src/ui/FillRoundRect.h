// The outline of the filled rounded rectangle every control face uses.
#pragma once
#include "ui/UiGeometry.h"

namespace ui {

// Closed rounded rectangle over (x, y, w, h) with corner radius r. Width and height are
// reduced by 1 so the shape stays inside the pixels of the rectangle. An empty path for a
// rectangle without area; a radius of 0 or less gives square corners.
Path RoundRectPath(int x, int y, int w, int h, int r);

}  // namespace ui

// The outlines of the rounded faces the controls fill.
#pragma once
#include "ui/UiGeometry.h"

namespace ui {

// Closed rounded rectangle over (x, y, w, h) with corner radius r. Width and height are
// reduced by 1 so the shape stays inside the pixels of the rectangle. An empty path for a
// rectangle without area; a radius of 0 or less gives square corners.
Path RoundRectPath(int x, int y, int w, int h, int r);

// Closed outline over (x, y, w, h), taken as given, with square left corners and right
// corners rounded by arcs of diameter d; the face that closes a field on its right. An
// empty path for a rectangle without area.
Path RightRoundedPath(int x, int y, int w, int h, int d);

}  // namespace ui

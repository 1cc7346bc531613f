// Shape and text box of the Browse button that closes a path field on its right.
#pragma once
#include "ui/UiGeometry.h"

namespace ui {

// Square left corners, rounded right corners (6-pixel arcs); empty when the rectangle,
// reduced by 1 in each direction, has no area.
Path BrowseFacePath(int x, int y, int w, int h);

// The text box: the rectangle shrunk by 4, one pixel lower while pressed.
Rect BrowseTextBox(const Rect& rect, bool pressed);

}  // namespace ui

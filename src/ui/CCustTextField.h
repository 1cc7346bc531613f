// The path field's layout, its face outline and when its clear button comes and goes.
#pragma once
#include <string>

#include "ui/UiGeometry.h"

namespace ui {

// Clear button: a square of side (height - 4) at the field's right edge, 2 pixels down.
Rect ClearButtonRect(int width, int height);

// Text box: the client shrunk by 8 at left and right and 4 at top and bottom; for the
// field's own text (not the placeholder) with the clear button present, its right edge is
// 4 pixels left of the button.
Rect TextFieldTextBox(int width, int height, bool forWindowText, bool clearButtonExists);

// Face: rounded left corners, square right corners (a Browse button completes it).
Path TextFieldFacePath(int x, int y, int w, int h);

// What SetText does with the clear button and the parent.
struct TextFieldChange {
  bool changed = false;        // window text set, repaint, parent told
  bool createButton = false;
  bool destroyButton = false;
};
TextFieldChange DecideTextChange(const std::wstring& oldText, const std::wstring& newText, bool buttonExists);

}  // namespace ui

// Task list item look: highlight colour, icon and text placement.
#pragma once
#include "ui/UiGeometry.h"

namespace ui {

// Theme colour of the rounded highlight: 3 selected and hot, 22 only hot, 2 only selected,
// -1 for none.
int TaskHighlightIndex(bool selected, bool hot);

struct TaskItemLayout {
  Rect iconBox;
  Rect textBox;
};
TaskItemLayout LayOutTaskItem(const Rect& item, int iconSizeDesign, int dpi);

}  // namespace ui

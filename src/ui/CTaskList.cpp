// Task list item geometry.
#include "ui/CTaskList.h"

namespace ui {

int TaskHighlightIndex(bool selected, bool hot) {
  if (selected && hot) return 3;
  if (hot) return 22;
  if (selected) return 2;
  return -1;
}

TaskItemLayout LayOutTaskItem(const Rect& item, int iconSizeDesign, int dpi) {
  TaskItemLayout out;
  int side = ScaleDpi(iconSizeDesign, dpi);
  int left = item.left + 8;
  int top = item.top + (item.Height() - side) / 2;
  out.iconBox = {left, top, left + side, top + side};
  Rect text = item;
  text.left += ScaleDpi(12, dpi) + side;
  out.textBox = text.Shrunk(2, 2);
  return out;
}

}  // namespace ui

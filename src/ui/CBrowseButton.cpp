// Browse button face: the right half of a rounded field.
#include "ui/CBrowseButton.h"

namespace ui {

Path BrowseFacePath(int x, int y, int w, int h) {
  Path path;
  w -= 1;
  h -= 1;
  if (w <= 0 || h <= 0) return path;
  path.closed = true;
  path.steps = {
      PathStep::Line(x, y + h, x, y),
      PathStep::Line(x + 3, y, x + w - 6, y),
      PathStep::Arc(x + w - 6, y, 6, 6, 270, 90),
      PathStep::Line(x + w, y + 3, x + w, y + h),
      PathStep::Arc(x + w - 6, y + h - 6, 6, 6, 0, 90),
  };
  return path;
}

Rect BrowseTextBox(const Rect& rect, bool pressed) { return rect.Shrunk(4, 4).Moved(0, pressed ? 1 : 0); }

}  // namespace ui

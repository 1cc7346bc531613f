// Browse button face: the right half of a rounded field.
#include "ui/CBrowseButton.h"

#include "ui/FillRoundRect.h"

namespace ui {

Path BrowseFacePath(int x, int y, int w, int h) { return RightRoundedPath(x, y, w - 1, h - 1, 6); }

Rect BrowseTextBox(const Rect& rect, bool pressed) { return rect.Shrunk(4, 4).Moved(0, pressed ? 1 : 0); }

}  // namespace ui

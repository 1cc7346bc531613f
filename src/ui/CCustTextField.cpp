// Path field geometry and clear-button rule.
#include "ui/CCustTextField.h"

namespace ui {

Rect ClearButtonRect(int width, int height) {
  int side = height - 4;
  return {width - side, 2, width, 2 + side};
}

Rect TextFieldTextBox(int width, int height, bool forWindowText, bool clearButtonExists) {
  Rect box{8, 4, width - 8, height - 4};
  if (forWindowText && clearButtonExists) box.right = ClearButtonRect(width, height).left - 4;
  return box;
}

Path TextFieldFacePath(int x, int y, int w, int h) {
  Path path;
  h -= 1;
  if (w <= 0 || h <= 0) return path;
  path.closed = true;
  path.steps = {
      PathStep::Line(x + 3, y, x + w, y),
      PathStep::Line(x + w, y + 3, x + w, y + h),
      PathStep::Line(x + w, y + h, x + 3, y + h),
      PathStep::Arc(x, y + h - 6, 6, 6, 90, 90),
      PathStep::Line(x, y + h - 6, x, y + 3),
      PathStep::Arc(x, y, 6, 6, 180, 90),
  };
  return path;
}

TextFieldChange DecideTextChange(const std::wstring& oldText, const std::wstring& newText, bool buttonExists) {
  TextFieldChange change;
  if (oldText == newText) return change;
  change.changed = true;
  change.createButton = !newText.empty() && !buttonExists;
  change.destroyButton = newText.empty() && buttonExists;
  return change;
}

}  // namespace ui

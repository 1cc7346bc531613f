// Where the check box draws its box picture and its label.
#pragma once
#include "ui/UiGeometry.h"

namespace ui {

struct CheckBoxLayout {
  Rect box;      // the checked or unchecked picture, at (2, 2)
  Rect textBox;  // label, top-left aligned
};

CheckBoxLayout LayOutCheckBox(const Rect& client, int boxSizeDesign, int dpi);

}  // namespace ui

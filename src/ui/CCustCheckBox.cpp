// Check box layout: a DPI-scaled box at (2, 2) and the label to its right.
#include "ui/CCustCheckBox.h"

namespace ui {

CheckBoxLayout LayOutCheckBox(const Rect& client, int boxSizeDesign, int dpi) {
  CheckBoxLayout out;
  int side = ScaleDpi(boxSizeDesign, dpi);
  out.box = {2, 2, 2 + side, 2 + side};
  Rect text = client;
  text.left += ScaleDpi(6, dpi) + side;
  out.textBox = text.Shrunk(2, 2);
  return out;
}

}  // namespace ui

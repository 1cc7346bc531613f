// The picture combo box's face layout, arrow box and item content placement.
#pragma once
#include "ui/UiGeometry.h"

namespace ui {

struct ComboFaceLayout {
  Rect arrowBox;
  Rect textArea;
};
ComboFaceLayout LayOutComboFace(const Rect& client);

// Arrow box shape: square left corners, rounded right corners (4-pixel arcs).
Path ComboArrowPath(int x, int y, int w, int h);

// Theme colour index of the arrow box.
int ComboArrowColourIndex(bool enabled, bool listOpen, bool hover);

// The chevron: a square of 8 design pixels centred in the arrow box.
Rect ComboArrowPictureBox(const Rect& arrowBox, int dpi);

struct ComboItemLayout {
  bool drawPicture = false;
  Rect pictureBox;  // where the picture is drawn (already shrunk by 4 on each side)
  Rect textBox;
};
// item: the item rectangle; pictureWidth/Height: 0 when the item has no picture. A picture
// taller than the item is scaled in proportion to the item's height.
ComboItemLayout LayOutComboItem(const Rect& item, int pictureWidth, int pictureHeight);

}  // namespace ui

// Picture combo box geometry.
#include "ui/CCustComboBox.h"

namespace ui {

ComboFaceLayout LayOutComboFace(const Rect& client) {
  ComboFaceLayout out;
  out.arrowBox = {client.right - client.Height() + 1, client.top, client.right - 1, client.bottom - 1};
  out.textArea = {client.left, client.top, out.arrowBox.left + 2, client.bottom};
  return out;
}

Path ComboArrowPath(int x, int y, int w, int h) {
  Path path;
  if (w <= 0 || h <= 0) return path;
  path.closed = true;
  path.steps = {
      PathStep::Line(x, y + h, x, y),
      PathStep::Line(x + 2, y, x + w - 4, y),
      PathStep::Arc(x + w - 4, y, 4, 4, 270, 90),
      PathStep::Line(x + w, y + 2, x + w, y + h),
      PathStep::Arc(x + w - 4, y + h - 4, 4, 4, 0, 90),
  };
  return path;
}

int ComboArrowColourIndex(bool enabled, bool listOpen, bool hover) {
  if (!enabled) return 4;
  return listOpen || hover ? 3 : 2;
}

Rect ComboArrowPictureBox(const Rect& arrowBox, int dpi) {
  int side = ScaleDpi(8, dpi);
  int left = arrowBox.left + (arrowBox.Width() - side) / 2;
  int top = arrowBox.top + (arrowBox.Height() - side) / 2;
  return {left, top, left + side, top + side};
}

ComboItemLayout LayOutComboItem(const Rect& item, int pictureWidth, int pictureHeight) {
  ComboItemLayout out;
  out.textBox = item.Shrunk(4, 4);
  if (pictureWidth <= 0 || pictureHeight <= 0) return out;
  int boxW = pictureWidth;
  int boxH = pictureHeight;
  if (item.Height() < pictureHeight) {
    boxH = item.Height();
    boxW = item.Height() * pictureWidth / pictureHeight;
  }
  int drawW = boxW - 8;
  int drawH = boxH - 8;
  if (drawW <= 0 || drawH <= 0) return out;
  int left = item.left + 4;
  int top = item.top + (item.Height() - drawH) / 2;
  out.drawPicture = true;
  out.pictureBox = {left, top, left + drawW, top + drawH};
  if (out.textBox.left < out.pictureBox.right + 2) out.textBox.left = out.pictureBox.right + 2;
  return out;
}

}  // namespace ui

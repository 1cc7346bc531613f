// Picture combo box geometry.
#include "ui/CCustComboBox.h"

#include "ui/FillRoundRect.h"

namespace ui {

ComboFaceLayout LayOutComboFace(const Rect& client) {
  ComboFaceLayout out;
  out.arrowBox = {client.right - client.Height() + 1, client.top, client.right - 1, client.bottom - 1};
  out.textArea = {client.left, client.top, out.arrowBox.left + 2, client.bottom};
  return out;
}

Path ComboArrowPath(int x, int y, int w, int h) { return RightRoundedPath(x, y, w, h, 4); }

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

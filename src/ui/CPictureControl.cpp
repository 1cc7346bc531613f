// Picture control placement.
#include "ui/CPictureControl.h"

namespace ui {

bool PictureControlBox(int clientWidth, int clientHeight, int offsetX, int offsetY, int pictureWidth,
                       int pictureHeight, int drawWidth, int drawHeight, Rect* box) {
  Rect own{offsetX, offsetY, offsetX + pictureWidth, offsetY + pictureHeight};
  Rect client{0, 0, clientWidth, clientHeight};
  if (!own.Intersects(client)) return false;
  if (drawWidth != 0 || drawHeight != 0) {
    int left = clientWidth / 2 - drawWidth / 2;
    int top = clientHeight / 2 - drawHeight / 2;
    *box = {left, top, left + drawWidth, top + drawHeight};
  } else {
    *box = client;
  }
  return true;
}

}  // namespace ui

// Switch layout.
#include "ui/CSwitch.h"

namespace ui {

Rect SwitchPictureBox(const Rect& client, int pictureWidth, int pictureHeight, int dpi, int divisor) {
  if (divisor < 1) divisor = 1;
  int w = MulDiv(pictureWidth, dpi, 96) / divisor;
  int h = MulDiv(pictureHeight, dpi, 96) / divisor;
  int left = client.left + (client.Width() / 2 - w / 2);
  int top = client.top + (client.Height() / 2 - h / 2);
  return {left, top, left + w, top + h};
}

}  // namespace ui

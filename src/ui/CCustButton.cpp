// Layout of the custom push button: picture-only buttons centre the picture; text buttons
// put an optional picture at the left and the text after it.
#include "ui/CCustButton.h"

namespace ui {

ButtonLayout LayOutButton(const ButtonLayoutInput& in) {
  ButtonLayout out;
  const Rect& r = in.rect;
  const int down = in.pressed ? 1 : 0;
  if (in.imageOnly) {
    out.drawPicture = in.pictureLoaded;
    if (in.pictureWidth != 0 || in.pictureHeight != 0) {
      int left = r.left + (r.Width() / 2 - in.pictureWidth / 2);
      int top = r.top + (r.Height() / 2 - in.pictureHeight / 2);
      out.pictureBox = {left, top, left + in.pictureWidth, top + in.pictureHeight};
    } else {
      out.pictureBox = {0, 0, r.bottom, r.bottom};
    }
    out.pictureBox = out.pictureBox.Moved(0, down);
    return out;
  }
  out.drawFace = true;
  out.textBox = r.Shrunk(4, 4);
  if (in.pictureLoaded) {
    out.drawPicture = true;
    int left = r.left + in.pictureMargin;
    int top = r.top + (r.Height() / 2 - in.pictureHeight / 2) + down;
    out.pictureBox = {left, top, left + in.pictureWidth, top + in.pictureHeight};
    out.textBox.left = r.left + in.pictureMargin + in.pictureWidth + in.pictureMargin;
    out.centreText = false;
  }
  out.textBox = out.textBox.Moved(0, down);
  return out;
}

Colour ButtonFaceColour(bool enabled, bool hover, Colour fill, Colour hoverFill, Colour disabledFill) {
  if (!enabled) return disabledFill;
  return hover ? hoverFill : fill;
}

}  // namespace ui

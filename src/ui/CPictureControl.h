// Where the picture control draws its picture.
#pragma once
#include "ui/UiGeometry.h"

namespace ui {

// The picture's own rectangle (offset, picture size) must meet the client area, else
// nothing is drawn (returns false). With a draw size the picture is centred at that size;
// without one it fills the client area.
bool PictureControlBox(int clientWidth, int clientHeight, int offsetX, int offsetY, int pictureWidth,
                       int pictureHeight, int drawWidth, int drawHeight, Rect* box);

}  // namespace ui

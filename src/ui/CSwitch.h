// Where the on/off switch draws its picture.
#pragma once
#include "ui/UiGeometry.h"

namespace ui {

// The picture is drawn at 1/divisor of its DPI-scaled size (a divisor below 1 counts as 1),
// centred in the client rectangle.
Rect SwitchPictureBox(const Rect& client, int pictureWidth, int pictureHeight, int dpi, int divisor);

}  // namespace ui

// Vertical placement of the value edit box's single line and its rounded frame outline.
#pragma once
#include "ui/UiGeometry.h"

namespace ui {

struct EditPlacement {
  int inset = 0;      // space above and below the line inside the default client area
  Rect bandAbove;     // window coordinates
  Rect bandBelow;     // window coordinates
  Rect client;        // the new client rectangle (in the coordinates of defaultClient)
};

// windowWidth/Height: the whole window; defaultClient: the client rectangle the platform
// proposes (any origin; the borders are taken as equal on opposite sides); textHeight: the
// height of "XX" in the control's font.
EditPlacement PlaceEditLine(int windowWidth, int windowHeight, const Rect& defaultClient, int textHeight);

// The rounded frame outline over (left, top, right, bottom): corner arcs of size
// min(6, right, bottom), closed.
Path EditFramePath(int left, int top, int right, int bottom);

}  // namespace ui

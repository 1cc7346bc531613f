// Where a custom push button puts its picture and text, and which face colour it uses.
#pragma once
#include "ui/Theme.h"
#include "ui/UiGeometry.h"

namespace ui {

struct ButtonLayoutInput {
  Rect rect;                  // the item rectangle (client area)
  bool imageOnly = false;
  bool pictureLoaded = false;  // the picture in use is loaded
  int pictureWidth = 0;
  int pictureHeight = 0;
  int pictureMargin = 6;
  bool pressed = false;
};

struct ButtonLayout {
  bool drawFace = false;     // a rounded face and text (not imageOnly)
  bool drawPicture = false;
  Rect pictureBox;
  Rect textBox;
  bool centreText = true;    // without a picture the text is centred, else left-aligned
};

ButtonLayout LayOutButton(const ButtonLayoutInput& in);

// Face colour: disabled, then hover, then normal.
Colour ButtonFaceColour(bool enabled, bool hover, Colour fill, Colour hoverFill, Colour disabledFill);

}  // namespace ui

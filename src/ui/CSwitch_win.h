// On/off switch drawn with two pictures.
#pragma once
#include "ui/OwnerButton_win.h"
#include "ui/PngImage_win.h"
#include "ui/Theme_win.h"

class CSwitch : public COwnerButton {
 public:
  CSwitch();

  bool IsOn() const { return on; }
  // Stores the state and repaints (without erasing) when it changed.
  void SetOn(bool state);

  PngImage onImage;   // PNG 158
  PngImage offImage;  // PNG 157
  int scaleDivisor = 4;
  bool on = false;
  COLORREF backgroundColour;

  // Where the current picture is drawn (client coordinates).
  RECT PictureBox() const;

 protected:
  void Paint(HDC dc, const RECT& client, bool pressed) override;
  void OnClicking() override;
};

// On/off switch drawn with two pictures (PNG 158 on, 157 off).
#pragma once
#include "ui/Theme_win.h"
#include "ui/TwoStateButton_win.h"

class CSwitch : public CTwoStateButton {
 public:
  CSwitch();

  bool IsOn() const { return IsSet(); }
  void SetOn(bool state) { Set(state); }

  int scaleDivisor = 4;
  COLORREF backgroundColour;

  // Where the current picture is drawn (client coordinates).
  RECT PictureBox() const;

 protected:
  void Paint(HDC dc, const RECT& client, bool pressed) override;
};

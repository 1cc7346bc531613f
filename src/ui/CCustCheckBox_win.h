// Check box drawn with two pictures (PNG 176 checked, 175 unchecked) and a label.
#pragma once
#include "ui/TwoStateButton_win.h"

class CCustCheckBox : public CTwoStateButton {
 public:
  CCustCheckBox();

  bool IsChecked() const { return IsSet(); }
  void SetChecked(bool state) { Set(state); }

  COLORREF textColour = RGB(255, 255, 255);
  COLORREF backgroundColour = RGB(0, 0, 0);
  int boxSize = 16;  // design pixels

 protected:
  void Paint(HDC dc, const RECT& client, bool pressed) override;
};

// Check box drawn with two pictures and a label.
#pragma once
#include "ui/OwnerButton_win.h"
#include "ui/PngImage_win.h"

class CCustCheckBox : public COwnerButton {
 public:
  CCustCheckBox();

  bool IsChecked() const { return checked; }
  // Stores the state and repaints (without erasing) when it changed.
  void SetChecked(bool state);

  PngImage checkedImage;    // PNG 176
  PngImage uncheckedImage;  // PNG 175
  bool checked = false;
  COLORREF textColour = RGB(255, 255, 255);
  COLORREF backgroundColour = RGB(0, 0, 0);
  int boxSize = 16;  // design pixels

 protected:
  void Paint(HDC dc, const RECT& client, bool pressed) override;
  void OnClicking() override;
};

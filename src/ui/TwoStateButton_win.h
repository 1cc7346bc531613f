// A button that shows one of two pictures and flips between them when clicked: the base of
// the check box and the switch.
#pragma once
#include "ui/OwnerButton_win.h"
#include "ui/PngImage_win.h"

class CTwoStateButton : public COwnerButton {
 public:
  CTwoStateButton(int onPicture, int offPicture);

  PngImage onImage;
  PngImage offImage;

 protected:
  bool IsSet() const { return set_; }
  // Stores the state and repaints (without erasing) when it changed.
  void Set(bool state);
  const PngImage& CurrentImage() const { return set_ ? onImage : offImage; }

  // The state flips before the parent hears BN_CLICKED.
  void OnClicking() override;

 private:
  bool set_ = false;
};

// Push button with a filled rounded face, text and an optional picture, or only a picture.
#pragma once
#include "ui/OwnerButton_win.h"
#include "ui/PngImage_win.h"
#include "ui/Theme_win.h"

class CCustButton : public COwnerButton {
 public:
  CCustButton();

  // Loads normalId into the normal picture and, when that worked and hoverId is not 0,
  // hoverId into the hover picture; repaints. True only if every requested picture loaded.
  bool SetImages(UINT normalId, UINT hoverId);

  PngImage normalImage;
  PngImage hoverImage;
  bool hover = false;
  bool imageOnly = false;
  COLORREF textColour;
  COLORREF backgroundColour;
  COLORREF hoverBackgroundColour = ui::kNoColour;  // none unless set
  COLORREF fillColour;
  COLORREF hoverFillColour;
  COLORREF disabledFillColour;
  COLORREF disabledTextColour;
  int imageWidth = 0;
  int imageHeight = 0;
  int imageMargin = 6;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Paint(HDC dc, const RECT& client, bool pressed) override;
  void OnAttached() override { hover = false; }
  const PngImage& ImageInUse() const;
};

// The "Browse" button at the right end of a path field: square left corners, rounded right.
class CBrowseButton : public CCustButton {
 protected:
  void Paint(HDC dc, const RECT& client, bool pressed) override;
};

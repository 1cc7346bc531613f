// Horizontal slider drawn from pictures; reports its value to the parent while dragged
// (WM_APP_SLIDER_MOVING) and when released or moved by a key (WM_APP_SLIDER_CHANGED).
#pragma once
#include "base/Window_win.h"
#include "ui/CBitmapSlider.h"
#include "ui/PngImage_win.h"

class CBitmapSlider : public CWnd {
 public:
  // Creates the control (a static control drawn by itself) as a child of parent.
  bool Create(HWND parent, int id, int x, int y, int width, int height,
              DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP);
  bool Attach(HWND control);

  // Loads and scales the seven pictures to the current client size; stops at the first
  // picture that cannot be loaded.
  void LoadImages();
  void SetRange(int min, int max) { model.SetRange(min, max); }
  void SetPos(int value);
  int GetPos() const { return model.pos; }

  COLORREF backgroundColour = RGB(0, 0, 0);
  ui::SliderModel model;  // range, value, sizes, margins, thumb top and drag state
  bool focused = false;
  bool showFocus = false;
  PngImage channelImage;                // PNG 186
  PngImage activeChannelImage;          // PNG 187
  PngImage disabledChannelImage;        // PNG 188
  PngImage disabledActiveChannelImage;  // PNG 191
  PngImage thumbImage;                  // PNG 182
  PngImage draggedThumbImage;           // PNG 236
  PngImage disabledThumbImage;          // PNG 183

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // Paints the whole client area into the paint buffer dc.
  void Paint(HDC dc, const RECT& client);
  void Post(UINT message);
  void EndDrag();
};

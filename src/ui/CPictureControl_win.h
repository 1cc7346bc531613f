// Static control that shows one PNG picture of the resources.
#pragma once
#include "base/Window_win.h"
#include "ui/PngImage_win.h"

class CPictureControl : public CWnd {
 public:
  CPictureControl();
  ~CPictureControl() override;

  bool Create(HWND parent, int id, int x, int y, int width, int height, DWORD style = WS_CHILD | WS_VISIBLE);
  // Takes over a dialog's static; with autoLoad, loads the PNG whose id is the control id.
  bool Attach(HWND control);

  // Replaces the picture by PNG id; returns whether it loaded.
  bool SetImage(UINT id);
  bool HasImage();

  bool autoLoad = true;
  int offsetX = 0;
  int offsetY = 0;
  int drawWidth = 0;  // both 0: the picture fills the client area
  int drawHeight = 0;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Paint(HDC dc);
  PngImage picture_;
  CRITICAL_SECTION lock_;
};

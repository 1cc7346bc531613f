// Single-line edit box with its one line centred vertically inside a rounded blue frame.
#pragma once
#include "base/Window_win.h"

class CCustEdit : public CWnd {
 public:
  bool Create(HWND parent, int id, int x, int y, int width, int height,
              DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL);
  bool Attach(HWND edit);

  RECT bandBelow{};  // window coordinates, empty until first measured
  RECT bandAbove{};
  COLORREF frameColour = RGB(0, 0, 0);  // pages set the colour around the control

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  int TextHeight();
  void PaintFrame();
};

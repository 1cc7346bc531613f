// Base of the owner-drawn push buttons (custom button, Browse, check box, switch): turns the
// system button owner-drawn, paints it itself without needing its parent, never erases, and
// lets check box and switch change state before the parent hears BN_CLICKED.
#pragma once
#include <windows.h>

#include "base/Window_win.h"

class COwnerButton : public CWnd {
 public:
  // Creates a system button of this kind as a child of parent.
  bool Create(HWND parent, int id, const wchar_t* text, int x, int y, int width, int height,
              DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP);
  // Takes over a dialog's button.
  bool Attach(HWND button);

  bool IsPressed() const;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  // Paints the whole client area (origin 0, 0) into dc.
  virtual void Paint(HDC dc, const RECT& client, bool pressed) = 0;
  // Runs before the click reaches the parent (check box and switch toggle here).
  virtual void OnClicking() {}
  virtual void OnAttached() {}

 private:
  bool armed_ = false;  // a press by mouse or space bar is under way
};

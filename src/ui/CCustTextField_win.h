// Read-only path field: a rounded white face with the path (shortened in the middle when
// long), a grey placeholder while empty, and a clear button while it holds text.
#pragma once
#include <string>

#include "base/Window_win.h"
#include "ui/CCustButton_win.h"

class CCustTextField : public CWnd {
 public:
  CCustTextField();

  static constexpr int kClearButtonId = 101;

  bool Create(HWND parent, int id, int x, int y, int width, int height,
              DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP);
  // Takes over a dialog control as the field.
  bool Attach(HWND control);

  // Sets the text; on a change creates or destroys the clear button, repaints and sends
  // WM_APP_TEXT_FIELD_CHANGED to the parent (synchronously). An unchanged text does nothing.
  void SetText(const std::wstring& text);
  std::wstring GetText() const;
  bool HasClearButton() const { return clearButton.hwnd() != nullptr; }

  COLORREF backgroundColour;
  COLORREF fillColour = RGB(255, 255, 255);
  COLORREF placeholderColour;
  COLORREF textColour = RGB(0, 0, 0);
  std::wstring placeholder;
  CCustButton clearButton;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // Paints the whole client area into the paint buffer dc.
  void Paint(HDC dc, const RECT& client);
  void CreateClearButton();
  void PlaceClearButton();
};

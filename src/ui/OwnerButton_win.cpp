// Owner-drawn buttons. The system button draws an owner-drawn face through WM_DRAWITEM to
// its parent, also outside WM_PAINT (on press, focus, enable and text changes); these
// controls paint in their own WM_PAINT instead and invalidate themselves after each such
// change, so any parent works unchanged.
#include "ui/OwnerButton_win.h"

#include "ui/Hover_win.h"
#include "ui/Paint_win.h"

bool COwnerButton::Create(HWND parent, int id, const wchar_t* text, int x, int y, int width, int height, DWORD style) {
  if (hwnd()) return false;
  HWND button = CreateWindowExW(0, L"BUTTON", text, style | BS_OWNERDRAW, x, y, width, height, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), AppInstance(), nullptr);
  if (!button) return false;
  return Attach(button);
}

bool COwnerButton::Attach(HWND button) {
  if (!Subclass(button)) return false;
  LONG_PTR style = GetWindowLongPtrW(button, GWL_STYLE);
  if ((style & BS_TYPEMASK) != BS_OWNERDRAW) SendMessageW(button, BM_SETSTYLE, BS_OWNERDRAW, FALSE);
  armed_ = false;
  OnAttached();
  InvalidateRect(button, nullptr, TRUE);
  return true;
}

bool COwnerButton::IsPressed() const {
  return hwnd() && (SendMessageW(hwnd(), BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
}

LRESULT COwnerButton::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  auto paint = [this](HDC dc, const RECT& client) { Paint(dc, client, IsPressed()); };
  if (auto painted = HandleBufferedPaintMessage(hwnd(), message, wParam, paint)) return *painted;
  switch (message) {
    case WM_LBUTTONDBLCLK:
      // An owner-drawn button reports a double click as BN_DOUBLECLICKED instead of a second
      // click; treat it as a press so fast clicks toggle and click every time.
      return HandleMessage(WM_LBUTTONDOWN, wParam, lParam);
    case WM_LBUTTONDOWN: {
      LRESULT r = Default(message, wParam, lParam);
      armed_ = true;
      return r;
    }
    case WM_KEYDOWN:
      if (wParam == VK_SPACE) {
        LRESULT r = Default(message, wParam, lParam);
        armed_ = IsPressed();
        return r;
      }
      break;
    case WM_LBUTTONUP:
    case WM_KEYUP: {
      if (message == WM_KEYUP && wParam != VK_SPACE) break;
      bool click = armed_ && IsPressed();
      if (click && message == WM_LBUTTONUP) click = InClient(hwnd(), MousePoint(lParam));
      armed_ = false;
      // The system button sends BN_CLICKED from inside its own handling of this message.
      if (click) OnClicking();
      return Default(message, wParam, lParam);
    }
    case BM_SETSTATE:
    case WM_ENABLE:
    case WM_SETTEXT:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_UPDATEUISTATE:
      return RepaintAfter(hwnd(), Default(message, wParam, lParam));
    default:
      break;
  }
  return Default(message, wParam, lParam);
}

// Value edit box: the line's placement is a non-client calculation (the bands above and below
// the line belong to the frame) and the frame is painted after the default one. The frame is
// recalculated when the control is attached and when its font changes: the edit box's colour
// requests go to its parent, so waiting for them would leave the line unplaced in any parent
// that does not pass them on.
#include "ui/CCustEdit_win.h"

#include "ui/CCustEdit.h"
#include "ui/FillRoundRect_win.h"
#include "ui/Paint_win.h"
#include "ui/PngImage_win.h"
#include "ui/Theme_win.h"

namespace {
void Reframe(HWND window) {
  SetWindowPos(window, nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_NOACTIVATE);
}
}  // namespace

bool CCustEdit::Create(HWND parent, int id, int x, int y, int width, int height, DWORD style) {
  if (hwnd()) return false;
  // A sunken client edge, as a dialog gives its edit boxes (an edit box turns WS_BORDER into
  // a border drawn inside its client area, which would leave no frame to place the line in).
  HWND edit = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", style, x, y, width, height, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), AppInstance(), nullptr);
  return edit && Attach(edit);
}

bool CCustEdit::Attach(HWND edit) {
  if (!Subclass(edit)) return false;
  Reframe(edit);
  return true;
}

int CCustEdit::TextHeight() {
  HDC dc = GetDC(hwnd());
  if (!dc) return 0;
  HFONT font = reinterpret_cast<HFONT>(SendMessageW(hwnd(), WM_GETFONT, 0, 0));
  HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
  RECT r{0, 0, 0, 0};
  DrawTextW(dc, L"XX", 2, &r, DT_CALCRECT);
  if (old) SelectObject(dc, old);
  ReleaseDC(hwnd(), dc);
  return r.bottom - r.top;
}

void CCustEdit::PaintFrame() {
  HDC dc = GetWindowDC(hwnd());
  if (!dc) return;
  RECT window{};
  GetWindowRect(hwnd(), &window);
  const int w = window.right - window.left;
  const int h = window.bottom - window.top;
  const COLORREF windowColour = GetSysColor(COLOR_WINDOW);
  FillSolid(dc, bandAbove, windowColour);
  FillSolid(dc, bandBelow, windowColour);
  FillSolid(dc, {0, 0, w, 1}, frameColour);
  FillSolid(dc, {0, h - 1, w, h}, frameColour);
  FillSolid(dc, {0, 0, 1, h}, frameColour);
  FillSolid(dc, {w - 1, 0, w, h}, frameColour);
  {
    auto graphics = MakeGraphics(dc);
    graphics->SetPixelOffsetMode(Gdiplus::PixelOffsetModeNone);
    DrawOutline(*graphics, ui::EditFramePath(0, 0, w, h), Theme()[ui::kColourAccent]);
    DrawOutline(*graphics, ui::EditFramePath(1, 1, w - 1, h - 1), windowColour);
  }
  ReleaseDC(hwnd(), dc);
}

LRESULT CCustEdit::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCALCSIZE: {
      RECT* proposed = reinterpret_cast<RECT*>(lParam);  // rgrc[0] comes first in both forms
      RECT window = *proposed;
      LRESULT result = Default(message, wParam, lParam);
      ui::Rect defaultClient = FromRECT(*proposed);
      ui::EditPlacement placement = ui::PlaceEditLine(window.right - window.left, window.bottom - window.top,
                                                      defaultClient, TextHeight());
      bandAbove = ToRECT(placement.bandAbove);
      bandBelow = ToRECT(placement.bandBelow);
      *proposed = ToRECT(placement.client);
      return result;
    }
    case WM_NCPAINT: {
      LRESULT result = Default(message, wParam, lParam);
      PaintFrame();
      return result;
    }
    case WM_SETFONT: {
      LRESULT result = Default(message, wParam, lParam);
      Reframe(hwnd());
      return result;
    }
    default:
      break;
  }
  return Default(message, wParam, lParam);
}

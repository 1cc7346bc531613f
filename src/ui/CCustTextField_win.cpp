// Path field painting, the clear button's life and the change notification.
#include "ui/CCustTextField_win.h"

#include "base/Dpi_win.h"
#include "base/Messages.h"
#include "ui/CCustTextField.h"
#include "ui/FillRoundRect_win.h"
#include "ui/Paint_win.h"

namespace {
constexpr wchar_t kClassName[] = L"QendorTextField";
}

CCustTextField::CCustTextField() : backgroundColour(Theme()[ui::kColourControlBack]), placeholderColour(Theme()[ui::kColourPlaceholder]) {}

bool CCustTextField::Create(HWND parent, int id, int x, int y, int width, int height, DWORD style) {
  if (!RegisterWindowClass(kClassName, 0)) return false;
  if (!CWnd::Create(0, kClassName, L"", style, x, y, width, height, parent, static_cast<UINT_PTR>(id))) return false;
  return true;
}

bool CCustTextField::Attach(HWND control) {
  if (!Subclass(control)) return false;
  if (GetWindowTextLengthW(control) > 0) CreateClearButton();
  return true;
}

std::wstring CCustTextField::GetText() const { return WindowText(hwnd()); }

void CCustTextField::SetText(const std::wstring& text) {
  if (!hwnd()) return;
  ui::TextFieldChange change = ui::DecideTextChange(GetText(), text, HasClearButton());
  if (!change.changed) return;
  SetWindowTextW(hwnd(), text.c_str());
  if (change.createButton) CreateClearButton();
  if (change.destroyButton) clearButton.DestroyWindow();
  InvalidateRect(hwnd(), nullptr, TRUE);
  SendMessageW(GetParent(hwnd()), WM_APP_TEXT_FIELD_CHANGED, 0, reinterpret_cast<LPARAM>(hwnd()));
}

void CCustTextField::CreateClearButton() {
  if (HasClearButton()) return;
  ui::Rect client = ClientRect(hwnd());
  ui::Rect r = ui::ClearButtonRect(client.Width(), client.Height());
  clearButton.imageOnly = true;
  clearButton.SetImages(210, 0);
  clearButton.imageWidth = clearButton.imageHeight = ScaleForWindow(hwnd(), 16);
  clearButton.backgroundColour = fillColour;
  clearButton.Create(hwnd(), kClearButtonId, L"", r.left, r.top, r.Width(), r.Height(),
                     WS_CHILD | WS_VISIBLE | WS_TABSTOP);
}

void CCustTextField::PlaceClearButton() {
  if (!HasClearButton()) return;
  ui::Rect client = ClientRect(hwnd());
  ui::Rect r = ui::ClearButtonRect(client.Width(), client.Height());
  SetWindowPos(clearButton.hwnd(), nullptr, r.left, r.top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void CCustTextField::Paint(HDC dc, const RECT& client) {
  const int w = client.right;
  const int h = client.bottom;
  FillSolid(dc, client, backgroundColour);
  FillSolid(dc, {w - 1, 1, w, h - 1}, RGB(255, 255, 255));
  {
    auto graphics = MakeGraphics(dc);
    FillOutline(*graphics, ui::TextFieldFacePath(0, 0, w, h), fillColour);
  }
  std::wstring text = GetText();
  bool usePlaceholder = text.empty();
  if (usePlaceholder) text = placeholder;
  if (text.empty()) return;
  RECT box = ToRECT(ui::TextFieldTextBox(w, h, !usePlaceholder, HasClearButton()));
  if (HasClearButton() && !usePlaceholder) {
    RECT button{};
    GetWindowRect(clearButton.hwnd(), &button);
    MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&button), 2);
    box.right = button.left - 4;
  }
  DrawLabel(dc, hwnd(), text, box, usePlaceholder ? placeholderColour : textColour,
            DT_VCENTER | DT_SINGLELINE | DT_PATH_ELLIPSIS);
}

LRESULT CCustTextField::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  auto paint = [this](HDC dc, const RECT& client) { Paint(dc, client); };
  if (auto painted = HandleBufferedPaintMessage(hwnd(), message, wParam, paint)) return *painted;
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) == kClearButtonId && HIWORD(wParam) == BN_CLICKED) {
        SetText(L"");
        return 0;
      }
      break;
    case WM_SETFOCUS:
      if (HasClearButton()) SetFocus(clearButton.hwnd());
      return 0;
    case WM_SIZE:
      PlaceClearButton();
      InvalidateRect(hwnd(), nullptr, FALSE);
      break;
    case WM_GETFONT:
      return SendMessageW(GetParent(hwnd()), WM_GETFONT, 0, 0);
    default:
      break;
  }
  return Default(message, wParam, lParam);
}

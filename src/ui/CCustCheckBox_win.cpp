// Check box painting and its click: the state flips before the parent hears BN_CLICKED.
#include "ui/CCustCheckBox_win.h"

#include <string>

#include "app/AppServices_win.h"
#include "ui/CCustCheckBox.h"
#include "ui/Paint_win.h"

CCustCheckBox::CCustCheckBox() {
  checkedImage.LoadPng(176);
  uncheckedImage.LoadPng(175);
}

void CCustCheckBox::SetChecked(bool state) {
  if (checked == state) return;
  checked = state;
  if (hwnd()) InvalidateRect(hwnd(), nullptr, FALSE);
}

void CCustCheckBox::OnClicking() {
  checked = !checked;
  InvalidateRect(hwnd(), nullptr, FALSE);
}

void CCustCheckBox::Paint(HDC dc, const RECT& client, bool) {
  FillSolid(dc, client, backgroundColour);
  int dpi = static_cast<int>(WindowDpi(hwnd()));
  ui::CheckBoxLayout layout = ui::LayOutCheckBox(FromRECT(client), boxSize, dpi);
  const PngImage& image = checked ? checkedImage : uncheckedImage;
  image.Draw(dc, layout.box.left, layout.box.top, layout.box.Width(), layout.box.Height());

  int length = GetWindowTextLengthW(hwnd());
  if (length <= 0) return;
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(hwnd(), text.data(), length + 1)));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, textColour);
  HGDIOBJ oldFont = SelectObject(dc, ParentFont(hwnd()));
  RECT box = ToRECT(layout.textBox);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, 0);
  SelectObject(dc, oldFont);
}

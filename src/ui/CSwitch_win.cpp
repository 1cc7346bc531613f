// Switch painting and its click: the state flips before the parent hears BN_CLICKED.
#include "ui/CSwitch_win.h"
#include "base/ResourceIds.h"

#include "base/Dpi_win.h"
#include "ui/CSwitch.h"
#include "ui/Paint_win.h"

CSwitch::CSwitch() : backgroundColour(Theme()[ui::kColourControlBack]) {
  onImage.LoadPng(IDP_SWITCH_ON);
  offImage.LoadPng(IDP_SWITCH_OFF);
}

void CSwitch::SetOn(bool state) {
  if (on == state) return;
  on = state;
  if (hwnd()) InvalidateRect(hwnd(), nullptr, FALSE);
}

void CSwitch::OnClicking() {
  on = !on;
  InvalidateRect(hwnd(), nullptr, FALSE);
}

RECT CSwitch::PictureBox() const {
  const PngImage& image = on ? onImage : offImage;
  if (!image.IsLoaded()) return {};
  return ToRECT(ui::SwitchPictureBox(ClientRect(hwnd()), image.Width(), image.Height(),
                                     static_cast<int>(WindowDpi(hwnd())), scaleDivisor));
}

void CSwitch::Paint(HDC dc, const RECT& client, bool) {
  FillSolid(dc, client, backgroundColour);
  if (scaleDivisor < 1) scaleDivisor = 1;
  const PngImage& image = on ? onImage : offImage;
  if (!image.IsLoaded()) return;
  RECT box = PictureBox();
  image.Draw(dc, box.left, box.top, box.right - box.left, box.bottom - box.top);
}

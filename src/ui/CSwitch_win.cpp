// Switch painting.
#include "ui/CSwitch_win.h"
#include "base/ResourceIds.h"

#include "base/Dpi_win.h"
#include "ui/CSwitch.h"
#include "ui/Paint_win.h"

CSwitch::CSwitch()
    : CTwoStateButton(IDP_SWITCH_ON, IDP_SWITCH_OFF),
      backgroundColour(Theme()[ui::kColourControlBack]) {}

RECT CSwitch::PictureBox() const {
  const PngImage& image = CurrentImage();
  if (!image.IsLoaded()) return {};
  return ToRECT(ui::SwitchPictureBox(ClientRect(hwnd()), image.Width(), image.Height(),
                                     static_cast<int>(WindowDpi(hwnd())), scaleDivisor));
}

void CSwitch::Paint(HDC dc, const RECT& client, bool) {
  FillSolid(dc, client, backgroundColour);
  if (scaleDivisor < 1) scaleDivisor = 1;
  const PngImage& image = CurrentImage();
  if (!image.IsLoaded()) return;
  RECT box = PictureBox();
  image.Draw(dc, box.left, box.top, box.right - box.left, box.bottom - box.top);
}

// Check box painting.
#include "ui/CCustCheckBox_win.h"
#include "base/ResourceIds.h"

#include <string>

#include "base/Dpi_win.h"
#include "ui/CCustCheckBox.h"
#include "ui/Paint_win.h"

CCustCheckBox::CCustCheckBox() : CTwoStateButton(IDP_CHECKBOX_ON, IDP_CHECKBOX_OFF) {}

void CCustCheckBox::Paint(HDC dc, const RECT& client, bool) {
  FillSolid(dc, client, backgroundColour);
  int dpi = static_cast<int>(WindowDpi(hwnd()));
  ui::CheckBoxLayout layout = ui::LayOutCheckBox(FromRECT(client), boxSize, dpi);
  CurrentImage().Draw(dc, layout.box.left, layout.box.top, layout.box.Width(),
                      layout.box.Height());

  std::wstring text = WindowText(hwnd());
  if (text.empty()) return;
  DrawLabel(dc, hwnd(), text, ToRECT(layout.textBox), textColour, 0);
}

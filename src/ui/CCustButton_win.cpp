// Custom push button and Browse button painting, and hover tracking.
#include "ui/CCustButton_win.h"

#include <string>

#include "ui/CBrowseButton.h"
#include "ui/CCustButton.h"
#include "ui/FillRoundRect_win.h"
#include "ui/Hover_win.h"
#include "ui/Paint_win.h"

CCustButton::CCustButton()
    : textColour(Theme()[ui::kColourButtonText]),
      backgroundColour(Theme()[ui::kColourControlBack]),
      fillColour(Theme()[ui::kColourAccent]),
      hoverFillColour(Theme()[ui::kColourAccentHot]),
      disabledFillColour(Theme()[ui::kColourDisabled]),
      disabledTextColour(Theme()[ui::kColourButtonText]) {}

bool CCustButton::SetImages(UINT normalId, UINT hoverId) {
  bool ok = normalImage.LoadPng(normalId);
  if (ok && hoverId != 0) ok = hoverImage.LoadPng(hoverId);
  if (hwnd()) InvalidateRect(hwnd(), nullptr, TRUE);
  return ok;
}

const PngImage& CCustButton::ImageInUse() const {
  return hover && hoverImage.IsLoaded() ? hoverImage : normalImage;
}

LRESULT CCustButton::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MOUSEMOVE:
      SetHot(hwnd(), hover, InClient(hwnd(), MousePoint(lParam)));
      TrackMouseLeave(hwnd());
      break;
    case WM_MOUSELEAVE:
      SetHot(hwnd(), hover, false);
      break;
    default:
      break;
  }
  return COwnerButton::HandleMessage(message, wParam, lParam);
}

void CCustButton::Paint(HDC dc, const RECT& client, bool pressed) {
  FillSolid(dc, client, backgroundColour);
  if (hover && hoverBackgroundColour != ui::kNoColour) FillSolid(dc, client, hoverBackgroundColour);
  const bool enabled = IsWindowEnabled(hwnd()) != FALSE;
  const PngImage& image = ImageInUse();

  ui::ButtonLayoutInput in;
  in.rect = FromRECT(client);
  in.imageOnly = imageOnly;
  in.pictureLoaded = image.IsLoaded();
  in.pictureWidth = imageWidth;
  in.pictureHeight = imageHeight;
  in.pictureMargin = imageMargin;
  in.pressed = pressed;
  ui::ButtonLayout layout = ui::LayOutButton(in);
  {
    auto graphics = MakeGraphics(dc);
    if (!imageOnly) {
      COLORREF face = ui::ButtonFaceColour(enabled, hover, fillColour, hoverFillColour, disabledFillColour);
      FillRoundRect(*graphics, client, 3, face);
    }
    if (layout.drawPicture) {
      const ui::Rect& b = layout.pictureBox;
      image.Draw(graphics.get(), b.left, b.top, b.Width(), b.Height());
    }
  }
  if (imageOnly) return;
  std::wstring text = WindowText(hwnd());
  if (text.empty()) return;
  UINT format = DT_VCENTER | DT_SINGLELINE | (layout.centreText ? DT_CENTER : 0);
  DrawLabel(dc, hwnd(), text, ToRECT(layout.textBox), enabled ? textColour : disabledTextColour, format);
}

void CBrowseButton::Paint(HDC dc, const RECT& client, bool pressed) {
  FillSolid(dc, client, backgroundColour);
  RECT line{client.left, client.top + 1, client.left + 1, client.bottom - 1};
  FillSolid(dc, line, RGB(255, 255, 255));
  {
    auto graphics = MakeGraphics(dc);
    ui::Path face = ui::BrowseFacePath(client.left, client.top, client.right - client.left, client.bottom - client.top);
    FillOutline(*graphics, face, hover ? hoverFillColour : fillColour);
  }
  std::wstring text = WindowText(hwnd());
  if (text.empty()) return;
  DrawLabel(dc, hwnd(), text, ToRECT(ui::BrowseTextBox(FromRECT(client), pressed)), textColour,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

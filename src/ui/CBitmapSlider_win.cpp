// Picture slider: painting, mouse dragging and keys. The rules live in SliderModel.
#include "ui/CBitmapSlider_win.h"
#include "base/ResourceIds.h"

#include "base/Messages.h"
#include "ui/Paint_win.h"

bool CBitmapSlider::Create(HWND parent, int id, int x, int y, int width, int height, DWORD style) {
  if (hwnd()) return false;
  HWND control = CreateWindowExW(0, L"STATIC", L"", style | SS_NOTIFY, x, y, width, height, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), AppInstance(), nullptr);
  return control && Attach(control);
}

bool CBitmapSlider::Attach(HWND control) {
  if (!Subclass(control)) return false;
  model.dragging = false;
  focused = GetFocus() == control;
  return true;
}

void CBitmapSlider::LoadImages() {
  ui::Rect client = ClientRect(hwnd());
  model.channelWidth = model.channelHeight = model.thumbWidth = model.thumbHeight = 0;
  if (!channelImage.LoadPng(IDP_SLIDER_CHANNEL) || channelImage.Width() == 0) return;
  float factor = ui::SliderScaleFactor(client.Width(), channelImage.Width());
  auto scale = [](PngImage& image, float f) {
    ui::ScaledSize size = ui::ScaleBy(image.Width(), image.Height(), f);
    image.ScaleTo(size.width, size.height);
  };
  scale(channelImage, factor);
  model.channelWidth = channelImage.Width();
  model.channelHeight = channelImage.Height();
  for (auto [image, id] : {std::pair{&activeChannelImage, 187u}, {&disabledChannelImage, 188u},
                           {&disabledActiveChannelImage, 191u}}) {
    if (!image->LoadPng(id)) return;
    scale(*image, factor);
  }
  if (!thumbImage.LoadPng(IDP_SLIDER_THUMB) || thumbImage.Height() == 0) return;
  float thumbFactor = ui::SliderScaleFactor(client.Height(), thumbImage.Height());
  scale(thumbImage, thumbFactor);
  model.thumbWidth = thumbImage.Width();
  model.thumbHeight = thumbImage.Height();
  for (auto [image, id] : {std::pair{&draggedThumbImage, 236u}, {&disabledThumbImage, 183u}}) {
    if (!image->LoadPng(id)) return;
    scale(*image, thumbFactor);
  }
}

void CBitmapSlider::SetPos(int value) {
  model.SetPos(value);
  if (hwnd()) InvalidateRect(hwnd(), nullptr, TRUE);
}

void CBitmapSlider::Post(UINT message) {
  PostMessageW(GetParent(hwnd()), message, static_cast<WPARAM>(GetDlgCtrlID(hwnd())), model.pos);
}

void CBitmapSlider::EndDrag() {
  model.Release();
  if (GetCapture() == hwnd()) ReleaseCapture();
  InvalidateRect(hwnd(), nullptr, TRUE);
  Post(WM_APP_SLIDER_CHANGED);
}

void CBitmapSlider::Paint(HDC dc, const RECT& client) {
  FillSolid(dc, client, backgroundColour);
  const bool enabled = IsWindowEnabled(hwnd()) != FALSE;
  {
    auto graphics = MakeGraphics(dc);
    int y = 0;
    if (channelImage.IsLoaded() && channelImage.Height() > 0) {
      const PngImage& channel = enabled || !disabledChannelImage.IsLoaded() ? channelImage : disabledChannelImage;
      y = client.bottom / 2 - channelImage.Height() / 2;
      channel.Draw(graphics.get(), 0, y, channel.Width(), channel.Height());
    }
    if (activeChannelImage.IsLoaded()) {
      const PngImage& active =
          !enabled && disabledActiveChannelImage.IsLoaded() ? disabledActiveChannelImage : activeChannelImage;
      int end = model.ThumbCentre();
      RECT source{0, 0, end, model.channelHeight};
      if (end > 0) active.DrawPart(graphics.get(), 0, y, end, model.channelHeight, &source);
    }
    if (thumbImage.IsLoaded()) {
      const PngImage* thumb = &thumbImage;
      if (!enabled && disabledThumbImage.IsLoaded())
        thumb = &disabledThumbImage;
      else if (model.dragging && draggedThumbImage.IsLoaded())
        thumb = &draggedThumbImage;
      thumb->Draw(graphics.get(), model.ThumbLeft(), model.thumbTop, thumb->Width(), thumb->Height());
    }
  }
  if (showFocus && focused && enabled) DrawFocusRect(dc, &client);
}

LRESULT CBitmapSlider::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  auto paint = [this](HDC dc, const RECT& client) { Paint(dc, client); };
  if (auto painted = HandleBufferedPaintMessage(hwnd(), message, wParam, paint)) return *painted;
  switch (message) {
    case WM_NCHITTEST:
      return HTCLIENT;  // a static control is transparent to the mouse otherwise
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      SetCapture(hwnd());
      SetFocus(hwnd());
      if (model.Press(MousePoint(lParam).x)) Post(WM_APP_SLIDER_MOVING);
      InvalidateRect(hwnd(), nullptr, TRUE);
      return 0;
    }
    case WM_MOUSEMOVE:
      if (model.Move(MousePoint(lParam).x)) {
        InvalidateRect(hwnd(), nullptr, TRUE);
        Post(WM_APP_SLIDER_MOVING);
      }
      return 0;
    case WM_LBUTTONUP:
      if (model.dragging) EndDrag();
      return 0;
    case WM_CANCELMODE:
      if (model.dragging) EndDrag();
      return 0;
    case WM_CAPTURECHANGED:
      // Another window took the mouse: the drag ends as if cancelled.
      if (model.dragging && reinterpret_cast<HWND>(lParam) != hwnd()) EndDrag();
      return 0;
    case WM_GETDLGCODE:
      if (GetKeyState(VK_TAB) < 0) break;
      return DLGC_WANTALLKEYS;
    case WM_KEYDOWN: {
      ui::SliderKey key = ui::SliderKey::Other;
      switch (wParam) {
        case VK_PRIOR: key = ui::SliderKey::PageUp; break;
        case VK_NEXT: key = ui::SliderKey::PageDown; break;
        case VK_END: key = ui::SliderKey::End; break;
        case VK_HOME: key = ui::SliderKey::Home; break;
        case VK_LEFT: key = ui::SliderKey::Left; break;
        case VK_UP: key = ui::SliderKey::Up; break;
        case VK_RIGHT: key = ui::SliderKey::Right; break;
        case VK_DOWN: key = ui::SliderKey::Down; break;
        default: break;
      }
      if (!model.Key(key)) break;
      InvalidateRect(hwnd(), nullptr, TRUE);
      Post(WM_APP_SLIDER_CHANGED);
      return 0;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      focused = message == WM_SETFOCUS;
      InvalidateRect(hwnd(), nullptr, TRUE);
      return 0;
    case WM_ENABLE:
      InvalidateRect(hwnd(), nullptr, TRUE);
      return 0;
    default:
      break;
  }
  return Default(message, wParam, lParam);
}

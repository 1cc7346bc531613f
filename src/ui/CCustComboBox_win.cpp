// Picture combo box. The list items' draw requests pass through the combo box on their way to
// its parent; they are answered here. The closed face is painted in the control's own
// WM_PAINT (instead of over the default painting, which would show twice), and the control
// repaints itself after every message that can change the selection or the open state,
// because the system combo box draws its selection outside WM_PAINT through the parent.
#include "ui/CCustComboBox_win.h"
#include "base/ResourceIds.h"

#include "base/Resources_win.h"
#include "base/Dpi_win.h"
#include "ui/CBufferDC_win.h"
#include "ui/CCustComboBox.h"
#include "ui/FillRoundRect_win.h"
#include "ui/Hover_win.h"
#include "ui/ListItems_win.h"
#include "ui/Paint_win.h"

CCustComboBox::~CCustComboBox() { DestroyWindow(); }

CCustComboBox::CCustComboBox() : backgroundColour(Theme()[ui::kColourControlBack]) { arrowImage.LoadPng(IDP_CHEVRON); }

bool CCustComboBox::Create(HWND parent, int id, int x, int y, int width, int faceHeight, int listHeight,
                           DWORD style) {
  if (hwnd()) return false;
  HWND combo = CreateWindowExW(0, L"COMBOBOX", L"", style | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                               x, y, width, faceHeight + listHeight, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), AppInstance(), nullptr);
  if (!combo || !Attach(combo)) return false;
  // The closed height follows the selection field's height: adjust it until the face is
  // faceHeight (the border around the field differs between systems).
  // What CB_GETITEMHEIGHT reports and CB_SETITEMHEIGHT takes may differ by a constant, so the
  // next value is worked out from the value last set.
  int field = static_cast<int>(SendMessageW(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
  for (int i = 0; i < 4; ++i) {
    RECT r{};
    GetWindowRect(combo, &r);
    int delta = faceHeight - (r.bottom - r.top);
    if (delta == 0 || field + delta <= 0) break;
    field += delta;
    SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
  }
  return true;
}

bool CCustComboBox::Attach(HWND combo) {
  if (!Subclass(combo)) return false;
  hover = false;
  return true;
}

bool CCustComboBox::AddItem(UINT textId, UINT pictureId) {
  std::wstring text = LoadResString(textId);
  if (text.empty()) return false;
  return AddItemText(text, pictureId);
}

bool CCustComboBox::AddItemText(const std::wstring& text, UINT pictureId) {
  if (!hwnd()) return false;
  auto item = std::make_unique<Item>();
  item->text = text;
  if (pictureId != 0) item->picture.LoadPng(pictureId);
  if (!AddItemWithData(hwnd(), kComboBoxMessages, text, item.get(), itemHeight)) return false;
  items_.push_back(std::move(item));
  return true;
}

void CCustComboBox::DrawContent(HDC dc, const RECT& box, const Item& item, bool highlighted) {
  ui::ComboItemLayout layout =
      ui::LayOutComboItem(FromRECT(box), item.picture.IsLoaded() ? item.picture.Width() : 0,
                          item.picture.IsLoaded() ? item.picture.Height() : 0);
  if (layout.drawPicture) {
    const ui::Rect& p = layout.pictureBox;
    item.picture.Draw(dc, p.left, p.top, p.Width(), p.Height());
  }
  DrawLabel(dc, hwnd(), item.text, ToRECT(layout.textBox), highlighted ? fillColour : textColour,
            DT_VCENTER | DT_SINGLELINE);
}

void CCustComboBox::DrawItem(const DRAWITEMSTRUCT& dis) {
  if (!SendMessageW(hwnd(), CB_GETDROPPEDSTATE, 0, 0) || (dis.itemState & ODS_COMBOBOXEDIT)) {
    InvalidateRect(hwnd(), nullptr, FALSE);  // a request for the closed face
    return;
  }
  CBufferDC dc(dis.hDC, dis.rcItem);
  if (!dc.IsValid()) return;
  FillSolid(dc, dis.rcItem, fillColour);
  const bool highlighted = (dis.itemState & ODS_SELECTED) != 0;
  if (highlighted) {
    auto graphics = MakeGraphics(dc);
    FillRoundRect(*graphics, dis.rcItem, 2, Theme()[ui::kColourAccent]);
  }
  const Item* item = reinterpret_cast<const Item*>(dis.itemData);
  if (dis.itemID != static_cast<UINT>(-1) && item && item != reinterpret_cast<const Item*>(CB_ERR))
    DrawContent(dc, dis.rcItem, *item, highlighted);
}

void CCustComboBox::PaintFace(HDC dc, const RECT& client) {
  FillSolid(dc, client, backgroundColour);
  ui::ComboFaceLayout layout = ui::LayOutComboFace(FromRECT(client));
  const bool enabled = IsWindowEnabled(hwnd()) != FALSE;
  const bool open = SendMessageW(hwnd(), CB_GETDROPPEDSTATE, 0, 0) != 0;
  {
    auto graphics = MakeGraphics(dc);
    FillRoundRect(*graphics, ToRECT(layout.textArea), 2, fillColour);
    const ui::Rect& a = layout.arrowBox;
    FillOutline(*graphics, ui::ComboArrowPath(a.left, a.top, a.Width(), a.Height()),
                Theme()[ui::ComboArrowColourIndex(enabled, open, hover)]);
    if (arrowImage.IsLoaded()) {
      ui::Rect p = ui::ComboArrowPictureBox(a, static_cast<int>(WindowDpi(hwnd())));
      arrowImage.Draw(graphics.get(), p.left, p.top, p.Width(), p.Height());
    }
  }
  LRESULT selected = SendMessageW(hwnd(), CB_GETCURSEL, 0, 0);
  if (selected == CB_ERR) return;
  LRESULT data = SendMessageW(hwnd(), CB_GETITEMDATA, static_cast<WPARAM>(selected), 0);
  const Item* item = data == CB_ERR ? nullptr : reinterpret_cast<const Item*>(data);
  if (item) {
    DrawContent(dc, ToRECT(layout.textArea), *item, false);
    return;
  }
  DrawLabel(dc, hwnd(), WindowText(hwnd()), ToRECT(layout.textArea.Shrunk(4, 2)), textColour,
            DT_VCENTER | DT_SINGLELINE);
}

LRESULT CCustComboBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  auto paint = [this](HDC dc, const RECT& client) { PaintFace(dc, client); };
  if (auto painted = HandleBufferedPaintMessage(hwnd(), message, wParam, paint)) return *painted;
  switch (message) {
    case WM_DRAWITEM:
      DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_MOUSEMOVE: {
      bool inside = InClient(hwnd(), MousePoint(lParam));
      SetHot(hwnd(), hover, inside);
      if (inside) TrackMouseLeave(hwnd());
      break;
    }
    case WM_MOUSELEAVE:
      SetHot(hwnd(), hover, false);
      break;
    case WM_COMMAND:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_KEYDOWN:
    case WM_CHAR:
    case WM_MOUSEWHEEL:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_CAPTURECHANGED:
    case CB_SETCURSEL:
    case CB_SHOWDROPDOWN:
    case CB_RESETCONTENT:
      return RepaintAfter(hwnd(), Default(message, wParam, lParam));
    default:
      break;
  }
  return Default(message, wParam, lParam);
}

// Task list. The system list box draws owner-drawn items through WM_DRAWITEM to its parent,
// also outside WM_PAINT; this control paints all its items in its own WM_PAINT (one buffer,
// one copy) and repaints itself after every message that can change the selection, so the
// parent needs no help.
#include "ui/CTaskList_win.h"

#include "base/Resources_win.h"
#include "base/Dpi_win.h"
#include "ui/CBufferDC_win.h"
#include "ui/CTaskList.h"
#include "ui/FillRoundRect_win.h"
#include "ui/Hover_win.h"
#include "ui/ListItems_win.h"
#include "ui/Paint_win.h"

CTaskList::~CTaskList() { DestroyWindow(); }

CTaskList::CTaskList() : textColour(Theme()[ui::kColourTabText]), backgroundColour(Theme()[ui::kColourTaskListBack]) {}

bool CTaskList::Create(HWND parent, int id, int x, int y, int width, int height, DWORD style) {
  if (hwnd()) return false;
  HWND list = CreateWindowExW(0, L"LISTBOX", L"",
                              style | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, x, y,
                              width, height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                              AppInstance(), nullptr);
  return list && Attach(list);
}

bool CTaskList::Attach(HWND listBox) {
  if (!Subclass(listBox)) return false;
  hot = -1;
  return true;
}

bool CTaskList::AddItem(UINT textId, UINT iconId, UINT selectedIconId) {
  std::wstring text = LoadResString(textId);
  if (text.empty()) return false;
  return AddItemText(text, iconId, selectedIconId);
}

bool CTaskList::AddItemText(const std::wstring& text, UINT iconId, UINT selectedIconId) {
  if (!hwnd()) return false;
  auto item = std::make_unique<Item>();
  item->text = text;
  item->icon.LoadPng(iconId);
  item->selectedIcon.LoadPng(selectedIconId);
  if (!AddItemWithData(hwnd(), kListBoxMessages, text, item.get(), itemHeight)) return false;
  items_.push_back(std::move(item));
  InvalidateRect(hwnd(), nullptr, FALSE);
  return true;
}

const CTaskList::Item* CTaskList::ItemAt(int index) const {
  if (index < 0) return nullptr;
  LRESULT data = SendMessageW(hwnd(), LB_GETITEMDATA, static_cast<WPARAM>(index), 0);
  return data == LB_ERR ? nullptr : reinterpret_cast<const Item*>(data);
}

void CTaskList::DrawItemContent(HDC dc, const RECT& rect, const Item* item, bool selected, bool hovered) {
  FillSolid(dc, rect, backgroundColour);
  if (!item) return;
  const int dpi = static_cast<int>(WindowDpi(hwnd()));
  ui::TaskItemLayout layout = ui::LayOutTaskItem(FromRECT(rect), iconSize, dpi);
  {
    auto graphics = MakeGraphics(dc);
    int highlight = ui::TaskHighlightIndex(selected, hovered);
    if (highlight >= 0) FillRoundRect(*graphics, rect, 3, Theme()[highlight]);
    const PngImage& icon = selected ? item->selectedIcon : item->icon;
    const ui::Rect& b = layout.iconBox;
    icon.Draw(graphics.get(), b.left, b.top, b.Width(), b.Height());
  }
  if (item->text.empty()) return;
  HFONT font = reinterpret_cast<HFONT>(SendMessageW(hwnd(), WM_GETFONT, 0, 0));
  HGDIOBJ oldFont = SelectObject(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, textColour);
  RECT text = ToRECT(layout.textBox);
  DrawTextW(dc, item->text.c_str(), static_cast<int>(item->text.size()), &text, DT_VCENTER | DT_SINGLELINE);
  SelectObject(dc, oldFont);
}

void CTaskList::DrawItem(const DRAWITEMSTRUCT& dis) {
  if (dis.itemID == static_cast<UINT>(-1)) return;
  CBufferDC dc(dis.hDC, dis.rcItem);
  if (!dc.IsValid()) return;
  const Item* item = reinterpret_cast<const Item*>(dis.itemData);
  const Item* hotItem = ItemAt(hot);
  DrawItemContent(dc, dis.rcItem, item, (dis.itemState & ODS_SELECTED) != 0, hotItem && hotItem == item);
}

void CTaskList::Paint(HDC dc, const RECT& client) {
  FillSolid(dc, client, backgroundColour);
  const int count = static_cast<int>(SendMessageW(hwnd(), LB_GETCOUNT, 0, 0));
  const int top = static_cast<int>(SendMessageW(hwnd(), LB_GETTOPINDEX, 0, 0));
  const int selected = static_cast<int>(SendMessageW(hwnd(), LB_GETCURSEL, 0, 0));
  const Item* hotItem = ItemAt(hot);
  for (int i = top; i < count; ++i) {
    RECT r{};
    if (SendMessageW(hwnd(), LB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r)) == LB_ERR) break;
    if (r.top >= client.bottom) break;
    const Item* item = ItemAt(i);
    DrawItemContent(dc, r, item, i == selected, hotItem && hotItem == item);
  }
}

LRESULT CTaskList::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  auto paint = [this](HDC dc, const RECT& client) { Paint(dc, client); };
  if (auto painted = HandleBufferedPaintMessage(hwnd(), message, wParam, paint)) return *painted;
  switch (message) {
    case WM_MOUSEMOVE: {
      POINT pt = MousePoint(lParam);
      LRESULT at = SendMessageW(hwnd(), LB_ITEMFROMPOINT, 0, MAKELPARAM(pt.x, pt.y));
      int now = HIWORD(at) ? -1 : static_cast<int>(LOWORD(at));
      SetHot(hwnd(), hot, now);
      TrackMouseLeave(hwnd());
      LRESULT result = Default(message, wParam, lParam);
      if (wParam & MK_LBUTTON) InvalidateRect(hwnd(), nullptr, FALSE);  // the selection follows a drag
      return result;
    }
    case WM_MOUSELEAVE:
      SetHot(hwnd(), hot, -1);
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_KEYDOWN:
    case WM_CHAR:
    case WM_MOUSEWHEEL:
    case WM_VSCROLL:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case LB_SETCURSEL:
    case LB_SETSEL:
    case LB_DELETESTRING:
    case LB_RESETCONTENT:
    case LB_SETTOPINDEX:
      return RepaintAfter(hwnd(), Default(message, wParam, lParam));
    default:
      break;
  }
  return Default(message, wParam, lParam);
}

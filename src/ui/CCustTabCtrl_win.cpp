// Tab strip painting and input. The layout is renewed at each paint and before hit tests.
#include "ui/CCustTabCtrl_win.h"

#include "base/Resources_win.h"
#include "base/Dpi_win.h"
#include "base/Messages.h"
#include "ui/CCustTabCtrl.h"
#include "ui/FillRoundRect_win.h"
#include "ui/Hover_win.h"
#include "ui/Paint_win.h"

namespace {
constexpr wchar_t kClassName[] = L"QendorTabCtrl";
}

CCustTabCtrl::~CCustTabCtrl() { DestroyWindow(); }

CCustTabCtrl::CCustTabCtrl() : backgroundColour(Theme()[ui::kColourStripBack]), textColour(Theme()[ui::kColourTabText]) {}

bool CCustTabCtrl::Create(HWND parent, int id, int x, int y, int width, int height, DWORD style) {
  if (!RegisterWindowClass(kClassName, 0)) return false;
  return CWnd::Create(0, kClassName, L"", style, x, y, width, height, parent, static_cast<UINT_PTR>(id));
}

CCustTabCtrl::Tab* CCustTabCtrl::AddTab(UINT textId) {
  std::wstring text = LoadResString(textId);
  if (text.empty()) return nullptr;
  return AddTabText(text);
}

CCustTabCtrl::Tab* CCustTabCtrl::AddTabText(const std::wstring& text) {
  auto tab = std::make_unique<Tab>();
  tab->text = text;
  tabs_.push_back(std::move(tab));
  return tabs_.back().get();
}

void CCustTabCtrl::RemoveAllTabs() {
  tabs_.clear();
  if (hwnd()) InvalidateRect(hwnd(), nullptr, TRUE);
}

void CCustTabCtrl::LayOut() {
  ui::Rect client = ClientRect(hwnd());
  auto places = ui::LayOutTabs(client.Width(), client.Height(), Count(), tabWidth,
                               static_cast<int>(WindowDpi(hwnd())), lastTabRight);
  for (size_t i = 0; i < tabs_.size(); ++i) {
    tabs_[i]->rect = ToRECT(places[i].rect);
    tabs_[i]->placedRight = places[i].placedRight;
  }
}

void CCustTabCtrl::Select(int index) {
  selected = index;
  InvalidateRect(hwnd(), nullptr, FALSE);
  PostMessageW(GetParent(hwnd()), WM_APP_TAB_SELECTED, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(hwnd()));
}

void CCustTabCtrl::Paint(HDC dc, const RECT& client) {
  const int W = client.right;
  const int H = client.bottom;
  const int dpi = static_cast<int>(WindowDpi(hwnd()));
  FillSolid(dc, client, backgroundColour);
  SetTextColor(dc, textColour);
  SetBkMode(dc, TRANSPARENT);
  HGDIOBJ oldFont = SelectObject(dc, ParentFont(hwnd()));
  LayOut();
  {
    auto graphics = MakeGraphics(dc);
    graphics->SetPixelOffsetMode(Gdiplus::PixelOffsetModeNone);
    Gdiplus::Pen basePen(GdiplusColour(Theme()[ui::TabBaseLineIndex(lastTabRight, selected, Count())]), 1.0f);
    graphics->DrawLine(&basePen, 0, H - 1, W, H - 1);
  }
  for (int i = 0; i < Count(); ++i) {
    const Tab& tab = *tabs_[static_cast<size_t>(i)];
    const bool s = i == selected;
    const bool h = i == hot;
    ui::TabLook look = ui::LookOfTab(s, h, tab.placedRight);
    const RECT& r = tab.rect;
    {
      auto graphics = MakeGraphics(dc);
      graphics->SetPixelOffsetMode(Gdiplus::PixelOffsetModeNone);
      int height = (r.bottom - r.top) - (look.reachesBase ? 0 : 2);
      ui::Path shape = ui::TabShapePath(r.left, r.top, r.right - r.left, height);
      FillOutline(*graphics, shape, Theme()[look.fillIndex]);
      if (look.outlined) DrawOutline(*graphics, shape, Theme()[look.outlineIndex]);
      const PngImage& picture = (s || h) && hotIcon.IsLoaded() ? hotIcon : icon;
      int iw = 0, ih = 0;
      if (picture.IsLoaded()) {
        iw = iconSize >= 1 ? iconSize : picture.Width();
        ih = iconSize >= 1 ? iconSize : picture.Height();
      }
      ui::TabContent content = ui::LayOutTabContent(FromRECT(r), iw, ih, dpi);
      if (content.drawIcon) {
        const ui::Rect& b = content.iconBox;
        picture.Draw(graphics.get(), b.left, b.top, b.Width(), b.Height());
      }
      graphics.reset();
      RECT text = ToRECT(content.textBox);
      DrawTextW(dc, tab.text.c_str(), static_cast<int>(tab.text.size()), &text,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
  }
  SelectObject(dc, oldFont);
}

LRESULT CCustTabCtrl::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  auto paint = [this](HDC dc, const RECT& client) { Paint(dc, client); };
  if (auto painted = HandleBufferedPaintMessage(hwnd(), message, wParam, paint)) return *painted;
  switch (message) {
    case WM_LBUTTONDOWN: {
      SetFocus(hwnd());
      LayOut();
      POINT pt = MousePoint(lParam);
      std::vector<ui::TabPlace> places;
      for (const auto& t : tabs_) places.push_back({FromRECT(t->rect), t->placedRight});
      int target = ui::TabAfterClick(selected, ui::TabAt(places, pt.x, pt.y));
      if (target >= 0) Select(target);
      return 0;
    }
    case WM_MOUSEMOVE: {
      LayOut();
      POINT pt = MousePoint(lParam);
      int now = -1;
      for (int i = 0; i < Count(); ++i)
        if (PtInRect(&tabs_[static_cast<size_t>(i)]->rect, pt)) {
          now = i;
          break;
        }
      SetHot(hwnd(), hot, now);
      TrackMouseLeave(hwnd());
      return 0;
    }
    case WM_MOUSELEAVE:
      SetHot(hwnd(), hot, -1);
      return 0;
    case WM_GETDLGCODE: {
      // Ask for an arrow key only when it moves the selection; at the ends it goes on to
      // the dialog.
      const MSG* msg = reinterpret_cast<const MSG*>(lParam);
      if (msg && msg->message == WM_KEYDOWN && (msg->wParam == VK_LEFT || msg->wParam == VK_RIGHT)) {
        ui::TabKey key = msg->wParam == VK_LEFT ? ui::TabKey::Left : ui::TabKey::Right;
        if (ui::TabAfterKey(selected, Count(), key) >= 0) return DLGC_WANTMESSAGE;
      }
      break;
    }
    case WM_KEYDOWN: {
      ui::TabKey key = wParam == VK_LEFT ? ui::TabKey::Left : wParam == VK_RIGHT ? ui::TabKey::Right : ui::TabKey::Other;
      int target = ui::TabAfterKey(selected, Count(), key);
      if (target < 0) break;
      Select(target);
      return 0;
    }
    case WM_GETFONT:
      return SendMessageW(GetParent(hwnd()), WM_GETFONT, 0, 0);
    default:
      break;
  }
  return Default(message, wParam, lParam);
}

// The monitor list window: enumeration, drawing with the theme's colours, click selection
// and writing the selection at the end.
#include "engine/MonitorList_win.h"

// GDI+ needs the COM declarations that the lean Windows header leaves out.
#include <objidl.h>
// clang-format off
#include <gdiplus.h>
// clang-format on

#include "app/AppFlags.h"
#include "base/AppServices_win.h"
#include "base/Messages.h"
#include "settings/SettingsStore.h"
#include "diag/Log.h"
#include "engine/MonitorLayout.h"
#include "engine/Monitor_win.h"
#include "engine/VideoWnd_win.h"
#include "ui/Theme.h"

namespace {
constexpr wchar_t kClassName[] = L"QendorMonitorList";

BOOL CALLBACK EnumMonitor(HMONITOR monitor, HDC, LPRECT rect, LPARAM param) {
  reinterpret_cast<CMonitorList*>(param)->AddMonitor(monitor, rect);
  return TRUE;
}
}  // namespace

CMonitorList::CMonitorList()
    : backgroundColour(ui::ThemeColours()[26]),
      boxColour(ui::ThemeColours()[28]),
      selectedBoxColour(ui::ThemeColours()[29]),
      textColour(ui::ThemeColours()[27]),
      allMonitor(std::make_unique<CMonitor>(nullptr, nullptr, 0)) {}

CMonitorList::~CMonitorList() {
  DestroyWindow();
  Clear();
}

bool CMonitorList::Create(HWND parent, const RECT& rect, UINT id) {
  InstallVideoWndFactory();
  RegisterWindowClass(kClassName, CS_DBLCLKS, nullptr, nullptr);
  return CWnd::Create(0, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, rect.left, rect.top,
                      rect.right - rect.left, rect.bottom - rect.top, parent, id);
}

void CMonitorList::AddMonitor(HMONITOR monitor, const RECT* rect) {
  if (!rect) return;
  InsertMonitor(monitors, MakeMonitor(monitor, rect, Count()));
}

void CMonitorList::ArrangeDisplayRects() { ::ArrangeDisplayRects(monitors); }

void CMonitorList::Clear() {
  for (auto& monitor : monitors) monitor.reset();
  monitors.clear();
  allMonitor.reset();
}

void CMonitorList::SetAllMode(bool on) {
  if (allMode == on) return;
  allMode = on;
  if (hwnd()) InvalidateRect(hwnd(), nullptr, FALSE);
}

void CMonitorList::SetSelected(int index) {
  selected = index;
  if (hwnd()) InvalidateRect(hwnd(), nullptr, FALSE);
}

void CMonitorList::OnCreate() {
  HDC dc = GetDC(hwnd());
  int height = -(GetDeviceCaps(dc, LOGPIXELSY) * 9 / 72);
  ReleaseDC(hwnd(), dc);
  labelFont.reset(CreateFontW(height, 0, 0, 0, 600, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                              CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH, ui::kThemeFaceName));
  if (!monitors.empty()) return;
  EnumDisplayMonitors(nullptr, nullptr, EnumMonitor, reinterpret_cast<LPARAM>(this));
  selected = RestoreSelected(selected, Count());
  LogMessage(Info, "Detected %d monitors", Count());
  ArrangeDisplayRects();
}

void CMonitorList::OnDestroy() {
  if (!Flags().uninstalling) WriteProfileInt(L"Video", L"Selected", selected);
  Clear();
}

void CMonitorList::Paint(HDC target) {
  RECT client;
  GetClientRect(hwnd(), &client);
  int width = client.right, height = client.bottom;
  if (width <= 0 || height <= 0) return;
  UniqueHdc dc(CreateCompatibleDC(target));
  UniqueGdiObject bitmap(CreateCompatibleBitmap(target, width, height));
  HGDIOBJ oldBitmap = SelectObject(dc.get(), bitmap.get());

  UniqueGdiObject background(CreateSolidBrush(backgroundColour));
  FillRect(dc.get(), &client, static_cast<HBRUSH>(background.get()));

  int dpi = static_cast<int>(WindowDpi(hwnd()));
  int band = monitor_layout::BandHeight(dpi);
  std::wstring title = LoadResString(monitor_layout::TitleStringId(Count()));
  if (Count() > 1) {
    wchar_t text[128];
    swprintf(text, 128, L"%d", Count());
    size_t at = title.find(L"%d");
    if (at != std::wstring::npos) title.replace(at, 2, text);
  }
  HFONT mainFont = reinterpret_cast<HFONT>(SendMessageW(GetParent(hwnd()), WM_GETFONT, 0, 0));
  HGDIOBJ oldFont = SelectObject(dc.get(), mainFont ? mainFont : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc.get(), TRANSPARENT);
  SetTextColor(dc.get(), textColour);
  RECT titleRect{0, 0, width, band};
  DrawTextW(dc.get(), title.c_str(), -1, &titleRect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);

  if (!monitors.empty()) {
    monitor_layout::LayoutBoxes(monitors, width, height, dpi);
    Gdiplus::Graphics graphics(dc.get());
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    SelectObject(dc.get(), labelFont ? labelFont.get() : GetStockObject(DEFAULT_GUI_FONT));
    UniqueGdiObject boxBrush(CreateSolidBrush(boxColour));
    UniqueGdiObject selectedBrush(CreateSolidBrush(selectedBoxColour));
    for (int i = 0; i < Count(); ++i) {
      CMonitor& m = *monitors[static_cast<size_t>(i)];
      bool isSelected = allMode || i == selected;
      RECT item = ToRect(m.itemRect);
      FillRect(dc.get(), &item, static_cast<HBRUSH>(isSelected ? selectedBrush.get() : boxBrush.get()));
      MonitorRect circle = monitor_layout::CircleRect(m.itemRect, dpi);
      COLORREF circleColour = isSelected ? boxColour : selectedBoxColour;
      Gdiplus::SolidBrush brush(Gdiplus::Color(ui::ToArgb(circleColour)));
      graphics.FillEllipse(&brush, circle.left, circle.top, circle.Width(), circle.Height());
      graphics.Flush(Gdiplus::FlushIntentionSync);
      SetTextColor(dc.get(), isSelected ? selectedBoxColour : boxColour);
      RECT labelRect = ToRect(circle);
      DrawTextW(dc.get(), m.label.c_str(), -1, &labelRect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
  }
  SelectObject(dc.get(), oldFont);
  BitBlt(target, 0, 0, width, height, dc.get(), 0, 0, SRCCOPY);
  SelectObject(dc.get(), oldBitmap);
}

LRESULT CMonitorList::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      OnCreate();
      return 0;
    case WM_DESTROY:
      OnDestroy();
      break;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd(), &ps);
      Paint(dc);
      EndPaint(hwnd(), &ps);
      return 0;
    }
    case WM_LBUTTONDOWN: {
      int hit =
          monitor_layout::HitTest(monitors, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
      if (hit >= 0 && hit != selected) {
        selected = hit;
        InvalidateRect(hwnd(), nullptr, FALSE);
        PostMessageW(GetParent(hwnd()), WM_APP_MONITOR_SELECTED, static_cast<WPARAM>(hit),
                     reinterpret_cast<LPARAM>(hwnd()));
      }
      break;
    }
  }
  return Default(message, wParam, lParam);
}

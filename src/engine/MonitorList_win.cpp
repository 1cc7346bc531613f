// The monitor list window: enumeration, drawing with the theme's colours, click selection
// and writing the selection at the end.
#include "engine/MonitorList_win.h"

// GDI+ needs the COM declarations that the lean Windows header leaves out.
#include <objidl.h>
// clang-format off
#include <gdiplus.h>
// clang-format on

#include "base/Resources_win.h"
#include "base/Dpi_win.h"
#include "base/Messages.h"
#include "base/Text.h"
#include "diag/Log.h"
#include "engine/MonitorLayout.h"
#include "engine/Monitor_win.h"
#include "ui/CBufferDC_win.h"
#include "ui/Theme.h"

namespace {
constexpr wchar_t kClassName[] = L"QendorMonitorList";
}  // namespace

CMonitorList::CMonitorList()
    : backgroundColour(ui::ThemeColour(ui::kColourMonitorListBack)),
      boxColour(ui::ThemeColour(ui::kColourMonitorBox)),
      selectedBoxColour(ui::ThemeColour(ui::kColourMonitorBoxSelected)),
      textColour(ui::ThemeColour(ui::kColourMonitorListText)) {}

CMonitorList::~CMonitorList() { DestroyWindow(); }

bool CMonitorList::Create(HWND parent, const RECT& rect, UINT id) {
  RegisterWindowClass(kClassName, CS_DBLCLKS, nullptr, nullptr);
  return CWnd::Create(0, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, rect.left, rect.top,
                      rect.right - rect.left, rect.bottom - rect.top, parent, id);
}

void CMonitorList::SetMonitors(MonitorArray* monitors) {
  monitors_ = monitors;
  if (hwnd()) InvalidateRect(hwnd(), nullptr, FALSE);
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
}

void CMonitorList::Paint(HDC target, const RECT& client) {
  int width = client.right, height = client.bottom;
  if (width <= 0 || height <= 0) return;
  CBufferDC buffer(target, client);
  if (!buffer.IsValid()) return;
  HDC dc = buffer.dc();

  UniqueGdiObject background(CreateSolidBrush(backgroundColour));
  FillRect(dc, &client, static_cast<HBRUSH>(background.get()));

  int dpi = static_cast<int>(WindowDpi(hwnd()));
  int band = monitor_layout::BandHeight(dpi);
  std::wstring title = LoadResString(monitor_layout::TitleStringId(Count()));
  if (Count() > 1) title = base::InsertNumber(std::move(title), Count());
  HFONT mainFont = reinterpret_cast<HFONT>(SendMessageW(GetParent(hwnd()), WM_GETFONT, 0, 0));
  HGDIOBJ oldFont = SelectObject(dc, mainFont ? mainFont : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, textColour);
  RECT titleRect{0, 0, width, band};
  DrawTextW(dc, title.c_str(), -1, &titleRect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);

  if (Count() > 0) {
    MonitorArray& monitors = *monitors_;
    monitor_layout::LayoutBoxes(monitors, width, height, dpi);
    Gdiplus::Graphics graphics(dc);
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    SelectObject(dc, labelFont ? labelFont.get() : GetStockObject(DEFAULT_GUI_FONT));
    UniqueGdiObject boxBrush(CreateSolidBrush(boxColour));
    UniqueGdiObject selectedBrush(CreateSolidBrush(selectedBoxColour));
    for (int i = 0; i < Count(); ++i) {
      CMonitor& m = *monitors[static_cast<size_t>(i)];
      bool isSelected = allMode || i == selected;
      RECT item = ToRect(m.itemRect);
      FillRect(dc, &item, static_cast<HBRUSH>(isSelected ? selectedBrush.get() : boxBrush.get()));
      MonitorRect circle = monitor_layout::CircleRect(m.itemRect, dpi);
      COLORREF circleColour = isSelected ? boxColour : selectedBoxColour;
      Gdiplus::SolidBrush brush(Gdiplus::Color(ui::ToArgb(circleColour)));
      graphics.FillEllipse(&brush, circle.left, circle.top, circle.Width(), circle.Height());
      graphics.Flush(Gdiplus::FlushIntentionSync);
      SetTextColor(dc, isSelected ? selectedBoxColour : boxColour);
      RECT labelRect = ToRect(circle);
      DrawTextW(dc, m.label.c_str(), -1, &labelRect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
  }
  SelectObject(dc, oldFont);
}

LRESULT CMonitorList::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      OnCreate();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd(), &ps);
      RECT client;
      GetClientRect(hwnd(), &client);
      Paint(dc, client);
      EndPaint(hwnd(), &ps);
      return 0;
    }
    case WM_LBUTTONDOWN: {
      if (!monitors_) break;
      int hit =
          monitor_layout::HitTest(*monitors_, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
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

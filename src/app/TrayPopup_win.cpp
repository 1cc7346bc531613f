// The tray popup: the layered frame, the colour-keyed button panel, placement at the cursor
// and the ways it goes.
#include "app/TrayPopup_win.h"

// GDI+ needs the COM declarations that the lean Windows header leaves out.
#include <objidl.h>
// clang-format off
#include <gdiplus.h>
// clang-format on

#include "app/TrayPlacement.h"
#include "base/Dpi_win.h"
#include "base/Messages.h"
#include "base/ResourceIds.h"
#include "base/Resources_win.h"
#include "ui/Theme_win.h"

namespace {

// Escape closes the popup. The main window's modal loop does not give the popup's keys to a
// dialog manager, so a message hook of this thread watches for it while the popup is shown.
HWND g_escapeFrame = nullptr;
HWND g_escapeMain = nullptr;
LRESULT CALLBACK EscapeHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && wParam == PM_REMOVE) {
    const MSG* msg = reinterpret_cast<const MSG*>(lParam);
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_ESCAPE && g_escapeFrame &&
        (msg->hwnd == g_escapeFrame || IsChild(g_escapeFrame, msg->hwnd)))
      PostMessageW(g_escapeMain, WM_APP_TRAY_POPUP_CLOSE, 0, reinterpret_cast<LPARAM>(g_escapeFrame));
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}
UniqueHook g_escapeHook;
}  // namespace

// ---- Panel ---------------------------------------------------------------------------

CTrayDlg::CTrayDlg() : CDialog(IDD_TRAY_PANEL) {}

void CTrayDlg::SetBackground(const PngImage* frame, POINT offset, SIZE frameSize) {
  frame_ = frame;
  offset_ = offset;
  frameSize_ = frameSize;
  if (hwnd()) InvalidateRect(hwnd(), nullptr, TRUE);
}

BOOL CTrayDlg::OnInitDialog() {
  int pictureSize = ScaleForWindow(hwnd(), 16), margin = ScaleForWindow(hwnd(), 8);
  const struct {
    CCustButton* button;
    int id;
    UINT normal, hover;
  } buttons[] = {{&pauseButton, IDC_TRAY_PAUSE, IDP_TRAY_PAUSE, IDP_TRAY_PAUSE_HOT},
                 {&muteButton, IDC_TRAY_MUTE, IDP_TRAY_MUTE, IDP_TRAY_MUTE_HOT},
                 {&openButton, IDC_TRAY_OPEN, IDP_TRAY_OPEN, IDP_TRAY_OPEN_HOT},
                 {&quitButton, IDC_TRAY_QUIT, IDP_TRAY_QUIT, IDP_TRAY_QUIT_HOT}};
  for (const auto& b : buttons) {
    b.button->Attach(GetDlgItem(hwnd(), b.id));
    b.button->backgroundColour = Theme()[ui::kColourNight];
    b.button->fillColour = Theme()[ui::kColourPageBack];
    b.button->hoverFillColour = Theme()[ui::kColourAccent];
    b.button->imageWidth = b.button->imageHeight = pictureSize;
    b.button->imageMargin = margin;
    b.button->SetImages(b.normal, b.hover);
  }
  SetWindowTextW(openButton.hwnd(), LoadResString(IDS_TRAY_OPEN).c_str());
  SetWindowTextW(quitButton.hwnd(), LoadResString(IDS_TRAY_QUIT).c_str());
  SetTrayState(paused, muted);
  return FALSE;
}

void CTrayDlg::SetTrayState(bool pausedNow, bool mutedNow) {
  paused = pausedNow;
  muted = mutedNow;
  if (!hwnd()) return;
  SetWindowTextW(pauseButton.hwnd(), LoadResString(paused ? IDS_TRAY_PLAY : IDS_TRAY_PAUSE).c_str());
  pauseButton.SetImages(paused ? IDP_TRAY_PLAY : IDP_TRAY_PAUSE, paused ? IDP_TRAY_PLAY_HOT : IDP_TRAY_PAUSE_HOT);
  SetWindowTextW(muteButton.hwnd(), LoadResString(muted ? IDS_TRAY_UNMUTE : IDS_TRAY_MUTE).c_str());
  muteButton.SetImages(muted ? IDP_TRAY_UNMUTE : IDP_TRAY_MUTE, muted ? IDP_TRAY_UNMUTE_HOT : IDP_TRAY_MUTE_HOT);
  InvalidateRect(hwnd(), nullptr, TRUE);
}

INT_PTR CTrayDlg::HandleMessage(UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_ERASEBKGND: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      RECT client;
      GetClientRect(hwnd(), &client);
      HBRUSH night = CreateSolidBrush(Theme()[ui::kColourNight]);
      FillRect(dc, &client, night);
      DeleteObject(night);
      if (frame_) frame_->Draw(dc, -offset_.x, -offset_.y, frameSize_.cx, frameSize_.cy);
      SetResult(1);
      return TRUE;
    }
    case WM_CTLCOLORDLG:
      return reinterpret_cast<INT_PTR>(GetStockObject(NULL_BRUSH));
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED) {
        UINT command = 0;
        switch (LOWORD(wParam)) {
          case IDC_TRAY_PAUSE: command = ID_TRAY_PAUSE; break;
          case IDC_TRAY_MUTE: command = ID_TRAY_MUTE; break;
          case IDC_TRAY_OPEN: command = ID_TRAY_OPEN; break;
          case IDC_TRAY_QUIT: command = ID_TRAY_QUIT; break;
        }
        if (command) PostMessageW(mainWindow_, WM_COMMAND, command, 0);
        return TRUE;
      }
      return FALSE;
    case WM_LBUTTONUP:
      PostMessageW(mainWindow_, WM_APP_TRAY_POPUP_CLOSE, 0, reinterpret_cast<LPARAM>(GetParent(hwnd())));
      return TRUE;
  }
  return FALSE;
}

// ---- Frame ---------------------------------------------------------------------------

CTrayFrameDlg::CTrayFrameDlg() : CDialog(IDD_TRAY_FRAME) {}

void CTrayFrameDlg::SetMainWindow(HWND mainWindow) {
  mainWindow_ = mainWindow;
  panel.SetMainWindow(mainWindow);
}

BOOL CTrayFrameDlg::OnInitDialog() {
  // Drawn without a caption: the window rectangle of the captioned dialog is the picture's.
  LONG style = GetWindowLongW(hwnd(), GWL_STYLE);
  SetWindowLongW(hwnd(), GWL_STYLE, (style & ~(WS_CAPTION | WS_THICKFRAME | DS_MODALFRAME)) | WS_POPUP | WS_CLIPCHILDREN);
  SetWindowLongW(hwnd(), GWL_EXSTYLE, GetWindowLongW(hwnd(), GWL_EXSTYLE) & ~WS_EX_DLGMODALFRAME);
  // The client area becomes the whole window, whose size stays the captioned dialog's.
  SetWindowPos(hwnd(), nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  picture_.LoadPng(IDP_TRAY_FRAME);
  if (panel.CreateModeless(hwnd())) {
    FitPanel();
    CentrePanel();
    ShowWindow(panel.hwnd(), SW_SHOW);
  }
  ShapeFrame();
  return FALSE;
}

void CTrayFrameDlg::FitPanel() {
  // The frame is the captioned dialog's window, and captions are lower on some systems (Wine)
  // than the four buttons need: grow it so that the panel stays inside the box above the
  // pointer (the box ends at 303 of the picture's 320 rows).
  RECT frame, own;
  GetWindowRect(hwnd(), &frame);
  GetWindowRect(panel.hwnd(), &own);
  int width = frame.right - frame.left, height = frame.bottom - frame.top;
  int panelWidth = own.right - own.left, panelHeight = own.bottom - own.top;
  int needed = (panelHeight * 320 + 302) / 303;
  if (height >= needed && width >= panelWidth) return;
  SetWindowPos(hwnd(), nullptr, 0, 0, width > panelWidth ? width : panelWidth, height > needed ? height : needed,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CTrayFrameDlg::CentrePanel() {
  if (!panel.hwnd()) return;
  RECT frame, own;
  GetWindowRect(hwnd(), &frame);
  GetWindowRect(panel.hwnd(), &own);
  int frameWidth = frame.right - frame.left, panelWidth = own.right - own.left;
  POINT at{frameWidth / 2 - panelWidth / 2, 0};
  SetWindowPos(panel.hwnd(), nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  panel.SetBackground(&picture_, at, SIZE{frameWidth, frame.bottom - frame.top});
}

void CTrayFrameDlg::ShapeFrame() {
  RECT window;
  GetWindowRect(hwnd(), &window);
  int width = window.right - window.left, height = window.bottom - window.top;
  if (width <= 0 || height <= 0 || !picture_.IsLoaded()) return;
  // The picture at the window's size; its opaque pixels (alpha of half or more) make the
  // window's region, one rectangle per run of them in each row.
  Gdiplus::Bitmap scaled(width, height, PixelFormat32bppARGB);
  {
    Gdiplus::Graphics graphics(&scaled);
    picture_.Draw(&graphics, 0, 0, width, height);
  }
  Gdiplus::BitmapData data{};
  Gdiplus::Rect all(0, 0, width, height);
  if (scaled.LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &data) != Gdiplus::Ok) return;
  UniqueGdiObject region(CreateRectRgn(0, 0, 0, 0));
  for (int y = 0; y < height; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(data.Scan0) + y * data.Stride);
    int x = 0;
    while (x < width) {
      while (x < width && (row[x] >> 24) < 128) ++x;
      int start = x;
      while (x < width && (row[x] >> 24) >= 128) ++x;
      if (x > start) {
        UniqueGdiObject run(CreateRectRgn(start, y, x, y + 1));
        CombineRgn(static_cast<HRGN>(region.get()), static_cast<HRGN>(region.get()), static_cast<HRGN>(run.get()),
                   RGN_OR);
      }
    }
  }
  scaled.UnlockBits(&data);
  // The window owns the region from here on.
  if (SetWindowRgn(hwnd(), static_cast<HRGN>(region.get()), TRUE)) region.release();
}

void CTrayFrameDlg::Paint(HDC dc) {
  RECT window;
  GetWindowRect(hwnd(), &window);
  RECT client{0, 0, window.right - window.left, window.bottom - window.top};
  HBRUSH night = CreateSolidBrush(Theme()[ui::kColourNight]);
  FillRect(dc, &client, night);
  DeleteObject(night);
  picture_.Draw(dc, 0, 0, client.right, client.bottom);
}

void CTrayFrameDlg::Show() {
  POINT cursor{};
  GetCursorPos(&cursor);
  if (!hwnd() && !CreateModeless(mainWindow_)) return;
  if (!panel.hwnd()) return;
  HMONITOR monitor = MonitorFromPoint(cursor, MONITOR_DEFAULTTONEAREST);
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  GetMonitorInfoW(monitor, &info);
  RECT frame;
  GetWindowRect(hwnd(), &frame);
  app::TrayPoint at = app::PlaceTrayPopup({cursor.x, cursor.y}, frame.right - frame.left, frame.bottom - frame.top,
                                          {info.rcMonitor.left, info.rcMonitor.top, info.rcMonitor.right,
                                           info.rcMonitor.bottom});
  SetWindowPos(hwnd(), HWND_TOPMOST, at.x, at.y, 0, 0, SWP_NOACTIVATE | SWP_NOSIZE);
  ShowWindow(hwnd(), SW_SHOW);
  SetForegroundWindow(hwnd());
  g_escapeFrame = hwnd();
  g_escapeMain = mainWindow_;
  if (!g_escapeHook) g_escapeHook.reset(SetWindowsHookExW(WH_GETMESSAGE, EscapeHook, nullptr, GetCurrentThreadId()));
}

void CTrayFrameDlg::Hide() {
  g_escapeHook.reset();
  g_escapeFrame = nullptr;
  if (!hwnd()) return;
  // Losing activation while it goes is not a reason to close the next popup.
  hiding_ = true;
  ::DestroyWindow(hwnd());
  hiding_ = false;
}

bool CTrayFrameDlg::IsCloseFor(LPARAM frame) const {
  return frame == 0 || reinterpret_cast<HWND>(frame) == hwnd();
}

INT_PTR CTrayFrameDlg::HandleMessage(UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE && !hiding_)
        PostMessageW(mainWindow_, WM_APP_TRAY_POPUP_CLOSE, 0, reinterpret_cast<LPARAM>(hwnd()));
      return FALSE;
    case WM_LBUTTONUP:
      PostMessageW(mainWindow_, WM_APP_TRAY_POPUP_CLOSE, 0, reinterpret_cast<LPARAM>(hwnd()));
      return TRUE;
    case WM_SIZE:
      CentrePanel();
      return FALSE;
    case WM_ERASEBKGND:
      SetResult(1);
      return TRUE;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd(), &ps);
      Paint(dc);
      EndPaint(hwnd(), &ps);
      return TRUE;
    }
    case WM_COMMAND:
      // The frame's own dialog keys (Escape, Enter) never end anything but the popup.
      if (LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == IDOK) {
        PostMessageW(mainWindow_, WM_APP_TRAY_POPUP_CLOSE, 0, reinterpret_cast<LPARAM>(hwnd()));
        return TRUE;
      }
      return FALSE;
  }
  return FALSE;
}

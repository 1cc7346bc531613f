// The wallpaper window: finding the desktop's wallpaper layer, creating and moving the
// window, the player it owns, looping, the maximised-window pause, overlay and volume.
#include "engine/VideoWnd_win.h"

#include <dwmapi.h>

#include <string>

#include "base/Modal_win.h"
#include "base/Resources_win.h"
#include "base/Messages.h"
#include "base/OsVersion_win.h"
#include "base/ResourceIds.h"
#include "base/Text.h"
#include "diag/Log.h"
#include "engine/Monitor_win.h"
#include "engine/Player_win.h"

namespace {

constexpr wchar_t kClassName[] = L"QendorVideoWnd";
constexpr UINT kSpawnWorker = 0x052C;  // asks the shell to put a wallpaper layer behind the icons

void AskShellForLayer(HWND progman) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(progman, kSpawnWorker, 0x0D, 0, SMTO_NORMAL, 1000, &result);
  SendMessageTimeoutW(progman, kSpawnWorker, 0x0D, 1, SMTO_NORMAL, 1000, &result);
}

BOOL CALLBACK FindLayerBehindIcons(HWND window, LPARAM param) {
  if (FindWindowExW(window, nullptr, L"SHELLDLL_DefView", nullptr)) {
    HWND next = FindWindowExW(nullptr, window, L"WorkerW", nullptr);
    if (next) *reinterpret_cast<HWND*>(param) = next;  // the last match wins
  }
  return TRUE;
}

// Virtual screen: the wallpaper layer's area when there is no shell to hold it.
RECT VirtualScreen() {
  int x = GetSystemMetrics(SM_XVIRTUALSCREEN), y = GetSystemMetrics(SM_YVIRTUALSCREEN);
  return RECT{x, y, x + GetSystemMetrics(SM_CXVIRTUALSCREEN), y + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

}  // namespace

bool CVideoWnd::RunningOnWine() const {
  if (services_.wineMode >= 0) return services_.wineMode != 0;
  return IsRunningOnWine();
}

HWND CVideoWnd::FindWallpaperLayer() {
  HWND progman = FindWindowW(L"Progman", nullptr);
  if (!progman) return nullptr;
  AskShellForLayer(progman);
  HWND layer = nullptr;
  EnumWindows(FindLayerBehindIcons, reinterpret_cast<LPARAM>(&layer));
  // Since Windows 11 24H2 the shell keeps the wallpaper's WorkerW inside Progman, so the
  // search above finds nothing there: take Progman's own WorkerW.
  if (!layer) layer = FindWindowExW(progman, nullptr, L"WorkerW", nullptr);
  return layer;
}

CVideoWnd::CVideoWnd(const VideoWndServices& services) : services_(services) {}

CVideoWnd::~CVideoWnd() {
  // Destroy here: once this object is gone, the window's messages no longer reach OnDestroy.
  DestroyWindow();
  if (player) {
    player->Shutdown();
    player->Release();
    player = nullptr;
  }
}

void CVideoWnd::Destroy() { DestroyWindow(); }

bool CVideoWnd::Create(CMonitor& monitor) {
  // A new place or size: the picture is measured and set up again at the next start.
  coverFit_.reset();
  presented_ = false;
  HWND layer = FindWallpaperLayer();
  bool bottomMost = false;
  if (!layer) {
    // Wine has no desktop shell: a window kept below every other top-level window stands in
    // for the layer. On Windows a missing layer is an error.
    if (!RunningOnWine()) {
      LogMessage(Error, "Failed to get desktop window");
      ShowAppMessageId(hwnd(), IDS_NO_DESKTOP_WINDOW, MB_ICONEXCLAMATION);
      return false;
    }
    bottomMost = true;
  }
  RECT target;
  if (bottomMost) {
    RECT screen = VirtualScreen();
    if (monitor.displayRect.IsEmpty()) {
      target = screen;
    } else {
      target = ToRect(monitor.displayRect);
      OffsetRect(&target, screen.left, screen.top);
    }
  } else if (monitor.displayRect.IsEmpty()) {
    GetClientRect(layer, &target);
  } else {
    target = ToRect(monitor.displayRect);
  }

  if (hwnd()) {
    RECT current;
    GetWindowRect(hwnd(), &current);
    if (EqualRect(&current, &target)) return true;
    MoveWindow(hwnd(), target.left, target.top, target.right - target.left, target.bottom - target.top, TRUE);
    return true;
  }

  RegisterWindowClass(kClassName, 0, nullptr, nullptr);
  bottomMost_ = bottomMost;
  bool created;
  if (bottomMost) {
    LogMessage(Info, "No desktop wallpaper layer: bottom-most window");
    created = CWnd::Create(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kClassName, L"", WS_POPUP | WS_VISIBLE, target.left,
                           target.top, target.right - target.left, target.bottom - target.top, nullptr, 0);
    if (created) SetWindowPos(hwnd(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  } else {
    created = CWnd::Create(0, kClassName, L"", WS_CHILD | WS_VISIBLE, target.left, target.top,
                           target.right - target.left, target.bottom - target.top, layer, 0);
  }
  if (!created) {
    LogMessage(Error, "CWnd::Create failed. Error: %d", static_cast<int>(GetLastError()));
    ShowAppMessageId(nullptr, IDS_VIDEO_WINDOW_FAILED, MB_ICONEXCLAMATION);
    return false;
  }
  return true;
}

bool CVideoWnd::OnCreate() {
  HRESULT hr = CPlayer::CreateInstance(hwnd(), hwnd(), &player);
  if (FAILED(hr)) {
    player = nullptr;
    LogCallFailed("Player CreateInstance", hr);
    ShowAppMessage(hwnd(), base::InsertTexts(LoadResString(IDS_PLAYER_FAILED), {SystemErrorText(static_cast<DWORD>(hr))}),
                   MB_ICONEXCLAMATION);
    return false;
  }
  RECT client;
  GetClientRect(hwnd(), &client);
  int width = client.right > 0 ? client.right : 1, height = client.bottom > 0 ? client.bottom : 1;
  {
    HDC screen = GetDC(nullptr);
    blackBitmap.reset(CreateCompatibleBitmap(screen, width, height));
    UniqueHdc memory(CreateCompatibleDC(screen));
    ReleaseDC(nullptr, screen);
    if (blackBitmap && memory) {
      HGDIOBJ old = SelectObject(memory.get(), blackBitmap.get());
      PatBlt(memory.get(), 0, 0, width, height, BLACKNESS);
      SelectObject(memory.get(), old);
    }
  }
  player->SetVolume(volume);
  player->SetStretched(stretched);
  player->SetVideoPosition(cover, posX, posY);
  player->SetOverlay(overlayAlpha, overlayEnabled, static_cast<HBITMAP>(blackBitmap.get()));
  timerId = SetTimer(hwnd(), kTimerId, kTimerPeriod, nullptr);
  TimerStep();
  return true;
}

// Under Wine 8 a video session closed while it plays can deadlock Wine's renderer (the close
// times out, or never returns), after which the next file opened in the process never opens; a
// session whose pause has been reported, or whose end has, closes cleanly. So under Wine a
// playing session is paused, and the report of its pause (or of its end, when the clip ends
// first) awaited, at most 3 s, before it is closed or replaced; a session between the end of
// its presentation and the report of its end is given that report. On Windows sessions close
// as they are.
void CVideoWnd::SettleForClose() {
  if (!RunningOnWine() || !hwnd() || !player) return;
  const bool playing = PlayerIsRunning(CPlayer::Started);
  if (!playing && !endPending_) return;
  if (playing && FAILED(player->Pause())) return;
  // A pause asked for is waited for even when the clip's end comes first: the pause is then
  // still on its way, and the session must not be closed under it.
  awaiting_ = playing ? Awaiting::Pause : Awaiting::End;
  ULONGLONG deadline = GetTickCount64() + 3000;
  while (awaiting_ != Awaiting::Nothing && player && GetTickCount64() < deadline) {
    MSG msg;
    if (PeekMessageW(&msg, hwnd(), WM_APP_PLAYER_EVENT, WM_APP_PLAYER_EVENT, PM_REMOVE)) {
      DispatchMessageW(&msg);
      continue;
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_POSTMESSAGE);
  }
  awaiting_ = Awaiting::Nothing;
}

void CVideoWnd::OnDestroy() {
  if (timerId) KillTimer(hwnd(), timerId);
  timerId = 0;
  SettleForClose();
  if (player) {
    player->Shutdown();
    player->Release();
    player = nullptr;
  }
  CPlayer::DropPendingEvents(hwnd());
  HWND progman = FindWindowW(L"Progman", nullptr);
  if (progman) {
    AskShellForLayer(progman);
    if (HWND layer = FindWallpaperLayer()) InvalidateRect(layer, nullptr, TRUE);
  }
}

void CVideoWnd::ApplyStretchAndPosition(bool stretch, bool coverMode, float x, float y) {
  coverFit_.reset();
  stretched = stretch;
  cover = coverMode;
  posX = x;
  posY = y;
  if (!player) return;
  player->SetStretched(stretched);
  player->SetVideoPosition(cover, posX, posY);
}

void CVideoWnd::ApplyOverlay(float alpha, bool enabled) {
  overlayAlpha = alpha;
  overlayEnabled = enabled;
  if (player) player->SetOverlay(overlayAlpha, overlayEnabled, static_cast<HBITMAP>(blackBitmap.get()));
}

void CVideoWnd::ApplyVolume(float level) {
  volume = level;
  if (!player || !player->HasStreamVolume()) return;
  float current = 0.0f;
  if (FAILED(player->GetVolume(&current))) current = 0.0f;
  float decided = Decision().level;
  if (current != decided) player->SetVolume(decided);
}

int32_t CVideoWnd::Open(const std::wstring& path) {
  coveredByMaximised = false;
  presented_ = false;
  coverFit_.reset();
  if (!player) return E_FAIL;
  SettleForClose();
  path_ = path;
  loopReopen_ = false;
  HRESULT hr = player->OpenURL(path.c_str());
  endPending_ = false;
  restartPending_ = false;
  if (FAILED(hr))
    ShowAppMessage(hwnd(), base::InsertTexts(LoadResString(IDS_OPEN_FAILED), {path, SystemErrorText(static_cast<DWORD>(hr))}),
                   MB_ICONEXCLAMATION);
  return hr;
}

int32_t CVideoWnd::Pause(bool paused) {
  userPaused = paused;
  return ApplyPlayback();
}

bool CVideoWnd::HasAudio() const { return player && player->HasStreamVolume(); }

std::optional<WallpaperWindow::CoverFit> CVideoWnd::CoverSize() const {
  if (!player || !hwnd()) return std::nullopt;
  if (coverFit_) return coverFit_;  // the same file, window and mode as when it was measured
  RECT client;
  GetClientRect(hwnd(), &client);
  CoverFit fit;
  fit.clientWidth = client.right;
  fit.clientHeight = client.bottom;
  if (FAILED(player->GetCoverSize(client, &fit.coverWidth, &fit.coverHeight))) return std::nullopt;
  coverFit_ = fit;
  return fit;
}

// Under Wine 8 a video session started again from its beginning stalls after a loop or two (the
// picture freezes and its end never comes); a session opened afresh plays on, but Wine keeps
// most of every closed video session (some 45 MB and a few threads each, measured at 1600x900),
// and larger pictures (720p, 1080p) stall even so. So the Part's loop stays the default under
// Wine too; QENDOR_WINE_LOOP=reopen has a wallpaper with a picture open its file again at each
// end instead (./run does, for its short demo).
bool CVideoWnd::ReopensAtEachEnd() const {
  if (!RunningOnWine() || path_.empty() || !player->HasDisplayControl()) return false;
  wchar_t asked[16] = {};
  return GetEnvironmentVariableW(L"QENDOR_WINE_LOOP", asked, 16) > 0 && std::wstring_view(asked) == L"reopen";
}

int32_t CVideoWnd::StartAgain() {
  if (!ReopensAtEachEnd()) return player->Play();
  LogMessage(Info, "Loop: open the file again");
  presented_ = false;  // a new session has a new presenter
  loopReopen_ = true;
  return player->OpenURL(path_.c_str());
}

engine::PlaybackDecision CVideoWnd::Decision() const {
  return services_.policy.Decide({userPaused, coveredByMaximised, volume});
}

int32_t CVideoWnd::ApplyPlayback() {
  if (!player) return E_FAIL;
  engine::PlaybackDecision decision = Decision();
  if (player->HasStreamVolume()) {
    float current = 0.0f;
    if (FAILED(player->GetVolume(&current))) current = 0.0f;
    if (current != decision.level) player->SetVolume(decision.level);
  }
  if (restartPending_ && !decision.paused) {
    restartPending_ = false;
    if (player->HasSessionAndSource()) return StartAgain();
  }
  if (decision.paused && PlayerIsRunning(CPlayer::Started)) return player->Pause();
  if (!decision.paused && PlayerIsRunning(CPlayer::Paused)) return player->Resume();
  return S_OK;
}

bool CVideoWnd::IsMaximisedOver(HWND window) {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof(placement);
  if (!GetWindowPlacement(window, &placement)) {
    LogMessage(Error, "GetWindowPlacement failed. Error %d", static_cast<int>(GetLastError()));
    return false;
  }
  if (placement.showCmd != SW_SHOWMAXIMIZED) return false;
  // A window that cannot be seen covers nothing: one hidden (a program closed to the tray
  // keeps its maximised state) or cloaked (on another virtual desktop, a suspended app).
  if (!IsWindowVisible(window)) return false;
  DWORD cloaked = 0;
  if (SUCCEEDED(DwmGetWindowAttribute(window, DWMWA_CLOAKED, &cloaked, sizeof(cloaked))) && cloaked) return false;
  RECT mine, theirs, overlap;
  GetWindowRect(hwnd(), &mine);
  GetClientRect(window, &theirs);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&theirs), 2);
  if (!IntersectRect(&overlap, &mine, &theirs)) return false;
  wchar_t title[256] = {}, className[256] = {};
  GetWindowTextW(window, title, 256);
  GetClassNameW(window, className, 256);
  if (std::wstring_view(title) == L"Photos" && std::wstring_view(className) == L"ApplicationFrameWindow") {
    if (!photosNoted) {
      photosNoted = true;
      if (window != maximisedWindow)
        LogMessage(Info,
                   "Detected maximized window. Text: %S. Class: %S. This window may be invisible, therefore not used",
                   title, className);
    }
    return false;
  }
  photosNoted = false;
  if (window != maximisedWindow) LogMessage(Info, "Detected maximized window");
  maximisedWindow = window;
  return true;
}

bool CVideoWnd::PlayerIsRunning(LONG state) const {
  return player && player->GetState() == state && player->HasSessionAndSource();
}

void CVideoWnd::TimerStep() {
  if (!player) return;
  if (!services_.policy.Inputs().pauseWhenMaximised) {
    coveredByMaximised = false;
    maximisedWindow = nullptr;
    photosNoted = false;
  } else if (!maximisedWindow || !IsMaximisedOver(maximisedWindow)) {
    // While the covering window stays maximised only that window is tested again; otherwise
    // the top-level windows are searched front to back.
    maximisedWindow = nullptr;
    struct Search {
      CVideoWnd* self;
      bool found;
    } search{this, false};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
          auto* s = reinterpret_cast<Search*>(param);
          if (window != s->self->hwnd() && s->self->IsMaximisedOver(window)) {
            s->found = true;
            return FALSE;
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    coveredByMaximised = search.found;
  } else {
    coveredByMaximised = true;
  }
  ApplyPlayback();
}

void CVideoWnd::ApplyPresentation() {
  if (player->HasStreamVolume()) player->SetVolume(Decision().level);
  player->SetStretched(stretched);
  player->SetVideoPosition(cover, posX, posY);
  player->SetOverlay(overlayAlpha, overlayEnabled, static_cast<HBITMAP>(blackBitmap.get()));
}

void CVideoWnd::OnPlayerEvent(WPARAM wParam, LPARAM lParam) {
  if (!player) {
    // The event's reference came with the message; nobody else will release it.
    if (wParam) reinterpret_cast<IMFMediaEvent*>(wParam)->Release();
    return;
  }
  auto type = static_cast<MediaEventType>(lParam);
  if (FAILED(player->HandleEvent(wParam, lParam))) return;
  const bool settling = awaiting_ != Awaiting::Nothing;
  if (type == MESessionPaused && awaiting_ == Awaiting::Pause) awaiting_ = Awaiting::Nothing;
  if (type == MESessionEnded && awaiting_ == Awaiting::End) awaiting_ = Awaiting::Nothing;
  if (type == MEEndOfPresentation) endPending_ = true;
  if (type == MESessionEnded || type == MESessionStarted) endPending_ = false;
  if (services_.appWindow)
    PostMessageW(services_.appWindow, WM_APP_WALLPAPER_EVENT, static_cast<WPARAM>(type), reinterpret_cast<LPARAM>(hwnd()));
  if (type == MESessionStarted) {
    // The presenter keeps the picture's settings from one loop of a file to the next: it is
    // asked and set up once per opened file. (Under Wine a call into the presenter at the end
    // of a loop can block for ever, and short clips end every moment.)
    if (!presented_) {
      presented_ = true;
      if (loopReopen_) {
        loopReopen_ = false;  // the same file again: measured already
      } else if (player->HasDisplayControl()) {
        SIZE size{}, aspect{};
        HRESULT hr = player->GetNativeVideoSize(&size, &aspect);
        if (FAILED(hr)) {
          LogCallFailed("IMFVideoDisplayControl::GetNativeVideoSize", hr);
        } else {
          RECT r;
          GetWindowRect(hwnd(), &r);
          LogMessage(Info, "Window rect: left: %d; top: %d; right: %d; bottom: %d; (%dx%d)", static_cast<int>(r.left),
                     static_cast<int>(r.top), static_cast<int>(r.right), static_cast<int>(r.bottom),
                     static_cast<int>(r.right - r.left), static_cast<int>(r.bottom - r.top));
          LogMessage(Info, "Native Video Size: %dx%d; Aspect ratio: %dx%d", static_cast<int>(size.cx),
                     static_cast<int>(size.cy), static_cast<int>(aspect.cx), static_cast<int>(aspect.cy));
        }
      }
      ApplyPresentation();
    }
    if (services_.policy.Inputs().pauseWhenMaximised)
      TimerStep();  // pauses at once when a maximised window covers the new video
    else
      ApplyPlayback();
  } else if (type == MESessionEnded) {
    // Every wallpaper loops for ever, except one being settled for its close; one held
    // paused (the end can meet a pause on its way) starts again when the hold is lifted.
    if (settling) return;
    if (Decision().paused)
      restartPending_ = true;
    else
      StartAgain();
  }
}

LRESULT CVideoWnd::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return OnCreate() ? 0 : -1;
    case WM_DESTROY:
      OnDestroy();
      break;
    case WM_ERASEBKGND:
      return 1;
    case WM_TIMER:
      if (wParam != timerId || !timerId) break;
      TimerStep();
      return 0;
    case WM_APP_PLAYER_EVENT:
      OnPlayerEvent(wParam, lParam);
      return 0;
    case WM_APP_SET_OVERLAY: {
      int percent = static_cast<int>(wParam);
      ApplyOverlay(static_cast<float>(percent) / 100.0f, percent > 0);
      return 0;
    }
    case WM_APP_SET_VOLUME:
      ApplyVolume(static_cast<float>(static_cast<int>(wParam)) / 100.0f);
      return 0;
    case WM_MOUSEACTIVATE:
      if (bottomMost_) return MA_NOACTIVATE;
      break;
    case WM_WINDOWPOSCHANGING:
      if (bottomMost_) {
        auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
        pos->hwndInsertAfter = HWND_BOTTOM;
        pos->flags &= ~SWP_NOZORDER;
      }
      break;
  }
  return Default(message, wParam, lParam);
}

CVideoWnd* VideoWndOf(const CMonitor& monitor) { return static_cast<CVideoWnd*>(monitor.videoWnd.get()); }

WallpaperWindowFactory VideoWndFactory(const VideoWndServices& services) {
  return [&services]() -> std::unique_ptr<WallpaperWindow> { return std::make_unique<CVideoWnd>(services); };
}

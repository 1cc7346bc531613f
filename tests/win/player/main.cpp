// Entry of the player tests: captures the log, finds the media fixtures, starts COM and Media
// Foundation, and implements the player window of the harness.
#include <gtest/gtest.h>
#include <mfapi.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>

#include "PlayerHarness.h"
#include "base/ComRef_win.h"
#include "base/Messages.h"
#include "base/OsVersion_win.h"
#include "diag/Log.h"
#include "diag/Logger.h"
#include "settings/MemoryKeyStore.h"

namespace playertest {

// --- PlayerWindow ---------------------------------------------------------------------------

PlayerWindow::PlayerWindow(int width, int height) {
  static const wchar_t* kClass = L"QendorPlayerTestWindow";
  static bool registered = false;
  if (!registered) {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kClass;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    registered = RegisterClassW(&wc) != 0;
  }
  hwnd_ = CreateWindowExW(WS_EX_TOOLWINDOW, kClass, L"player test", WS_POPUP | WS_VISIBLE, 10, 10, width, height,
                          nullptr, nullptr, GetModuleHandleW(nullptr), this);
  if (hwnd_) CPlayer::CreateInstance(hwnd_, hwnd_, &player_);
}

PlayerWindow::~PlayerWindow() {
  if (player_) {
    // Under Wine 8 a video session closed with frames in flight can hang or crash inside
    // Wine's pipeline. Measured here, the clean moments differ: a file with sound closes
    // cleanly after the session's end (a short fixture, so waiting for it is quick); a
    // video-only clip sometimes never gets there but closes cleanly once its pause is
    // reported. A paused one is closed as it is.
    loop = false;
    if (player_->GetState() == CPlayer::Started) {
      if (player_->HasStreamVolume() || !IsRunningOnWine()) {
        WaitFor(MEEndOfPresentation, Count(MEEndOfPresentation) + 1, 10000);
        WaitFor(MESessionEnded, Count(MESessionEnded) + 1, 2000);
      } else {
        const int paused = Count(MESessionPaused);
        if (SUCCEEDED(player_->Pause())) WaitFor(MESessionPaused, paused + 1, 5000);
      }
    }
    player_->Shutdown();
    player_->Release();
    player_ = nullptr;
  }
  if (hwnd_) {
    // Events still queued carry a reference each.
    MSG msg;
    while (PeekMessageW(&msg, hwnd_, WM_APP_PLAYER_EVENT, WM_APP_PLAYER_EVENT, PM_REMOVE)) {
      Microsoft::WRL::ComPtr<IUnknown> queued;
      AdoptRef(queued, reinterpret_cast<IUnknown*>(msg.wParam));
    }
    DestroyWindow(hwnd_);
  }
}

int PlayerWindow::Count(MediaEventType type) const {
  return static_cast<int>(
      std::count_if(events.begin(), events.end(), [&](const HandledEvent& e) { return e.type == type; }));
}

LRESULT CALLBACK PlayerWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<PlayerWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (message == WM_APP_PLAYER_EVENT && self) {
    if (!self->player_) {
      Microsoft::WRL::ComPtr<IUnknown> orphan;
      AdoptRef(orphan, reinterpret_cast<IUnknown*>(wParam));
      return 0;
    }
    HandledEvent handled{static_cast<MediaEventType>(lParam), S_OK, CPlayer::Closed, S_OK};
    handled.result = self->player_->HandleEvent(wParam, lParam);
    handled.stateAfter = self->player_->GetState();
    if (self->onEvent) self->onEvent(handled);
    if (SUCCEEDED(handled.result) && handled.type == MESessionEnded && self->loop) {
      handled.playResult = self->player_->Play();
    }
    self->events.push_back(handled);
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace playertest

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);

  static settings::MemoryKeyStore keys;
  static settings::SettingsStore store(keys);
  mediakit::StartLogCapture(store);
  if (!mediakit::PrepareFixtures()) {
    std::fprintf(stderr, "Could not find or generate the media fixtures (needs Wine and ffmpeg)\n");
    return 2;
  }

  HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  if (FAILED(hr)) return 3;
  hr = MFStartup(MF_VERSION, MFSTARTUP_FULL);
  if (FAILED(hr)) {
    std::fprintf(stderr, "MFStartup failed. Error 0x%08X\n", static_cast<unsigned>(hr));
    return 3;
  }
  const int result = RUN_ALL_TESTS();
  MFShutdown();
  CoUninitialize();
  StopLogging();
  return result;
}

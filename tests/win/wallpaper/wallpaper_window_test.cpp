// The wallpaper window under Wine: finding the wallpaper layer of the desktop stand-in in
// both shell layouts (built in this process, where Wine draws its children), creating and
// moving the window, the bottom-most window when there is no shell, playing and looping a
// monitor's video, the maximised-window pause, overlay and volume messages, bad files, and
// what Wine's renderer does with Cover, Contain, Stretch and the crop anchor.
#include <gtest/gtest.h>
#include <mfapi.h>
#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "../../../tools/desktop-standin/DesktopStandin.h"
#include "WallpaperHarness.h"
#include "base/Messages.h"
#include "base/OsVersion_win.h"
#include "settings/SettingsStore.h"
#include "engine/Monitor.h"
#include "engine/Player_win.h"
#include "engine/VideoWnd_win.h"

using namespace wallpapertest;

namespace {

class WallpaperTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TestStore().DeleteSection(L"Video");  // records written by earlier tests' monitors
    ClearLog();
    ClearBoxes();
  }
  void TearDown() override {
    EXPECT_TRUE(SettleBeforeClose(Wnd(), app));
    SetEnvironmentVariableW(L"QENDOR_WINE_LOOP", nullptr);
    monitor.reset();
    standin.reset();
    PumpFor(50);
  }
  // A physical monitor of the test: no platform probe, its display rectangle given directly.
  std::unique_ptr<CMonitor> TestMonitor(MonitorRect rect) {
    auto made = std::make_unique<CMonitor>(services, nullptr, &rect, 0);
    made->displayRect = rect;
    return made;
  }
  void OpenStandin(DesktopStandin::Layout layout) {
    standin = std::make_unique<DesktopStandin>(layout);
    ASSERT_TRUE(standin->Open());
  }
  CVideoWnd* Wnd() const { return monitor ? VideoWndOf(*monitor) : nullptr; }
  CPlayer* Player() const { return Wnd() ? Wnd()->Player() : nullptr; }
  CPlayer::State State() const { return Player() ? Player()->GetState() : CPlayer::Closed; }
  int Started() const { return app.Count(WM_APP_WALLPAPER_EVENT, MESessionStarted); }
  bool WaitStarted(int count, DWORD ms = 10000) {
    return PumpUntil([&] { return Started() >= count; }, ms);
  }

  AppWindow app;
  engine::PlaybackPolicy policy;
  VideoWndServices videoServices{policy, app.hwnd(), -1};
  MonitorServices services{TestStore(), VideoWndFactory(videoServices)};
  std::unique_ptr<DesktopStandin> standin;
  std::unique_ptr<CMonitor> monitor;
};

TEST_F(WallpaperTest, LayerSearchFindsTheWorkerWBehindTheIconsInBothLayouts) {
  EXPECT_EQ(CVideoWnd::FindWallpaperLayer(), nullptr) << "Wine has no shell";
  OpenStandin(DesktopStandin::Layout::Classic);
  EXPECT_EQ(standin->Wallpaper(), nullptr);
  HWND layer = CVideoWnd::FindWallpaperLayer();
  ASSERT_NE(standin->Wallpaper(), nullptr) << "0x052C split the icons from the wallpaper";
  EXPECT_EQ(layer, standin->Wallpaper());
  EXPECT_EQ(GetParent(standin->DefView()), standin->Icons());
  EXPECT_EQ(CVideoWnd::FindWallpaperLayer(), layer) << "found again, the same";
  standin.reset();
  OpenStandin(DesktopStandin::Layout::Newer);
  layer = CVideoWnd::FindWallpaperLayer();
  EXPECT_EQ(layer, standin->Wallpaper()) << "the WorkerW inside Progman";
  EXPECT_EQ(GetParent(layer), standin->Progman());
}

TEST_F(WallpaperTest, WindowStandsInTheLayerAtTheDisplayRectAndMovesKeepingItsPlayer) {
  for (auto layout : {DesktopStandin::Layout::Classic, DesktopStandin::Layout::Newer}) {
    SCOPED_TRACE(layout == DesktopStandin::Layout::Classic ? "classic" : "newer");
    OpenStandin(layout);
    monitor = TestMonitor({100, 50, 420, 230});
    // Wine's video renderer in a child of the classic layer's top-level WorkerW, in the same
    // process, can hang the session's close; that layout plays sound only here.
    monitor->settings.Path = Fixture(layout == DesktopStandin::Layout::Classic ? L"tone.wav" : L"clip.avi");
    EXPECT_EQ(monitor->RefreshWindow(), S_OK);
    ASSERT_NE(Wnd(), nullptr);
    HWND window = Wnd()->hwnd();
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(Wnd()->IsBottomMost());
    EXPECT_EQ(GetParent(window), standin->Wallpaper());
    RECT r;
    GetWindowRect(window, &r);
    MapWindowPoints(nullptr, standin->Wallpaper(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.top, 50);
    EXPECT_EQ(r.right, 420);
    EXPECT_EQ(r.bottom, 230);
    LONG style = GetWindowLongW(window, GWL_STYLE);
    EXPECT_TRUE(style & WS_CHILD);
    EXPECT_TRUE(style & WS_VISIBLE);
    EXPECT_FALSE(style & (WS_BORDER | WS_CAPTION));
    ASSERT_TRUE(WaitStarted(1));
    CPlayer* player = Player();

    monitor->displayRect = {0, 0, 160, 90};
    EXPECT_TRUE(Wnd()->Create(*monitor));
    EXPECT_EQ(Wnd()->hwnd(), window) << "moved, not made anew";
    EXPECT_EQ(Player(), player);
    GetWindowRect(window, &r);
    EXPECT_EQ(r.right - r.left, 160);
    EXPECT_EQ(r.bottom - r.top, 90);
    EXPECT_TRUE(Wnd()->Create(*monitor)) << "already there";
    EXPECT_EQ(State(), CPlayer::Started) << "the video goes on playing";

    monitor->displayRect = {};  // no usable display rectangle: the whole layer
    EXPECT_TRUE(Wnd()->Create(*monitor));
    RECT layerClient;
    GetClientRect(standin->Wallpaper(), &layerClient);
    GetWindowRect(window, &r);
    EXPECT_EQ(r.right - r.left, layerClient.right);
    EXPECT_EQ(r.bottom - r.top, layerClient.bottom);

    EXPECT_TRUE(SettleBeforeClose(Wnd(), app));
    monitor->SetPath(nullptr, false);
    EXPECT_EQ(monitor->videoWnd, nullptr);
    EXPECT_FALSE(IsWindow(window));
    monitor.reset();
    standin.reset();
    app.received.clear();
  }
}

TEST_F(WallpaperTest, WithoutAShellUnderWineTheWindowIsBottomMostOverTheMonitor) {
  ASSERT_TRUE(IsRunningOnWine());
  monitor = TestMonitor({40, 30, 360, 210});
  monitor->settings.Path = Fixture(L"clip.avi");
  EXPECT_EQ(monitor->RefreshWindow(), S_OK);
  ASSERT_NE(Wnd(), nullptr);
  HWND window = Wnd()->hwnd();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(Wnd()->IsBottomMost());
  EXPECT_EQ(GetParent(window), nullptr);
  EXPECT_EQ(GetAncestor(window, GA_ROOT), window);
  LONG style = GetWindowLongW(window, GWL_STYLE), exStyle = GetWindowLongW(window, GWL_EXSTYLE);
  EXPECT_TRUE(style & WS_POPUP);
  EXPECT_FALSE(style & (WS_BORDER | WS_CAPTION));
  EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW) << "out of the taskbar";
  EXPECT_TRUE(exStyle & WS_EX_NOACTIVATE);
  RECT r;
  GetWindowRect(window, &r);
  EXPECT_EQ(r.left, 40);
  EXPECT_EQ(r.top, 30);
  EXPECT_EQ(r.right, 360);
  EXPECT_EQ(r.bottom, 210);
  EXPECT_EQ(LogCount("No desktop wallpaper layer: bottom-most window"), 1);
  EXPECT_TRUE(Boxes().empty());
  // Another window raised or pushed down: the wallpaper stays the last of the top-level windows.
  SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  HWND below = GetWindow(window, GW_HWNDNEXT);
  while (below && !IsWindowVisible(below)) below = GetWindow(below, GW_HWNDNEXT);
  EXPECT_EQ(below, nullptr) << "no visible top-level window below the wallpaper";
  ASSERT_TRUE(WaitStarted(1));
}

TEST_F(WallpaperTest, OnWindowsAMissingLayerIsAnError) {
  videoServices.wineMode = 0;
  monitor = TestMonitor({0, 0, 320, 180});
  monitor->settings.Path = Fixture(L"clip.avi");
  EXPECT_NE(monitor->RefreshWindow(), S_OK);
  EXPECT_EQ(LogCount("Failed to get desktop window"), 1);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, L"Unable to get desktop window");
  EXPECT_EQ(Boxes()[0].caption, L"Qendor V2.1");
  EXPECT_EQ(Boxes()[0].style, static_cast<UINT>(MB_ICONEXCLAMATION));
  ASSERT_NE(monitor->videoWnd, nullptr) << "the object stays, without a window";
  EXPECT_FALSE(monitor->videoWnd->HasWindow());
}

TEST_F(WallpaperTest, PlaysLoopsAndReportsEachEventToTheMainWindow) {
  // Under Wine the wallpaper loops by opening its file afresh, as ./run has it (a session
  // started again stalls there), and it is closed just after an end: a playing video session
  // closed under Wine 8 can hang its close or crash in Wine's pipeline at exit.
  const bool wine = IsRunningOnWine();
  if (wine) SetEnvironmentVariableW(L"QENDOR_WINE_LOOP", L"reopen");
  OpenStandin(DesktopStandin::Layout::Newer);
  monitor = TestMonitor({0, 0, 320, 180});
  monitor->SetPath(Fixture(L"clip.avi").c_str(), false);
  ASSERT_NE(Wnd(), nullptr);
  ASSERT_TRUE(WaitStarted(3, 20000)) << "a 0.6 s clip starts three times within 20 s";
  EXPECT_GE(app.Count(WM_APP_WALLPAPER_EVENT, MEEndOfPresentation), 2);
  EXPECT_GE(app.Count(WM_APP_WALLPAPER_EVENT, MESessionEnded), 2);
  EXPECT_GE(LogCount("Media session ended"), 2);
  EXPECT_GE(LogCount("Start media session"), 3);
  for (const auto& m : app.received) {
    if (m.message == WM_APP_WALLPAPER_EVENT) {
      EXPECT_EQ(reinterpret_cast<HWND>(m.lParam), Wnd()->hwnd());
    }
  }
  EXPECT_GE(LogCount("Native Video Size: 160x90; Aspect ratio: 16x9") +
                LogCount("Native Video Size: 160x90; Aspect ratio: 160x90"),
            1);
  if (wine) {
    const int ended = app.Count(WM_APP_WALLPAPER_EVENT, MESessionEnded);
    EXPECT_TRUE(PumpUntil([&] { return app.Count(WM_APP_WALLPAPER_EVENT, MESessionEnded) > ended; }, 10000));
    monitor->RemoveWindow();
  }
}

// A top-level window of this process, maximised over the primary monitor.
struct CoveringWindow {
  HWND hwnd = nullptr;
  CoveringWindow(const wchar_t* title, const wchar_t* className) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = className;
    RegisterClassW(&wc);
    hwnd = CreateWindowExW(0, className, title, WS_OVERLAPPEDWINDOW, 50, 50, 300, 200, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
    ShowWindow(hwnd, SW_SHOWMAXIMIZED);
  }
  ~CoveringWindow() { DestroyWindow(hwnd); }
};

TEST_F(WallpaperTest, MaximisedWindowPausesWithinFiveSecondsAndRestoreResumes) {
  policy.Inputs().pauseWhenMaximised = true;
  OpenStandin(DesktopStandin::Layout::Newer);
  monitor = TestMonitor({0, 0, 320, 180});
  monitor->SetPath(Fixture(ResumableClip()).c_str(), false);
  ASSERT_TRUE(WaitStarted(1));
  {
    CoveringWindow covering(L"Editor", L"QendorTestCovering");
    EXPECT_TRUE(PumpUntil([&] { return State() == CPlayer::Paused; }, 5500)) << "the 5 s timer pauses it";
    EXPECT_TRUE(Wnd()->coveredByMaximised);
    EXPECT_EQ(Wnd()->maximisedWindow, covering.hwnd);
    EXPECT_EQ(LogCount("Detected maximized window"), 1);
    ShowWindow(covering.hwnd, SW_RESTORE);
    EXPECT_TRUE(PumpUntil([&] { return State() == CPlayer::Started; }, 5500)) << "restored: resumes within 5 s";
    EXPECT_FALSE(Wnd()->coveredByMaximised);
    ShowWindow(covering.hwnd, SW_SHOWMAXIMIZED);
    Wnd()->TimerStep();
    EXPECT_EQ(State(), CPlayer::Paused);
  }
  Wnd()->TimerStep();  // the covering window is gone
  EXPECT_EQ(State(), CPlayer::Started);
  EXPECT_GE(LogCount("Resume"), 2);
  // (Under Wine 8 a resumed session never reports the end of the clip again, so the loop
  // after a resume is not checked here.)
}

TEST_F(WallpaperTest, MaximisedWindowRuleExceptionsAndTheUsersPause) {
  policy.Inputs().pauseWhenMaximised = true;
  OpenStandin(DesktopStandin::Layout::Newer);
  // A wallpaper outside the screen: a window maximised on the screen does not overlap it.
  monitor = TestMonitor({4000, 0, 4320, 180});
  monitor->SetPath(Fixture(ResumableClip()).c_str(), false);
  ASSERT_TRUE(WaitStarted(1));
  {
    CoveringWindow covering(L"Editor", L"QendorTestCovering");
    Wnd()->TimerStep();
    EXPECT_EQ(State(), CPlayer::Started) << "another monitor's maximised window";
    monitor->displayRect = {0, 0, 320, 180};
    ASSERT_TRUE(Wnd()->Create(*monitor));
    EXPECT_TRUE(Wnd()->IsMaximisedOver(covering.hwnd));
    EXPECT_FALSE(Wnd()->IsMaximisedOver(Wnd()->hwnd())) << "not maximised";
    // Hidden while maximised (a program closed to the tray): it covers nothing.
    ShowWindow(covering.hwnd, SW_HIDE);
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    ASSERT_TRUE(GetWindowPlacement(covering.hwnd, &placement));
    ASSERT_EQ(placement.showCmd, static_cast<UINT>(SW_SHOWMAXIMIZED)) << "hidden, its placement still says maximised";
    EXPECT_FALSE(Wnd()->IsMaximisedOver(covering.hwnd));
    Wnd()->TimerStep();
    EXPECT_EQ(State(), CPlayer::Started) << "a hidden maximised window does not pause the wallpaper";
  }
  {
    CoveringWindow photos(L"Photos", L"ApplicationFrameWindow");
    ClearLog();
    Wnd()->TimerStep();
    Wnd()->TimerStep();
    EXPECT_EQ(State(), CPlayer::Started) << "the hidden Photos frame does not count";
    EXPECT_EQ(LogCount("Detected maximized window. Text: Photos. Class: ApplicationFrameWindow. This window may be "
                       "invisible, therefore not used"),
              1);
  }
  // The user's pause is left alone while a maximised window comes and goes, and the user's
  // resume under a maximised window leaves the wallpaper paused until the window goes.
  EXPECT_EQ(Wnd()->Pause(true), S_OK);
  {
    CoveringWindow covering(L"Editor", L"QendorTestCovering");
    Wnd()->TimerStep();
    EXPECT_EQ(State(), CPlayer::Paused);
    EXPECT_TRUE(Wnd()->coveredByMaximised);
  }
  Wnd()->TimerStep();
  EXPECT_EQ(State(), CPlayer::Paused) << "still the user's pause";
  {
    CoveringWindow covering(L"Editor", L"QendorTestCovering");
    Wnd()->TimerStep();
    EXPECT_EQ(Wnd()->Pause(false), S_OK);
    EXPECT_EQ(State(), CPlayer::Paused) << "covered: the resume waits for the window to go";
  }
  Wnd()->TimerStep();
  EXPECT_EQ(State(), CPlayer::Started);
  // Switching the option off resumes a wallpaper this rule had paused.
  {
    CoveringWindow covering(L"Editor", L"QendorTestCovering");
    Wnd()->TimerStep();
    ASSERT_EQ(State(), CPlayer::Paused);
    policy.Inputs().pauseWhenMaximised = false;
    Wnd()->TimerStep();
    EXPECT_EQ(State(), CPlayer::Started);
    EXPECT_FALSE(Wnd()->coveredByMaximised);
  }
}

TEST_F(WallpaperTest, PauseAndMuteAllPausesAsSoonAsPlaybackStarts) {
  policy.Inputs().pauseAndMuteAll = true;
  OpenStandin(DesktopStandin::Layout::Newer);
  monitor = TestMonitor({0, 0, 320, 180});
  monitor->SetPath(Fixture(L"clip.avi").c_str(), false);
  ASSERT_TRUE(WaitStarted(1));
  EXPECT_EQ(State(), CPlayer::Paused);
  EXPECT_EQ(LogCount("Pause"), 1);
}

TEST_F(WallpaperTest, OverlayAndVolumeMessages) {
  OpenStandin(DesktopStandin::Layout::Newer);
  monitor = TestMonitor({0, 0, 320, 180});
  monitor->settings.Volume = 80;
  monitor->SetPath(Fixture(L"clip.avi").c_str(), false);
  ASSERT_TRUE(WaitStarted(1));
  ASSERT_TRUE(Player()->HasStreamVolume());
  float level = -1;
  EXPECT_EQ(Player()->GetVolume(&level), S_OK);
  EXPECT_FLOAT_EQ(level, 0.8f) << "the record's volume applied after the start";
  SendMessageW(Wnd()->hwnd(), WM_APP_SET_VOLUME, 30, 0);
  EXPECT_FLOAT_EQ(Wnd()->volume, 0.3f);
  Player()->GetVolume(&level);
  EXPECT_FLOAT_EQ(level, 0.3f);
  policy.Inputs().musicMutesVideos = true;
  Wnd()->ApplyPlayback();
  Player()->GetVolume(&level);
  EXPECT_FLOAT_EQ(level, 0.0f) << "the music silences the wallpaper";
  SendMessageW(Wnd()->hwnd(), WM_APP_SET_VOLUME, 40, 0);
  Player()->GetVolume(&level);
  EXPECT_FLOAT_EQ(level, 0.0f) << "a new volume while the music silences it";
  policy.Inputs().musicMutesVideos = false;
  Wnd()->ApplyPlayback();
  Player()->GetVolume(&level);
  EXPECT_FLOAT_EQ(level, 0.4f);
  SendMessageW(Wnd()->hwnd(), WM_APP_SET_VOLUME, 0, 0);
  Player()->GetVolume(&level);
  EXPECT_FLOAT_EQ(level, 0.0f);
  // Wine's mixer has no bitmap service: the overlay is kept and the call fails quietly.
  SendMessageW(Wnd()->hwnd(), WM_APP_SET_OVERLAY, 100, 0);
  EXPECT_TRUE(Wnd()->overlayEnabled);
  EXPECT_FLOAT_EQ(Wnd()->overlayAlpha, 1.0f);
  SendMessageW(Wnd()->hwnd(), WM_APP_SET_OVERLAY, 0, 0);
  EXPECT_FALSE(Wnd()->overlayEnabled);
  EXPECT_FLOAT_EQ(Wnd()->overlayAlpha, 0.0f);
  EXPECT_EQ(State(), CPlayer::Started);
}

TEST_F(WallpaperTest, BadFilesShowTheSystemTextAndTheNextGoodFilePlays) {
  OpenStandin(DesktopStandin::Layout::Newer);
  monitor = TestMonitor({0, 0, 320, 180});
  const std::wstring bad[] = {Fixture(L"missing.mp4"), Fixture(L"empty.mp4"), Fixture(L"text.mp4"),
                              Fixture(L"folder.mp4"), FixtureDir() + L"n\u00e4me-\u65e5\u672c-missing.avi"};
  for (const std::wstring& path : bad) {
    SCOPED_TRACE(std::string(path.begin(), path.end()));
    ClearBoxes();
    monitor->SetPath(path.c_str(), false);
    PumpFor(300);
    ASSERT_EQ(Boxes().size(), 1u);
    const std::wstring text = Boxes()[0].text;
    std::wstring start = L"Failed to open file\n" + path + L"\n";
    EXPECT_EQ(text.substr(0, start.size()), start);
    EXPECT_GT(text.size(), start.size()) << "with the system's text";
    EXPECT_EQ(Boxes()[0].style, static_cast<UINT>(MB_ICONEXCLAMATION));
    EXPECT_EQ(Boxes()[0].owner, Wnd()->hwnd());
    ASSERT_NE(Wnd(), nullptr) << "the window stays, without video";
    EXPECT_TRUE(Wnd()->HasWindow());
  }
  ClearBoxes();
  int before = Started();
  monitor->SetPath(Fixture(L"cl\u00efp-\u65e5\u672c.avi").c_str(), false);
  EXPECT_TRUE(WaitStarted(before + 1)) << "a good file under a non-ASCII name plays";
  EXPECT_TRUE(Boxes().empty());
}

// A player event still queued when the wallpaper window goes holds a reference (one event
// keeps its session's topology, source and renderers alive): it is released with the window.
struct CountedObject : IUnknown {
  ULONG refs = 1;
  STDMETHODIMP QueryInterface(REFIID, void** out) override { return *out = nullptr, E_NOINTERFACE; }
  STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
  STDMETHODIMP_(ULONG) Release() override { return --refs; }
};

TEST_F(WallpaperTest, EventsStillQueuedWhenTheWindowGoesAreReleased) {
  monitor = TestMonitor({0, 0, 320, 180});
  monitor->SetPath(Fixture(L"missing.mp4").c_str(), false);  // a window without a playing session
  ASSERT_NE(Wnd(), nullptr);
  ASSERT_TRUE(Wnd()->HasWindow());
  CountedObject event;
  event.AddRef();  // the reference that rides in the message
  ASSERT_TRUE(PostMessageW(Wnd()->hwnd(), WM_APP_PLAYER_EVENT, reinterpret_cast<WPARAM>(&event), MEError));
  monitor->RemoveWindow();  // no message is handled in between
  EXPECT_EQ(event.refs, 1u);
}

// The clip can reach its end while a session is being settled for its close (a reopen under
// Wine), or just before: its end must be awaited, and must not start the clip again, or a
// playing session is closed after all. The session's reports are posted here as the session
// posts them, ahead of the reopen; the clip is the 12 s one, so that no real end comes near
// (under Wine a close that meets a real end can fault inside the media source).
TEST_F(WallpaperTest, AnEndReportedAroundAReopenIsAwaitedAndDoesNotRestartTheClip) {
  struct Case {
    const char* name;
    bool pausedFirst;  // the session itself stands still, so only the posted reports move it
    std::vector<MediaEventType> handled;  // handled before the reopen
    std::vector<MediaEventType> queued;   // still queued when the reopen comes
  };
  const Case cases[] = {
      {"ended while the pause is on its way", false, {}, {MESessionEnded}},
      {"presentation over, its end not yet reported", true, {MEEndOfPresentation}, {MESessionEnded}},
  };
  auto post = [&](MediaEventType type) {
    IMFMediaEvent* event = nullptr;
    ASSERT_HRESULT_SUCCEEDED(MFCreateMediaEvent(type, GUID_NULL, S_OK, nullptr, &event));
    ASSERT_TRUE(PostMessageW(Wnd()->hwnd(), WM_APP_PLAYER_EVENT, reinterpret_cast<WPARAM>(event), type));
  };
  OpenStandin(DesktopStandin::Layout::Newer);
  monitor = TestMonitor({0, 0, 320, 180});
  monitor->SetPath(Fixture(L"long.avi").c_str(), false);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const int started = Started();
    ASSERT_TRUE(WaitStarted(started == 0 ? 1 : started));
    if (c.pausedFirst) {
      ASSERT_TRUE(SettleBeforeClose(Wnd(), app));
    }
    for (MediaEventType type : c.handled) post(type);
    PumpFor(100);
    for (MediaEventType type : c.queued) post(type);
    ClearLog();
    monitor->SetPath(Fixture(L"long.avi").c_str(), true);  // settles, closes and opens again
    auto lines = LogLines();
    auto at = [&](const std::string& message) {
      auto found = std::find_if(lines.begin(), lines.end(), [&](const std::string& line) {
        return line.size() >= message.size() && line.compare(line.size() - message.size(), message.size(), message) == 0;
      });
      return found - lines.begin();
    };
    const auto close = at("Close media session");
    ASSERT_LT(close, static_cast<long>(lines.size()));
    EXPECT_LT(at("Media session ended"), close) << "the end is awaited before the close";
    EXPECT_GT(at("Start media session"), close) << "the old clip was started again before its close";
    EXPECT_EQ(LogCount("CloseSession timed out"), 0);
    if (c.pausedFirst) {
      ASSERT_HRESULT_SUCCEEDED(Wnd()->Pause(false));
    }
    EXPECT_TRUE(WaitStarted(started + 1));
  }
}

// The clip's end can meet the user's pause (the tray's pause as the clip ends): the end must
// not start the clip again under the pause (only for the pause to stop it at its first frame),
// and the lifted pause starts it from the beginning. The pause comes between the end of the
// presentation and the session's report of its end; the 0.6 s sound loops quickly.
TEST_F(WallpaperTest, AnEndMeetingAPauseStartsTheClipOnlyWhenThePauseIsLifted) {
  OpenStandin(DesktopStandin::Layout::Newer);
  monitor = TestMonitor({0, 0, 320, 180});
  monitor->SetPath(Fixture(L"tone.wav").c_str(), false);
  ASSERT_TRUE(WaitStarted(1));
  const int presented = app.Count(WM_APP_WALLPAPER_EVENT, MEEndOfPresentation);
  ASSERT_TRUE(PumpUntil([&] { return app.Count(WM_APP_WALLPAPER_EVENT, MEEndOfPresentation) > presented; }, 5000));
  const int ended = app.Count(WM_APP_WALLPAPER_EVENT, MESessionEnded);
  ClearLog();
  Wnd()->Pause(true);
  ASSERT_TRUE(PumpUntil([&] { return app.Count(WM_APP_WALLPAPER_EVENT, MESessionEnded) > ended; }, 5000));
  PumpFor(300);
  EXPECT_EQ(LogCount("Start media session"), 0) << "started again under the pause";
  EXPECT_NE(State(), CPlayer::Started);
  const int started = Started();
  ASSERT_HRESULT_SUCCEEDED(Wnd()->Pause(false));
  EXPECT_EQ(LogCount("Start media session"), 1) << "the lifted pause starts the clip from its beginning";
  EXPECT_TRUE(WaitStarted(started + 1));
  // The window's own settling copes with a pause meeting the clip's end.
  monitor->RemoveWindow();
  EXPECT_EQ(LogCount("CloseSession timed out"), 0);
}

// Under Wine a clip started again from its beginning freezes after a loop or two; asked to
// (QENDOR_WINE_LOOP=reopen, as ./run does), the wallpaper opens its file afresh at each end and
// keeps looping, its picture measured once.
TEST_F(WallpaperTest, UnderWineAClipOpenedAfreshAtEachEndKeepsLooping) {
  if (!IsRunningOnWine()) GTEST_SKIP() << "Windows loops the session itself";
  SetEnvironmentVariableW(L"QENDOR_WINE_LOOP", L"reopen");
  OpenStandin(DesktopStandin::Layout::Newer);
  monitor = TestMonitor({0, 0, 320, 180});
  monitor->SetPath(Fixture(L"h264.mp4").c_str(), false);
  const bool looped = WaitStarted(5, 40000);
  ASSERT_TRUE(looped) << "started " << Started() << " times";
  EXPECT_GE(LogCount("Open file: .mp4"), 5);
  EXPECT_GE(LogCount("Loop: open the file again"), 4);
  EXPECT_GE(LogCount("Media session ended"), 4);
  EXPECT_EQ(LogCount("Native Video Size: 160x90; Aspect ratio: 16x9") +
                LogCount("Native Video Size: 160x90; Aspect ratio: 160x90"),
            1);
  // Closed just after an end, while the next opening is on its way: under Wine 8 a playing
  // video session closed even after a reported pause hangs its close, or corrupts the heap
  // inside the H.264 decoder, now and then (5 of 55 runs here), which is not this case's matter.
  const int ended = app.Count(WM_APP_WALLPAPER_EVENT, MESessionEnded);
  const bool endedAgain =
      PumpUntil([&] { return app.Count(WM_APP_WALLPAPER_EVENT, MESessionEnded) > ended; }, 10000);
  monitor->RemoveWindow();
  SetEnvironmentVariableW(L"QENDOR_WINE_LOOP", nullptr);
  ASSERT_TRUE(endedAgain);
  EXPECT_EQ(LogCount("CloseSession timed out"), 0);
}

TEST_F(WallpaperTest, DestroyingTheWindowShutsThePlayerDown) {
  OpenStandin(DesktopStandin::Layout::Newer);
  monitor = TestMonitor({0, 0, 320, 180});
  monitor->SetPath(Fixture(L"clip.avi").c_str(), false);
  ASSERT_TRUE(WaitStarted(1));
  ASSERT_TRUE(SettleBeforeClose(Wnd(), app));
  HWND window = Wnd()->hwnd();
  ClearLog();
  monitor->RemoveWindow();
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(LogCount("Close media session"), 1);
  EXPECT_EQ(LogCount("CloseSession timed out"), 0);
  PumpFor(300);  // events still queued for the gone window must not crash anything
}

}  // namespace

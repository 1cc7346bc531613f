// The monitor list window and the main window's wallpaper host under Wine: the host's
// enumeration of Wine's monitor, the list drawing the monitors it is given and posting
// WM_APP_MONITOR_SELECTED on a click, the selection and the records written at the end (and
// nothing once the store is frozen), and the host starting the stored wallpapers, routing
// the engine's messages and applying the playback decision.
#include <gtest/gtest.h>
#include <mfapi.h>
#include <windows.h>

#include "WallpaperHarness.h"
#include "base/Messages.h"
#include "base/OsVersion_win.h"
#include "engine/MonitorList_win.h"
#include "engine/Player_win.h"
#include "engine/VideoWnd_win.h"
#include "engine/WallpaperHost_win.h"
#include "settings/MemoryKeyStore.h"
#include "settings/SettingsStore.h"

using namespace wallpapertest;

namespace {

constexpr wchar_t kWineMonitor[] = L"Video\\Default_Monitor_0000";

class MonitorListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TestStore().DeleteSection(L"Video");
    ClearLog();
    ClearBoxes();
    ShowWindow(app.hwnd(), SW_SHOWNOACTIVATE);
    SetWindowPos(app.hwnd(), nullptr, 0, 0, 800, 300, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  void TearDown() override { PumpFor(50); }
  // Monitor list 600 x 120 across the top of the stand-in main window.
  void CreateList(CMonitorList& list) { ASSERT_TRUE(list.Create(app.hwnd(), RECT{0, 0, 600, 120}, 1003)); }
  void Click(CMonitorList& list, const CMonitor& monitor) {
    const MonitorRect& r = monitor.itemRect;
    SendMessageW(list.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2));
    PumpFor(100);
  }
  AppWindow app;
  engine::PlaybackPolicy policy;
};

TEST_F(MonitorListTest, HostEnumeratesWinesMonitorWithItsKeyAndDisplayRect) {
  CWallpaperHost host(TestStore(), policy);
  ASSERT_TRUE(host.Create(app.hwnd()));
  EXPECT_EQ(host.AllMonitor().DefaultSection(), L"Video\\0");
  ASSERT_EQ(host.Count(), 1);
  CMonitor& m = *host.Monitor(0);
  EXPECT_EQ(m.label, L"A");
  EXPECT_EQ(m.MonitorKey(), L"Default_Monitor_0000");
  EXPECT_EQ(m.displayRect, (MonitorRect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}));
  EXPECT_EQ(LogCount("Detected 1 monitors"), 1);
  EXPECT_EQ(LogCount("Add Monitor 0"), 1);
  EXPECT_EQ(LogCount("    Device id: MONITOR\\Default_Monitor\\{4D36E96E-E325-11CE-BFC1-08002BE10318}\\0000"), 1);
  EXPECT_EQ(host.Selected(), 0);
  ASSERT_NE(host.MonitorList(), nullptr);
  EXPECT_EQ(host.MonitorList()->Count(), 1);
  EXPECT_EQ(GetDlgCtrlID(host.MonitorList()->hwnd()), 1003);
}

TEST_F(MonitorListTest, ClickOnAnotherBoxSelectsItAndPosts) {
  MonitorServices services{TestStore(), nullptr};
  MonitorArray monitors;
  MonitorRect left{0, 0, 1600, 1024}, right{1600, 0, 2880, 1024};
  monitors.push_back(std::make_unique<CMonitor>(services, nullptr, &left, 0));
  monitors.push_back(std::make_unique<CMonitor>(services, nullptr, &right, 1));
  CMonitorList list;
  list.SetMonitors(&monitors);
  CreateList(list);
  UpdateWindow(list.hwnd());
  ASSERT_GT(monitors[1]->itemRect.Width(), 0) << "painting lays the boxes out";
  Click(list, *monitors[1]);
  EXPECT_EQ(list.selected, 1);
  ASSERT_EQ(app.Count(WM_APP_MONITOR_SELECTED, 1), 1);
  EXPECT_EQ(reinterpret_cast<HWND>(app.received.back().lParam), list.hwnd());
  Click(list, *monitors[1]);
  EXPECT_EQ(app.received.size(), 1u) << "clicking the selected box posts nothing";
  Click(list, *monitors[0]);
  EXPECT_EQ(app.Count(WM_APP_MONITOR_SELECTED, 0), 1);
  list.DestroyWindow();
  EXPECT_EQ(monitors.size(), 2u) << "the list owns no monitor";
}

TEST_F(MonitorListTest, HostWritesTheSelectionAndTheRecordsAtTheEnd) {
  TestStore().WriteProfileInt(L"Video", L"Selected", 5);  // outside the list: stays 0
  CWallpaperHost host(TestStore(), policy);
  ASSERT_TRUE(host.Create(app.hwnd()));
  EXPECT_EQ(host.Selected(), 0);
  LRESULT result = 7;
  // The list's own click reports any index; other senders only move it inside the list.
  EXPECT_TRUE(host.OnMessage(WM_APP_MONITOR_SELECTED, static_cast<WPARAM>(-1), 0, result));
  EXPECT_EQ(result, 0);
  EXPECT_EQ(host.Selected(), -1);
  EXPECT_EQ(host.MonitorList()->selected, -1) << "the list shows the host's selection";
  EXPECT_TRUE(host.OnMessage(WM_APP_MONITOR_SELECTED, 3, 0, result));
  EXPECT_EQ(host.Selected(), -1) << "outside the list: unchanged";
  EXPECT_TRUE(host.OnMessage(WM_APP_MONITOR_SELECTED, 0, 0, result));
  EXPECT_EQ(host.Selected(), 0);
  host.Monitor(0)->settings.Volume = 33;
  host.Destroy();
  EXPECT_EQ(TestStore().GetProfileInt(L"Video", L"Selected", -1), 0);
  EXPECT_EQ(TestStore().GetProfileInt(kWineMonitor, L"Volume", -1), 33) << "each monitor wrote its record";
  EXPECT_EQ(host.Count(), 0);
  EXPECT_EQ(host.MonitorList(), nullptr);
}

TEST_F(MonitorListTest, AFrozenStoreTakesNeitherSelectionNorRecords) {
  settings::MemoryKeyStore keys;
  settings::SettingsStore store(keys);
  {
    CWallpaperHost host(store, policy);
    ASSERT_TRUE(host.Create(app.hwnd()));
    host.Monitor(0)->settings.Path = L"C:\\x.avi";
    store.DeleteAllSettings();
    store.FreezeWrites();
  }
  EXPECT_FALSE(keys.KeyExists(L"Video"));
}

TEST_F(MonitorListTest, HostsWallpapersPlayTheStoredRecordsRouteTheEngineMessagesAndApplyThePolicy) {
  TestStore().WriteProfileString(kWineMonitor, L"Path", Fixture(L"clip.avi").c_str());
  // The spanning wallpaper's record: not played at display option 0.
  TestStore().WriteProfileString(L"Video\\0", L"Path", Fixture(L"clip.avi").c_str());
  CWallpaperHost host(TestStore(), policy);
  ASSERT_TRUE(host.Create(app.hwnd()));
  // What the video page does at display option 0.
  for (auto& monitor : host.Wallpapers().Monitors()) monitor->RefreshWindow();
  CMonitorList* list = host.MonitorList();
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(GetParent(list->hwnd()), app.hwnd());
  ASSERT_EQ(host.Count(), 1);
  CVideoWnd* wnd = VideoWndOf(*host.Monitor(0));
  ASSERT_NE(wnd, nullptr);
  EXPECT_EQ(host.AllMonitor().videoWnd, nullptr);
  EXPECT_TRUE(PumpUntil([&] { return app.Count(WM_APP_WALLPAPER_EVENT, MESessionStarted) >= 1; }, 10000))
      << "the wallpaper reports to the main window";

  LRESULT result = 7;
  EXPECT_TRUE(host.OnMessage(WM_APP_WALLPAPER_EVENT, MESessionStarted, reinterpret_cast<LPARAM>(wnd->hwnd()), result));
  EXPECT_EQ(result, 0);
  EXPECT_FALSE(host.OnMessage(WM_COMMAND, ID_TRAY_PAUSE, 0, result));

  // A program-wide input: the tray's pause pauses every wallpaper once it is applied.
  policy.Inputs().trayPaused = true;
  host.Wallpapers().ApplyPlayback();
  EXPECT_EQ(wnd->Player()->GetState(), CPlayer::Paused);
  if (IsRunningOnWine()) {  // closed once the pause is done (see SettleBeforeClose)
    EXPECT_TRUE(PumpUntil([&] { return app.Count(WM_APP_WALLPAPER_EVENT, MESessionPaused) >= 1; }, 5000));
  }
  HWND window = wnd->hwnd();
  host.Destroy();
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(host.MonitorList(), nullptr);
  EXPECT_EQ(TestStore().GetProfileString(kWineMonitor, L"Path"), Fixture(L"clip.avi"));
}

}  // namespace

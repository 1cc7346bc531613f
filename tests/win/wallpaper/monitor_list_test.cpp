// The monitor list window and the main window's wallpaper host under Wine: enumeration of
// Wine's monitor, click selection posting WM_APP_MONITOR_SELECTED, the selection and the
// records written at the end (and nothing while uninstalling), and the host starting the
// stored wallpapers and routing the engine's messages.
#include <gtest/gtest.h>
#include <mfapi.h>
#include <windows.h>

#include "WallpaperHarness.h"
#include "app/AppFlags.h"
#include "base/Messages.h"
#include "base/OsVersion_win.h"
#include "settings/SettingsStore.h"
#include "engine/MonitorList_win.h"
#include "engine/Player_win.h"
#include "engine/VideoWnd_win.h"
#include "engine/WallpaperHost_win.h"

using namespace wallpapertest;

namespace {

constexpr wchar_t kWineMonitor[] = L"Video\\Default_Monitor_0000";

class MonitorListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Flags() = AppFlags();
    DeleteSection(L"Video");
    ClearLog();
    ClearBoxes();
    ShowWindow(app.hwnd(), SW_SHOWNOACTIVATE);
    SetWindowPos(app.hwnd(), nullptr, 0, 0, 800, 300, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  void TearDown() override {
    Flags() = AppFlags();
    PumpFor(50);
  }
  // Monitor list 600 x 120 across the top of the stand-in main window.
  void CreateList(CMonitorList& list) { ASSERT_TRUE(list.Create(app.hwnd(), RECT{0, 0, 600, 120}, 1003)); }
  void Click(CMonitorList& list, int index) {
    const MonitorRect& r = list.monitors[static_cast<size_t>(index)]->itemRect;
    SendMessageW(list.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2));
    PumpFor(100);
  }
  AppWindow app;
};

TEST_F(MonitorListTest, EnumeratesWinesMonitorWithItsKeyAndDisplayRect) {
  CMonitorList list;
  ASSERT_NE(list.allMonitor, nullptr);
  EXPECT_EQ(list.allMonitor->DefaultSection(), L"Video\\0");
  CreateList(list);
  ASSERT_EQ(list.Count(), 1);
  CMonitor& m = *list.monitors[0];
  EXPECT_EQ(m.label, L"A");
  EXPECT_EQ(m.MonitorKey(), L"Default_Monitor_0000");
  EXPECT_EQ(m.displayRect, (MonitorRect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}));
  EXPECT_EQ(LogCount("Detected 1 monitors"), 1);
  EXPECT_EQ(LogCount("Add Monitor 0"), 1);
  EXPECT_EQ(LogCount("    Device id: MONITOR\\Default_Monitor\\{4D36E96E-E325-11CE-BFC1-08002BE10318}\\0000"), 1);
  EXPECT_EQ(list.selected, 0);
}

TEST_F(MonitorListTest, ClickSelectsPostsAndTheSelectionIsWrittenAtTheEnd) {
  WriteProfileInt(L"Video", L"Selected", 5);  // outside the list: stays 0
  auto list = std::make_unique<CMonitorList>();
  CreateList(*list);
  EXPECT_EQ(list->selected, 0);
  // A second monitor right of Wine's one, as the enumeration would add it.
  MonitorRect right{1600, 0, 2880, 1024};
  InsertMonitor(list->monitors, std::make_unique<CMonitor>(nullptr, &right, 1));
  InvalidateRect(list->hwnd(), nullptr, FALSE);
  UpdateWindow(list->hwnd());
  ASSERT_GT(list->monitors[1]->itemRect.Width(), 0) << "painting lays the boxes out";
  Click(*list, 1);
  EXPECT_EQ(list->selected, 1);
  ASSERT_EQ(app.Count(WM_APP_MONITOR_SELECTED, 1), 1);
  EXPECT_EQ(reinterpret_cast<HWND>(app.received.back().lParam), list->hwnd());
  Click(*list, 1);
  EXPECT_EQ(app.received.size(), 1u) << "clicking the selected box posts nothing";
  list->monitors[0]->settings.Volume = 33;
  list->DestroyWindow();
  EXPECT_EQ(GetProfileInt(L"Video", L"Selected", -1), 1);
  EXPECT_EQ(GetProfileInt(kWineMonitor, L"Volume", -1), 33) << "each monitor wrote its record";
  EXPECT_TRUE(list->monitors.empty());
  EXPECT_EQ(list->allMonitor, nullptr);
}

TEST_F(MonitorListTest, UninstallingWritesNeitherSelectionNorRecords) {
  auto list = std::make_unique<CMonitorList>();
  CreateList(*list);
  list->selected = 0;
  list->monitors[0]->settings.Path = L"C:\\x.avi";
  DeleteSection(L"Video");
  Flags().uninstalling = true;
  list.reset();
  Flags().uninstalling = false;
  EXPECT_EQ(GetProfileInt(L"Video", L"Selected", -1), -1);
  EXPECT_EQ(GetProfileString(kWineMonitor, L"Path", L"none"), L"none");
}

TEST_F(MonitorListTest, HostStartsTheStoredWallpapersAndRoutesTheEngineMessages) {
  WriteProfileString(kWineMonitor, L"Path", Fixture(L"clip.avi").c_str());
  WriteProfileString(L"Video\\0", L"Path", Fixture(L"clip.avi").c_str());  // the spanning one: not at option 0
  CWallpaperHost host;
  ASSERT_TRUE(host.Create(app.hwnd()));
  CMonitorList* list = host.MonitorList();
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(GetParent(list->hwnd()), app.hwnd());
  ASSERT_EQ(list->Count(), 1);
  CVideoWnd* wnd = VideoWndOf(*list->monitors[0]);
  ASSERT_NE(wnd, nullptr);
  EXPECT_EQ(list->allMonitor->videoWnd, nullptr);
  EXPECT_TRUE(PumpUntil([&] { return app.Count(WM_APP_WALLPAPER_EVENT, MESessionStarted) >= 1; }, 10000))
      << "the wallpaper reports to the main window";

  LRESULT result = 7;
  EXPECT_TRUE(host.OnMessage(WM_APP_WALLPAPER_EVENT, MESessionStarted, reinterpret_cast<LPARAM>(wnd->hwnd()), result));
  EXPECT_EQ(result, 0);
  list->selected = 0;
  EXPECT_TRUE(host.OnMessage(WM_APP_MONITOR_SELECTED, static_cast<WPARAM>(-1), 0, result)) << "from the video page";
  EXPECT_EQ(list->selected, -1);
  EXPECT_TRUE(host.OnMessage(WM_APP_MONITOR_SELECTED, 3, 0, result));
  EXPECT_EQ(list->selected, -1) << "outside the list: unchanged";
  EXPECT_FALSE(host.OnMessage(WM_COMMAND, ID_TRAY_PAUSE, 0, result));

  host.PauseAll(true);
  EXPECT_EQ(wnd->Player()->GetState(), CPlayer::Paused);
  if (IsRunningOnWine()) {  // closed once the pause is done (see SettleBeforeClose)
    EXPECT_TRUE(PumpUntil([&] { return app.Count(WM_APP_WALLPAPER_EVENT, MESessionPaused) >= 1; }, 5000));
  }
  HWND window = wnd->hwnd();
  host.Destroy();
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(host.MonitorList(), nullptr);
  EXPECT_EQ(GetProfileString(kWineMonitor, L"Path"), Fixture(L"clip.avi"));
  EXPECT_EQ(GetProfileInt(L"Video", L"Selected", 9), -1);
}

}  // namespace

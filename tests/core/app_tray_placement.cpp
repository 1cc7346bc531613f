// Where the tray popup goes: centred above the cursor, kept inside the cursor's monitor.
#include <gtest/gtest.h>

#include "app/TrayPlacement.h"

namespace {

TEST(TrayPlacement, CentredAboveTheCursorAndKeptInsideTheMonitor) {
  const int w = 172, h = 149;
  const base::Rect screen{0, 0, 1920, 1080};
  const base::Rect leftOfPrimary{-1280, -200, 0, 824};
  const base::Rect tall{0, 0, 1080, 1920};
  const base::Rect wide{0, 0, 5120, 1440};
  const base::Rect tiny{0, 0, 100, 100};  // smaller than the popup
  struct Case {
    const char* name;
    app::TrayPoint cursor;
    base::Rect monitor;
    app::TrayPoint at;
  } cases[] = {
      {"middle of the taskbar", {960, 1060}, screen, {874, 911}},
      {"bottom right corner", {1919, 1079}, screen, {1748, 930}},
      {"bottom left corner", {0, 1079}, screen, {0, 930}},
      {"top left corner", {0, 0}, screen, {0, 0}},
      {"top right corner", {1919, 0}, screen, {1748, 0}},
      {"right edge", {1900, 500}, screen, {1748, 351}},
      {"left edge", {10, 500}, screen, {0, 351}},
      {"top edge (taskbar at the top)", {700, 20}, screen, {614, 0}},
      {"monitor left of the primary, negative x and y", {-20, 800}, leftOfPrimary, {-172, 651}},
      {"its top left corner", {-1280, -200}, leftOfPrimary, {-1280, -200}},
      {"tall monitor", {1070, 1900}, tall, {908, 1751}},
      {"wide monitor", {5000, 1430}, wide, {4914, 1281}},
      {"monitor smaller than the popup: right and bottom win", {50, 50}, tiny, {-72, -49}},
  };
  for (const Case& c : cases) EXPECT_EQ(app::PlaceTrayPopup(c.cursor, w, h, c.monitor), c.at) << c.name;
}

}  // namespace

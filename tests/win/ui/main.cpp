// The control-kit tests run with GDI+ started, as the program starts it before any window.
// The theme's first use happens here, from two threads at once, before any test touches it.
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "ui/Theme_win.h"

const ThemeTable* g_themeSeenByThread[2] = {nullptr, nullptr};
int g_themeCreationsBeforeRace = -1;

namespace {
void RaceForTheTheme() {
  g_themeCreationsBeforeRace = ThemeCreationCount();
  std::atomic<int> ready{0};
  auto ask = [&](int i) {
    ready.fetch_add(1);
    while (ready.load() < 2) {
    }
    g_themeSeenByThread[i] = &Theme();
  };
  std::thread a(ask, 0), b(ask, 1);
  a.join();
  b.join();
}
}  // namespace

int main(int argc, char** argv) {
  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return 2;
  RaceForTheTheme();
  testing::InitGoogleTest(&argc, argv);
  int result = RUN_ALL_TESTS();
  Gdiplus::GdiplusShutdown(token);
  return result;
}

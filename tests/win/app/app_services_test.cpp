// The application's services on Windows: the message box seam, string texts, system error
// texts, window DPI and the real start-up calls that tests can make safely.
#include <windows.h>

#include <gtest/gtest.h>

#include "base/Modal_win.h"
#include "base/Resources_win.h"
#include "base/Dpi_win.h"
#include "app/App_win.h"

namespace {
struct Shown {
  HWND owner;
  std::wstring text, caption;
  UINT style;
};
}  // namespace

TEST(AppMessage, GoesThroughTheSeamWithTheProductCaption) {
  std::vector<Shown> shown;
  SetMessageBoxHook([&](HWND owner, const std::wstring& text, const std::wstring& caption, UINT style) {
    shown.push_back({owner, text, caption, style});
    return IDYES;
  });
  EXPECT_EQ(ShowAppMessageId(nullptr, 177, MB_OK), IDYES);
  EXPECT_EQ(ShowAppMessage(nullptr, L"free text", 0x44), IDYES);
  SetMessageBoxHook(nullptr);
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].text, L"You need at least Windows 8.1");
  EXPECT_EQ(shown[0].caption, L"Qendor V2.1");
  EXPECT_EQ(shown[0].style, static_cast<UINT>(MB_OK));
  EXPECT_EQ(shown[1].text, L"free text");
  EXPECT_EQ(shown[1].style, 0x44u);
}

TEST(AppMessage, StartupTextsCarryTheSystemText) {
  std::wstring shownText;
  SetMessageBoxHook([&](HWND, const std::wstring& text, const std::wstring&, UINT) {
    shownText = text;
    return IDOK;
  });
  CQendor2App app;
  std::wstring insert = L"Class not registered";
  app.ShowMessageId(172, MB_ICONEXCLAMATION, &insert);
  SetMessageBoxHook(nullptr);
  EXPECT_EQ(shownText, L"Failed to initialize Microsoft Media Foundation.\nClass not registered");
  EXPECT_EQ(LoadResString(173), L"Failed to initialize Windows GDI+");
  EXPECT_EQ(LoadResString(130), L"Qendor V2.1");
}

TEST(SystemErrorText, ReadableForKnownAndUnknownCodes) {
  std::wstring notFound = SystemErrorText(ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(notFound.empty());
  EXPECT_NE(notFound.back(), L'\n');
  EXPECT_FALSE(SystemErrorText(0xC00D36C4).empty()) << "a Media Foundation code still gives some text";
  EXPECT_FALSE(SystemErrorText(0x1234ABCD).empty());
}

TEST(WindowDpi, UsesGetDpiForWindowOrTheDeviceContext) {
  HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  HDC dc = GetDC(window);
  int deviceDpi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(window, dc);

  SetApp(nullptr);
  EXPECT_EQ(WindowDpi(window), static_cast<UINT>(deviceDpi)) << "without GetDpiForWindow";
  EXPECT_EQ(ScaleForWindow(window, 96), deviceDpi);

  CQendor2App app;
  SetApp(&app);
  app.getDpiForWindow = [](HWND) -> UINT { return 144; };
  EXPECT_EQ(WindowDpi(window), 144u);
  EXPECT_EQ(ScaleForWindow(window, 18), 27);
  SetApp(nullptr);
  DestroyWindow(window);
}

TEST(CommandLine, SplitByThePlatformsRules) {
  struct Case {
    const wchar_t* line;
    std::vector<std::wstring> expected;
  } cases[] = {{L"", {}},
               {L"   ", {}},
               {L"/autostart", {L"/autostart"}},
               {L"\"/AUTOSTART\" x", {L"/AUTOSTART", L"x"}},
               {L"a \"b c\" d", {L"a", L"b c", L"d"}}};
  for (const Case& c : cases) {
    CQendor2App app(c.line);
    EXPECT_EQ(app.CommandLineArguments(), c.expected) << c.line;
  }
}

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

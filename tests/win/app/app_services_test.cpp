// The application's services on Windows: the message box seam, string texts, system error
// texts, window DPI and the real start-up calls that tests can make safely.
#include <windows.h>

#include <gtest/gtest.h>

#include "base/Modal_win.h"
#include "base/Resources_win.h"
#include "base/Dpi_win.h"
#include "app/App_win.h"
#include "base/Messages.h"
#include "base/OsVersion_win.h"

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
  // The system's own text, without its line break (Wine words it differently from Windows).
  std::wstring notFound = SystemErrorText(ERROR_FILE_NOT_FOUND);
  if (IsRunningOnWine())
    EXPECT_EQ(notFound, L"File not found.");
  else
    EXPECT_EQ(notFound, L"The system cannot find the file specified.");
  EXPECT_FALSE(SystemErrorText(0xC00D36C4).empty()) << "a Media Foundation code still gives some text";
  EXPECT_FALSE(SystemErrorText(0x1234ABCD).empty());
}

TEST(WindowDpi, UsesGetDpiForWindowOrTheDeviceContext) {
  HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  HDC dc = GetDC(window);
  int deviceDpi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(window, dc);

  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  auto getDpi = reinterpret_cast<GetDpiForWindowFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  UINT expected = getDpi && getDpi(window) ? getDpi(window) : static_cast<UINT>(deviceDpi);
  EXPECT_EQ(WindowDpi(window), expected);
  EXPECT_EQ(ScaleForWindow(window, 96), static_cast<int>(expected));
  EXPECT_EQ(ScaleForWindow(window, 18), MulDiv(18, static_cast<int>(expected), 96));
  DestroyWindow(window);
}

TEST(InstanceMutex, ItsErrorIsReadBeforeAnEarlierHandleIsClosed) {
  // Closing what the owner held before may set the last error: here a value that is no
  // handle, whose closing fails. The new mutex must still count as created.
  CQendor2App app;
  app.instanceMutex = UniqueHandle(reinterpret_cast<HANDLE>(static_cast<uintptr_t>(0x7FFFFFF0)));
  wchar_t name[64];
  wsprintfW(name, L"QendorTestMutex-%u", static_cast<unsigned>(GetCurrentProcessId()));
  EXPECT_EQ(app.CreateInstanceMutex(name), app::MutexResult::Created);
  EXPECT_TRUE(app.instanceMutex);
}

// A top-level window that records the commands posted to it.
struct CommandTarget {
  static std::vector<std::pair<HWND, WPARAM>>& Received() {
    static std::vector<std::pair<HWND, WPARAM>> received;
    return received;
  }
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) Received().push_back({hwnd, wParam});
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  static HWND Make(const wchar_t* className, const wchar_t* title) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = className;
    RegisterClassW(&wc);
    return CreateWindowExW(0, className, title, WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
  }
};

TEST(SecondStart, HandsOverToTheMainWindowEvenWhenOneOfItsBoxesComesFirst) {
  // The running instance: its main window, then one of its message boxes in front of it,
  // with the same caption.
  HWND mainWindow = CommandTarget::Make(kMainWindowClass, L"Qendor V2.1");
  HWND box = CommandTarget::Make(L"QendorTestBox", L"Qendor V2.1");
  ASSERT_TRUE(mainWindow && box);
  SetWindowPos(box, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ASSERT_EQ(FindWindowW(nullptr, L"Qendor V2.1"), box) << "the box comes first in the window order";
  CQendor2App second;
  second.HandOverToRunningInstance();
  MSG msg;
  for (int i = 0; i < 20 && CommandTarget::Received().empty(); ++i) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    Sleep(10);
  }
  ASSERT_EQ(CommandTarget::Received().size(), 1u);
  EXPECT_EQ(CommandTarget::Received()[0].first, mainWindow);
  EXPECT_EQ(CommandTarget::Received()[0].second, static_cast<WPARAM>(ID_TRAY_OPEN));
  DestroyWindow(box);
  DestroyWindow(mainWindow);
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

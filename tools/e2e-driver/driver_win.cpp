// Drives and inspects the running program from outside for the end-to-end tests:
//   window-state TITLE                 prints none, hidden, minimised or visible
//   wait-window TITLE MS [visible]     waits until a window with that title exists (and shows)
//   message-box CAPTION MS             waits for a message box, prints its text, presses OK
//   post-command TITLE ID              posts WM_COMMAND ID to the window
//   close TITLE                        posts the system command Close
//   hide TITLE                         hides the window
// Exit code 0 on success, 1 when the window does not come, 2 on bad use.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

HWND FindTopLevel(const wchar_t* title) { return FindWindowW(nullptr, title); }

bool WaitFor(DWORD milliseconds, HWND& found, const wchar_t* title, const wchar_t* className, bool visible) {
  DWORD start = GetTickCount();
  for (;;) {
    found = FindWindowW(className, title);
    if (found && (!visible || IsWindowVisible(found))) return true;
    if (GetTickCount() - start >= milliseconds) return false;
    Sleep(50);
  }
}

void PrintUtf8(const std::wstring& text) {
  int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  std::fwrite(out.data(), 1, out.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) return 2;
  std::wstring command = argv[1];
  const wchar_t* title = argv[2];
  if (command == L"window-state") {
    HWND window = FindTopLevel(title);
    const char* state = !window ? "none" : IsIconic(window) ? "minimised" : IsWindowVisible(window) ? "visible" : "hidden";
    std::printf("%s\n", state);
    return 0;
  }
  if (command == L"wait-window" && argc >= 4) {
    HWND window;
    bool visible = argc >= 5 && std::wstring(argv[4]) == L"visible";
    return WaitFor(static_cast<DWORD>(_wtoi(argv[3])), window, title, nullptr, visible) ? 0 : 1;
  }
  if (command == L"message-box" && argc >= 4) {
    HWND box;
    if (!WaitFor(static_cast<DWORD>(_wtoi(argv[3])), box, title, L"#32770", false)) return 1;
    wchar_t text[1024] = L"";
    GetDlgItemTextW(box, 0xFFFF, text, 1024);
    PrintUtf8(text);
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return 0;
  }
  HWND window = FindTopLevel(title);
  if (!window) return 1;
  if (command == L"post-command" && argc >= 4) return PostMessageW(window, WM_COMMAND, _wtoi(argv[3]), 0) ? 0 : 1;
  if (command == L"close") return PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0) ? 0 : 1;
  if (command == L"hide") return ShowWindow(window, SW_HIDE), 0;
  return 2;
}

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

// The program's main window is a dialog with the same caption as its message boxes; a
// message box is told apart by its text control (id 0xFFFF).
bool IsMessageBox(HWND window) {
  wchar_t className[16] = L"";
  GetClassNameW(window, className, 16);
  return std::wstring(className) == L"#32770" && GetDlgItem(window, 0xFFFF) != nullptr;
}

// The first top-level window with the title that is (or is not) a message box.
HWND FindByTitle(const wchar_t* title, bool messageBox) {
  struct Search {
    const wchar_t* title;
    bool messageBox;
    HWND found;
  } search{title, messageBox, nullptr};
  EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        wchar_t text[256] = L"";
        GetWindowTextW(window, text, 256);
        if (std::wstring(text) != s->title || IsMessageBox(window) != s->messageBox) return TRUE;
        s->found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindTopLevel(const wchar_t* title) { return FindByTitle(title, false); }

bool WaitFor(DWORD milliseconds, HWND& found, const wchar_t* title, bool messageBox, bool visible) {
  DWORD start = GetTickCount();
  for (;;) {
    found = FindByTitle(title, messageBox);
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
    return WaitFor(static_cast<DWORD>(_wtoi(argv[3])), window, title, false, visible) ? 0 : 1;
  }
  if (command == L"message-box" && argc >= 4) {
    HWND box;
    if (!WaitFor(static_cast<DWORD>(_wtoi(argv[3])), box, title, true, false)) return 1;
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

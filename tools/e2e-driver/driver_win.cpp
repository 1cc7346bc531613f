// Drives and inspects the running program from outside for the end-to-end tests:
//   window-state TITLE                 prints none, hidden, minimised or visible
//   wait-window TITLE MS [visible]     waits until a window with that title exists (and shows)
//   message-box CAPTION MS [yes|no]    waits for a message box, prints its text, presses OK
//                                      (or Yes, or No)
//   post-command TITLE ID              posts WM_COMMAND ID to the window
//   close TITLE                        posts the system command Close
//   hide TITLE                         hides the window
//   post TITLE MSG WPARAM LPARAM       posts a message to the window (numbers, decimal or 0x)
//   click TITLE CONTROL                clicks a button (BM_CLICK), waiting for what it does
//   post-click TITLE CONTROL           clicks a button without waiting (for one that opens a
//                                      modal dialog)
//   text TITLE CONTROL                 prints a control's text
//   set-text TITLE CONTROL TEXT        types a text into an edit control (WM_SETTEXT + EN_CHANGE)
//   select TITLE CONTROL INDEX         selects an item of a list or combo box, as a user does
//   visible TITLE CONTROL              prints 1 when the control is visible, else 0
//   enabled TITLE CONTROL              prints 1 when the control is enabled, else 0
//   popups PID                         lists the visible top-level windows of a Windows
//                                      process id: class, title, rectangle, extended style
//   focus TITLE CONTROL                gives the control the keyboard focus
//   key TITLE CONTROL VK               posts a key press and release to the control
//   popup TITLE CONTROL                prints the screen rectangle of the window's thread's
//                                      other visible top-level window holding that control
//                                      (the tray popup); exit 1 when there is none
//   popup-click TITLE CONTROL          clicks that control of the popup (BM_CLICK)
//   popup-text TITLE CONTROL           prints that control's text
//   popup-key TITLE CONTROL VK         posts a key press and release to that control
//   tray-icon TITLE ID                 prints 1 when the window's notification icon ID exists
//   tray-delete TITLE ID               removes it, as a shell that forgets its icons does
//   broadcast NAME                     broadcasts the registered message NAME to top-level
//                                      windows (the shell's "TaskbarCreated")
//   answer-file CAPTION PATH MS        waits for a file or folder picker with that caption,
//                                      types PATH into its name box and confirms it
//   cancel-file CAPTION MS             waits for such a picker and cancels it
//   class-rect CLASS                   prints the screen rectangle of the first visible
//                                      top-level window of that class (exit 1: none)
//   class-rects CLASS                  prints the rectangles of all of them, left to right
//   display-mode W H                   changes the primary display's resolution (as a user
//                                      does in the display settings); prints the result code
// CONTROL is a path of control ids from the window: "1001", or "139.1065" for control 1065
// of the child window 139 (a page). Exit code 0 on success, 1 when the window or control is
// missing, 2 on bad use.
#include <windows.h>
// clang-format off
#include <shellapi.h>
// clang-format on

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

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

// The control at a path of ids below window ("139.1065"), searching all descendants for each.
HWND FindControl(HWND window, const std::wstring& path) {
  HWND at = window;
  size_t start = 0;
  while (at && start <= path.size()) {
    size_t dot = path.find(L'.', start);
    if (dot == std::wstring::npos) dot = path.size();
    int id = _wtoi(path.substr(start, dot - start).c_str());
    struct Search {
      int id;
      HWND found;
    } search{id, nullptr};
    EnumChildWindows(
        at,
        [](HWND child, LPARAM param) -> BOOL {
          auto* s = reinterpret_cast<Search*>(param);
          if (GetDlgCtrlID(child) != s->id) return TRUE;
          s->found = child;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    at = search.found;
    start = dot + 1;
  }
  return at;
}

LONG_PTR Number(const wchar_t* text) { return static_cast<LONG_PTR>(wcstoll(text, nullptr, 0)); }

// Another visible top-level window of the window's thread that holds the control.
HWND FindPopupControl(HWND window, const std::wstring& path) {
  struct Search {
    HWND main;
    DWORD thread;
    const std::wstring* path;
    HWND found;
  } search{window, GetWindowThreadProcessId(window, nullptr), &path, nullptr};
  EnumWindows(
      [](HWND top, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        if (top == s->main || !IsWindowVisible(top) || GetWindowThreadProcessId(top, nullptr) != s->thread) return TRUE;
        s->found = FindControl(top, *s->path);
        return s->found ? FALSE : TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

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
    // A hidden window is hidden whether or not it is also minimised (as the hide button leaves it).
    const char* state = !window ? "none" : !IsWindowVisible(window) ? "hidden" : IsIconic(window) ? "minimised" : "visible";
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
    // Once shown: a command posted while the box is still being made can be lost.
    if (!WaitFor(static_cast<DWORD>(_wtoi(argv[3])), box, title, true, true)) return 1;
    wchar_t text[1024] = L"";
    GetDlgItemTextW(box, 0xFFFF, text, 1024);
    PrintUtf8(text);
    int button = IDOK;
    if (argc >= 5) button = std::wstring(argv[4]) == L"yes" ? IDYES : IDNO;
    // Under Wine the first command can reach a box that has just been shown and do nothing
    // (seen with Yes/No boxes): pressed again until the box is gone.
    for (int tries = 0; tries < 10 && IsWindow(box); ++tries) {
      PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
      for (int i = 0; i < 10 && IsWindow(box); ++i) Sleep(50);
    }
    return IsWindow(box) ? 1 : 0;
  }
  if (command == L"popups") {
    DWORD pid = static_cast<DWORD>(_wtoi(title));
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
          DWORD owner = 0;
          GetWindowThreadProcessId(window, &owner);
          if (owner != static_cast<DWORD>(param) || !IsWindowVisible(window)) return TRUE;
          wchar_t className[128] = L"", text[256] = L"";
          GetClassNameW(window, className, 128);
          GetWindowTextW(window, text, 256);
          RECT r;
          GetWindowRect(window, &r);
          wchar_t line[600];
          swprintf(line, 600, L"%ls|%ls|%ld,%ld,%ld,%ld|0x%08lX", className, text, r.left, r.top, r.right, r.bottom,
                   static_cast<unsigned long>(GetWindowLongW(window, GWL_EXSTYLE)));
          PrintUtf8(line);
          return TRUE;
        },
        static_cast<LPARAM>(pid));
    return 0;
  }
  if ((command == L"answer-file" && argc >= 5) || (command == L"cancel-file" && argc >= 4)) {
    bool answer = command == L"answer-file";
    DWORD timeout = static_cast<DWORD>(_wtoi(argv[answer ? 4 : 3]));
    DWORD start = GetTickCount();
    HWND picker = nullptr;
    while (!(picker = FindWindowW(L"#32770", title)) || !IsWindowVisible(picker)) {
      if (GetTickCount() - start >= timeout) return 1;
      Sleep(50);
    }
    Sleep(300);  // let it finish filling itself
    if (!answer) return PostMessageW(picker, WM_COMMAND, IDCANCEL, 0) ? 0 : 1;
    HWND edit = nullptr;
    EnumChildWindows(
        picker,
        [](HWND child, LPARAM param) -> BOOL {
          wchar_t className[16] = L"";
          GetClassNameW(child, className, 16);
          if (lstrcmpiW(className, L"Edit") != 0 || !IsWindowVisible(child)) return TRUE;
          *reinterpret_cast<HWND*>(param) = child;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&edit));
    if (!edit) return 1;
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[3]));
    // The dialog's own Open button, as its click reports it.
    HWND ok = GetDlgItem(picker, IDOK);
    return PostMessageW(picker, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(ok)) ? 0 : 1;
  }
  if (command == L"class-rect") {
    HWND found = nullptr;
    for (HWND w = FindWindowExW(nullptr, nullptr, title, nullptr); w; w = FindWindowExW(nullptr, w, title, nullptr))
      if (IsWindowVisible(w)) {
        found = w;
        break;
      }
    if (!found) return 1;
    RECT r;
    GetWindowRect(found, &r);
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
    return 0;
  }
  if (command == L"class-rects") {
    // Every visible top-level window of the class, one rectangle a line, left to right.
    std::vector<RECT> rects;
    for (HWND w = FindWindowExW(nullptr, nullptr, title, nullptr); w; w = FindWindowExW(nullptr, w, title, nullptr)) {
      RECT r;
      if (IsWindowVisible(w) && GetWindowRect(w, &r)) rects.push_back(r);
    }
    std::sort(rects.begin(), rects.end(), [](const RECT& a, const RECT& b) {
      return a.left != b.left ? a.left < b.left : a.top < b.top;
    });
    for (const RECT& r : rects) std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
    return 0;
  }
  if (command == L"display-mode" && argc >= 4) {
    DEVMODEW mode{};
    mode.dmSize = sizeof(mode);
    mode.dmPelsWidth = static_cast<DWORD>(_wtoi(argv[2]));
    mode.dmPelsHeight = static_cast<DWORD>(_wtoi(argv[3]));
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    LONG result = ChangeDisplaySettingsExW(nullptr, &mode, nullptr, 0, nullptr);
    std::printf("%ld\n", result);
    return result == DISP_CHANGE_SUCCESSFUL ? 0 : 1;
  }
  if (command == L"broadcast") {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(HWND_BROADCAST, RegisterWindowMessageW(title), 0, 0, SMTO_NORMAL, 5000, &result);
    return 0;
  }
  HWND window = FindTopLevel(title);
  if (!window) return 1;
  if ((command == L"tray-icon" || command == L"tray-delete") && argc >= 4) {
    NOTIFYICONDATAW icon{};
    icon.cbSize = sizeof(icon);
    icon.hWnd = window;
    icon.uID = static_cast<UINT>(Number(argv[3]));
    if (command == L"tray-delete") return Shell_NotifyIconW(NIM_DELETE, &icon) ? 0 : 1;
    // Changing nothing succeeds exactly when the icon exists.
    std::printf("%d\n", Shell_NotifyIconW(NIM_MODIFY, &icon) ? 1 : 0);
    return 0;
  }
  if ((command == L"popup" || command == L"popup-click" || command == L"popup-text" || command == L"popup-key") &&
      argc >= 4) {
    HWND control = FindPopupControl(window, argv[3]);
    if (!control) return 1;
    if (command == L"popup-key" && argc >= 5) {
      WPARAM vk = static_cast<WPARAM>(Number(argv[4]));
      PostMessageW(control, WM_KEYDOWN, vk, 1);
      PostMessageW(control, WM_KEYUP, vk, static_cast<LPARAM>(0xC0000001u));
      return 0;
    }
    if (command == L"popup-click") return SendMessageW(control, BM_CLICK, 0, 0), 0;
    if (command == L"popup-text") {
      wchar_t text[512] = L"";
      GetWindowTextW(control, text, 512);
      PrintUtf8(text);
      return 0;
    }
    HWND top = GetAncestor(control, GA_ROOT);
    RECT r;
    GetWindowRect(top, &r);
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
    return 0;
  }
  if (command == L"post" && argc >= 6)
    return PostMessageW(window, static_cast<UINT>(Number(argv[3])), static_cast<WPARAM>(Number(argv[4])),
                        static_cast<LPARAM>(Number(argv[5])))
               ? 0
               : 1;
  if (argc >= 4 && (command == L"click" || command == L"post-click" || command == L"text" || command == L"set-text" || command == L"select" ||
                    command == L"visible" || command == L"enabled" || command == L"focus" || command == L"key")) {
    HWND control = FindControl(window, argv[3]);
    if (!control) return 1;
    if (command == L"click") return SendMessageW(control, BM_CLICK, 0, 0), 0;
    if (command == L"post-click") return PostMessageW(control, BM_CLICK, 0, 0) ? 0 : 1;
    if (command == L"visible") return std::printf("%d\n", IsWindowVisible(control) ? 1 : 0), 0;
    if (command == L"enabled") return std::printf("%d\n", IsWindowEnabled(control) ? 1 : 0), 0;
    if (command == L"text") {
      // WM_GETTEXT, not GetWindowText: for another process's window the latter gives the
      // caption the system keeps, not an edit box's current text.
      wchar_t text[2048] = L"";
      SendMessageW(control, WM_GETTEXT, 2048, reinterpret_cast<LPARAM>(text));
      PrintUtf8(text);
      return 0;
    }
    if (command == L"focus") {
      // Focus belongs to the thread that owns the window: attach to it for the call.
      DWORD thread = GetWindowThreadProcessId(control, nullptr);
      AttachThreadInput(GetCurrentThreadId(), thread, TRUE);
      SetFocus(control);
      AttachThreadInput(GetCurrentThreadId(), thread, FALSE);
      return 0;
    }
    if (argc < 5) return 2;
    if (command == L"key") {
      WPARAM vk = static_cast<WPARAM>(Number(argv[4]));
      PostMessageW(control, WM_KEYDOWN, vk, 1);
      PostMessageW(control, WM_KEYUP, vk, static_cast<LPARAM>(0xC0000001u));
      return 0;
    }
    HWND parent = GetParent(control);
    int id = GetDlgCtrlID(control);
    if (command == L"set-text") {
      SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[4]));
      SendMessageW(parent, WM_COMMAND, MAKEWPARAM(id, EN_CHANGE), reinterpret_cast<LPARAM>(control));
      return 0;
    }
    wchar_t className[32] = L"";
    GetClassNameW(control, className, 32);
    bool combo = lstrcmpiW(className, L"ComboBox") == 0;
    SendMessageW(control, combo ? CB_SETCURSEL : LB_SETCURSEL, static_cast<WPARAM>(Number(argv[4])), 0);
    SendMessageW(parent, WM_COMMAND, MAKEWPARAM(id, combo ? CBN_SELCHANGE : LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(control));
    return 0;
  }
  if (command == L"post-command" && argc >= 4) return PostMessageW(window, WM_COMMAND, _wtoi(argv[3]), 0) ? 0 : 1;
  if (command == L"close") return PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0) ? 0 : 1;
  if (command == L"hide") return ShowWindow(window, SW_HIDE), 0;
  return 2;
}

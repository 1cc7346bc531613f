// A stand-in for the Windows desktop shell's windows, for Wine (which has none): a
// top-level "Progman" holding the icons' "SHELLDLL_DefView", and the wallpaper layer in
// either of the shell's two layouts.
//   Classic: on message 0x052C the icons' view moves into a new top-level "WorkerW" and the
//            wallpaper "WorkerW" is created right behind it (Wine's FindWindowExW only walks
//            windows of the wanted class, so the tree must be exactly this).
//   Newer (Windows 11 24H2): the wallpaper "WorkerW" is a child of Progman.
// The icons' windows stay hidden so that the wallpaper behind them can be seen; every
// window covers the virtual screen and stays at the bottom of the z-order.
#pragma once
#include <windows.h>

class DesktopStandin {
 public:
  enum class Layout { Classic, Newer };

  explicit DesktopStandin(Layout layout) : layout_(layout) {}
  DesktopStandin(const DesktopStandin&) = delete;
  DesktopStandin& operator=(const DesktopStandin&) = delete;
  ~DesktopStandin() { Close(); }

  bool Open() {
    Register(L"Progman", ProgmanProc, CreateSolidBrush(RGB(0, 64, 64)));
    Register(L"WorkerW", DefWindowProcW, CreateSolidBrush(RGB(0, 0, 0)));
    Register(L"SHELLDLL_DefView", DefWindowProcW, nullptr);
    RECT s = Screen();
    // The object rides in the creation data: Wine can deliver another process's 0x052C while
    // the window is still being made (it waits for the X server then), before any later
    // SetWindowLongPtr would have run.
    progman_ = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, L"Progman", L"Program Manager",
                               WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, s.left, s.top, s.right - s.left,
                               s.bottom - s.top, nullptr, nullptr, GetModuleHandleW(nullptr), this);
    if (!progman_) return false;
    defView_ = CreateWindowExW(0, L"SHELLDLL_DefView", L"", WS_CHILD, 0, 0, s.right - s.left, s.bottom - s.top,
                               progman_, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (layout_ == Layout::Newer) {
      wallpaper_ = CreateWindowExW(0, L"WorkerW", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, s.right - s.left,
                                   s.bottom - s.top, progman_, nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    SetWindowPos(progman_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return defView_ != nullptr;
  }

  void Close() {
    for (HWND* w : {&wallpaper_, &icons_, &progman_}) {
      if (*w && IsWindow(*w)) DestroyWindow(*w);
      *w = nullptr;
    }
    defView_ = nullptr;
  }

  HWND Progman() const { return progman_; }
  HWND DefView() const { return defView_; }
  // The icons' top-level WorkerW (classic layout, after 0x052C).
  HWND Icons() const { return icons_; }
  // The wallpaper layer (classic layout: only after 0x052C).
  HWND Wallpaper() const { return wallpaper_; }
  Layout GetLayout() const { return layout_; }

 private:
  static RECT Screen() {
    int x = GetSystemMetrics(SM_XVIRTUALSCREEN), y = GetSystemMetrics(SM_YVIRTUALSCREEN);
    return RECT{x, y, x + GetSystemMetrics(SM_CXVIRTUALSCREEN), y + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
  }

  static void Register(const wchar_t* name, WNDPROC proc, HBRUSH background) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (GetClassInfoExW(GetModuleHandleW(nullptr), name, &existing)) {
      if (background) DeleteObject(background);
      return;
    }
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = background;
    wc.lpszClassName = name;
    RegisterClassExW(&wc);
  }

  // The shell's answer to 0x052C in the classic layout: split the icons from the wallpaper.
  void SpawnWorker() {
    if (layout_ != Layout::Classic || icons_) return;
    RECT s = Screen();
    icons_ =
        CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, L"WorkerW", L"", WS_POPUP | WS_CLIPCHILDREN, s.left, s.top,
                        s.right - s.left, s.bottom - s.top, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetParent(defView_, icons_);
    wallpaper_ = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, L"WorkerW", L"",
                                 WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, s.left, s.top, s.right - s.left,
                                 s.bottom - s.top, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    // Z-order at the bottom, front to back: icons' WorkerW, wallpaper WorkerW, Progman. Each
    // is placed right behind the one before it, so that no window the system brings to the
    // bottom meanwhile (Wine does while it maps new windows) comes between them.
    SetWindowPos(icons_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowPos(wallpaper_, icons_, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowPos(progman_, wallpaper_, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }

  static LRESULT CALLBACK ProgmanProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE)
      SetWindowLongPtrW(window, GWLP_USERDATA,
                        reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    auto* self = reinterpret_cast<DesktopStandin*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == 0x052C && self) {
      self->SpawnWorker();
      return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }

  Layout layout_;
  HWND progman_ = nullptr;
  HWND defView_ = nullptr;
  HWND icons_ = nullptr;
  HWND wallpaper_ = nullptr;
};

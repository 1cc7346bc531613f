// The product's message box, string-table texts, system error texts and window DPI.
#include "base/AppServices_win.h"

#include "base/Handles_win.h"
#include "base/Window_win.h"
#include "app/App_win.h"

namespace {
MessageBoxHook& Hook() {
  static MessageBoxHook hook;
  return hook;
}
}  // namespace

void SetMessageBoxHook(MessageBoxHook hook) { Hook() = std::move(hook); }

std::wstring LoadResString(UINT id) {
  const wchar_t* text = nullptr;
  int length = LoadStringW(AppInstance(), id, reinterpret_cast<LPWSTR>(&text), 0);
  if (length <= 0 || !text) return L"";
  return std::wstring(text, static_cast<size_t>(length));
}

int ShowAppMessage(HWND owner, const std::wstring& text, UINT style) {
  std::wstring caption = LoadResString(130);
  if (Hook()) return Hook()(owner, text, caption, style);
  return MessageBoxW(owner, text.c_str(), caption.c_str(), style);
}

int ShowAppMessageId(HWND owner, UINT stringId, UINT style) {
  return ShowAppMessage(owner, LoadResString(stringId), style);
}

std::wstring SystemErrorText(DWORD code) {
  char* buffer = nullptr;
  DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                    FORMAT_MESSAGE_IGNORE_INSERTS,
                                nullptr, code, 0, reinterpret_cast<LPSTR>(&buffer), 0, nullptr);
  UniqueHlocal owned(buffer);
  std::wstring text;
  if (length && buffer) {
    int wide = MultiByteToWideChar(CP_ACP, 0, buffer, static_cast<int>(length), nullptr, 0);
    text.resize(static_cast<size_t>(wide));
    MultiByteToWideChar(CP_ACP, 0, buffer, static_cast<int>(length), text.data(), wide);
  }
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) text.pop_back();
  if (text.empty()) {
    wchar_t fallback[40];
    wsprintfW(fallback, L"Error 0x%08X", static_cast<unsigned>(code));
    text = fallback;
  }
  return text;
}

UINT WindowDpi(HWND window) {
  if (auto getDpi = App().getDpiForWindow) {
    UINT dpi = getDpi(window);
    if (dpi) return dpi;
  }
  HDC dc = GetDC(window);
  if (!dc) return 96;
  int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(window, dc);
  return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

int ScaleForWindow(HWND window, int designPixels) {
  return MulDiv(designPixels, static_cast<int>(WindowDpi(window)), 96);
}

// String-table texts and system error texts.
#include "base/Resources_win.h"

#include "base/Handles_win.h"
#include "base/Window_win.h"

std::wstring LoadResString(UINT id) {
  const wchar_t* text = nullptr;
  int length = LoadStringW(AppInstance(), id, reinterpret_cast<LPWSTR>(&text), 0);
  if (length <= 0 || !text) return L"";
  return std::wstring(text, static_cast<size_t>(length));
}

std::wstring SystemErrorText(DWORD code) {
  wchar_t* buffer = nullptr;
  DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                    FORMAT_MESSAGE_IGNORE_INSERTS,
                                nullptr, code, 0, reinterpret_cast<LPWSTR>(&buffer), 0, nullptr);
  UniqueHlocal owned(buffer);
  std::wstring text;
  if (length && buffer) text.assign(buffer, length);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) text.pop_back();
  if (text.empty()) {
    wchar_t fallback[40];
    wsprintfW(fallback, L"Error 0x%08X", static_cast<unsigned>(code));
    text = fallback;
  }
  return text;
}

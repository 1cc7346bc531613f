// The user's folder for temporary files.
#pragma once
#include <windows.h>

#include <string>

// With its trailing backslash; empty when it cannot be read whole (longer than MAX_PATH).
inline std::wstring TempFolder() {
  wchar_t folder[MAX_PATH + 1] = {};
  const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
  return (length == 0 || length > MAX_PATH) ? std::wstring() : std::wstring(folder, length);
}

// The running program's full path.
#pragma once
#include <windows.h>

#include <string>

// Empty when it cannot be read whole (longer than MAX_PATH).
inline std::wstring ProgramPath() {
  wchar_t path[MAX_PATH + 1] = {};
  DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  return std::wstring(path, length < MAX_PATH ? length : 0);
}

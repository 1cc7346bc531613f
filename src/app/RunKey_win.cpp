#include "app/RunKey_win.h"

#include <windows.h>

#include "base/Handles_win.h"
#include "base/Log.h"
#include "base/ProgramPath_win.h"
#include "settings/RegistryKeyStore_win.h"

namespace {

constexpr wchar_t kRunKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

// The key opened for reading and writing; created when asked and missing. Empty (with the
// status) when it cannot be.
UniqueHkey OpenRunKey(bool create, LSTATUS* status = nullptr) {
  HKEY raw = nullptr;
  LSTATUS result = RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_READ | KEY_WRITE, &raw);
  if (result != ERROR_SUCCESS && create) {
    result = RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE,
                             nullptr, &raw, nullptr);
  }
  if (status) *status = result;
  return UniqueHkey(result == ERROR_SUCCESS ? raw : nullptr);
}

}  // namespace

void DeleteRunValue(const wchar_t* name) {
  if (UniqueHkey key = OpenRunKey(false)) RegDeleteValueW(key.get(), name);
}

CRunKeyEntry::CRunKeyEntry() : name_(settings::ExecutableBaseName()) {}

bool CRunKeyEntry::Present() {
  UniqueHkey key = OpenRunKey(false);
  if (!key) return false;
  wchar_t data[261] = {};
  DWORD type = 0, size = sizeof(data) - sizeof(wchar_t);
  if (RegQueryValueExW(key.get(), name_.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data), &size) !=
      ERROR_SUCCESS)
    return false;
  return (type == REG_SZ || type == REG_EXPAND_SZ) && size >= sizeof(wchar_t) && data[0] != L'\0';
}

void CRunKeyEntry::Set(bool enable) {
  if (!enable) {
    DeleteRunValue(name_.c_str());
    return;
  }
  const std::wstring path = ProgramPath();
  if (path.empty()) return;
  const std::wstring command = app::AutoRunCommand(path);
  LSTATUS status = ERROR_SUCCESS;
  UniqueHkey key = OpenRunKey(true, &status);
  if (!key) {
    LogMessage(Error, "Open Reg key failed. Key: %S. Error: %d", kRunKey, static_cast<int>(status));
    return;
  }
  status = RegSetValueExW(key.get(), name_.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                          static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
  if (status != ERROR_SUCCESS)
    LogMessage(Error, "SetStringValue failed. Key: %S. Value: %S Error: %d", kRunKey, name_.c_str(),
               static_cast<int>(status));
}

// The settings tree in the registry. Each operation opens (or creates) its key, makes one
// registry call and closes the key again; nothing is cached.
#include "settings/RegistryKeyStore_win.h"

#include <vector>

#include "base/Handles_win.h"

namespace settings {

RegistryKeyStore::RegistryKeyStore(std::wstring rootPath) : rootPath_(std::move(rootPath)) {}

std::wstring RegistryKeyStore::FullPath(std::wstring_view path) const { return JoinKeyPath(rootPath_, path); }

namespace {
UniqueHkey OpenKey(const std::wstring& path, bool create, REGSAM access = KEY_READ | KEY_WRITE) {
  UniqueHkey key;
  LONG rc = create ? RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access,
                                     nullptr, key.put(), nullptr)
                   : RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, access, key.put());
  if (rc != ERROR_SUCCESS) key.release();
  return key;
}
}  // namespace

bool RegistryKeyStore::CreateKey(std::wstring_view path) { return static_cast<bool>(OpenKey(FullPath(path), true)); }

bool RegistryKeyStore::KeyExists(std::wstring_view path) {
  return static_cast<bool>(OpenKey(FullPath(path), false, KEY_READ));
}

std::optional<StoredValue> RegistryKeyStore::QueryValue(std::wstring_view path, std::wstring_view name) {
  UniqueHkey key = OpenKey(FullPath(path), false, KEY_READ);
  if (!key) return std::nullopt;
  std::wstring valueName(name);
  StoredValue value;
  DWORD type = 0, size = 0;
  for (int attempt = 0; attempt < 4; ++attempt) {
    LONG rc = RegQueryValueExW(key.get(), valueName.c_str(), nullptr, &type,
                               value.data.empty() ? nullptr : value.data.data(), &size);
    if (rc == ERROR_SUCCESS && (!value.data.empty() || size == 0)) {
      value.data.resize(size);
      value.type = type;
      return value;
    }
    if (rc != ERROR_SUCCESS && rc != ERROR_MORE_DATA) return std::nullopt;
    value.data.resize(size ? size : 1);  // the value may grow between the two calls
  }
  return std::nullopt;
}

bool RegistryKeyStore::SetValue(std::wstring_view path, std::wstring_view name, uint32_t type, const void* data,
                                size_t size) {
  UniqueHkey key = OpenKey(FullPath(path), false);
  if (!key) return false;
  std::wstring valueName(name);
  return RegSetValueExW(key.get(), valueName.c_str(), 0, type, static_cast<const BYTE*>(data),
                        static_cast<DWORD>(size)) == ERROR_SUCCESS;
}

bool RegistryKeyStore::DeleteValue(std::wstring_view path, std::wstring_view name) {
  UniqueHkey key = OpenKey(FullPath(path), false);
  if (!key) return false;
  std::wstring valueName(name);
  return RegDeleteValueW(key.get(), valueName.c_str()) == ERROR_SUCCESS;
}

bool RegistryKeyStore::DeleteKey(std::wstring_view path) {
  if (path.empty()) return false;
  std::wstring full = FullPath(path);
  using DeleteKeyExFn = LONG(WINAPI*)(HKEY, LPCWSTR, REGSAM, DWORD);
  static auto deleteKeyEx = reinterpret_cast<DeleteKeyExFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"advapi32.dll"), "RegDeleteKeyExW")));
  if (deleteKeyEx) return deleteKeyEx(HKEY_CURRENT_USER, full.c_str(), 0, 0) == ERROR_SUCCESS;
  return RegDeleteKeyW(HKEY_CURRENT_USER, full.c_str()) == ERROR_SUCCESS;
}

bool RegistryKeyStore::EnumSubkey(std::wstring_view path, uint32_t index, std::wstring& name) {
  UniqueHkey key = OpenKey(FullPath(path), false, KEY_READ);
  if (!key) return false;
  wchar_t buffer[256];
  DWORD length = 256;
  if (RegEnumKeyExW(key.get(), index, buffer, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
    return false;
  name.assign(buffer, length);
  return true;
}

bool RegistryKeyStore::DeleteTree(std::wstring_view path) {
  UniqueHkey key = OpenKey(FullPath(path), false, KEY_ALL_ACCESS);
  if (!key) return false;
  return RegDeleteTreeW(key.get(), nullptr) == ERROR_SUCCESS;
}

std::wstring ExecutableBaseName() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return L"Qendor2";
    if (length < buffer.size()) {
      std::wstring path(buffer.data(), length);
      size_t slash = path.find_last_of(L"\\/");
      std::wstring file = slash == std::wstring::npos ? path : path.substr(slash + 1);
      size_t dot = file.find_last_of(L'.');
      return dot == std::wstring::npos ? file : file.substr(0, dot);
    }
    buffer.resize(buffer.size() * 2);
  }
}

std::wstring AppRegistryRoot(const wchar_t* company) {
  return std::wstring(L"Software\\") + company + L"\\" + ExecutableBaseName();
}

}  // namespace settings

// The settings tree in the registry: HKEY_CURRENT_USER\Software\<company>\<application>.
#pragma once
#include <windows.h>

#include "settings/KeyStore.h"

namespace settings {

class RegistryKeyStore : public KeyStore {
 public:
  // The root below HKEY_CURRENT_USER, e.g. L"Software\\vexmora\\Qendor2".
  explicit RegistryKeyStore(std::wstring rootPath);

  bool CreateKey(std::wstring_view path) override;
  bool KeyExists(std::wstring_view path) override;
  std::optional<StoredValue> QueryValue(std::wstring_view path, std::wstring_view name) override;
  bool SetValue(std::wstring_view path, std::wstring_view name, uint32_t type, const void* data,
                size_t size) override;
  bool DeleteValue(std::wstring_view path, std::wstring_view name) override;
  bool DeleteKey(std::wstring_view path) override;
  bool EnumSubkey(std::wstring_view path, uint32_t index, std::wstring& name) override;
  bool DeleteTree(std::wstring_view path) override;

  const std::wstring& RootPath() const { return rootPath_; }

 private:
  std::wstring FullPath(std::wstring_view path) const;
  std::wstring rootPath_;
};

// The application's key name: the running executable's file name without its extension.
std::wstring ExecutableBaseName();
// "Software\<company>\<executable's base name>".
std::wstring AppRegistryRoot(const wchar_t* company);

}  // namespace settings

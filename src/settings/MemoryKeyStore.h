// A key store in memory that obeys the registry's rules; the tests' settings tree.
#pragma once
#include <map>
#include <memory>

#include "settings/KeyStore.h"

namespace settings {

// Orders names as the registry does: compared as text, ignoring case.
struct CaseInsensitiveLess {
  bool operator()(const std::wstring& a, const std::wstring& b) const;
};
int CompareNoCase(std::wstring_view a, std::wstring_view b);

class MemoryKeyStore : public KeyStore {
 public:
  MemoryKeyStore();
  ~MemoryKeyStore() override;

  bool CreateKey(std::wstring_view path) override;
  bool KeyExists(std::wstring_view path) override;
  std::optional<StoredValue> QueryValue(std::wstring_view path, std::wstring_view name) override;
  bool SetValue(std::wstring_view path, std::wstring_view name, uint32_t type, const void* data,
                size_t size) override;
  bool DeleteValue(std::wstring_view path, std::wstring_view name) override;
  bool DeleteKey(std::wstring_view path) override;
  bool EnumSubkey(std::wstring_view path, uint32_t index, std::wstring& name) override;
  bool DeleteTree(std::wstring_view path) override;

 private:
  struct Node {
    std::wstring name;
    std::map<std::wstring, std::unique_ptr<Node>, CaseInsensitiveLess> children;
    std::map<std::wstring, StoredValue, CaseInsensitiveLess> values;
  };
  Node* Find(std::wstring_view path, bool create);

  Node root_;
};

}  // namespace settings

// A key store in memory with the registry's rules (case-insensitive names, sorted subkeys).
#include "settings/MemoryKeyStore.h"

#include <cstring>
#include <cwctype>

namespace settings {

namespace {
wchar_t Upper(wchar_t c) {
  if (c >= L'a' && c <= L'z') return static_cast<wchar_t>(c - L'a' + L'A');
  if (c < 0x80) return c;
  return static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c)));
}

// Splits "a\b\c" into its names; empty parts (doubled or edge backslashes) are skipped.
std::vector<std::wstring> SplitPath(std::wstring_view path) {
  std::vector<std::wstring> parts;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find(L'\\', start);
    if (end == std::wstring_view::npos) end = path.size();
    if (end > start) parts.emplace_back(path.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}
}  // namespace

int CompareNoCase(std::wstring_view a, std::wstring_view b) {
  size_t n = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < n; ++i) {
    wchar_t x = Upper(a[i]), y = Upper(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

bool CaseInsensitiveLess::operator()(const std::wstring& a, const std::wstring& b) const {
  return CompareNoCase(a, b) < 0;
}

MemoryKeyStore::MemoryKeyStore() = default;
MemoryKeyStore::~MemoryKeyStore() = default;

MemoryKeyStore::Node* MemoryKeyStore::Find(std::wstring_view path, bool create) {
  Node* node = &root_;
  for (const std::wstring& part : SplitPath(path)) {
    auto it = node->children.find(part);
    if (it == node->children.end()) {
      if (!create) return nullptr;
      auto child = std::make_unique<Node>();
      child->name = part;
      it = node->children.emplace(part, std::move(child)).first;
    }
    node = it->second.get();
  }
  return node;
}

bool MemoryKeyStore::CreateKey(std::wstring_view path) { return Find(path, true) != nullptr; }

bool MemoryKeyStore::KeyExists(std::wstring_view path) { return Find(path, false) != nullptr; }

std::optional<StoredValue> MemoryKeyStore::QueryValue(std::wstring_view path, std::wstring_view name) {
  Node* node = Find(path, false);
  if (!node) return std::nullopt;
  auto it = node->values.find(std::wstring(name));
  if (it == node->values.end()) return std::nullopt;
  return it->second;
}

bool MemoryKeyStore::SetValue(std::wstring_view path, std::wstring_view name, uint32_t type, const void* data,
                              size_t size) {
  Node* node = Find(path, false);
  if (!node) return false;
  StoredValue value;
  value.type = type;
  value.data.resize(size);
  if (size) std::memcpy(value.data.data(), data, size);
  auto it = node->values.find(std::wstring(name));
  if (it != node->values.end())
    it->second = std::move(value);  // the registry keeps the name's first spelling
  else
    node->values.emplace(std::wstring(name), std::move(value));
  return true;
}

bool MemoryKeyStore::DeleteValue(std::wstring_view path, std::wstring_view name) {
  Node* node = Find(path, false);
  return node && node->values.erase(std::wstring(name)) > 0;
}

bool MemoryKeyStore::DeleteKey(std::wstring_view path) {
  std::vector<std::wstring> parts = SplitPath(path);
  if (parts.empty()) return false;
  std::wstring leaf = parts.back();
  parts.pop_back();
  Node* parent = &root_;
  for (const std::wstring& part : parts) {
    auto it = parent->children.find(part);
    if (it == parent->children.end()) return false;
    parent = it->second.get();
  }
  auto it = parent->children.find(leaf);
  if (it == parent->children.end() || !it->second->children.empty()) return false;
  parent->children.erase(it);
  return true;
}

bool MemoryKeyStore::EnumSubkey(std::wstring_view path, uint32_t index, std::wstring& name) {
  Node* node = Find(path, false);
  if (!node || index >= node->children.size()) return false;
  auto it = node->children.begin();
  std::advance(it, index);
  name = it->second->name;
  return true;
}

bool MemoryKeyStore::DeleteTree(std::wstring_view path) {
  Node* node = Find(path, false);
  if (!node) return false;
  node->children.clear();
  node->values.clear();
  return true;
}

}  // namespace settings

// The hierarchical per-user store the settings tree lives in: keys holding typed values,
// with the registry's rules. The program uses the registry; tests use MemoryKeyStore.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace settings {

// Value types, numbered as the registry numbers them.
enum ValueType : uint32_t {
  kNone = 0,
  kString = 1,        // REG_SZ
  kExpandString = 2,  // REG_EXPAND_SZ
  kBinary = 3,        // REG_BINARY
  kDword = 4,         // REG_DWORD
  kMultiString = 7,   // REG_MULTI_SZ
  kQword = 11,        // REG_QWORD
};

struct StoredValue {
  uint32_t type = kNone;
  std::vector<uint8_t> data;
};

// Paths are relative to the application's root key: "" is the root, backslashes separate
// nested keys. Key and value names compare without case.
class KeyStore {
 public:
  virtual ~KeyStore() = default;
  // Opens the key, creating it and every missing key on the way.
  virtual bool CreateKey(std::wstring_view path) = 0;
  virtual bool KeyExists(std::wstring_view path) = 0;
  // Reads a value of an existing key; nullopt when the key or the value is missing.
  virtual std::optional<StoredValue> QueryValue(std::wstring_view path, std::wstring_view name) = 0;
  // Writes a value into an existing key.
  virtual bool SetValue(std::wstring_view path, std::wstring_view name, uint32_t type, const void* data,
                        size_t size) = 0;
  virtual bool DeleteValue(std::wstring_view path, std::wstring_view name) = 0;
  // Deletes the key with its values; fails when it has subkeys. The root cannot be deleted.
  virtual bool DeleteKey(std::wstring_view path) = 0;
  // The index-th subkey name in the store's order (names compared as text, ignoring case).
  virtual bool EnumSubkey(std::wstring_view path, uint32_t index, std::wstring& name) = 0;
  // Deletes every value and subkey below the key; the key itself remains.
  virtual bool DeleteTree(std::wstring_view path) = 0;
};

// Joins a section path and a subkey name with a backslash ("" + "x" gives "x").
std::wstring JoinKeyPath(std::wstring_view parent, std::wstring_view child);

}  // namespace settings

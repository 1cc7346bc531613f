// The settings tree's operations: profile values in sections below the application's root,
// direct values in the root, the bulk deletions and subkey enumeration.
#pragma once
#ifdef _WIN32
// The platform's headers map GetProfileInt, GetProfileString and WriteProfileString to the
// old win.ini functions. Take them in first and drop those names, so that every file, whatever
// it includes after this one, calls the settings tree's operations below.
#include <windows.h>
#undef GetProfileInt
#undef GetProfileString
#undef WriteProfileString
#endif
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/KeyStore.h"

namespace settings {

class SettingsStore {
 public:
  explicit SettingsStore(KeyStore& keys) : keys_(keys) {}

  // Profile operations. Reading a section creates its key. Integers are read through the
  // first four bytes of the value whatever its type; a longer value gives the default.
  int GetProfileInt(std::wstring_view section, std::wstring_view name, int defaultValue);
  std::wstring GetProfileString(std::wstring_view section, std::wstring_view name,
                                std::wstring_view defaultValue = {});
  bool WriteProfileInt(std::wstring_view section, std::wstring_view name, int value);
  // A null text deletes the value; a null name deletes the section key (only without subkeys).
  bool WriteProfileString(std::wstring_view section, const wchar_t* name, const wchar_t* text);

  // Deletes a section with everything below it.
  bool DeleteSection(std::wstring_view section);
  // Deletes every value and key below the root; the root remains.
  bool DeleteAllSettings();
  // The subkeys of a section in the store's order.
  std::vector<std::wstring> Subkeys(std::wstring_view section);

  // Direct operations on the root's own values.
  // A 32-bit value read into a 4-byte buffer: missing (or longer) gives the default.
  uint32_t ReadRootDword(std::wstring_view name, uint32_t defaultValue = 0);
  // A string of type REG_SZ or REG_EXPAND_SZ of at most maxChars characters; false otherwise.
  bool ReadRootString(std::wstring_view name, std::wstring& text, size_t maxChars = 126);
  bool WriteRootDword(std::wstring_view name, uint32_t value);
  bool WriteRootString(std::wstring_view name, std::wstring_view text);

  KeyStore& Keys() { return keys_; }

  // From here on nothing is written or created (the self-uninstall has begun): every write
  // and section deletion fails, reads give the defaults without creating keys. Only
  // DeleteAllSettings still works.
  void FreezeWrites() { frozen_ = true; }
  bool WritesFrozen() const { return frozen_; }

 private:
  bool OpenForRead(std::wstring_view path);

  KeyStore& keys_;
  bool frozen_ = false;
};

// Decoding rules shared by every reader of stored values.
// Integer: first four bytes (little-endian; a shorter value is zero-extended), nullopt when
// the value is longer than four bytes.
std::optional<uint32_t> DecodeDword(const StoredValue& value);
// String: as many wide characters as the byte count holds, up to the first terminator.
std::wstring DecodeString(const StoredValue& value);

}  // namespace settings

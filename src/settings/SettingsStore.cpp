// The settings tree's operations and the rules for decoding stored values.
#include "settings/SettingsStore.h"

#include <cstring>


namespace settings {

std::wstring JoinKeyPath(std::wstring_view parent, std::wstring_view child) {
  if (parent.empty()) return std::wstring(child);
  if (child.empty()) return std::wstring(parent);
  std::wstring path(parent);
  path += L'\\';
  path += child;
  return path;
}

std::optional<uint32_t> DecodeDword(const StoredValue& value) {
  if (value.data.size() > 4) return std::nullopt;
  // A shorter value fills the low bytes; the rest stays zero (never uninitialised memory).
  uint8_t bytes[4] = {0, 0, 0, 0};
  if (!value.data.empty()) std::memcpy(bytes, value.data.data(), value.data.size());
  return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
         static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

std::wstring DecodeString(const StoredValue& value) {
  size_t chars = value.data.size() / 2;  // an odd last byte holds no whole character
  std::wstring text;
  text.reserve(chars);
  for (size_t i = 0; i < chars; ++i) {
    wchar_t c = static_cast<wchar_t>(value.data[2 * i] | value.data[2 * i + 1] << 8);
    if (c == 0) break;
    text += c;
  }
  return text;
}

namespace {
std::vector<uint8_t> EncodeString(std::wstring_view text) {
  std::vector<uint8_t> bytes;
  bytes.reserve((text.size() + 1) * 2);
  for (wchar_t c : text) {
    bytes.push_back(static_cast<uint8_t>(c & 0xFF));
    bytes.push_back(static_cast<uint8_t>((c >> 8) & 0xFF));
  }
  bytes.push_back(0);
  bytes.push_back(0);
  return bytes;
}

void EncodeDword(uint32_t value, uint8_t (&bytes)[4]) {
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<uint8_t>(value >> (8 * i));
}
}  // namespace

bool SettingsStore::OpenForRead(std::wstring_view path) {
  return frozen_ ? keys_.KeyExists(path) : keys_.CreateKey(path);
}

int SettingsStore::GetProfileInt(std::wstring_view section, std::wstring_view name, int defaultValue) {
  if (!OpenForRead(section)) return defaultValue;
  auto value = keys_.QueryValue(section, name);
  if (!value) return defaultValue;
  auto number = DecodeDword(*value);
  return number ? static_cast<int>(*number) : defaultValue;
}

std::wstring SettingsStore::GetProfileString(std::wstring_view section, std::wstring_view name,
                                             std::wstring_view defaultValue) {
  if (!OpenForRead(section)) return std::wstring(defaultValue);
  auto value = keys_.QueryValue(section, name);
  if (!value) return std::wstring(defaultValue);
  return DecodeString(*value);
}

bool SettingsStore::WriteProfileInt(std::wstring_view section, std::wstring_view name, int value) {
  if (frozen_ || !keys_.CreateKey(section)) return false;
  uint8_t bytes[4];
  EncodeDword(static_cast<uint32_t>(value), bytes);
  return keys_.SetValue(section, name, kDword, bytes, sizeof(bytes));
}

bool SettingsStore::WriteProfileString(std::wstring_view section, const wchar_t* name, const wchar_t* text) {
  if (frozen_) return false;
  if (!name) return !section.empty() && keys_.DeleteKey(section);
  if (!keys_.CreateKey(section)) return false;
  if (!text) return keys_.DeleteValue(section, name);
  std::vector<uint8_t> bytes = EncodeString(text);
  return keys_.SetValue(section, name, kString, bytes.data(), bytes.size());
}

bool SettingsStore::DeleteSection(std::wstring_view section) {
  if (frozen_ || section.empty() || !keys_.KeyExists(section)) return false;
  // Children first: a key with subkeys cannot be deleted. Always take index 0, since each
  // deletion shifts the rest down; stop if a child refuses to go.
  std::wstring child;
  while (keys_.EnumSubkey(section, 0, child)) {
    if (!DeleteSection(JoinKeyPath(section, child))) return false;
  }
  return keys_.DeleteKey(section);
}

bool SettingsStore::DeleteAllSettings() { return keys_.DeleteTree(L""); }

std::vector<std::wstring> SettingsStore::Subkeys(std::wstring_view section) {
  std::vector<std::wstring> names;
  if (!OpenForRead(section)) return names;
  std::wstring name;
  for (uint32_t i = 0; keys_.EnumSubkey(section, i, name); ++i) names.push_back(name);
  return names;
}

uint32_t SettingsStore::ReadRootDword(std::wstring_view name, uint32_t defaultValue) {
  if (!OpenForRead(L"")) return defaultValue;
  auto value = keys_.QueryValue(L"", name);
  if (!value) return defaultValue;
  return DecodeDword(*value).value_or(defaultValue);
}

bool SettingsStore::ReadRootString(std::wstring_view name, std::wstring& text, size_t maxChars) {
  if (!OpenForRead(L"")) return false;
  auto value = keys_.QueryValue(L"", name);
  if (!value) return false;
  if (value->type != kString && value->type != kExpandString) return false;
  if (value->data.size() > (maxChars + 1) * 2) return false;  // does not fit the buffer
  text = DecodeString(*value);
  return true;
}

bool SettingsStore::WriteRootDword(std::wstring_view name, uint32_t value) {
  if (frozen_ || !keys_.CreateKey(L"")) return false;
  uint8_t bytes[4];
  EncodeDword(value, bytes);
  return keys_.SetValue(L"", name, kDword, bytes, sizeof(bytes));
}

bool SettingsStore::WriteRootString(std::wstring_view name, std::wstring_view text) {
  if (frozen_ || !keys_.CreateKey(L"")) return false;
  std::vector<uint8_t> bytes = EncodeString(text);
  return keys_.SetValue(L"", name, kString, bytes.data(), bytes.size());
}

}  // namespace settings

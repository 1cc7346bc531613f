// The settings tree's contract, run against every store: natively against the memory store,
// under Wine against the registry. Include it after defining MakeContractStore(), which
// returns a fresh, empty store for one test.
#pragma once
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <memory>
#include <random>

#include "settings/SettingsStore.h"

std::unique_ptr<settings::KeyStore> MakeContractStore();

namespace contract {

using settings::StoredValue;

inline std::vector<uint8_t> Bytes(std::initializer_list<int> values) {
  std::vector<uint8_t> out;
  for (int v : values) out.push_back(static_cast<uint8_t>(v));
  return out;
}
inline std::vector<uint8_t> Utf16(const std::wstring& text, bool terminator) {
  std::vector<uint8_t> out;
  for (wchar_t c : text) {
    out.push_back(static_cast<uint8_t>(c & 0xFF));
    out.push_back(static_cast<uint8_t>((c >> 8) & 0xFF));
  }
  if (terminator) out.insert(out.end(), {0, 0});
  return out;
}

class SettingsContract : public ::testing::Test {
 protected:
  void SetUp() override {
    keys = MakeContractStore();
    store = std::make_unique<settings::SettingsStore>(*keys);
  }
  void Raw(const wchar_t* section, const wchar_t* name, uint32_t type, const std::vector<uint8_t>& data) {
    ASSERT_TRUE(keys->CreateKey(section));
    ASSERT_TRUE(keys->SetValue(section, name, type, data.data(), data.size()));
  }
  std::unique_ptr<settings::KeyStore> keys;
  std::unique_ptr<settings::SettingsStore> store;
};

TEST_F(SettingsContract, FirstReadCreatesSectionAndGivesDefaults) {
  EXPECT_FALSE(keys->KeyExists(L"Video\\12345"));
  EXPECT_EQ(store->GetProfileInt(L"Video\\12345", L"PosX", 50), 50);
  EXPECT_TRUE(keys->KeyExists(L"Video\\12345"));
  EXPECT_EQ(store->GetProfileString(L"Music", L"Path"), L"");
  EXPECT_EQ(store->GetProfileString(L"BugReport", L"LogLevel", L"debug"), L"debug");
  EXPECT_TRUE(keys->KeyExists(L"Music"));
}

TEST_F(SettingsContract, IntegersAndStringsRoundTrip) {
  for (int value : {0, 1, -1, 50, INT_MAX, INT_MIN}) {
    ASSERT_TRUE(store->WriteProfileInt(L"Video", L"Selected", value));
    EXPECT_EQ(store->GetProfileInt(L"Video", L"Selected", 7), value);
  }
  std::wstring long_text(32767, L'x');
  for (const std::wstring& text : {std::wstring(), std::wstring(L"C:\\Videos\\sea.mp4"),
                                   std::wstring(L"C:\\Vid\u00e9os\\\u6d77.mp4"), long_text}) {
    ASSERT_TRUE(store->WriteProfileString(L"Music", L"Path", text.c_str()));
    EXPECT_EQ(store->GetProfileString(L"Music", L"Path", L"default"), text);
  }
  auto stored = keys->QueryValue(L"Video", L"Selected");
  ASSERT_TRUE(stored);
  EXPECT_EQ(stored->type, settings::kDword);
  EXPECT_EQ(stored->data.size(), 4u);
  stored = keys->QueryValue(L"Music", L"Path");
  ASSERT_TRUE(stored);
  EXPECT_EQ(stored->type, settings::kString);
  EXPECT_EQ(stored->data.size(), (long_text.size() + 1) * 2) << "terminator included";
}

TEST_F(SettingsContract, NamesCompareWithoutCase) {
  store->WriteProfileInt(L"QuickStart", L"ChangeTime", 3);
  EXPECT_EQ(store->GetProfileInt(L"QUICKSTART", L"changetime", 0), 3);
  store->WriteProfileInt(L"quickstart", L"CHANGETIME", 4);
  EXPECT_EQ(store->GetProfileInt(L"QuickStart", L"ChangeTime", 0), 4);
  EXPECT_EQ(store->Subkeys(L"").size(), 1u);
}

struct ForeignCase {
  const char* what;
  uint32_t type;
  std::vector<uint8_t> data;
  int expectedInt;  // with default -7
  std::wstring expectedString;
};

TEST_F(SettingsContract, ForeignTypesReadByTheRules) {
  const int kDefault = -7;
  std::vector<ForeignCase> cases = {
      {"binary 0 bytes", settings::kBinary, {}, 0, L""},
      {"binary 1 byte", settings::kBinary, Bytes({0x05}), 5, L""},
      {"binary 2 bytes", settings::kBinary, Bytes({0x34, 0x12}), 0x1234, L"\u1234"},
      {"binary 3 bytes", settings::kBinary, Bytes({1, 2, 3}), 0x030201, L"\u0201"},
      {"binary 4 bytes", settings::kBinary, Bytes({0xFF, 0xFF, 0xFF, 0xFF}), -1, L"\uFFFF\uFFFF"},
      {"binary 5 bytes", settings::kBinary, Bytes({1, 0, 0, 0, 0}), kDefault, L"\u0001"},
      {"binary 8 bytes", settings::kBinary, Bytes({9, 0, 0, 0, 0, 0, 0, 0}), kDefault, L"\u0009"},
      {"qword", settings::kQword, Bytes({42, 0, 0, 0, 0, 0, 0, 0}), kDefault, L"*"},
      {"dword holding text", settings::kDword, Bytes({'1', 0, 0, 0}), '1', L"1"},
      {"string one char", settings::kString, Utf16(L"7", true), '7', L"7"},
      {"string longer than 4 bytes", settings::kString, Utf16(L"50", true), kDefault, L"50"},
      {"string without terminator", settings::kString, Utf16(L"abc", false), kDefault, L"abc"},
      {"string with inner terminator", settings::kString, Utf16(std::wstring(L"ab\0cd", 5), true), kDefault,
       L"ab"},
      {"odd byte count", settings::kString, Bytes({'a', 0, 'b', 0, 'c'}), kDefault, L"ab"},
      {"expand string", settings::kExpandString, Utf16(L"%TEMP%", true), kDefault, L"%TEMP%"},
      {"multi string", settings::kMultiString, Utf16(std::wstring(L"one\0two\0", 8), true), kDefault, L"one"},
  };
  for (const ForeignCase& c : cases) {
    SCOPED_TRACE(c.what);
    Raw(L"Foreign", L"Value", c.type, c.data);
    EXPECT_EQ(store->GetProfileInt(L"Foreign", L"Value", kDefault), c.expectedInt);
    EXPECT_EQ(store->GetProfileString(L"Foreign", L"Value", L"none"), c.expectedString);
  }
}

TEST_F(SettingsContract, SixtyFourKilobyteStringsReadWhole) {
  std::wstring text(32768, L'q');  // 64 KiB of characters, plus the terminator
  Raw(L"Big", L"Path", settings::kString, Utf16(text, true));
  EXPECT_EQ(store->GetProfileString(L"Big", L"Path"), text);
  EXPECT_EQ(store->GetProfileInt(L"Big", L"Path", 3), 3);
  Raw(L"Big", L"Blob", settings::kBinary, std::vector<uint8_t>(65536, 0x41));
  EXPECT_EQ(store->GetProfileString(L"Big", L"Blob").size(), 32768u);
}

TEST_F(SettingsContract, NullTextDeletesValueAndNullNameDeletesLeafSection) {
  store->WriteProfileString(L"Playlist", L"Name", L"x");
  ASSERT_TRUE(store->WriteProfileString(L"Playlist", L"Name", nullptr));
  EXPECT_EQ(store->GetProfileString(L"Playlist", L"Name", L"gone"), L"gone");

  store->WriteProfileInt(L"Playlist\\1", L"Mode", 1);
  EXPECT_FALSE(store->WriteProfileString(L"Playlist", nullptr, nullptr)) << "a section with subkeys stays";
  EXPECT_TRUE(keys->KeyExists(L"Playlist\\1"));
  EXPECT_TRUE(store->WriteProfileString(L"Playlist\\1", nullptr, nullptr));
  EXPECT_FALSE(keys->KeyExists(L"Playlist\\1"));
  EXPECT_TRUE(keys->KeyExists(L"Playlist"));
}

TEST_F(SettingsContract, DeleteSectionRemovesEverythingBelow) {
  store->WriteProfileInt(L"Playlist", L"Active", 1);
  store->WriteProfileInt(L"Playlist\\1\\Video\\0", L"Volume", 20);
  store->WriteProfileInt(L"Playlist\\2\\Music", L"Volume", 30);
  store->WriteProfileInt(L"Playlist\\10", L"Mode", 1);
  store->WriteProfileInt(L"Music", L"Volume", 40);
  ASSERT_TRUE(store->DeleteSection(L"Playlist"));
  EXPECT_FALSE(keys->KeyExists(L"Playlist"));
  EXPECT_EQ(store->GetProfileInt(L"Music", L"Volume", 0), 40) << "other sections are left alone";
  EXPECT_EQ(store->GetProfileInt(L"Playlist\\1\\Video\\0", L"Volume", 50), 50);
  EXPECT_FALSE(store->DeleteSection(L"Nothing"));
}

TEST_F(SettingsContract, DeleteAllSettingsEmptiesTheRootButKeepsIt) {
  store->WriteRootString(L"Ver", L"Qendor2.1");
  store->WriteRootDword(L"TaskIndex", 3);
  store->WriteProfileInt(L"Video\\0", L"Volume", 10);
  store->WriteProfileInt(L"QuickControls", L"Mute", 1);
  ASSERT_TRUE(store->DeleteAllSettings());
  EXPECT_TRUE(keys->KeyExists(L""));
  EXPECT_TRUE(store->Subkeys(L"").empty());
  std::wstring version;
  EXPECT_FALSE(store->ReadRootString(L"Ver", version));
  EXPECT_EQ(store->ReadRootDword(L"TaskIndex"), 0u);
  EXPECT_EQ(store->GetProfileInt(L"Video\\0", L"Volume", 50), 50);
  EXPECT_TRUE(store->WriteProfileInt(L"Music", L"Volume", 5));
  EXPECT_EQ(store->GetProfileInt(L"Music", L"Volume", 50), 5);
}

TEST_F(SettingsContract, SubkeysComeInCaseInsensitiveTextOrder) {
  for (const wchar_t* name : {L"2", L"10", L"1", L"b", L"A", L"c", L"B2"})
    store->WriteProfileInt(std::wstring(L"Playlist\\") + name, L"Mode", 0);
  std::vector<std::wstring> expected = {L"1", L"10", L"2", L"A", L"b", L"B2", L"c"};
  EXPECT_EQ(store->Subkeys(L"Playlist"), expected);
}

TEST_F(SettingsContract, RootValuesThroughTheDirectOperations) {
  EXPECT_EQ(store->ReadRootDword(L"PauseAndMuteAll"), 0u) << "missing counts as 0";
  store->WriteRootDword(L"PauseAndMuteAll", 1);
  EXPECT_EQ(store->ReadRootDword(L"PauseAndMuteAll"), 1u);
  Raw(L"", L"PauseWhenMaximised", settings::kString, Utf16(L"1", true));
  EXPECT_EQ(store->ReadRootDword(L"PauseWhenMaximised"), static_cast<uint32_t>('1')) << "type not examined";
  Raw(L"", L"PauseWhenMaximised", settings::kQword, Bytes({1, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(store->ReadRootDword(L"PauseWhenMaximised"), 0u) << "longer than the 4-byte buffer";

  std::wstring version;
  EXPECT_FALSE(store->ReadRootString(L"Ver", version));
  ASSERT_TRUE(store->WriteRootString(L"Ver", L"Qendor2.1"));
  ASSERT_TRUE(store->ReadRootString(L"Ver", version));
  EXPECT_EQ(version, L"Qendor2.1");
  Raw(L"", L"Ver", settings::kExpandString, Utf16(L"Qendor2.0", true));
  ASSERT_TRUE(store->ReadRootString(L"Ver", version));
  EXPECT_EQ(version, L"Qendor2.0");
  Raw(L"", L"Ver", settings::kBinary, Utf16(L"Qendor2.1", true));
  EXPECT_FALSE(store->ReadRootString(L"Ver", version)) << "only string types are accepted";
  Raw(L"", L"Ver", settings::kString, Utf16(std::wstring(126, L'v'), true));
  EXPECT_TRUE(store->ReadRootString(L"Ver", version));
  Raw(L"", L"Ver", settings::kString, Utf16(std::wstring(127, L'v'), true));
  EXPECT_FALSE(store->ReadRootString(L"Ver", version)) << "127 characters do not fit";
}

TEST_F(SettingsContract, FuzzedValuesReadBackByTheRules) {
  std::mt19937 random(20261210);
  const uint32_t types[] = {settings::kNone,  settings::kString,      settings::kExpandString, settings::kBinary,
                            settings::kDword, settings::kMultiString, settings::kQword,        0x1234};
  for (int round = 0; round < 300; ++round) {
    SCOPED_TRACE(round);
    uint32_t type = types[random() % 8];
    size_t size = random() % 4 == 0 ? random() % 70000 : random() % 12;
    // Two bytes past the value stay non-zero: the registry extends an unterminated string
    // value by a terminator when it finds one right after the data it was given.
    std::vector<uint8_t> data(size + 2, 0xEE);
    for (size_t i = 0; i < size; ++i) data[i] = static_cast<uint8_t>(random() % 4 == 0 ? 0 : random());
    std::wstring name = L"V" + std::to_wstring(round % 17);
    SCOPED_TRACE(::testing::Message() << "type " << type << " size " << size);
    ASSERT_TRUE(keys->CreateKey(L"Fuzz"));
    ASSERT_TRUE(keys->SetValue(L"Fuzz", name, type, data.data(), size));

    int expectedInt = -99;
    if (size <= 4) {
      uint32_t v = 0;
      for (size_t i = 0; i < size; ++i) v |= static_cast<uint32_t>(data[i]) << (8 * i);
      expectedInt = static_cast<int>(v);
    }
    std::wstring expectedText;
    for (size_t i = 0; i + 1 < size; i += 2) {
      wchar_t c = static_cast<wchar_t>(data[i] | data[i + 1] << 8);
      if (!c) break;
      expectedText += c;
    }
    EXPECT_EQ(store->GetProfileInt(L"Fuzz", name, -99), expectedInt);
    EXPECT_EQ(store->GetProfileString(L"Fuzz", name), expectedText);
  }
}

}  // namespace contract

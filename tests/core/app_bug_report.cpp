// The bug report over fake files: which entries go in, when the old report is replaced, what a
// failure leaves behind; the description's bytes; the tab's button and stored values.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/BugReport.h"
#include "settings/MemoryKeyStore.h"

namespace {

const std::wstring kTemp = L"C:\\Temp\\";
const std::wstring kZip = L"D:\\Reports\\Qendor-Report.zip";

struct FakeFiles : app::ReportFiles {
  std::set<std::wstring> existing;
  std::vector<std::string> calls;
  std::wstring failAdd;  // the entry whose writing fails
  bool beginFails = false, finishFails = false, replaceFails = false;
  std::string Narrow(const std::wstring& w) { return std::string(w.begin(), w.end()); }
  bool Exists(const std::wstring& path) override { return existing.count(path) != 0; }
  bool Begin(const std::wstring& path) override {
    calls.push_back("begin " + Narrow(path));
    if (!beginFails) existing.insert(path);
    return !beginFails;
  }
  bool AddBytes(const std::wstring& name, const std::string& bytes) override {
    calls.push_back("bytes " + Narrow(name) + " " + std::to_string(bytes.size()));
    return name != failAdd;
  }
  bool AddFile(const std::wstring& name, const std::wstring& path) override {
    calls.push_back("file " + Narrow(name) + " " + Narrow(path));
    return name != failAdd;
  }
  bool Finish() override { return calls.push_back("finish"), !finishFails; }
  bool Replace(const std::wstring& from, const std::wstring& to) override {
    calls.push_back("replace");
    if (replaceFails) return false;
    existing.erase(from);
    existing.insert(to);
    return true;
  }
  void Remove(const std::wstring& path) override {
    calls.push_back("remove " + Narrow(path));
    existing.erase(path);
  }
};

TEST(BugReportTest, ArchivePathGetsOneBackslash) {
  EXPECT_EQ(app::ReportArchivePath(L"D:\\Reports"), L"D:\\Reports\\Qendor-Report.zip");
  EXPECT_EQ(app::ReportArchivePath(L"D:\\Reports\\"), L"D:\\Reports\\Qendor-Report.zip");
  EXPECT_EQ(app::ReportArchivePath(L"D:\\"), L"D:\\Qendor-Report.zip");
}

TEST(BugReportTest, DescriptionIsUtf8WithAByteOrderMarkAndCrLf) {
  const std::string bom = "\xEF\xBB\xBF";
  struct Case {
    std::wstring typed;
    std::string bytes;
  } cases[] = {
      {L"", ""},
      {L"one line", bom + "one line"},
      {L"first\nsecond\n", bom + "first\r\nsecond\r\n"},
      {L"first\r\nsecond", bom + "first\r\nsecond"},  // the edit's own line ends
      {L"caf\u00e9 \u65e5\u672c", bom + "caf\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC"},
      {std::wstring(1, static_cast<wchar_t>(0xD83D)) + static_cast<wchar_t>(0xDE00), bom + "\xF0\x9F\x98\x80"},
      {std::wstring(1, static_cast<wchar_t>(0xD83D)), bom + "\xEF\xBF\xBD"},  // half a pair
  };
  for (const Case& k : cases) EXPECT_EQ(app::DescriptionBytes(k.typed), k.bytes);
}

TEST(BugReportTest, EntriesAreThoseThatExistAndTheOldReportGoesOnlyOnSuccess) {
  const std::string partial = "D:\\Reports\\Qendor-Report.zip.partial";
  struct Case {
    const char* what;
    std::wstring description;
    bool log, previous;
    app::ReportResult result;
    std::vector<std::string> calls;
  } cases[] = {
      {"everything", L"it froze", true, true, app::ReportResult::kCreated,
       {"begin " + partial, "bytes Description.txt 11", "file Qendor2.log C:\\Temp\\Qendor2.log",
        "file Qendor2.log.bak C:\\Temp\\Qendor2.log.bak", "finish", "replace"}},
      {"only a description", L"x", false, false, app::ReportResult::kCreated,
       {"begin " + partial, "bytes Description.txt 4", "finish", "replace"}},
      {"only the log", L"", true, false, app::ReportResult::kCreated,
       {"begin " + partial, "file Qendor2.log C:\\Temp\\Qendor2.log", "finish", "replace"}},
      {"nothing to report", L"", false, false, app::ReportResult::kNothingToReport, {}},
      {"a lone carriage return is no description", L"\r", false, false, app::ReportResult::kNothingToReport, {}},
  };
  for (const Case& k : cases) {
    FakeFiles files;
    files.existing.insert(kZip);  // an older report
    if (k.log) files.existing.insert(kTemp + L"Qendor2.log");
    if (k.previous) files.existing.insert(kTemp + L"Qendor2.log.bak");
    EXPECT_EQ(app::CreateReport(files, k.description, kTemp, kZip), k.result) << k.what;
    EXPECT_EQ(files.calls, k.calls) << k.what;
    EXPECT_TRUE(files.Exists(kZip)) << k.what;
  }
}

TEST(BugReportTest, AFailureLeavesNoPartialArchiveAndKeepsTheOldReport) {
  const std::wstring partial = app::ReportPartialPath(kZip);
  struct Case {
    const char* what;
    void (*arrange)(FakeFiles&);
  } cases[] = {
      {"the archive cannot be created", [](FakeFiles& f) { f.beginFails = true; }},
      {"the log cannot be added", [](FakeFiles& f) { f.failAdd = L"Qendor2.log"; }},
      {"the description cannot be added", [](FakeFiles& f) { f.failAdd = L"Description.txt"; }},
      {"the archive cannot be finished", [](FakeFiles& f) { f.finishFails = true; }},
      {"the old report cannot be replaced", [](FakeFiles& f) { f.replaceFails = true; }},
  };
  for (const Case& k : cases) {
    FakeFiles files;
    files.existing = {kZip, kTemp + L"Qendor2.log"};
    k.arrange(files);
    EXPECT_EQ(app::CreateReport(files, L"text", kTemp, kZip), app::ReportResult::kFailed) << k.what;
    EXPECT_FALSE(files.Exists(partial)) << k.what;
    EXPECT_TRUE(files.Exists(kZip)) << k.what << ": the old report stays";
    EXPECT_EQ(std::count(files.calls.begin(), files.calls.end(), "finish"), files.beginFails ? 0 : 1) << k.what;
  }
}

struct FakeReportView : app::BugReportView {
  bool on = false, openFolder = false, createEnabled = false;
  std::wstring folder;
  int restarts = 0;
  void SetSwitch(bool v) override { on = v; }
  bool SwitchOn() const override { return on; }
  void SetFolderText(const std::wstring& t) override { folder = t; }
  std::wstring FolderText() const override { return folder; }
  void SetOpenFolder(bool c) override { openFolder = c; }
  void EnableCreate(bool e) override { createEnabled = e; }
  void RestartLogging() override { ++restarts; }
};

TEST(BugReportPageTest, CreateIsEnabledExactlyWithLoggingAndAFolder) {
  settings::MemoryKeyStore keys;
  settings::SettingsStore store{keys};
  FakeReportView view;
  app::BugReportPage page{view, store};
  struct Case {
    int logging;
    const wchar_t* folder;
    bool enabled;
  } cases[] = {{0, L"", false}, {0, L"D:\\R", false}, {1, L"", false}, {1, L"D:\\R", true}};
  for (const Case& k : cases) {
    keys.DeleteTree(L"");
    store.WriteProfileInt(L"BugReport", L"EnableLogging", k.logging);
    store.WriteProfileString(L"BugReport", L"Path", k.folder);
    page.Initialise();
    EXPECT_EQ(view.createEnabled, k.enabled) << k.logging << " " << k.folder;
    EXPECT_TRUE(view.openFolder) << "OpenFolder defaults to 1";
  }
  // Logging switched off and on: stored, logging restarted, the button follows at once.
  view.on = false;
  page.OnSwitchClicked();
  EXPECT_FALSE(view.createEnabled);
  EXPECT_EQ(store.GetProfileInt(L"BugReport", L"EnableLogging", -1), 0);
  view.on = true;
  page.OnSwitchClicked();
  EXPECT_TRUE(view.createEnabled);
  EXPECT_EQ(view.restarts, 2);
  // The field cleared: the button goes, the empty path is stored.
  view.folder.clear();
  page.OnFolderChanged();
  EXPECT_FALSE(view.createEnabled);
  EXPECT_EQ(store.GetProfileString(L"BugReport", L"Path", L"?"), L"");
}

TEST(BugReportPageTest, FactoryResetDisablesCreateAndWritesNothing) {
  settings::MemoryKeyStore keys;
  settings::SettingsStore store{keys};
  FakeReportView view;
  app::BugReportPage page{view, store};
  store.WriteProfileInt(L"BugReport", L"EnableLogging", 1);
  store.WriteProfileString(L"BugReport", L"Path", L"D:\\R");
  store.WriteProfileInt(L"BugReport", L"OpenFolder", 0);
  page.Initialise();
  ASSERT_TRUE(view.createEnabled);
  keys.DeleteTree(L"");
  page.Reset();
  EXPECT_FALSE(view.createEnabled) << "a reset page must not write a report at the drive's root";
  EXPECT_FALSE(view.on);
  EXPECT_TRUE(view.openFolder);
  EXPECT_EQ(view.folder, L"");
}

}  // namespace

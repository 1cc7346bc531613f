// The bug report: what goes into "Qendor-Report.zip" and how it is written, and the bug report
// tab's rules. Portable: the archive and the files are reached through ReportFiles, the tab's
// controls through BugReportView.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "settings/SettingsStore.h"

namespace app {

// The archive's path in a folder ("\" added when missing).
std::wstring ReportArchivePath(std::wstring folder);
// Where the archive is written before it replaces the old one.
std::wstring ReportPartialPath(const std::wstring& archivePath);
// The description as stored: UTF-8 with a byte order mark, every line ending CR LF (a CR
// typed alone is dropped). Empty for an empty description.
std::string DescriptionBytes(const std::wstring& typed);

// The files and the archive writer.
class ReportFiles {
 public:
  virtual ~ReportFiles() = default;
  virtual bool Exists(const std::wstring& path) = 0;
  // The archive: false when it cannot be created.
  virtual bool Begin(const std::wstring& path) = 0;
  // Each true when the entry was written whole.
  virtual bool AddBytes(const std::wstring& entryName, const std::string& bytes) = 0;
  virtual bool AddFile(const std::wstring& entryName, const std::wstring& path) = 0;
  virtual bool Finish() = 0;
  // Replaces `to` with `from` (the old report goes only now).
  virtual bool Replace(const std::wstring& from, const std::wstring& to) = 0;
  virtual void Remove(const std::wstring& path) = 0;
};

enum class ReportResult {
  kCreated,
  kNothingToReport,  // no description and no log (string 203)
  kFailed,           // the archive could not be made whole (string 200); nothing left behind
};

// Writes the report: "Description.txt" (from memory, when typed), "Qendor2.log" and
// "Qendor2.log.bak" (each when present in tempFolder) into a partial archive beside
// archivePath, which replaces archivePath only when every entry and the end were written.
ReportResult CreateReport(ReportFiles& files, const std::wstring& description, const std::wstring& tempFolder,
                          const std::wstring& archivePath);

class BugReportView {
 public:
  virtual ~BugReportView() = default;
  virtual void SetSwitch(bool on) = 0;
  virtual bool SwitchOn() const = 0;
  virtual void SetFolderText(const std::wstring& text) = 0;
  virtual std::wstring FolderText() const = 0;
  virtual void SetOpenFolder(bool checked) = 0;
  virtual void EnableCreate(bool enabled) = 0;
  // Logging started or stopped after the switch changed.
  virtual void RestartLogging() = 0;
};

// The bug report tab's settings (section "BugReport") and its Create Report button's state.
class BugReportPage {
 public:
  BugReportPage(BugReportView& view, settings::SettingsStore& store);
  void Initialise();
  void OnSwitchClicked();
  void OnOpenFolderClicked(bool checked);
  void OnFolderChanged();
  // The factory reset: the field emptied, the switch off, the box checked, and the button
  // follows (it would otherwise stay enabled and write at the drive's root). Nothing written.
  void Reset();
  void UpdateCreate();

 private:
  BugReportView& view_;
  settings::SettingsStore& store_;
  bool resetting_ = false;
};

}  // namespace app

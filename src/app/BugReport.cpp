// The bug report's rules.
#include "app/BugReport.h"

#include "base/Log.h"

namespace app {

namespace {
constexpr wchar_t kSection[] = L"BugReport";

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}
}  // namespace

std::wstring ReportArchivePath(std::wstring folder) {
  if (folder.empty() || folder.back() != L'\\') folder += L'\\';
  return folder + L"Qendor-Report.zip";
}

std::wstring ReportPartialPath(const std::wstring& archivePath) { return archivePath + L".partial"; }

std::string DescriptionBytes(const std::wstring& typed) {
  std::string out;
  for (size_t i = 0; i < typed.size(); ++i) {
    char32_t c = static_cast<char32_t>(typed[i]);
    if (c == U'\r') continue;
    if (c == U'\n') {
      out += "\r\n";
      continue;
    }
    // A wide string may carry a pair of surrogates (Windows) or whole code points.
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < typed.size()) {
      const char32_t low = static_cast<char32_t>(typed[i + 1]);
      if (low >= 0xDC00 && low < 0xE000) {
        c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
        ++i;
      }
    }
    if ((c >= 0xD800 && c < 0xE000) || c > 0x10FFFF) c = 0xFFFD;  // an unpaired half
    AppendUtf8(out, c);
  }
  if (out.empty()) return out;
  return "\xEF\xBB\xBF" + out;
}

ReportResult CreateReport(ReportFiles& files, const std::wstring& description, const std::wstring& tempFolder,
                          const std::wstring& archivePath) {
  const std::wstring log = tempFolder + L"Qendor2.log";
  const std::wstring previous = log + L".bak";
  const std::string text = DescriptionBytes(description);
  const bool hasLog = files.Exists(log), hasPrevious = files.Exists(previous);
  if (text.empty() && !hasLog && !hasPrevious) return ReportResult::kNothingToReport;

  const std::wstring partial = ReportPartialPath(archivePath);
  if (!files.Begin(partial)) return ReportResult::kFailed;
  bool whole = true;
  if (!text.empty()) whole = files.AddBytes(L"Description.txt", text) && whole;
  if (hasLog) whole = files.AddFile(L"Qendor2.log", log) && whole;
  if (hasPrevious) whole = files.AddFile(L"Qendor2.log.bak", previous) && whole;
  whole = files.Finish() && whole;
  if (!whole || !files.Replace(partial, archivePath)) {
    files.Remove(partial);
    return ReportResult::kFailed;
  }
  return ReportResult::kCreated;
}

BugReportPage::BugReportPage(BugReportView& view, settings::SettingsStore& store) : view_(view), store_(store) {}

void BugReportPage::Initialise() {
  view_.SetSwitch(store_.GetProfileInt(kSection, L"EnableLogging", 0) != 0);
  resetting_ = true;  // showing the stored folder is no change to store
  view_.SetFolderText(store_.GetProfileString(kSection, L"Path"));
  resetting_ = false;
  view_.SetOpenFolder(store_.GetProfileInt(kSection, L"OpenFolder", 1) != 0);
  UpdateCreate();
}

void BugReportPage::UpdateCreate() { view_.EnableCreate(view_.SwitchOn() && !view_.FolderText().empty()); }

void BugReportPage::OnSwitchClicked() {
  const bool on = view_.SwitchOn();
  LogMessage(Info, "Bug Report. Set Enable Logging %d", on ? 1 : 0);
  store_.WriteProfileInt(kSection, L"EnableLogging", on ? 1 : 0);
  view_.RestartLogging();
  UpdateCreate();
}

void BugReportPage::OnOpenFolderClicked(bool checked) { store_.WriteProfileInt(kSection, L"OpenFolder", checked ? 1 : 0); }

void BugReportPage::OnFolderChanged() {
  if (resetting_) return;
  UpdateCreate();
  const std::wstring folder = view_.FolderText();
  store_.WriteProfileString(kSection, L"Path", folder.c_str());
}

void BugReportPage::Reset() {
  resetting_ = true;
  view_.SetFolderText(L"");
  view_.SetSwitch(false);
  view_.SetOpenFolder(true);
  resetting_ = false;
  UpdateCreate();
}

}  // namespace app

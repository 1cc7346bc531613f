// The self-uninstall: a batch file in the temporary folder deletes the program file once the
// program has exited, and deletes itself; the settings are wiped and the program closes.
// Portable: the platform calls are behind UninstallPlatform, so tests check the order of the
// steps over recorded calls.
#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "app/AppFlags.h"
#include "settings/SettingsStore.h"

namespace app {

// The batch file's name after the title (string 130).
std::wstring UninstallBatchName(std::wstring_view title);

// The batch file's text for the program at that path. It retries the deletion about once a
// second (ping's own pause works hidden, under Wine and on Windows, where TIMEOUT does not)
// for about a minute, then deletes itself. The path's "%" are doubled, as cmd takes a single
// one for a variable even between quotes.
std::wstring UninstallBatchText(std::wstring_view programPath);

class UninstallPlatform {
 public:
  virtual ~UninstallPlatform() = default;
  // Yes/No: true for Yes.
  virtual bool AskToUninstall() = 0;
  // The user's temporary folder with the batch file's name; empty when it cannot be read.
  virtual std::wstring BatchPath() = 0;
  // The running program's full path; empty when it cannot be read.
  virtual std::wstring ProgramPath() = 0;
  // The text in the code page cmd reads batch files in (the OEM one); nothing when a
  // character has no exact form there.
  virtual std::optional<std::string> ToBatchEncoding(std::wstring_view text) = 0;
  // Creates the file anew (no sharing) with exactly these bytes; false on any failure.
  virtual bool WriteNewFile(const std::wstring& path, const std::string& bytes) = 0;
  virtual void RemoveFile(const std::wstring& path) = 0;
  // Starts the batch file hidden; false when it did not start.
  virtual bool StartHidden(const std::wstring& path) = 0;
  // String 178 with the batch file's path.
  virtual void ShowCannotCreate(const std::wstring& batchPath) = 0;
  // Every setting deleted and every page reset (the store already takes no writes).
  virtual void FactoryReset() = 0;
  // Posts the main window's close.
  virtual void CloseApp() = 0;
};

// The request from the settings page. One at a time: a request while one is under way (the
// question still open, or the program already closing) is ignored.
class Uninstaller {
 public:
  enum class Result { Ignored, Declined, Failed, Started };
  Result Request(UninstallPlatform& platform, AppFlags& flags, settings::SettingsStore& store);

 private:
  bool underWay_ = false;
};

}  // namespace app

#include "app/Uninstall.h"

#include "diag/Log.h"

namespace app {

std::wstring UninstallBatchName(std::wstring_view title) { return std::wstring(title) + L"_uninstall.bat"; }

std::wstring UninstallBatchText(std::wstring_view programPath) {
  std::wstring path;
  for (wchar_t c : programPath) {
    path += c;
    if (c == L'%') path += L'%';
  }
  const std::wstring quoted = L"\"" + path + L"\"";
  return L"@echo off\r\n"
         L"set tries=0\r\n"
         L":wait\r\n"
         L"ping -n 2 127.0.0.1 >nul\r\n"
         L"if not exist " + quoted + L" goto done\r\n"
         L"del " + quoted + L" >nul 2>&1\r\n"
         L"set /a tries+=1\r\n"
         L"if %tries% lss 60 goto wait\r\n"
         L":done\r\n"
         L"del \"%~f0\"\r\n";
}

namespace {

Uninstaller::Result CannotCreate(UninstallPlatform& platform, const std::wstring& batchPath) {
  LogMessage(Error, "Failed to create tmp file for uninstall. Path: %S", batchPath.c_str());
  platform.ShowCannotCreate(batchPath);
  return Uninstaller::Result::Failed;
}

}  // namespace

Uninstaller::Result Uninstaller::Request(UninstallPlatform& platform, AppFlags& flags,
                                         settings::SettingsStore& store) {
  if (underWay_ || flags.uninstalling) return Result::Ignored;
  underWay_ = true;
  if (!platform.AskToUninstall()) {
    underWay_ = false;
    return Result::Declined;
  }

  const std::wstring batchPath = platform.BatchPath();
  const std::wstring programPath = platform.ProgramPath();
  if (batchPath.empty() || programPath.empty()) {
    underWay_ = false;
    return CannotCreate(platform, batchPath);
  }
  // A path cmd would read as another one deletes nothing: refuse before anything changes.
  std::optional<std::string> bytes = platform.ToBatchEncoding(UninstallBatchText(programPath));
  if (!bytes) {
    LogMessage(Error, "Uninstall: the program's path cannot be written in the batch file's code page: %S",
               programPath.c_str());
    underWay_ = false;
    return CannotCreate(platform, batchPath);
  }
  if (!platform.WriteNewFile(batchPath, *bytes)) {
    platform.RemoveFile(batchPath);
    underWay_ = false;
    return CannotCreate(platform, batchPath);
  }
  // The batch file waits for the program's exit, so it can start first; only once it runs is
  // anything deleted.
  if (!platform.StartHidden(batchPath)) {
    LogMessage(Error, "Failed to start the uninstall batch file. Path: %S", batchPath.c_str());
    platform.RemoveFile(batchPath);
    underWay_ = false;
    return Result::Failed;
  }

  flags.uninstalling = true;
  store.FreezeWrites();
  platform.FactoryReset();
  LogMessage(Info, "Closing the App and uninstall");
  platform.CloseApp();
  return Result::Started;
}

}  // namespace app

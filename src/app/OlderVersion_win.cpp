// The platform calls of the older-version replacement: mutexes, the process list, the Run key
// and the file system.
#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>

#include "app/App_win.h"
#include "app/OlderVersion.h"
#include "app/RunKey_win.h"
#include "base/Handles_win.h"
#include "base/Modal_win.h"
#include "base/ProgramPath_win.h"
#include "base/Resources_win.h"
#include "base/Text.h"

namespace {

class COlderVersionPlatform : public app::OlderVersionPlatform {
 public:
  bool MutexExisted(const wchar_t* name) override {
    HANDLE mutex = CreateMutexW(nullptr, FALSE, name);
    const bool existed = GetLastError() == ERROR_ALREADY_EXISTS;
    if (mutex) CloseHandle(mutex);
    return existed;
  }
  std::wstring ProgramPath() override { return ::ProgramPath(); }
  bool AskToReplace() override {
    const std::wstring text = base::InsertTexts(LoadResString(IDS_OLDER_VERSION_ASK), {LoadResString(IDS_TITLE)});
    return ShowAppMessage(nullptr, text, MB_YESNO | MB_ICONINFORMATION) == IDYES;
  }
  void ShowCannotReplace(const wchar_t* olderProgramFile) override {
    const std::wstring text =
        base::InsertTexts(LoadResString(IDS_OLDER_VERSION_FAILED), {olderProgramFile, LoadResString(IDS_TITLE)});
    ShowAppMessage(nullptr, text, MB_ICONEXCLAMATION);
  }
  std::optional<std::vector<app::RunningProcess>> Processes() override {
    UniqueFileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return std::nullopt;
    std::vector<app::RunningProcess> processes;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more; more = Process32NextW(snapshot.get(), &entry))
      processes.push_back({entry.th32ProcessID, entry.szExeFile});
    return processes;
  }
  bool OpenProcess(uint32_t id) override {
    process_.reset(::OpenProcess(PROCESS_ALL_ACCESS, FALSE, id));
    return static_cast<bool>(process_);
  }
  std::wstring OpenProcessPath() override {
    wchar_t path[MAX_PATH + 1] = {};
    DWORD length = K32GetModuleFileNameExW(process_.get(), nullptr, path, MAX_PATH);
    return std::wstring(path, length < MAX_PATH ? length : 0);
  }
  bool TerminateOpenProcess() override { return TerminateProcess(process_.get(), 1) != FALSE; }
  bool WaitOpenProcessExit(uint32_t timeoutMs) override {
    return WaitForSingleObject(process_.get(), timeoutMs) == WAIT_OBJECT_0;
  }
  void CloseOpenProcess() override { process_.reset(); }
  void DeleteRunValue(const wchar_t* name) override { ::DeleteRunValue(name); }
  uint32_t RemoveFile(const std::wstring& path) override {
    return DeleteFileW(path.c_str()) ? 0 : GetLastError();
  }
  void Sleep(uint32_t ms) override { ::Sleep(ms); }
  bool SamePath(const std::wstring& a, const std::wstring& b) override {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
  }

 private:
  UniqueHandle process_;
};

}  // namespace

bool CQendor2App::CheckOlderVersion() {
  COlderVersionPlatform platform;
  return app::ReplaceOlderVersion(platform);
}

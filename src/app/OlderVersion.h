// Replacing an older installed version at the first start of this one: when an older
// version's instance is running (its named mutex exists), the user is asked, the older process
// is ended, and its Run value and program file are deleted. Portable: the platform calls are
// behind OlderVersionPlatform, so tests check the order of the steps over recorded calls.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace app {

struct OlderVersion {
  const wchar_t* mutexName;
  const wchar_t* programFile;  // also the name of its Run value
};
// The second version first: its mutex decides when both exist.
inline constexpr OlderVersion kOlderVersions[] = {{L"Qendor2", L"Qendor2.exe"}, {L"Brisholm", L"Qendor.exe"}};

struct RunningProcess {
  uint32_t id = 0;
  std::wstring exeName;  // the executable's file name
};

class OlderVersionPlatform {
 public:
  virtual ~OlderVersionPlatform() = default;
  // Creates the named mutex (not owned), closes it at once, and tells whether it existed.
  virtual bool MutexExisted(const wchar_t* name) = 0;
  // The running program's full path; empty when it cannot be read.
  virtual std::wstring ProgramPath() = 0;
  // The question (string 186) in a Yes/No box; true for Yes.
  virtual bool AskToReplace() = 0;
  // String 185 with the older program file's name.
  virtual void ShowCannotReplace(const wchar_t* olderProgramFile) = 0;
  // The running processes; nothing when the snapshot fails.
  virtual std::optional<std::vector<RunningProcess>> Processes() = 0;
  // Opens the process with full access (one at a time); false when that fails.
  virtual bool OpenProcess(uint32_t id) = 0;
  // The open process's image path (empty when it cannot be read).
  virtual std::wstring OpenProcessPath() = 0;
  virtual bool TerminateOpenProcess() = 0;
  // Waits at most timeoutMs for the open process to have exited; true when it has.
  virtual bool WaitOpenProcessExit(uint32_t timeoutMs) = 0;
  virtual void CloseOpenProcess() = 0;
  // Deletes the Run value of that name (missing is fine).
  virtual void DeleteRunValue(const wchar_t* name) = 0;
  // Deletes the file: 0 on success, else the system's error code.
  virtual uint32_t RemoveFile(const std::wstring& path) = 0;
  virtual void Sleep(uint32_t ms) = 0;
  // Paths compared as the file system does (ignoring case).
  virtual bool SamePath(const std::wstring& a, const std::wstring& b) = 0;
};

constexpr uint32_t kErrorFileNotFound = 2;
constexpr uint32_t kDeleteRetryMs = 300;
constexpr uint32_t kOlderExitWaitMs = 5000;

// True lets start-up go on; false ends the process.
bool ReplaceOlderVersion(OlderVersionPlatform& platform);

}  // namespace app

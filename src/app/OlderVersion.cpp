#include "app/OlderVersion.h"

#include "base/Text.h"

namespace app {

namespace {

// Two tries; a file already gone ends them at once without success.
bool DeleteOlderFile(OlderVersionPlatform& platform, const std::wstring& path) {
  for (int attempt = 0; attempt < 2; ++attempt) {
    uint32_t error = platform.RemoveFile(path);
    if (error == 0) return true;
    if (error == kErrorFileNotFound) return false;
    platform.Sleep(kDeleteRetryMs);
  }
  return false;
}

}  // namespace

bool ReplaceOlderVersion(OlderVersionPlatform& platform) {
  const OlderVersion* older = nullptr;
  for (const OlderVersion& candidate : kOlderVersions) {
    if (platform.MutexExisted(candidate.mutexName)) {
      older = &candidate;
      break;
    }
  }
  if (!older) return true;
  const bool secondVersion = older == &kOlderVersions[0];

  const std::wstring ownPath = platform.ProgramPath();
  if (ownPath.empty()) return true;
  if (!platform.AskToReplace()) return false;

  bool terminated = false;
  if (auto processes = platform.Processes()) {
    for (const RunningProcess& process : *processes) {
      if (!base::EqualsNoCaseAscii(process.exeName, older->programFile)) continue;
      if (!platform.OpenProcess(process.id)) continue;
      const std::wstring olderPath = platform.OpenProcessPath();
      if (olderPath.empty() || platform.SamePath(olderPath, ownPath)) {
        platform.CloseOpenProcess();
        continue;
      }
      // Only the first older process found is dealt with.
      if (!platform.TerminateOpenProcess()) {
        platform.CloseOpenProcess();
        break;
      }
      terminated = true;
      // Its file stays locked until the process has really gone.
      platform.WaitOpenProcessExit(kOlderExitWaitMs);
      platform.CloseOpenProcess();
      platform.DeleteRunValue(older->programFile);
      if (DeleteOlderFile(platform, olderPath)) return true;
      break;
    }
    if (secondVersion && terminated) return true;
  }
  platform.ShowCannotReplace(older->programFile);
  return false;
}

}  // namespace app

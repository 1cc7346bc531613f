// The order of start-up and shutdown, over the platform calls it needs. CQendor2App runs it
// with the real calls; tests run it with recorded ones.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "app/AppFlags.h"
#include "base/ResourceIds.h"
#include "settings/SettingsStore.h"

namespace app {

constexpr wchar_t kCompanyKey[] = L"vexmora";
constexpr wchar_t kVersionMarker[] = L"Qendor2.1";  // also the single-instance mutex's name
constexpr unsigned kMbOk = 0;
constexpr unsigned kMbIconExclamation = 0x30;

enum class MutexResult { Created, AlreadyExists, Failed };

class StartupPlatform {
 public:
  virtual ~StartupPlatform() = default;
  virtual void InitCommonControls() = 0;
  // Opens the settings store under the company key; the store is used from here on.
  virtual settings::SettingsStore& OpenSettings(const wchar_t* company) = 0;
  virtual bool IsWindows81OrGreater() = 0;
  // A message box without owner: the string-table text, with "%s" replaced by insert if given.
  virtual void ShowMessageId(unsigned stringId, unsigned style, const std::wstring* insert) = 0;
  virtual bool CheckOlderVersion() = 0;
  virtual MutexResult CreateInstanceMutex(const wchar_t* name) = 0;
  // Posts "Open App" to the window titled with string 130, if one exists.
  virtual void HandOverToRunningInstance() = 0;
  virtual bool StartGdiplus() = 0;
  virtual int32_t StartMediaFoundation() = 0;  // an HRESULT
  virtual bool LoadUser32() = 0;
  virtual std::wstring SystemErrorText(int32_t code) = 0;
  // The arguments after the program name, split by the platform's rules.
  virtual std::vector<std::wstring> CommandLineArguments() = 0;
  virtual void RunMainWindow() = 0;

  virtual void StopMediaFoundation() = 0;
  virtual void StopGdiplus() = 0;  // only called when StartGdiplus succeeded
  virtual void CloseInstanceMutex() = 0;
  virtual void FreeUser32() = 0;
};

// True when the first argument is "/autostart", ignoring case.
bool IsAutostart(const std::vector<std::wstring>& arguments);

// The start-up sequence; always returns false (the process then runs Exit and ends).
bool Startup(StartupPlatform& platform, AppFlags& flags);
// The shutdown sequence, after every return of Startup.
void Exit(StartupPlatform& platform);

}  // namespace app

// Start-up and shutdown in their fixed order.
#include "app/Startup.h"

#include "base/Text.h"
#include "diag/Log.h"

namespace app {

namespace {
// What Startup has started, for Exit.
struct Started {
  bool gdiplus = false;
  bool mutex = false;
  bool user32 = false;
};
Started g_started;

}  // namespace

bool IsAutostart(const std::vector<std::wstring>& arguments) {
  return !arguments.empty() && base::EqualsNoCaseAscii(arguments.front(), L"/autostart");
}

bool Startup(StartupPlatform& platform, AppFlags& flags) {
  g_started = {};
  platform.InitCommonControls();
  settings::SettingsStore& store = platform.OpenSettings(kCompanyKey);

  if (!platform.IsWindows81OrGreater()) {
    platform.ShowMessageId(IDS_NEED_WINDOWS_81, kMbOk, nullptr);
    return false;
  }

  std::wstring version;
  bool markerRead = store.ReadRootString(L"Ver", version);
  if (!(markerRead && version == kVersionMarker) && !platform.CheckOlderVersion()) return false;

  switch (platform.CreateInstanceMutex(kVersionMarker)) {
    case MutexResult::Created:
      g_started.mutex = true;
      break;
    case MutexResult::AlreadyExists:
      g_started.mutex = true;  // the handle is held until Exit closes it
      platform.HandOverToRunningInstance();
      return false;
    case MutexResult::Failed:
      return false;
  }

  StartLogging(store, true);

  if (!platform.StartGdiplus()) {
    LogMessage(Error, "GdiplusStartup failed");
    platform.ShowMessageId(IDS_GDIPLUS_FAILED, kMbIconExclamation, nullptr);
    return false;
  }
  g_started.gdiplus = true;

  int32_t hr = platform.StartMediaFoundation();
  if (hr < 0) {
    LogMessage(Error, "MFStartup failed. Error 0x%08X", static_cast<unsigned>(hr));
    std::wstring text = platform.SystemErrorText(hr);
    platform.ShowMessageId(IDS_MF_FAILED, kMbIconExclamation, &text);
    return false;
  }

  if (platform.LoadUser32())
    g_started.user32 = true;
  else
    LogMessage(Error, "LoadLibrary User32.DLL failed");

  flags.autostart = IsAutostart(platform.CommandLineArguments());
  if (flags.autostart) LogMessage(Info, "Started with cmd /autostart");

  flags.pauseAndMuteAll = store.ReadRootDword(L"PauseAndMuteAll") != 0;
  flags.pauseWhenMaximised = store.ReadRootDword(L"PauseWhenMaximised") != 0;

  store.WriteRootString(L"Ver", kVersionMarker);

  platform.RunMainWindow();
  return false;
}

void Exit(StartupPlatform& platform) {
  platform.StopMediaFoundation();
  if (g_started.gdiplus) platform.StopGdiplus();
  if (g_started.mutex) platform.CloseInstanceMutex();
  if (g_started.user32) platform.FreeUser32();
  g_started = {};
  LogMessage(Info, "Exit Qendor2");
  StopLogging();
}

}  // namespace app

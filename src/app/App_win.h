// The application object: platform libraries, the settings store and the global flags.
#pragma once
#include <windows.h>

#include <memory>

#include "app/AppFlags.h"
#include "app/Startup.h"
#include "base/Handles_win.h"
#include "settings/RegistryKeyStore_win.h"

class CQendor2App : public app::StartupPlatform {
 public:
  explicit CQendor2App(const wchar_t* commandLine = L"");
  ~CQendor2App() override;

  bool Startup() { return app::Startup(*this, flags); }
  void Exit() { app::Exit(*this); }

  // GDI+ start-up input: version 1, no debug callback, background thread and codecs kept.
  struct GdiplusInput {
    UINT32 version = 1;
    void* debugCallback = nullptr;
    BOOL suppressBackgroundThread = FALSE;
    BOOL suppressExternalCodecs = FALSE;
  } gdiplusInput;
  ULONG_PTR gdiplusToken = 0;
  UniqueHandle instanceMutex;
  UniqueModule user32Module;
  AppFlags flags;

  // StartupPlatform
  void InitCommonControls() override;
  settings::SettingsStore& OpenSettings(const wchar_t* company) override;
  bool IsWindows81OrGreater() override;
  void ShowMessageId(unsigned stringId, unsigned style, const std::wstring* insert) override;
  bool CheckOlderVersion() override;
  app::MutexResult CreateInstanceMutex(const wchar_t* name) override;
  void HandOverToRunningInstance() override;
  bool StartGdiplus() override;
  int32_t StartMediaFoundation() override;
  bool LoadUser32() override;
  std::wstring SystemErrorText(int32_t code) override;
  std::vector<std::wstring> CommandLineArguments() override;
  void RunMainWindow() override;
  void StopMediaFoundation() override;
  void StopGdiplus() override;
  void CloseInstanceMutex() override;
  void FreeUser32() override;

 private:
  std::wstring commandLine_;
  std::unique_ptr<settings::RegistryKeyStore> keys_;
  std::unique_ptr<settings::SettingsStore> store_;
};

// The main window's class name: a second start finds the running instance by it (the caption
// is shared with the program's message boxes).
constexpr wchar_t kMainWindowClass[] = L"Qendor2MainWindow";

// The application object's platform calls: common controls, registry, version check,
// single-instance mutex, GDI+, Media Foundation and the main window.
#include "app/App_win.h"

#include <commctrl.h>
#include <gdiplus.h>
#include <mfapi.h>
#include <shellapi.h>

#include "base/Modal_win.h"
#include "base/Resources_win.h"
#include "base/Text.h"
#include "app/MainDlg_win.h"
#include "base/Messages.h"
#include "base/OsVersion_win.h"

CQendor2App::CQendor2App(const wchar_t* commandLine) : commandLine_(commandLine ? commandLine : L"") {}

CQendor2App::~CQendor2App() = default;

void CQendor2App::InitCommonControls() {
  INITCOMMONCONTROLSEX controls{sizeof(controls), 0xFF};
  InitCommonControlsEx(&controls);
}

settings::SettingsStore& CQendor2App::OpenSettings(const wchar_t* company) {
  keys_ = std::make_unique<settings::RegistryKeyStore>(settings::AppRegistryRoot(company));
  store_ = std::make_unique<settings::SettingsStore>(*keys_);
  return *store_;
}

bool CQendor2App::IsWindows81OrGreater() { return IsWindowsVersionAtLeast(6, 3); }

void CQendor2App::ShowMessageId(unsigned stringId, unsigned style, const std::wstring* insert) {
  std::wstring text = LoadResString(stringId);
  if (insert) text = base::InsertTexts(std::move(text), {*insert});
  ShowAppMessage(nullptr, text, style);
}

app::MutexResult CQendor2App::CreateInstanceMutex(const wchar_t* name) {
  // Read the error before the owner takes the handle: closing a previous one may change it.
  HANDLE mutex = CreateMutexW(nullptr, FALSE, name);
  DWORD error = GetLastError();
  instanceMutex.reset(mutex);
  if (error == ERROR_ALREADY_EXISTS) return app::MutexResult::AlreadyExists;
  if (!instanceMutex || error != ERROR_SUCCESS) return app::MutexResult::Failed;
  return app::MutexResult::Created;
}

void CQendor2App::HandOverToRunningInstance() {
  if (HWND running = FindWindowW(kMainWindowClass, nullptr)) PostMessageW(running, WM_COMMAND, ID_TRAY_OPEN, 0);
}

bool CQendor2App::StartGdiplus() {
  Gdiplus::GdiplusStartupInput input;
  input.GdiplusVersion = gdiplusInput.version;
  input.DebugEventCallback = nullptr;
  input.SuppressBackgroundThread = gdiplusInput.suppressBackgroundThread;
  input.SuppressExternalCodecs = gdiplusInput.suppressExternalCodecs;
  return Gdiplus::GdiplusStartup(&gdiplusToken, &input, nullptr) == Gdiplus::Ok;
}

int32_t CQendor2App::StartMediaFoundation() { return MFStartup(MF_VERSION, MFSTARTUP_FULL); }

bool CQendor2App::LoadUser32() {
  user32Module.reset(LoadLibraryW(L"User32.DLL"));
  return static_cast<bool>(user32Module);
}

std::wstring CQendor2App::SystemErrorText(int32_t code) { return ::SystemErrorText(static_cast<DWORD>(code)); }

std::vector<std::wstring> CQendor2App::CommandLineArguments() {
  std::vector<std::wstring> arguments;
  int count = 0;
  LPWSTR* split = CommandLineToArgvW(commandLine_.c_str(), &count);
  if (!split) return arguments;
  UniqueHlocal owned(reinterpret_cast<HLOCAL>(split));
  // An empty argument text splits into the program's own path; that is no argument.
  if (commandLine_.find_first_not_of(L" \t") == std::wstring::npos) return arguments;
  for (int i = 0; i < count; ++i) arguments.emplace_back(split[i]);
  return arguments;
}

void CQendor2App::RunMainWindow() {
  CMainDlg dialog(*store_, flags);
  dialog.DoModal(nullptr);
}

void CQendor2App::StopMediaFoundation() { MFShutdown(); }

void CQendor2App::StopGdiplus() {
  if (gdiplusToken) Gdiplus::GdiplusShutdown(gdiplusToken);
  gdiplusToken = 0;
}

void CQendor2App::CloseInstanceMutex() { instanceMutex.reset(); }

void CQendor2App::FreeUser32() { user32Module.reset(); }

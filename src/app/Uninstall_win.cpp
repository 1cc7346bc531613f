#include "app/Uninstall_win.h"

#include <shellapi.h>

#include "base/Handles_win.h"
#include "base/Modal_win.h"
#include "base/ProgramPath_win.h"
#include "base/ResourceIds.h"
#include "base/Resources_win.h"
#include "base/TempFolder_win.h"
#include "base/Text.h"

std::optional<std::string> ToOemCodePage(std::wstring_view text) {
  if (text.empty()) return std::string();
  const int wideLength = static_cast<int>(text.size());
  BOOL usedDefault = FALSE;
  int length = WideCharToMultiByte(CP_OEMCP, WC_NO_BEST_FIT_CHARS, text.data(), wideLength, nullptr, 0, nullptr,
                                   &usedDefault);
  if (length <= 0 || usedDefault) return std::nullopt;
  std::string bytes(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_OEMCP, WC_NO_BEST_FIT_CHARS, text.data(), wideLength, bytes.data(), length, nullptr,
                      &usedDefault);
  if (usedDefault) return std::nullopt;
  // Read back as cmd will read it: anything that does not come back the same is refused.
  std::wstring back(text.size() + 1, L'\0');
  int backLength = MultiByteToWideChar(CP_OEMCP, MB_ERR_INVALID_CHARS, bytes.data(), length, back.data(),
                                       static_cast<int>(back.size()));
  if (backLength != wideLength || std::wstring_view(back.data(), backLength) != text) return std::nullopt;
  return bytes;
}

bool CUninstallPlatform::AskToUninstall() {
  const std::wstring text = base::InsertTexts(LoadResString(IDS_CONFIRM_UNINSTALL), {LoadResString(IDS_TITLE)});
  return ShowAppMessage(mainWindow_, text, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

std::wstring CUninstallPlatform::BatchPath() {
  const std::wstring folder = TempFolder();
  if (folder.empty()) return {};
  std::wstring path = folder + app::UninstallBatchName(LoadResString(IDS_TITLE));
  return path.size() < MAX_PATH ? path : std::wstring();
}

std::wstring CUninstallPlatform::ProgramPath() { return ::ProgramPath(); }

std::optional<std::string> CUninstallPlatform::ToBatchEncoding(std::wstring_view text) { return ToOemCodePage(text); }

bool CUninstallPlatform::WriteNewFile(const std::wstring& path, const std::string& bytes) {
  UniqueFileHandle file(
      CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  DWORD written = 0;
  if (!WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
      written != bytes.size())
    return false;
  return CloseHandle(file.release()) != FALSE;
}

void CUninstallPlatform::RemoveFile(const std::wstring& path) { DeleteFileW(path.c_str()); }

bool CUninstallPlatform::StartHidden(const std::wstring& path) {
  // Run from the temporary folder, so the program's folder is not held by the batch.
  const std::wstring folder = path.substr(0, path.find_last_of(L'\\') + 1);
  auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteW(nullptr, L"open", path.c_str(), nullptr, folder.c_str(), SW_HIDE));
  return result > 32;
}

void CUninstallPlatform::ShowCannotCreate(const std::wstring& batchPath) {
  ShowAppMessage(mainWindow_, base::InsertTexts(LoadResString(IDS_UNINSTALL_TMP_FAILED), {batchPath}),
                 MB_ICONEXCLAMATION);
}

void CUninstallPlatform::CloseApp() { PostMessageW(mainWindow_, WM_SYSCOMMAND, SC_CLOSE, 0); }

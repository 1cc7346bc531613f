// The self-uninstall's platform calls: the question, the temporary folder, the batch file's
// code page, writing and starting it, and the main window's reset and close.
#pragma once
#include <windows.h>

#include <functional>

#include "app/Uninstall.h"

class CUninstallPlatform : public app::UninstallPlatform {
 public:
  CUninstallPlatform(HWND mainWindow, std::function<void()> factoryReset)
      : mainWindow_(mainWindow), factoryReset_(std::move(factoryReset)) {}

  bool AskToUninstall() override;
  std::wstring BatchPath() override;
  std::wstring ProgramPath() override;
  std::optional<std::string> ToBatchEncoding(std::wstring_view text) override;
  bool WriteNewFile(const std::wstring& path, const std::string& bytes) override;
  void RemoveFile(const std::wstring& path) override;
  bool StartHidden(const std::wstring& path) override;
  void ShowCannotCreate(const std::wstring& batchPath) override;
  void FactoryReset() override { factoryReset_(); }
  void CloseApp() override;

 private:
  HWND mainWindow_;
  std::function<void()> factoryReset_;
};

// The text in the OEM code page, exactly (no best-fit stand-ins); nothing when a character has
// no form there.
std::optional<std::string> ToOemCodePage(std::wstring_view text);

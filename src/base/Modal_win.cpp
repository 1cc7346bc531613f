// The product's message box, through the seam tests can answer.
#include "base/Modal_win.h"

#include <shobjidl.h>
#include <wrl/client.h>

#include <vector>

#include "base/ResourceIds.h"
#include "base/Resources_win.h"

namespace {
MessageBoxHook& Hook() {
  static MessageBoxHook hook;
  return hook;
}
PickerHook& FileHook() {
  static PickerHook hook;
  return hook;
}
PickerHook& FolderHook() {
  static PickerHook hook;
  return hook;
}

// COM for the pickers, on this thread, for as long as one is shown.
class ComScope {
 public:
  ComScope() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}
  ~ComScope() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  HRESULT result_;
};

// Shows a dialog made with the given options and returns the chosen item's file system path.
std::optional<std::wstring> Show(IFileDialog* dialog, HWND owner) {
  if (FAILED(dialog->Show(owner))) return std::nullopt;  // cancelled or failed
  Microsoft::WRL::ComPtr<IShellItem> item;
  if (FAILED(dialog->GetResult(&item))) return std::nullopt;
  wchar_t* path = nullptr;
  if (FAILED(item->GetDisplayName(SIGDN_FILESYSPATH, &path)) || !path) return std::nullopt;
  std::wstring result = path;
  CoTaskMemFree(path);
  return result;
}
}  // namespace

void SetFilePickerHook(PickerHook hook) { FileHook() = std::move(hook); }
void SetFolderPickerHook(PickerHook hook) { FolderHook() = std::move(hook); }

std::optional<std::wstring> PickOpenFile(HWND owner, const std::wstring& filter) {
  if (FileHook()) return FileHook()(owner, filter);
  ComScope com;
  Microsoft::WRL::ComPtr<IFileOpenDialog> dialog;
  if (FAILED(CoCreateInstance(__uuidof(FileOpenDialog), nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&dialog))))
    return std::nullopt;
  // "Name|pattern|Name|pattern||" as name and pattern pairs.
  std::vector<std::wstring> parts;
  size_t start = 0;
  while (start < filter.size()) {
    size_t bar = filter.find(L'|', start);
    if (bar == std::wstring::npos) bar = filter.size();
    if (bar == start) break;
    parts.push_back(filter.substr(start, bar - start));
    start = bar + 1;
  }
  std::vector<COMDLG_FILTERSPEC> specs;
  for (size_t i = 0; i + 1 < parts.size(); i += 2) specs.push_back({parts[i].c_str(), parts[i + 1].c_str()});
  if (!specs.empty()) dialog->SetFileTypes(static_cast<UINT>(specs.size()), specs.data());
  FILEOPENDIALOGOPTIONS options = 0;
  dialog->GetOptions(&options);
  dialog->SetOptions(options | FOS_FILEMUSTEXIST | FOS_FORCEFILESYSTEM);
  return Show(dialog.Get(), owner);
}

std::optional<std::wstring> PickFolder(HWND owner, const std::wstring& title) {
  if (FolderHook()) return FolderHook()(owner, title);
  ComScope com;
  Microsoft::WRL::ComPtr<IFileOpenDialog> dialog;
  if (FAILED(CoCreateInstance(__uuidof(FileOpenDialog), nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&dialog))))
    return std::nullopt;
  FILEOPENDIALOGOPTIONS options = 0;
  dialog->GetOptions(&options);
  dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST);
  if (!title.empty()) dialog->SetTitle(title.c_str());
  return Show(dialog.Get(), owner);
}

void SetMessageBoxHook(MessageBoxHook hook) { Hook() = std::move(hook); }

int ShowAppMessage(HWND owner, const std::wstring& text, UINT style) {
  std::wstring caption = LoadResString(IDS_TITLE);
  if (Hook()) return Hook()(owner, text, caption, style);
  return MessageBoxW(owner, text.c_str(), caption.c_str(), style);
}

int ShowAppMessageId(HWND owner, UINT stringId, UINT style) {
  return ShowAppMessage(owner, LoadResString(stringId), style);
}

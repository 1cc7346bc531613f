// The program's modal user interface goes through one seam that tests can answer: message
// boxes with the product caption (string 130), and the system's file and folder pickers.
#pragma once
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

// The message box with the caption string 130. Returns the button pressed.
int ShowAppMessage(HWND owner, const std::wstring& text, UINT style);
int ShowAppMessageId(HWND owner, UINT stringId, UINT style);

// Tests replace the platform's message box: the hook gets owner, text, caption and style and
// returns the button. An empty function restores MessageBoxW.
using MessageBoxHook = std::function<int(HWND, const std::wstring&, const std::wstring&, UINT)>;
void SetMessageBoxHook(MessageBoxHook hook);

// The system's open-file dialog, owned by owner (a page's main window, so that nothing else
// can be clicked meanwhile), for one existing file. filter is in the "Name|*.a;*.b||" form of
// the string table. The chosen file's full path, or nothing when cancelled.
std::optional<std::wstring> PickOpenFile(HWND owner, const std::wstring& filter);
// The system's folder picker with a title; the chosen folder, or nothing.
std::optional<std::wstring> PickFolder(HWND owner, const std::wstring& title);

// Tests replace the pickers: the hook gets the owner and the filter (or title) and returns
// what the user chose. An empty function restores the system's dialogs.
using PickerHook = std::function<std::optional<std::wstring>(HWND, const std::wstring&)>;
void SetFilePickerHook(PickerHook hook);
void SetFolderPickerHook(PickerHook hook);

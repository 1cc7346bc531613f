// The program's modal user interface goes through one seam that tests can answer: message
// boxes with the product caption (string 130).
#pragma once
#include <windows.h>

#include <functional>
#include <string>

// The message box with the caption string 130. Returns the button pressed.
int ShowAppMessage(HWND owner, const std::wstring& text, UINT style);
int ShowAppMessageId(HWND owner, UINT stringId, UINT style);

// Tests replace the platform's message box: the hook gets owner, text, caption and style and
// returns the button. An empty function restores MessageBoxW.
using MessageBoxHook = std::function<int(HWND, const std::wstring&, const std::wstring&, UINT)>;
void SetMessageBoxHook(MessageBoxHook hook);

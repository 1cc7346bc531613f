// Services every window of the program uses: the product's message box (through a seam tests
// can answer), string-table texts, system error texts and the window DPI.
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

// A string from the program's string table ("" when missing).
std::wstring LoadResString(UINT id);
// The platform's text for an error or result code, without the trailing line break.
std::wstring SystemErrorText(DWORD code);
// DPI of a window: GetDpiForWindow when the platform has it, else the device context's.
UINT WindowDpi(HWND window);
// MulDiv(size, WindowDpi(window), 96).
int ScaleForWindow(HWND window, int designPixels);

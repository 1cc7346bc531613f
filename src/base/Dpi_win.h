// The DPI of a window, for scaling sizes given in design pixels (96 DPI).
#pragma once
#include <windows.h>

// GetDpiForWindow when the platform has it (Windows 10 1607 and later), else the DPI of the
// window's device context.
UINT WindowDpi(HWND window);
// MulDiv(size, WindowDpi(window), 96).
int ScaleForWindow(HWND window, int designPixels);

// Texts of the program's string table and the platform's texts for error codes.
#pragma once
#include <windows.h>

#include <string>

// A string from the program's string table ("" when missing).
std::wstring LoadResString(UINT id);
// The platform's text for an error or result code, without the trailing line break.
std::wstring SystemErrorText(DWORD code);

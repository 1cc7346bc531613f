// The process's one theme table: the 34 colours, the two solid brushes and the face name.
#pragma once
#include <windows.h>

#include "ui/Theme.h"

struct ThemeTable {
  COLORREF colours[ui::kThemeColourCount] = {};
  HBRUSH tabStripBrush = nullptr;    // theme colour 25
  HBRUSH backgroundBrush = nullptr;  // theme colour 23
  wchar_t faceName[LF_FACESIZE] = {};

  COLORREF operator[](int index) const { return colours[index]; }
};

// The table, created on the first call (once, even when threads race) and kept until exit.
const ThemeTable& Theme();
// How many tables were ever created in this process (1 after the first use).
int ThemeCreationCount();

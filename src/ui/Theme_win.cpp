// The theme table lives in a function-local static: the language makes its creation happen
// once under concurrent first calls, and its destructor (at exit) deletes the brushes.
#include "ui/Theme_win.h"

#include <atomic>
#include <cwchar>

namespace {

std::atomic<int> creations{0};

struct ThemeHolder {
  ThemeTable table;
  ThemeHolder() {
    const auto& colours = ui::ThemeColours();
    for (int i = 0; i < ui::kThemeColourCount; ++i) table.colours[i] = colours[i];
    table.tabStripBrush = CreateSolidBrush(table.colours[25]);
    table.backgroundBrush = CreateSolidBrush(table.colours[23]);
    wcsncpy(table.faceName, ui::kThemeFaceName, LF_FACESIZE - 1);
    creations.fetch_add(1);
  }
  ~ThemeHolder() {
    if (table.tabStripBrush) DeleteObject(table.tabStripBrush);
    if (table.backgroundBrush) DeleteObject(table.backgroundBrush);
  }
  ThemeHolder(const ThemeHolder&) = delete;
  ThemeHolder& operator=(const ThemeHolder&) = delete;
};

}  // namespace

const ThemeTable& Theme() {
  static ThemeHolder holder;
  return holder.table;
}

int ThemeCreationCount() { return creations.load(); }

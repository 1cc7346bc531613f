// Strip of rounded tabs; tells its parent (WM_APP_TAB_SELECTED) when the user picks another.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "base/Window_win.h"
#include "ui/PngImage_win.h"
#include "ui/Theme_win.h"

class CCustTabCtrl : public CWnd {
 public:
  CCustTabCtrl();
  // The window goes first, then the item records it may still report (WM_DELETEITEM).
  ~CCustTabCtrl() override;

  struct Tab {
    std::wstring text;
    RECT rect{};  // set at each paint
    bool placedRight = false;
  };

  bool Create(HWND parent, int id, int x, int y, int width, int height,
              DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP);

  // Appends a tab with string textId; null when the string is missing.
  Tab* AddTab(UINT textId);
  Tab* AddTabText(const std::wstring& text);
  // Deletes every tab; selected and hot are left as they are.
  void RemoveAllTabs();
  int Count() const { return static_cast<int>(tabs_.size()); }
  const Tab& TabAt(int index) const { return *tabs_[static_cast<size_t>(index)]; }

  int selected = -1;
  int hot = -1;
  int iconSize = 0;  // pixels; 0 or less: the picture's own size
  COLORREF backgroundColour;
  COLORREF textColour;
  PngImage icon;
  PngImage hotIcon;
  int tabWidth = 98;  // design pixels
  bool lastTabRight = false;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // Paints the whole client area into the paint buffer dc.
  void Paint(HDC dc, const RECT& client);
  void LayOut();
  void Select(int index);
  std::vector<std::unique_ptr<Tab>> tabs_;
};

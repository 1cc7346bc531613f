// The owner-drawn list of tasks on the left of the main window.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "base/Window_win.h"
#include "ui/PngImage_win.h"
#include "ui/Theme_win.h"

class CTaskList : public CWnd {
 public:
  CTaskList();
  // The window goes first, then the item records it may still report (WM_DELETEITEM).
  ~CTaskList() override;

  struct Item {
    std::wstring text;
    PngImage icon;
    PngImage selectedIcon;
  };

  bool Create(HWND parent, int id, int x, int y, int width, int height,
              DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP);
  // Takes over a dialog's list box (owner-drawn fixed, with strings).
  bool Attach(HWND listBox);

  bool AddItem(UINT textId, UINT iconId, UINT selectedIconId);
  bool AddItemText(const std::wstring& text, UINT iconId, UINT selectedIconId);

  // Paints one item; parents that pass on WM_DRAWITEM may call it, the control also paints
  // itself in WM_PAINT.
  void DrawItem(const DRAWITEMSTRUCT& item);

  COLORREF textColour;
  COLORREF backgroundColour;
  int iconSize = 16;    // design pixels
  int itemHeight = 30;  // design pixels
  int hot = -1;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // Paints the whole client area into the paint buffer dc.
  void Paint(HDC dc, const RECT& client);
  void DrawItemContent(HDC dc, const RECT& rect, const Item* item, bool selected, bool hovered);
  const Item* ItemAt(int index) const;
  std::vector<std::unique_ptr<Item>> items_;
};

// Drop-down list whose items carry a picture and a text, with a rounded face and arrow box.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "base/Window_win.h"
#include "ui/PngImage_win.h"
#include "ui/Theme_win.h"

class CCustComboBox : public CWnd {
 public:
  CCustComboBox();
  // The window goes first, then the item records it may still report (WM_DELETEITEM).
  ~CCustComboBox() override;

  struct Item {
    std::wstring text;
    PngImage picture;
  };

  // Creates an owner-drawn drop-down list: faceHeight is the closed control's height,
  // listHeight the height of the open list.
  bool Create(HWND parent, int id, int x, int y, int width, int faceHeight, int listHeight,
              DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL);
  bool Attach(HWND combo);

  // Loads string textId; adds an item with it and, when pictureId is not 0, PNG pictureId.
  bool AddItem(UINT textId, UINT pictureId);
  bool AddItemText(const std::wstring& text, UINT pictureId);

  bool hover = false;
  int itemHeight = 30;  // design pixels
  PngImage arrowImage;  // PNG 209
  COLORREF backgroundColour;
  COLORREF textColour = RGB(0, 0, 0);
  COLORREF fillColour = RGB(255, 255, 255);

  // Paints one list item (as the open list asks for it).
  void DrawItem(const DRAWITEMSTRUCT& item);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // Paints the whole client area into the paint buffer dc.
  void PaintFace(HDC dc, const RECT& client);
  void DrawContent(HDC dc, const RECT& box, const Item& item, bool highlighted);
  std::vector<std::unique_ptr<Item>> items_;
};

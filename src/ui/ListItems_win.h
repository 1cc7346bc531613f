// Adding owner-drawn items to a list box or a combo box, whose messages differ only in name.
#pragma once
#include <windows.h>

#include <string>

struct ListMessages {
  UINT addString;
  UINT setItemHeight;
  UINT setItemData;
  UINT deleteString;
};
inline constexpr ListMessages kListBoxMessages{LB_ADDSTRING, LB_SETITEMHEIGHT, LB_SETITEMDATA, LB_DELETESTRING};
inline constexpr ListMessages kComboBoxMessages{CB_ADDSTRING, CB_SETITEMHEIGHT, CB_SETITEMDATA, CB_DELETESTRING};

// Adds text as an item of the given height (design pixels, scaled for the window's DPI) that
// carries data; takes it out again when the data could not be set. False when no item was added.
bool AddItemWithData(HWND list, const ListMessages& messages, const std::wstring& text, const void* data,
                     int height);

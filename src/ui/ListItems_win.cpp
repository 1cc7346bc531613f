// Owner-drawn list items.
#include "ui/ListItems_win.h"

#include "base/Dpi_win.h"

static_assert(LB_ERR == CB_ERR && LB_ERRSPACE == CB_ERRSPACE, "both kinds answer failures alike");

bool AddItemWithData(HWND list, const ListMessages& messages, const std::wstring& text, const void* data,
                     int height) {
  LRESULT index = SendMessageW(list, messages.addString, 0, reinterpret_cast<LPARAM>(text.c_str()));
  if (index == LB_ERR || index == LB_ERRSPACE) return false;
  SendMessageW(list, messages.setItemHeight, static_cast<WPARAM>(index), ScaleForWindow(list, height));
  if (SendMessageW(list, messages.setItemData, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(data)) ==
      LB_ERR) {
    SendMessageW(list, messages.deleteString, static_cast<WPARAM>(index), 0);
    return false;
  }
  return true;
}

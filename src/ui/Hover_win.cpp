// Hover tracking helpers.
#include "ui/Hover_win.h"

void TrackMouseLeave(HWND window) {
  TRACKMOUSEEVENT tme{};
  tme.cbSize = sizeof(tme);
  tme.dwFlags = TME_LEAVE;
  tme.hwndTrack = window;
  TrackMouseEvent(&tme);
}

bool InClient(HWND window, POINT pt) {
  RECT client{};
  GetClientRect(window, &client);
  return PtInRect(&client, pt) != FALSE;
}

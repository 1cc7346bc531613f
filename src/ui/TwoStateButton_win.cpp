#include "ui/TwoStateButton_win.h"

CTwoStateButton::CTwoStateButton(int onPicture, int offPicture) {
  onImage.LoadPng(onPicture);
  offImage.LoadPng(offPicture);
}

void CTwoStateButton::Set(bool state) {
  if (set_ == state) return;
  set_ = state;
  if (hwnd()) InvalidateRect(hwnd(), nullptr, FALSE);
}

void CTwoStateButton::OnClicking() {
  set_ = !set_;
  InvalidateRect(hwnd(), nullptr, FALSE);
}

// Small white modal message box (dialog 231) with one "OK" button.
#pragma once
#include <string>

#include "base/Handles_win.h"
#include "base/ResourceIds.h"
#include "base/Window_win.h"
#include "ui/CCustButton_win.h"

class CMessageDlg : public CDialog {
 public:
  static constexpr UINT kTemplateId = IDD_MESSAGE;
  static constexpr int kMessageId = IDC_MESSAGE_TEXT;

  CMessageDlg();

  // Stores the text and shows it when the dialog exists.
  void SetMessage(const std::wstring& text);
  INT_PTR DoModal(HWND parent) { return CDialog::DoModal(parent); }

  bool centered = false;
  CCustButton okButton;
  std::wstring message;
  COLORREF backgroundColour = RGB(255, 255, 255);

 protected:
  BOOL OnInitDialog() override;
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  UniqueGdiObject brush_;
};

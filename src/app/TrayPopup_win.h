// The tray popup: a frame shaped and drawn from picture 225 (dialog 228) holding a panel
// (dialog 227) with four buttons that post the tray commands to the main window. The popup is
// shown at the cursor on the cursor's monitor and goes when it loses activation, on a left
// click off the buttons, on Escape, and when a command is used.
//
// The frame is a window region cut from the picture's opaque pixels and painted with the
// picture, not a layered window drawn with UpdateLayeredWindow: such a window shows only its
// bitmap, never its child windows (the panel's buttons stayed invisible under Wine, and
// Windows composes them no better), so its soft edges are traded for buttons that show.
#pragma once
#include "base/Handles_win.h"
#include "base/Window_win.h"
#include "ui/CCustButton_win.h"
#include "ui/PngImage_win.h"

// The button panel.
class CTrayDlg : public CDialog {
 public:
  CTrayDlg();
  // The window that receives the commands.
  void SetMainWindow(HWND mainWindow) { mainWindow_ = mainWindow; }
  // Stores the states and, while the panel exists, shows the matching texts and pictures.
  void SetTrayState(bool paused, bool muted);
  bool paused = false;
  bool muted = false;
  CCustButton pauseButton, muteButton, openButton, quitButton;
  // The frame's picture at the frame's size and the panel's place on it: the panel's
  // background is the part of the picture behind it.
  void SetBackground(const PngImage* frame, POINT offset, SIZE frameSize);

 protected:
  BOOL OnInitDialog() override;
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  HWND mainWindow_ = nullptr;
  const PngImage* frame_ = nullptr;
  POINT offset_{};
  SIZE frameSize_{};
};

// The frame; its panel is a member and lives as long as it does.
class CTrayFrameDlg : public CDialog {
 public:
  CTrayFrameDlg();
  // The window that owns the popup and receives its commands.
  void SetMainWindow(HWND mainWindow);
  // Creates the frame (and its panel) if needed, places it at the cursor and shows it in front.
  void Show();
  // Destroys the frame's window (with the panel's), if it exists.
  void Hide();
  bool IsShown() const { return hwnd() != nullptr; }
  // Whether a WM_APP_TRAY_POPUP_CLOSE with this lParam closes the popup shown now: the popup
  // sends its frame's handle, so that a close still queued from an earlier popup leaves a
  // newer one alone; 0 (anyone else) always closes.
  bool IsCloseFor(LPARAM frame) const;
  CTrayDlg panel;

 protected:
  BOOL OnInitDialog() override;
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void FitPanel();
  void CentrePanel();
  void ShapeFrame();
  void Paint(HDC dc);

  HWND mainWindow_ = nullptr;
  PngImage picture_;
  bool hiding_ = false;
};

// A page of the main window's page area: a child dialog created by the main window, moved to
// the page place and shown one at a time. Until a page is built its task shows this empty
// page; built pages derive from it and paint their own backgrounds through PaintPage.
#pragma once
#include "base/Handles_win.h"
#include "base/Window_win.h"

class CPageDlg : public CDialog {
 public:
  explicit CPageDlg(UINT templateId);
  // Creates the page's window (hidden) as a child of the main window, with its template id as
  // its control id (tests and tools reach a page's controls through it).
  bool Create(HWND mainWindow);

 protected:
  // Paints the page's background into a buffer the size of the client area (erasing does
  // nothing, so nothing flickers). The empty page fills it with theme colour 25.
  virtual void PaintPage(HDC dc, const RECT& client);
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  UniqueGdiObject background_;
};

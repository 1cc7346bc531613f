// Shared pieces of the control-kit tests: a visible host window that records what its
// children tell it, memory-bitmap captures of a control, and message pumping.
#pragma once
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/Window_win.h"
#include "ui/Theme_win.h"

namespace uitest {

struct Note {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

// A top-level window at the screen's left-top corner with a Tahoma font, the theme brush for
// statics, and a log of WM_COMMAND and application messages.
class Host : public CWnd {
 public:
  Host();
  ~Host() override;
  std::vector<Note> notes;
  // Called for each WM_COMMAND as it arrives (inside the sender's call).
  std::function<void(WPARAM, LPARAM)> onCommand;
  // Called for each WM_DELETEITEM a child list sends as its items go.
  std::function<void(const DELETEITEMSTRUCT&)> onDeleteItem;
  HFONT font() const { return font_; }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  HFONT font_ = nullptr;
};

// One host for the whole run (creating and destroying top-level windows is slow under Wine);
// its log and click callback are cleared.
Host& SharedHost();

// Puts the real cursor over a point of a window (client coordinates).
void MoveCursorTo(HWND window, int x, int y);

// Runs the thread's messages until none is left.
void Pump();
// Runs messages until done() or the time-out; returns done().
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 3000);

// A 32-bit picture of a control's client area, painted with WM_PRINTCLIENT into a memory
// bitmap that starts filled with kUntouched.
constexpr COLORREF kUntouched = RGB(255, 0, 255);
struct Capture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, top-down
  COLORREF At(int x, int y) const;
  // Bounding box of the pixels in the area that differ from colour (empty when none).
  RECT BoundsOfOther(COLORREF colour, const RECT& area) const;
  bool Any(COLORREF colour, const RECT& area) const;
};
Capture Snap(HWND control);
// What paint draws into a width x height memory bitmap that starts filled with kUntouched.
Capture PaintInto(int width, int height, const std::function<void(HDC)>& paint);
// The control's window area as it is on screen (frame included).
Capture SnapWindowFromScreen(HWND window);

// Whether inner lies within outer (edges may touch).
inline bool Inside(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right && inner.bottom <= outer.bottom;
}

// Close enough for picture pixels (scaling may round).
bool Near(COLORREF a, COLORREF b, int tolerance = 8);
std::string Hex(COLORREF c);

}  // namespace uitest

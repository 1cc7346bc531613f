// Shared fixture and painting check of the control-kit window tests.
#include "UiFixture.h"

#include "ui/CBufferDC_win.h"

namespace uitest {

std::vector<Note> HostTest::Take(UINT message) {
  Pump();
  std::vector<Note> found;
  for (const Note& n : host.notes)
    if (n.message == message) found.push_back(n);
  host.notes.clear();
  return found;
}

void ExpectPaintsWithoutErasingInOneCopy(HWND control) {
  SCOPED_TRACE(testing::Message() << "control " << control);
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, 4, 4);
  HGDIOBJ old = SelectObject(mem, bmp);
  SetPixel(mem, 1, 1, kUntouched);
  EXPECT_NE(SendMessageW(control, WM_ERASEBKGND, reinterpret_cast<WPARAM>(mem), 0), 0);
  EXPECT_EQ(GetPixel(mem, 1, 1), kUntouched) << "erasing draws nothing";
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);

  long before = CBufferDC::CopyCount();
  InvalidateRect(control, nullptr, TRUE);
  UpdateWindow(control);
  EXPECT_EQ(CBufferDC::CopyCount(), before + 1) << "one buffered copy per paint";
}

}  // namespace uitest

// Picture control. The picture is drawn through a buffer over the parent's background for
// statics (WM_CTLCOLORSTATIC): drawing a picture with soft edges straight onto the screen
// without erasing would darken those edges a little more at every repaint.
#include "ui/CPictureControl_win.h"

#include "ui/CBufferDC_win.h"
#include "ui/CPictureControl.h"
#include "ui/Paint_win.h"

namespace {
class Locked {
 public:
  explicit Locked(CRITICAL_SECTION* cs) : cs_(cs) { EnterCriticalSection(cs_); }
  ~Locked() { LeaveCriticalSection(cs_); }
  Locked(const Locked&) = delete;
  Locked& operator=(const Locked&) = delete;

 private:
  CRITICAL_SECTION* cs_;
};
}  // namespace

CPictureControl::CPictureControl() { InitializeCriticalSection(&lock_); }

CPictureControl::~CPictureControl() {
  DestroyWindow();
  DeleteCriticalSection(&lock_);
}

bool CPictureControl::Create(HWND parent, int id, int x, int y, int width, int height, DWORD style) {
  if (hwnd()) return false;
  HWND control = CreateWindowExW(0, L"STATIC", L"", style, x, y, width, height, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), AppInstance(), nullptr);
  return control && Attach(control);
}

bool CPictureControl::Attach(HWND control) {
  if (!Subclass(control)) return false;
  int id = GetDlgCtrlID(control);
  if (autoLoad && id > 0 && !HasImage()) SetImage(static_cast<UINT>(id));
  return true;
}

bool CPictureControl::HasImage() {
  Locked guard(&lock_);
  return picture_.IsLoaded();
}

bool CPictureControl::SetImage(UINT id) {
  Locked guard(&lock_);
  if (hwnd()) {
    ui::Rect client = ClientRect(hwnd());
    ui::Rect box;
    if (picture_.IsLoaded() && ui::PictureControlBox(client.Width(), client.Height(), offsetX, offsetY,
                                                     picture_.Width(), picture_.Height(), drawWidth, drawHeight,
                                                     &box)) {
      RECT r = ToRECT(box);
      InvalidateRect(hwnd(), &r, FALSE);
    } else {
      InvalidateRect(hwnd(), nullptr, TRUE);
    }
  }
  picture_.Free();
  bool loaded = picture_.LoadPng(id);
  if (loaded && hwnd()) InvalidateRect(hwnd(), nullptr, FALSE);  // the new picture may be placed elsewhere
  return loaded;
}

void CPictureControl::Paint(HDC target) {
  Locked guard(&lock_);
  if (!picture_.IsLoaded()) return;
  RECT client{};
  GetClientRect(hwnd(), &client);
  ui::Rect box;
  if (!ui::PictureControlBox(client.right, client.bottom, offsetX, offsetY, picture_.Width(), picture_.Height(),
                             drawWidth, drawHeight, &box))
    return;
  CBufferDC dc(target, client);
  if (!dc.IsValid()) return;
  HWND parent = GetParent(hwnd());
  HBRUSH brush = parent ? reinterpret_cast<HBRUSH>(SendMessageW(parent, WM_CTLCOLORSTATIC,
                                                                reinterpret_cast<WPARAM>(dc.dc()),
                                                                reinterpret_cast<LPARAM>(hwnd())))
                        : nullptr;
  FillRect(dc, &client, brush ? brush : GetSysColorBrush(COLOR_3DFACE));
  picture_.Draw(dc, box.left, box.top, box.Width(), box.Height());
}

LRESULT CPictureControl::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (auto painted = HandlePaintMessage(hwnd(), message, wParam, [this](HDC dc) { Paint(dc); })) return *painted;
  return Default(message, wParam, lParam);
}

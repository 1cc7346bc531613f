// Window base classes: binding objects to their windows and dispatching messages.
#include "base/Window_win.h"

namespace {
constexpr wchar_t kObjectProp[] = L"Qendor.CWnd";
constexpr wchar_t kDialogProp[] = L"Qendor.CDialog";
}  // namespace

HINSTANCE AppInstance() { return GetModuleHandleW(nullptr); }

CWnd::~CWnd() { DestroyWindow(); }

bool CWnd::RegisterWindowClass(const wchar_t* className, UINT classStyle, HBRUSH background, HICON icon) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof(existing);
  if (GetClassInfoExW(AppInstance(), className, &existing)) return true;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.style = classStyle;
  wc.lpfnWndProc = StaticWndProc;
  wc.hInstance = AppInstance();
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.hbrBackground = background;
  wc.hIcon = icon;
  wc.lpszClassName = className;
  return RegisterClassExW(&wc) != 0;
}

bool CWnd::Create(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style, int x, int y,
                  int width, int height, HWND parent, UINT_PTR idOrMenu) {
  if (hwnd_) return false;
  HWND created = CreateWindowExW(exStyle, className, title, style, x, y, width, height, parent,
                                 reinterpret_cast<HMENU>(idOrMenu), AppInstance(), this);
  return created != nullptr;
}

bool CWnd::Subclass(HWND window) {
  if (hwnd_ || !window) return false;
  hwnd_ = window;
  SetPropW(window, kObjectProp, this);
  previousProc_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassProc)));
  return true;
}

void CWnd::DestroyWindow() {
  if (hwnd_) ::DestroyWindow(hwnd_);
}

CWnd* CWnd::FromHandle(HWND window) { return static_cast<CWnd*>(GetPropW(window, kObjectProp)); }

LRESULT CWnd::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) { return Default(message, wParam, lParam); }

LRESULT CWnd::Default(UINT message, WPARAM wParam, LPARAM lParam) {
  if (previousProc_) return CallWindowProcW(previousProc_, hwnd_, message, wParam, lParam);
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT CWnd::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = HandleMessage(message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    HWND window = hwnd_;
    if (previousProc_) SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousProc_));
    RemovePropW(window, kObjectProp);
    hwnd_ = nullptr;
    previousProc_ = nullptr;
    OnFinalMessage();
  }
  return result;
}

LRESULT CALLBACK CWnd::StaticWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  CWnd* self = FromHandle(window);
  if (!self && message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    self = static_cast<CWnd*>(create->lpCreateParams);
    if (self) {
      self->hwnd_ = window;
      SetPropW(window, kObjectProp, self);
    }
  }
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  return self->Dispatch(message, wParam, lParam);
}

LRESULT CALLBACK CWnd::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  CWnd* self = FromHandle(window);
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  return self->Dispatch(message, wParam, lParam);
}

CDialog::~CDialog() { DestroyWindow(); }

INT_PTR CDialog::DoModal(HWND parent) {
  modal_ = true;
  INT_PTR result = DialogBoxParamW(AppInstance(), MAKEINTRESOURCEW(templateId_), parent, StaticDialogProc,
                                   reinterpret_cast<LPARAM>(this));
  modal_ = false;
  return result;
}

bool CDialog::CreateModeless(HWND parent) {
  if (hwnd_) return false;
  modal_ = false;
  return CreateDialogParamW(AppInstance(), MAKEINTRESOURCEW(templateId_), parent, StaticDialogProc,
                            reinterpret_cast<LPARAM>(this)) != nullptr;
}

void CDialog::EndDialog(INT_PTR result) {
  if (!hwnd_) return;
  if (modal_)
    ::EndDialog(hwnd_, result);
  else
    ::DestroyWindow(hwnd_);
}

void CDialog::DestroyWindow() {
  if (hwnd_ && !modal_) ::DestroyWindow(hwnd_);
}

CDialog* CDialog::FromHandle(HWND window) { return static_cast<CDialog*>(GetPropW(window, kDialogProp)); }

INT_PTR CDialog::HandleMessage(UINT, WPARAM, LPARAM) { return FALSE; }

void CDialog::SetResult(LRESULT result) { SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, result); }

INT_PTR CALLBACK CDialog::StaticDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  CDialog* self = FromHandle(window);
  if (message == WM_INITDIALOG) {
    self = reinterpret_cast<CDialog*>(lParam);
    self->hwnd_ = window;
    SetPropW(window, kDialogProp, self);
    return self->OnInitDialog();
  }
  if (!self) return FALSE;
  INT_PTR handled = self->HandleMessage(message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    RemovePropW(window, kDialogProp);
    self->hwnd_ = nullptr;
  }
  return handled;
}

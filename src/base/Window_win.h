// Window base classes: a window object binds itself to its HWND at creation (or when it
// subclasses an existing control) and receives every message through HandleMessage.
#pragma once
#include <windows.h>

class CWnd {
 public:
  CWnd() = default;
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;
  virtual ~CWnd();

  HWND hwnd() const { return hwnd_; }
  operator HWND() const { return hwnd_; }

  // Registers a window class whose procedure dispatches to CWnd objects (once per name).
  static bool RegisterWindowClass(const wchar_t* className, UINT classStyle = CS_DBLCLKS,
                                  HBRUSH background = nullptr, HICON icon = nullptr);
  // Creates a window of a class registered with RegisterWindowClass.
  bool Create(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style, int x, int y,
              int width, int height, HWND parent, UINT_PTR idOrMenu);
  // Takes over an existing window (a dialog's control): its messages reach HandleMessage and
  // Default passes them on to the class's own procedure.
  bool Subclass(HWND window);
  void DestroyWindow();

  static CWnd* FromHandle(HWND window);

 protected:
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);
  // Called after the window is gone; the object may be reused.
  virtual void OnFinalMessage() {}

 private:
  static LRESULT CALLBACK StaticWndProc(HWND, UINT, WPARAM, LPARAM);
  static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM);
  LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

  HWND hwnd_ = nullptr;
  WNDPROC previousProc_ = nullptr;
};

// A dialog from a resource template, modal or modeless.
class CDialog {
 public:
  explicit CDialog(UINT templateId) : templateId_(templateId) {}
  CDialog(const CDialog&) = delete;
  CDialog& operator=(const CDialog&) = delete;
  virtual ~CDialog();

  HWND hwnd() const { return hwnd_; }
  operator HWND() const { return hwnd_; }
  UINT TemplateId() const { return templateId_; }

  INT_PTR DoModal(HWND parent);
  bool CreateModeless(HWND parent);
  void EndDialog(INT_PTR result);
  void DestroyWindow();

  static CDialog* FromHandle(HWND window);

 protected:
  virtual BOOL OnInitDialog() { return TRUE; }
  // Return TRUE when handled; SetResult sets DWLP_MSGRESULT for messages that need it.
  virtual INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void SetResult(LRESULT result);

 private:
  static INT_PTR CALLBACK StaticDialogProc(HWND, UINT, WPARAM, LPARAM);

  UINT templateId_;
  HWND hwnd_ = nullptr;
  bool modal_ = false;
};

// The program's module (resources live in the executable).
HINSTANCE AppInstance();

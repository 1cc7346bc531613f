// Control gallery: every control of the kit in each of its states on one window, in the
// theme's colours, at the DPI the system reports (run it at 96 and at 144 DPI). The message
// dialog is opened beside the window. See the README's developer section for screenshots.
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <memory>
#include <string>
#include <vector>

#include "base/Dpi_win.h"
#include "base/ResourceIds.h"
#include "base/Window_win.h"
#include "ui/CBitmapSlider_win.h"
#include "ui/CCustButton_win.h"
#include "ui/CCustCheckBox_win.h"
#include "ui/CCustComboBox_win.h"
#include "ui/CCustEdit_win.h"
#include "ui/CCustTabCtrl_win.h"
#include "ui/CCustTextField_win.h"
#include "ui/CMessageDlg_win.h"
#include "ui/CPictureControl_win.h"
#include "ui/CSwitch_win.h"
#include "ui/CTaskList_win.h"
#include "ui/Theme_win.h"

namespace {

constexpr wchar_t kClassName[] = L"QendorGallery";
constexpr int kWidth = 1000;  // design pixels
constexpr int kHeight = 700;

class Gallery : public CWnd {
 public:
  bool Open() {
    RegisterWindowClass(kClassName, CS_DBLCLKS, Theme().backgroundBrush);
    if (!Create(0, kClassName, L"Qendor control gallery", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 100, 100,
                nullptr, 0))
      return false;
    dpi_ = static_cast<int>(WindowDpi(hwnd()));
    SetWindowPos(hwnd(), nullptr, 0, 0, S(kWidth), S(kHeight), SWP_NOZORDER);
    LOGFONTW lf{};
    lf.lfHeight = -S(13);
    lf.lfWeight = FW_NORMAL;
    lf.lfQuality = CLEARTYPE_QUALITY;
    wcscpy(lf.lfFaceName, Theme().faceName);
    font_ = CreateFontIndirectW(&lf);
    Build();
    return true;
  }
  ~Gallery() override {
    if (font_) DeleteObject(font_);
  }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_GETFONT:
        return reinterpret_cast<LRESULT>(font_);
      case WM_CTLCOLORSTATIC: {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, Theme()[11]);
        SetBkColor(dc, Theme()[ui::kColourControlBack]);
        return reinterpret_cast<LRESULT>(Theme().backgroundBrush);
      }
      case WM_TIMER:
        ::DestroyWindow(hwnd());
        return 0;
      case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
      case WM_KEYDOWN:
        if (wParam == VK_ESCAPE) ::DestroyWindow(hwnd());
        return 0;
      default:
        break;
    }
    return Default(message, wParam, lParam);
  }

 private:
  int S(int design) const { return MulDiv(design, dpi_, 96); }

  void Label(int x, int y, const wchar_t* text, int w = 120) {
    HWND label = CreateWindowExW(0, L"STATIC", text, WS_CHILD | WS_VISIBLE, S(x), S(y), S(w), S(16), hwnd(), nullptr,
                                 AppInstance(), nullptr);
    SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  }
  template <typename T>
  T& Add() {
    auto owned = std::make_unique<T>();
    T& ref = *owned;
    controls_.push_back(std::unique_ptr<CWnd>(owned.release()));
    return ref;
  }

  void Build() {
    int id = 100;
    // Task list at the left, as in the main window: selected "Add Video", hot "Add Music".
    Label(10, 8, L"CTaskList: selected, hot", 180);
    auto& tasks = Add<CTaskList>();
    tasks.Create(hwnd(), ++id, S(10), S(26), S(180), S(170));
    SendMessageW(tasks, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    const wchar_t* texts[] = {L"Quick Start", L"Add Video", L"Add Music", L"Playlist", L"Settings"};
    const UINT icons[][2] = {{229, 230}, {133, 166}, {134, 180}, {135, 181}, {136, 179}};
    for (int i = 0; i < 5; ++i) tasks.AddItemText(texts[i], icons[i][0], icons[i][1]);
    SendMessageW(tasks, LB_SETCURSEL, 1, 0);
    tasks.hot = 2;

    // Buttons.
    const int bx = 210;
    Label(bx, 8, L"CCustButton: normal, hover, pressed, disabled; picture and text; picture only (normal, hover, pressed)", 780);
    const wchar_t* states[] = {L"Normal", L"Hover", L"Pressed", L"Disabled"};
    for (int i = 0; i < 4; ++i) {
      auto& b = Add<CCustButton>();
      b.Create(hwnd(), ++id, states[i], S(bx + i * 100), S(26), S(90), S(30));
      if (i == 1) b.hover = true;
      if (i == 2) SendMessageW(b, BM_SETSTATE, TRUE, 0);
      if (i == 3) EnableWindow(b, FALSE);
    }
    auto& withPicture = Add<CCustButton>();
    withPicture.Create(hwnd(), ++id, L"Add entry", S(bx + 400), S(26), S(110), S(30));
    withPicture.SetImages(204, 0);
    withPicture.imageWidth = withPicture.imageHeight = S(16);
    for (int i = 0; i < 3; ++i) {
      auto& b = Add<CCustButton>();
      b.Create(hwnd(), ++id, L"", S(bx + 520 + i * 50), S(29), S(40), S(24));
      b.imageOnly = true;
      b.imageWidth = b.imageHeight = S(16);
      b.SetImages(221, 222);
      if (i == 1) b.hover = true;
      if (i == 2) SendMessageW(b, BM_SETSTATE, TRUE, 0);
    }

    // Path fields with their Browse buttons.
    Label(bx, 66, L"CCustTextField + CBrowseButton: path, placeholder, empty", 480);
    const int fieldH = 28;
    struct FieldCase {
      const wchar_t* text;
      const wchar_t* placeholder;
      bool hover;
    } fields[] = {{L"C:\\Users\\someone\\Videos\\Wallpapers\\Mountain lake at dawn.mp4", L"", false},
                  {L"", L"Select a video file", true},
                  {L"", L"", false}};
    for (int i = 0; i < 3; ++i) {
      auto& field = Add<CCustTextField>();
      field.Create(hwnd(), ++id, S(bx), S(86 + i * 36), S(400), S(fieldH));
      field.placeholder = fields[i].placeholder;
      field.SetText(fields[i].text);
      auto& browse = Add<CBrowseButton>();
      browse.Create(hwnd(), ++id, L"Browse", S(bx + 400), S(86 + i * 36), S(80), S(fieldH));
      browse.hover = fields[i].hover;
    }

    // Check boxes and switches.
    const int cx = bx + 500;
    Label(cx, 66, L"CCustCheckBox: off, on", 260);
    for (int i = 0; i < 2; ++i) {
      auto& box = Add<CCustCheckBox>();
      box.Create(hwnd(), ++id, i ? L"Mute when other audio plays" : L"Start with Windows", S(cx), S(86 + i * 28), S(260),
                 S(24));
      box.backgroundColour = Theme()[ui::kColourControlBack];
      box.SetChecked(i == 1);
    }
    Label(cx, 144, L"CSwitch: off, on", 260);
    for (int i = 0; i < 2; ++i) {
      auto& sw = Add<CSwitch>();
      sw.Create(hwnd(), ++id, L"", S(cx + i * 70), S(162), S(60), S(36));
      sw.SetOn(i == 1);
    }

    // Sliders with value edits.
    Label(bx, 200, L"CBitmapSlider + CCustEdit: normal, dragging, disabled, focused", 600);
    for (int i = 0; i < 4; ++i) {
      auto& slider = Add<CBitmapSlider>();
      slider.Create(hwnd(), ++id, S(bx), S(220 + i * 34), S(300), S(22));
      slider.backgroundColour = Theme()[ui::kColourControlBack];
      slider.LoadImages();
      slider.SetRange(0, 100);
      slider.SetPos(20 + i * 20);
      if (i == 1) slider.model.dragging = true;
      if (i == 2) EnableWindow(slider, FALSE);
      if (i == 3) {
        slider.showFocus = true;
        focusSlider_ = &slider;
      }
      auto& edit = Add<CCustEdit>();
      edit.Create(hwnd(), ++id, S(bx + 310), S(216 + i * 34), S(50), S(28));
      SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
      edit.frameColour = Theme()[ui::kColourControlBack];
      SetWindowTextW(edit, std::to_wstring(20 + i * 20).c_str());
      if (i == 2) EnableWindow(edit, FALSE);
    }

    // Combo boxes.
    Label(cx, 200, L"CCustComboBox: normal, hover, disabled", 280);
    for (int i = 0; i < 3; ++i) {
      auto& combo = Add<CCustComboBox>();
      combo.Create(hwnd(), ++id, S(cx), S(220 + i * 40), S(220), S(30), S(160));
      combo.AddItemText(L"Cover", 172);
      combo.AddItemText(L"Contain", 198);
      combo.AddItemText(L"Stretch", 0);
      SendMessageW(combo, CB_SETCURSEL, i, 0);
      if (i == 1) combo.hover = true;
      if (i == 2) EnableWindow(combo, FALSE);
    }

    // Tab strips.
    Label(10, 360, L"CCustTabCtrl: settings strip (selected Settings, hot Quick Controls, Uninstall at the right)", 700);
    auto& settingsTabs = Add<CCustTabCtrl>();
    settingsTabs.Create(hwnd(), ++id, S(10), S(380), S(980), S(30));
    for (const wchar_t* text : {L"Settings", L"Quick Controls", L"About", L"Bug Report", L"Uninstall"})
      settingsTabs.AddTabText(text);
    settingsTabs.lastTabRight = true;
    settingsTabs.selected = 0;
    settingsTabs.hot = 1;
    Label(10, 420, L"CCustTabCtrl: monitor strip with icons (selected 2, hot 1); right-hand tab selected", 700);
    auto& monitorTabs = Add<CCustTabCtrl>();
    monitorTabs.Create(hwnd(), ++id, S(10), S(440), S(480), S(30));
    for (const wchar_t* text : {L"Monitor 1", L"Monitor 2", L"Monitor 3"}) monitorTabs.AddTabText(text);
    monitorTabs.iconSize = S(13);
    monitorTabs.icon.LoadPng(IDP_MONITOR_TAB);
    monitorTabs.hotIcon.LoadPng(IDP_MONITOR_TAB_HOT);
    monitorTabs.selected = 1;
    monitorTabs.hot = 0;
    auto& redTabs = Add<CCustTabCtrl>();
    redTabs.Create(hwnd(), ++id, S(510), S(440), S(480), S(30));
    for (const wchar_t* text : {L"Settings", L"Uninstall"}) redTabs.AddTabText(text);
    redTabs.lastTabRight = true;
    redTabs.selected = 1;

    // Picture controls.
    Label(10, 484, L"CPictureControl: page icons 16 x 16, tray illustration filling its control", 700);
    const UINT pictures[] = {170, 171, 172, 174, 178, 226};
    for (int i = 0; i < 6; ++i) {
      auto& p = Add<CPictureControl>();
      p.autoLoad = false;
      p.Create(hwnd(), 0, S(10 + i * 30), S(506), S(20), S(20));
      p.drawWidth = p.drawHeight = S(16);
      p.SetImage(pictures[i]);
    }
    auto& tray = Add<CPictureControl>();
    tray.Create(hwnd(), 162, S(210), S(506), S(180), S(180));
  }

 public:
  void FocusSlider() {
    if (focusSlider_) SetFocus(focusSlider_->hwnd());
  }
  int Scale(int design) const { return S(design); }

 private:
  int dpi_ = 96;
  HFONT font_ = nullptr;
  std::vector<std::unique_ptr<CWnd>> controls_;
  CBitmapSlider* focusSlider_ = nullptr;
};

}  // namespace

// "/exit-after <ms>" closes the gallery by itself (for scripted screenshots).
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
  int exitAfter = 0;
  if (const wchar_t* p = commandLine ? wcsstr(commandLine, L"/exit-after") : nullptr) exitAfter = _wtoi(p + 11);
  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return 1;
  int result = 0;
  {
    Gallery gallery;
    if (!gallery.Open()) return 1;
    // The message dialog, opened beside the window (centred text).
    CMessageDlg message;
    message.centered = true;
    message.SetMessage(L"Factory reset successful!");
    if (message.CreateModeless(gallery)) {
      SetWindowPos(message, nullptr, gallery.Scale(kWidth) + 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      ShowWindow(message, SW_SHOWNOACTIVATE);
    }
    if (exitAfter > 0) SetTimer(gallery, 1, static_cast<UINT>(exitAfter), nullptr);
    SetForegroundWindow(gallery);
    gallery.FocusSlider();
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
      if (message.hwnd() && IsDialogMessageW(message, &msg)) continue;
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    result = static_cast<int>(msg.wParam);
  }
  Gdiplus::GdiplusShutdown(token);
  return result;
}

// Tab strip, task list, picture control and message dialog.
#include <windows.h>
#include <gtest/gtest.h>

#include <functional>

#include "UiFixture.h"
#include "UiTestKit.h"
#include "base/Dpi_win.h"
#include "base/Messages.h"
#include "ui/CBufferDC_win.h"
#include "ui/CCustComboBox_win.h"
#include "ui/CCustTabCtrl_win.h"
#include "ui/CMessageDlg_win.h"
#include "ui/CPictureControl_win.h"
#include "ui/CTaskList_win.h"

using uitest::Capture;
using uitest::Inside;
using uitest::Snap;

namespace {

class UiLists : public uitest::HostTest {};

}  // namespace

TEST_F(UiLists, TabRectanglesColoursAndBaseLine) {
  CCustTabCtrl tabs;
  ASSERT_TRUE(tabs.Create(host, 3001, 0, 0, 400, 30));
  ASSERT_EQ(WindowDpi(tabs), 96u) << "the rectangles below are for 96 DPI";
  tabs.AddTabText(L"Settings");
  tabs.AddTabText(L"About");
  tabs.AddTabText(L"Uninstall");
  EXPECT_EQ(tabs.AddTab(59999), nullptr) << "missing string";
  EXPECT_EQ(tabs.Count(), 3);
  const ThemeTable& t = Theme();
  struct Case {
    const char* name;
    bool lastRight;
    int selected, hot;
    std::vector<RECT> rects;
    std::vector<COLORREF> fills;
    COLORREF baseLine;
  } cases[] = {
      {"plain", false, 0, 2, {{8, 0, 106, 30}, {112, 0, 210, 30}, {216, 0, 314, 30}}, {t[23], t[24], t[23]}, t[2]},
      {"last right, unselected", true, 0, -1, {{8, 0, 106, 30}, {112, 0, 210, 30}, {294, 0, 392, 30}}, {t[23], t[24], t[8]}, t[2]},
      {"last right, selected", true, 2, -1, {{8, 0, 106, 30}, {112, 0, 210, 30}, {294, 0, 392, 30}}, {t[24], t[24], t[7]}, t[8]},
      {"last right, hot", true, 1, 2, {{8, 0, 106, 30}, {112, 0, 210, 30}, {294, 0, 392, 30}}, {t[24], t[23], t[7]}, t[2]},
  };
  for (const Case& c : cases) {
    tabs.lastTabRight = c.lastRight;
    tabs.selected = c.selected;
    tabs.hot = c.hot;
    Capture cap = Snap(tabs);
    for (int i = 0; i < 3; ++i) {
      const RECT& r = tabs.TabAt(i).rect;
      EXPECT_TRUE(EqualRect(&r, &c.rects[static_cast<size_t>(i)])) << c.name << " tab " << i << ": " << r.left << ","
                                                                    << r.right;
      EXPECT_EQ(tabs.TabAt(i).placedRight, c.lastRight && i == 2) << c.name;
      EXPECT_EQ(cap.At(r.left + 4, 10), c.fills[static_cast<size_t>(i)])
          << c.name << " tab " << i << " " << uitest::Hex(cap.At(r.left + 4, 10));
    }
    EXPECT_EQ(cap.At(3, 10), t[25]) << c.name << ": strip background";
    EXPECT_EQ(cap.At(3, 29), c.baseLine) << c.name << ": base line " << uitest::Hex(cap.At(3, 29));
    EXPECT_EQ(cap.At(250, 29), c.baseLine) << c.name;
    // Only the selected tab reaches the base line; the others stop 2 pixels above it.
    int unselected = c.selected == 0 ? 1 : 0;
    EXPECT_EQ(cap.At(tabs.TabAt(unselected).rect.left + 4, 28), t[25]) << c.name;
    EXPECT_TRUE(cap.Any(t[0], tabs.TabAt(0).rect)) << c.name << ": white text";
  }
}

TEST_F(UiLists, TabSelectionIsPostedOnlyOnAChange) {
  CCustTabCtrl tabs;
  ASSERT_TRUE(tabs.Create(host, 3002, 0, 40, 400, 30));
  for (const wchar_t* text : {L"A", L"B", L"C"}) tabs.AddTabText(text);
  tabs.selected = 0;
  Snap(tabs);  // lays the tabs out
  host.notes.clear();
  SendMessageW(tabs, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(150, 10));
  auto posted = Take(WM_APP_TAB_SELECTED);
  ASSERT_EQ(posted.size(), 1u);
  EXPECT_EQ(posted[0].wParam, 1u);
  EXPECT_EQ(posted[0].lParam, reinterpret_cast<LPARAM>(tabs.hwnd()));
  EXPECT_EQ(tabs.selected, 1);
  EXPECT_EQ(GetFocus(), tabs.hwnd());
  SendMessageW(tabs, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(150, 10));
  EXPECT_TRUE(Take(WM_APP_TAB_SELECTED).empty()) << "the selected tab again";
  SendMessageW(tabs, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(108, 10));
  EXPECT_TRUE(Take(WM_APP_TAB_SELECTED).empty()) << "the gap between tabs";

  auto key = [&](WPARAM vk) {
    MSG msg{tabs.hwnd(), WM_KEYDOWN, vk, 0, 0, {0, 0}};
    LRESULT code = SendMessageW(tabs, WM_GETDLGCODE, vk, reinterpret_cast<LPARAM>(&msg));
    if (code & DLGC_WANTMESSAGE) SendMessageW(tabs, WM_KEYDOWN, vk, 0);
    return (code & DLGC_WANTMESSAGE) != 0;
  };
  EXPECT_TRUE(key(VK_RIGHT));
  posted = Take(WM_APP_TAB_SELECTED);
  ASSERT_EQ(posted.size(), 1u);
  EXPECT_EQ(posted[0].wParam, 2u);
  EXPECT_FALSE(key(VK_RIGHT)) << "on the last tab Right goes on to the dialog";
  EXPECT_TRUE(Take(WM_APP_TAB_SELECTED).empty());
  EXPECT_TRUE(key(VK_LEFT));
  EXPECT_TRUE(key(VK_LEFT));
  EXPECT_FALSE(key(VK_LEFT)) << "on the first tab Left goes on to the dialog";
  posted = Take(WM_APP_TAB_SELECTED);
  ASSERT_EQ(posted.size(), 2u);
  EXPECT_EQ(posted[1].wParam, 0u);

  // Setting the selection from the page posts nothing; removing the tabs keeps it.
  tabs.selected = 2;
  tabs.RemoveAllTabs();
  EXPECT_EQ(tabs.Count(), 0);
  EXPECT_EQ(tabs.selected, 2);
  EXPECT_TRUE(Take(WM_APP_TAB_SELECTED).empty());
}

TEST_F(UiLists, TabHotFollowsTheMouse) {
  CCustTabCtrl tabs;
  ASSERT_TRUE(tabs.Create(host, 3003, 0, 80, 400, 30));
  for (const wchar_t* text : {L"A", L"B"}) tabs.AddTabText(text);
  tabs.icon.LoadPng(211);
  tabs.hotIcon.LoadPng(212);
  tabs.iconSize = 13;
  Snap(tabs);
  uitest::MoveCursorTo(tabs, 120, 10);
  SendMessageW(tabs, WM_MOUSEMOVE, 0, MAKELPARAM(120, 10));
  EXPECT_EQ(tabs.hot, 1);
  Capture cap = Snap(tabs);
  EXPECT_EQ(cap.At(116, 10), Theme()[23]) << "hot fill";
  RECT icon = cap.BoundsOfOther(Theme()[23], {113, 3, 135, 26});
  EXPECT_TRUE(Inside(icon, {122, 7, 135, 22})) << icon.left << "," << icon.top << " " << icon.right << "," << icon.bottom;
  uitest::MoveCursorTo(host, 700, 550);
  EXPECT_TRUE(uitest::PumpUntil([&] { return tabs.hot == -1; })) << "WM_MOUSELEAVE never came";
}

TEST_F(UiLists, TaskListItemsPerState) {
  CTaskList list;
  ASSERT_TRUE(list.Create(host, 3004, 10, 120, 180, 200));
  SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(host.font()), FALSE);
  ASSERT_TRUE(list.AddItemText(L"Quick Start", 229, 230));
  ASSERT_TRUE(list.AddItemText(L"Add Video", 133, 166));
  ASSERT_TRUE(list.AddItemText(L"Add Music", 134, 180));
  EXPECT_FALSE(list.AddItem(59999, 133, 166));
  EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 3);
  const int h = ScaleForWindow(list, 30);
  EXPECT_EQ(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0), h);
  const ThemeTable& t = Theme();
  struct Case {
    const char* name;
    int selected, hot;
    COLORREF item0, item1;
  } cases[] = {
      {"none", -1, -1, t[10], t[10]},
      {"selected", 0, -1, t[2], t[10]},
      {"hot", 0, 1, t[2], t[22]},
      {"selected and hot", 1, 1, t[10], t[3]},
  };
  for (const Case& c : cases) {
    SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(c.selected), 0);
    list.hot = c.hot;
    Capture cap = Snap(list);
    EXPECT_EQ(cap.At(170, h / 2), c.item0) << c.name << " " << uitest::Hex(cap.At(170, h / 2));
    EXPECT_EQ(cap.At(170, h + h / 2), c.item1) << c.name << " " << uitest::Hex(cap.At(170, h + h / 2));
    EXPECT_EQ(cap.At(170, 3 * h + 10), t[10]) << c.name << ": below the items";
    EXPECT_TRUE(cap.Any(t[0], {36, h + 2, 178, 2 * h - 2})) << c.name << ": white text";
    RECT icon = cap.BoundsOfOther(c.item1, {4, h + 2, 28, 2 * h - 2});
    EXPECT_TRUE(Inside(icon, {8, h + 7, 24, h + 23})) << c.name;
  }
}

TEST_F(UiLists, TaskListHoverRepaintsWithoutErasingAndClearsOnLeave) {
  CTaskList list;
  ASSERT_TRUE(list.Create(host, 3005, 10, 120, 180, 200));
  for (const wchar_t* text : {L"One", L"Two", L"Three"}) list.AddItemText(text, 133, 166);
  UpdateWindow(host);
  uitest::Pump();
  const int h = ScaleForWindow(list, 30);
  SendMessageW(list, WM_MOUSEMOVE, 0, MAKELPARAM(50, h / 2));
  EXPECT_EQ(list.hot, 0);
  long before = CBufferDC::CopyCount();
  UpdateWindow(list);
  SendMessageW(list, WM_MOUSEMOVE, 0, MAKELPARAM(50, h + h / 2));
  EXPECT_EQ(list.hot, 1);
  RECT update{};
  EXPECT_TRUE(GetUpdateRect(list, &update, FALSE)) << "moving to the next item repaints";
  UpdateWindow(list);
  EXPECT_EQ(CBufferDC::CopyCount(), before + 2) << "one copy per repaint";
  SendMessageW(list, WM_MOUSEMOVE, 0, MAKELPARAM(50, h + h / 2));
  EXPECT_FALSE(GetUpdateRect(list, &update, FALSE)) << "the same item repaints nothing";
  SendMessageW(list, WM_MOUSEMOVE, 0, MAKELPARAM(50, 5 * h));
  EXPECT_EQ(list.hot, -1) << "below the last item";
  uitest::MoveCursorTo(list, 50, h / 2);
  SendMessageW(list, WM_MOUSEMOVE, 0, MAKELPARAM(50, h / 2));
  EXPECT_EQ(list.hot, 0);
  uitest::MoveCursorTo(host, 700, 550);
  EXPECT_TRUE(uitest::PumpUntil([&] { return list.hot == -1; })) << "leaving the list clears the highlight";
  // A click selects through the list box and the selection is painted.
  SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 2 * h + h / 2));
  SendMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(50, 2 * h + h / 2));
  EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 2);
  EXPECT_TRUE(GetUpdateRect(list, &update, FALSE));
}

TEST_F(UiLists, PictureControlCentresItsPictureAndLoadsItsOwnId) {
  CPictureControl picture;
  ASSERT_TRUE(picture.Create(host, 211, 10, 340, 20, 20));
  EXPECT_TRUE(picture.HasImage()) << "auto load of PNG 211, the control's id";
  picture.drawWidth = picture.drawHeight = 16;
  Capture cap = Snap(picture);
  RECT drawn = cap.BoundsOfOther(Theme()[23], {0, 0, 20, 20});
  EXPECT_FALSE(IsRectEmpty(&drawn));
  EXPECT_TRUE(Inside(drawn, {2, 2, 18, 18})) << drawn.left << "," << drawn.top << " " << drawn.right << "," << drawn.bottom;
  // Without a draw size the picture fills the control.
  picture.drawWidth = picture.drawHeight = 0;
  Capture filled = Snap(picture);
  RECT all = filled.BoundsOfOther(Theme()[23], {0, 0, 20, 20});
  EXPECT_LT(all.left, 2);
  // A picture rectangle that misses the client area draws nothing, not even a background.
  picture.offsetX = 100;
  Capture none = Snap(picture);
  EXPECT_EQ(none.BoundsOfOther(uitest::kUntouched, {0, 0, 20, 20}).right, 0);
  picture.offsetX = 0;
  // A missing picture leaves the control empty.
  EXPECT_FALSE(picture.SetImage(59999));
  EXPECT_FALSE(picture.HasImage());
  Capture missing = Snap(picture);
  EXPECT_EQ(missing.BoundsOfOther(uitest::kUntouched, {0, 0, 20, 20}).right, 0);
  EXPECT_TRUE(picture.SetImage(212));

  CPictureControl noAuto;
  noAuto.autoLoad = false;
  ASSERT_TRUE(noAuto.Create(host, 212, 40, 340, 20, 20));
  EXPECT_FALSE(noAuto.HasImage());
}

namespace {
struct DialogCheck {
  bool found = false;
  bool centred = false;
  std::wstring text;
  bool okIsKitButton = false;
  COLORREF background = CLR_INVALID;
};
DialogCheck* g_check = nullptr;
CMessageDlg* g_dialog = nullptr;

void CALLBACK InspectDialog(HWND, UINT, UINT_PTR id, DWORD) {
  HWND dlg = g_dialog ? g_dialog->hwnd() : nullptr;
  if (!dlg || !IsWindowVisible(dlg)) return;
  KillTimer(nullptr, id);
  g_check->found = true;
  HWND text = GetDlgItem(dlg, CMessageDlg::kMessageId);
  g_check->centred = (GetWindowLongW(text, GWL_STYLE) & SS_TYPEMASK) == SS_CENTER;
  wchar_t buffer[256] = {};
  GetWindowTextW(text, buffer, 256);
  g_check->text = buffer;
  g_check->okIsKitButton = CWnd::FromHandle(GetDlgItem(dlg, IDOK)) == &g_dialog->okButton;
  HDC dc = GetDC(dlg);
  HBRUSH brush = reinterpret_cast<HBRUSH>(SendMessageW(dlg, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                                        reinterpret_cast<LPARAM>(text)));
  LOGBRUSH lb{};
  if (brush && GetObjectW(brush, sizeof lb, &lb)) g_check->background = lb.lbColor;
  ReleaseDC(dlg, dc);
  PostMessageW(dlg, WM_COMMAND, IDOK, 0);
}
}  // namespace

TEST_F(UiLists, MessageDialogShowsItsTextCentredOrNot) {
  for (bool centered : {true, false}) {
    CMessageDlg dialog;
    dialog.centered = centered;
    dialog.SetMessage(L"Factory reset successful!");
    DialogCheck check;
    g_check = &check;
    g_dialog = &dialog;
    SetTimer(nullptr, 0, 50, InspectDialog);
    INT_PTR result = dialog.DoModal(host);
    g_dialog = nullptr;
    EXPECT_EQ(result, IDOK);
    EXPECT_TRUE(check.found);
    EXPECT_EQ(check.centred, centered);
    EXPECT_EQ(check.text, L"Factory reset successful!");
    EXPECT_TRUE(check.okIsKitButton);
    EXPECT_EQ(check.background, RGB(255, 255, 255));
  }
}

TEST_F(UiLists, ListControlsNeverEraseAndCopyOnce) {
  CCustTabCtrl tabs;
  CTaskList list;
  CPictureControl picture;
  ASSERT_TRUE(tabs.Create(host, 3010, 0, 400, 400, 30));
  tabs.AddTabText(L"A");
  ASSERT_TRUE(list.Create(host, 3011, 0, 440, 180, 100));
  list.AddItemText(L"One", 133, 166);
  ASSERT_TRUE(picture.Create(host, 212, 200, 440, 20, 20));
  UpdateWindow(host);
  uitest::Pump();
  for (HWND control : {tabs.hwnd(), list.hwnd(), picture.hwnd()}) uitest::ExpectPaintsWithoutErasingInOneCopy(control);
}

// A list whose object goes while its window exists: the window goes first, so the items the
// list reports on its way out (WM_DELETEITEM, with their records) still belong to a live
// control. Were the records freed first, the parent would be handed freed data; the control
// would then already be down to its base class when the window went.
TEST_F(UiLists, ListsReportTheirItemsWhileTheirRecordsStillLive) {
  struct Probe {
    const char* name;
    std::function<CWnd*(HWND)> make;  // a control with two items, as the program makes them
    std::function<bool(CWnd*)> isWhole;
  } probes[] = {
      {"task list",
       [](HWND parent) {
         auto* list = new CTaskList();
         list->Create(parent, 3101, 10, 10, 180, 100);
         list->AddItemText(L"One", 229, 230);
         list->AddItemText(L"Two", 133, 166);
         return static_cast<CWnd*>(list);
       },
       [](CWnd* w) { return dynamic_cast<CTaskList*>(w) != nullptr; }},
      {"combo box",
       [](HWND parent) {
         auto* combo = new CCustComboBox();
         combo->Create(parent, 3102, 10, 10, 180, 24, 90);
         combo->AddItemText(L"Cover", 172);
         combo->AddItemText(L"Contain", 198);
         return static_cast<CWnd*>(combo);
       },
       [](CWnd* w) { return dynamic_cast<CCustComboBox*>(w) != nullptr; }},
  };
  for (const Probe& probe : probes) {
    SCOPED_TRACE(probe.name);
    CWnd* control = probe.make(host);
    ASSERT_NE(control->hwnd(), nullptr);
    int reported = 0, whole = 0;
    host.onDeleteItem = [&](const DELETEITEMSTRUCT& item) {
      ++reported;
      if (item.itemData != 0 && probe.isWhole(CWnd::FromHandle(item.hwndItem))) ++whole;
    };
    delete control;
    host.onDeleteItem = nullptr;
    EXPECT_EQ(reported, 2);
    EXPECT_EQ(whole, 2) << "the items were reported after the control's records were gone";
  }
}

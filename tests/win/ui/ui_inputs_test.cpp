// Slider, value edit, path field and combo box: painting, notifications and their rules.
#include <windows.h>
#include <gtest/gtest.h>

#include "UiFixture.h"
#include "UiTestKit.h"
#include "base/Dpi_win.h"
#include "base/Messages.h"
#include "ui/CBitmapSlider_win.h"
#include "ui/CCustComboBox_win.h"
#include "ui/CCustEdit_win.h"
#include "ui/CCustTextField_win.h"

using uitest::Capture;
using uitest::Snap;

namespace {

class UiInputs : public uitest::HostTest {};

constexpr int kSliderId = 2001;

}  // namespace

TEST_F(UiInputs, SliderLoadsItsPicturesToTheControlSize) {
  CBitmapSlider slider;
  ASSERT_TRUE(slider.Create(host, kSliderId, 10, 10, 260, 24));
  slider.LoadImages();
  EXPECT_EQ(slider.model.channelWidth, 260);  // 520 x 16 at factor 0.5
  EXPECT_EQ(slider.model.channelHeight, 8);
  EXPECT_EQ(slider.model.thumbWidth, 24);     // 64 x 64 at 24 / 64
  EXPECT_EQ(slider.model.thumbHeight, 24);
  EXPECT_EQ(slider.draggedThumbImage.Width(), 22);  // 60 x 60 at the thumb's factor
  EXPECT_TRUE(slider.disabledThumbImage.IsLoaded());
}

TEST_F(UiInputs, SliderPaintsChannelActivePartAndThumbPerState) {
  CBitmapSlider slider;
  ASSERT_TRUE(slider.Create(host, kSliderId, 10, 10, 260, 24));
  slider.backgroundColour = Theme()[23];
  slider.LoadImages();
  slider.SetRange(0, 100);
  slider.SetPos(50);  // thumb 118..142, active channel to 130
  Capture normal = Snap(slider);
  const COLORREF bg = Theme()[23];
  EXPECT_EQ(normal.At(40, 1), bg) << "above the channel";
  EXPECT_EQ(normal.At(200, 22), bg) << "below the channel";
  COLORREF active = normal.At(60, 12);
  COLORREF rest = normal.At(200, 12);
  EXPECT_NE(active, bg);
  EXPECT_NE(rest, bg);
  EXPECT_NE(active, rest) << "the channel left of the thumb is the active picture";
  EXPECT_NE(normal.At(130, 12), rest) << "thumb at the centre";
  EXPECT_EQ(normal.At(130, 0) == bg, false) << "the thumb spans the height";

  slider.model.dragging = true;
  Capture dragged = Snap(slider);
  EXPECT_NE(dragged.At(130, 12), normal.At(130, 12)) << "the dragged thumb is another picture";
  slider.model.dragging = false;

  EnableWindow(slider, FALSE);
  Capture disabled = Snap(slider);
  EXPECT_NE(disabled.At(60, 12), active);
  EXPECT_NE(disabled.At(200, 12), rest);
  EXPECT_NE(disabled.At(130, 12), normal.At(130, 12));
  EnableWindow(slider, TRUE);

  slider.showFocus = true;
  SetFocus(slider);
  EXPECT_TRUE(slider.focused);
  Capture focused = Snap(slider);
  RECT edge = focused.BoundsOfOther(bg, {0, 0, 100, 1});
  EXPECT_FALSE(IsRectEmpty(&edge)) << "focus rectangle along the top edge";
  SetFocus(host);
  EXPECT_FALSE(slider.focused);
}

TEST_F(UiInputs, SliderDragPostsMovingThenChangedWithIdAndPosition) {
  CBitmapSlider slider;
  ASSERT_TRUE(slider.Create(host, kSliderId, 10, 10, 260, 24));
  slider.LoadImages();
  slider.SetRange(0, 100);
  slider.SetPos(50);
  host.notes.clear();
  // Thumb centre at 130; a press 5 pixels right keeps the offset: nothing moves yet.
  SendMessageW(slider, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(135, 12));
  EXPECT_EQ(GetCapture(), slider.hwnd());
  EXPECT_EQ(GetFocus(), slider.hwnd());
  EXPECT_TRUE(Take(WM_APP_SLIDER_MOVING).empty());
  SendMessageW(slider, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(1000, 12));
  SendMessageW(slider, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(1100, 12));  // still at the end: quiet
  auto moving = Take(WM_APP_SLIDER_MOVING);
  ASSERT_EQ(moving.size(), 1u);
  EXPECT_EQ(moving[0].wParam, static_cast<WPARAM>(kSliderId));
  EXPECT_EQ(moving[0].lParam, 100);
  SendMessageW(slider, WM_LBUTTONUP, 0, MAKELPARAM(1100, 12));
  auto changed = Take(WM_APP_SLIDER_CHANGED);
  ASSERT_EQ(changed.size(), 1u);
  EXPECT_EQ(changed[0].lParam, 100);
  EXPECT_EQ(GetCapture(), nullptr);
  // A press beside the thumb jumps its centre to the pointer.
  SendMessageW(slider, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(12, 12));
  moving = Take(WM_APP_SLIDER_MOVING);
  ASSERT_EQ(moving.size(), 1u);
  EXPECT_EQ(moving[0].lParam, 0);
  // Cancellation ends the drag like a release.
  SendMessageW(slider, WM_CANCELMODE, 0, 0);
  changed = Take(WM_APP_SLIDER_CHANGED);
  ASSERT_EQ(changed.size(), 1u);
  EXPECT_FALSE(slider.model.dragging);
  // Moves without a drag do nothing.
  SendMessageW(slider, WM_MOUSEMOVE, 0, MAKELPARAM(200, 12));
  EXPECT_TRUE(Take(WM_APP_SLIDER_MOVING).empty());
  EXPECT_EQ(slider.GetPos(), 0);
}

TEST_F(UiInputs, SliderKeysPostChangedEvenAtTheEnds) {
  CBitmapSlider slider;
  ASSERT_TRUE(slider.Create(host, kSliderId, 10, 10, 260, 24));
  slider.LoadImages();
  slider.SetRange(0, 100);
  slider.SetPos(0);
  host.notes.clear();
  struct Case {
    WPARAM key;
    int pos;
  } cases[] = {{VK_HOME, 0}, {VK_NEXT, 20}, {VK_RIGHT, 21}, {VK_UP, 20}, {VK_END, 100}, {VK_DOWN, 100}, {VK_PRIOR, 80}};
  for (const Case& c : cases) {
    SendMessageW(slider, WM_KEYDOWN, c.key, 0);
    auto changed = Take(WM_APP_SLIDER_CHANGED);
    ASSERT_EQ(changed.size(), 1u) << c.key;
    EXPECT_EQ(changed[0].wParam, static_cast<WPARAM>(kSliderId));
    EXPECT_EQ(changed[0].lParam, c.pos) << c.key;
  }
  SendMessageW(slider, WM_KEYDOWN, 'A', 0);
  EXPECT_TRUE(Take(WM_APP_SLIDER_CHANGED).empty());
  EXPECT_EQ(SendMessageW(slider, WM_GETDLGCODE, 0, 0), DLGC_WANTALLKEYS);
  slider.SetPos(150);
  EXPECT_EQ(slider.GetPos(), 100);
  slider.SetPos(-5);
  EXPECT_EQ(slider.GetPos(), 0);
  EXPECT_TRUE(Take(WM_APP_SLIDER_CHANGED).empty()) << "SetPos posts nothing";
}

TEST_F(UiInputs, EditLineIsCentredInsideTheRoundedFrame) {
  CCustEdit edit;
  ASSERT_TRUE(edit.Create(host, 2002, 20, 100, 60, 30));
  SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(host.font()), TRUE);
  edit.frameColour = Theme()[23];
  SetWindowTextW(edit, L"50");
  HDC dc = GetDC(edit);
  HGDIOBJ old = SelectObject(dc, host.font());
  RECT calc{0, 0, 0, 0};
  DrawTextW(dc, L"XX", 2, &calc, DT_CALCRECT);
  SelectObject(dc, old);
  ReleaseDC(edit, dc);
  const int textHeight = calc.bottom;
  const int edge = GetSystemMetrics(SM_CXEDGE);  // the sunken client edge
  const int defaultHeight = 30 - 2 * edge;
  const int inset = (defaultHeight - textHeight) / 2;
  RECT client{};
  GetClientRect(edit, &client);
  EXPECT_EQ(client.bottom, defaultHeight - 2 * inset) << "the client area is the line";
  EXPECT_EQ(client.right, 60 - 2 * edge - 4) << "2 more pixels each side";
  EXPECT_EQ(edit.bandAbove.top, edge);
  EXPECT_EQ(edit.bandAbove.bottom, edge + inset);
  EXPECT_EQ(edit.bandBelow.top, edge + inset + textHeight);
  EXPECT_EQ(edit.bandBelow.bottom, 30 - edge);
  // Placement survives later frame calculations (a resize, a font change).
  SetWindowPos(edit, nullptr, 0, 0, 60, 30, SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
  SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(host.font()), TRUE);
  GetClientRect(edit, &client);
  EXPECT_EQ(client.bottom, defaultHeight - 2 * inset);

  RedrawWindow(edit, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  Capture cap = uitest::SnapWindowFromScreen(edit);
  EXPECT_EQ(cap.At(0, 15), Theme()[2]) << "left side of the rounded outline " << uitest::Hex(cap.At(0, 15));
  EXPECT_EQ(cap.At(30, 29), Theme()[2]) << "bottom of the outline " << uitest::Hex(cap.At(30, 29));
  EXPECT_EQ(cap.At(0, 0), Theme()[23]) << "outside the rounded corner: the page colour " << uitest::Hex(cap.At(0, 0));
  EXPECT_EQ(cap.At(30, edge + inset - 1), GetSysColor(COLOR_WINDOW)) << "band above the line";
}

TEST_F(UiInputs, TextFieldNotifiesSynchronouslyOnlyOnAChange) {
  CCustTextField field;
  ASSERT_TRUE(field.Create(host, 2003, 20, 150, 300, 28));
  EXPECT_FALSE(field.HasClearButton());
  size_t before = host.notes.size();
  field.SetText(L"C:\\Videos\\sea.mp4");
  // Sent, not posted: the parent has heard before SetText returns.
  ASSERT_EQ(host.notes.size(), before + 1);
  EXPECT_EQ(host.notes.back().message, WM_APP_TEXT_FIELD_CHANGED);
  EXPECT_EQ(host.notes.back().wParam, 0u);
  EXPECT_EQ(host.notes.back().lParam, reinterpret_cast<LPARAM>(field.hwnd()));
  ASSERT_TRUE(field.HasClearButton());
  HWND clear = GetDlgItem(field, 101);
  ASSERT_EQ(clear, field.clearButton.hwnd());
  RECT r{};
  GetWindowRect(clear, &r);
  MapWindowPoints(nullptr, field, reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, 300 - 24);
  EXPECT_EQ(r.top, 2);
  EXPECT_EQ(r.right, 300);
  EXPECT_EQ(r.bottom, 26);
  EXPECT_TRUE(GetWindowLongW(clear, GWL_STYLE) & WS_TABSTOP);

  field.SetText(L"C:\\Videos\\sea.mp4");
  EXPECT_EQ(host.notes.size(), before + 1) << "the same text sends nothing";
  EXPECT_EQ(GetDlgItem(field, 101), clear) << "and keeps the button";

  // Focus given to the field goes on to its clear button.
  SetFocus(field);
  EXPECT_EQ(GetFocus(), clear);

  // Clicking the clear button empties the field, removes the button and tells the parent.
  SendMessageW(clear, BM_CLICK, 0, 0);
  EXPECT_EQ(field.GetText(), L"");
  EXPECT_FALSE(field.HasClearButton());
  EXPECT_FALSE(IsWindow(clear));
  ASSERT_EQ(host.notes.size(), before + 2);
  EXPECT_EQ(host.notes.back().message, WM_APP_TEXT_FIELD_CHANGED);

  // Without text, the focus stays on the field; the button comes back with a new text.
  SetFocus(field);
  EXPECT_EQ(GetFocus(), field.hwnd());
  field.SetText(L"D:\\b.avi");
  EXPECT_TRUE(field.HasClearButton());
  field.SetText(L"");
  EXPECT_FALSE(field.HasClearButton());
  EXPECT_EQ(host.notes.size(), before + 4);
}

TEST_F(UiInputs, TextFieldPaintsFacePlaceholderAndText) {
  CCustTextField field;
  ASSERT_TRUE(field.Create(host, 2004, 20, 200, 300, 28));
  const COLORREF white = RGB(255, 255, 255);
  const RECT textBox{8, 4, 292, 24};
  // Empty with an empty placeholder: only the face.
  Capture empty = Snap(field);
  EXPECT_EQ(empty.BoundsOfOther(white, textBox).right, 0) << "nothing written";
  EXPECT_EQ(empty.At(150, 1), white);
  EXPECT_EQ(empty.At(299, 14), white) << "square right end";
  EXPECT_EQ(empty.At(0, 0), Theme()[23]) << "rounded left corner shows the background";
  // The placeholder in colour 19.
  field.placeholder = L"Select a video";
  Capture placeholder = Snap(field);
  EXPECT_TRUE(placeholder.Any(Theme()[19], textBox));
  // The path in black, shortened in the middle, clear of the button.
  field.SetText(L"C:\\A very long folder name\\that goes on\\and on and on\\until it cannot fit\\sea.mp4");
  Capture text = Snap(field);
  EXPECT_FALSE(text.Any(Theme()[19], textBox));
  RECT written = text.BoundsOfOther(white, {8, 4, 276, 24});
  EXPECT_FALSE(IsRectEmpty(&written));
  EXPECT_LE(written.right, 300 - 24 - 4) << "stops 4 pixels left of the clear button";
  EXPECT_TRUE(text.Any(RGB(0, 0, 0), textBox));
}

TEST_F(UiInputs, ComboBoxFaceArrowBoxPerState) {
  CCustComboBox combo;
  ASSERT_TRUE(combo.Create(host, 2005, 20, 250, 200, 30, 200));
  RECT window{};
  GetWindowRect(combo, &window);
  EXPECT_EQ(window.bottom - window.top, 30) << "the closed control is the face height";
  ASSERT_TRUE(combo.AddItemText(L"Cover", 172));
  ASSERT_TRUE(combo.AddItemText(L"Contain", 0));
  SendMessageW(combo, CB_SETCURSEL, 1, 0);
  RECT client{};
  GetClientRect(combo, &client);
  const int W = client.right, H = client.bottom;
  const int arrowLeft = W - H + 1;
  const ThemeTable& t = Theme();
  struct Case {
    const char* name;
    bool hover, disabled;
    COLORREF arrow;
  } cases[] = {{"normal", false, false, t[2]}, {"hover", true, false, t[3]}, {"disabled", false, true, t[4]}};
  for (const Case& c : cases) {
    combo.hover = c.hover;
    EnableWindow(combo, !c.disabled);
    Capture cap = Snap(combo);
    EXPECT_EQ(cap.At(arrowLeft + 2, 3), c.arrow) << c.name << " " << uitest::Hex(cap.At(arrowLeft + 2, 3));
    EXPECT_EQ(cap.At(W - 1, H / 2), t[23]) << c.name << ": the last column is background";
    EXPECT_EQ(cap.At(3, H / 2), RGB(255, 255, 255)) << c.name << ": text area";
    RECT chevron = cap.BoundsOfOther(c.arrow, {arrowLeft + 1, 1, W - 3, H - 3});
    EXPECT_FALSE(IsRectEmpty(&chevron)) << c.name << ": chevron drawn";
    EXPECT_TRUE(cap.Any(RGB(0, 0, 0), {4, 4, arrowLeft - 4, H - 4})) << c.name << ": selected item's text";
  }
  EnableWindow(combo, TRUE);
  combo.hover = false;
}

TEST_F(UiInputs, ComboBoxDrawsOpenListItemsItself) {
  CCustComboBox combo;
  ASSERT_TRUE(combo.Create(host, 2006, 300, 250, 200, 30, 200));
  ASSERT_TRUE(combo.AddItemText(L"Cover", 0));
  ASSERT_TRUE(combo.AddItemText(L"Contain", 0));
  ASSERT_TRUE(combo.AddItemText(L"Stretch", 0));
  EXPECT_FALSE(combo.AddItem(59999, 0)) << "missing string";
  EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 3);
  const int itemHeight = ScaleForWindow(combo, 30);
  EXPECT_EQ(SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0), itemHeight);
  SendMessageW(combo, CB_SETCURSEL, 1, 0);
  SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
  uitest::Pump();
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetComboBoxInfo(combo, &info));
  ASSERT_TRUE(IsWindowVisible(info.hwndList));
  Capture list = Snap(info.hwndList);
  const COLORREF white = RGB(255, 255, 255);
  EXPECT_EQ(list.At(list.width - 6, itemHeight / 2), white) << "item 0";
  EXPECT_EQ(list.At(list.width - 6, itemHeight + itemHeight / 2), Theme()[2]) << "highlighted item 1";
  EXPECT_TRUE(list.Any(white, {4, itemHeight + 4, list.width - 4, 2 * itemHeight - 4})) << "its text in the fill colour";
  EXPECT_TRUE(list.Any(RGB(0, 0, 0), {4, 2 * itemHeight + 4, list.width - 4, 3 * itemHeight - 4}))
      << "other items' text in the text colour";
  SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
  uitest::Pump();
}

TEST_F(UiInputs, InputControlsNeverEraseAndCopyOnce) {
  CBitmapSlider slider;
  CCustTextField field;
  CCustComboBox combo;
  ASSERT_TRUE(slider.Create(host, 2007, 10, 400, 200, 24));
  slider.LoadImages();
  ASSERT_TRUE(field.Create(host, 2008, 10, 440, 200, 28));
  ASSERT_TRUE(combo.Create(host, 2009, 10, 480, 200, 30, 100));
  UpdateWindow(host);
  uitest::Pump();
  for (HWND control : {slider.hwnd(), field.hwnd(), combo.hwnd()}) uitest::ExpectPaintsWithoutErasingInOneCopy(control);
}

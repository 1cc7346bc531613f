// Custom button, Browse button, check box and switch: painting in each state, clicks and
// their notifications, hover tracking, and painting without flicker.
#include <windows.h>
#include <gtest/gtest.h>

#include "UiFixture.h"
#include "UiTestKit.h"
#include "base/Dpi_win.h"
#include "ui/CCustButton_win.h"
#include "ui/CCustCheckBox_win.h"
#include "ui/CSwitch_win.h"

using uitest::Capture;
using uitest::Inside;
using uitest::Snap;

namespace {

bool SameRect(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }
// Text pixels: anything in the area that is not the face colour.
RECT TextBounds(const Capture& cap, COLORREF face, RECT area) { return cap.BoundsOfOther(face, area); }

class UiButtons : public uitest::HostTest {};

}  // namespace

TEST_F(UiButtons, TextButtonFaceAndTextPerState) {
  CCustButton button;
  ASSERT_TRUE(button.Create(host, 1001, L"Apply", 10, 10, 120, 30));
  const ThemeTable& t = Theme();
  struct Case {
    const char* name;
    bool hover, pressed, disabled;
    COLORREF face;
  } cases[] = {
      {"normal", false, false, false, t[2]},
      {"hover", true, false, false, t[3]},
      {"pressed", false, true, false, t[2]},
      {"disabled", false, false, true, t[4]},
      {"disabled under the mouse", true, false, true, t[4]},
  };
  RECT normalText{};
  for (const Case& c : cases) {
    button.hover = c.hover;
    SendMessageW(button, BM_SETSTATE, c.pressed, 0);
    EnableWindow(button, !c.disabled);
    Capture cap = Snap(button);
    EXPECT_EQ(cap.At(6, 15), c.face) << c.name << " " << uitest::Hex(cap.At(6, 15));
    EXPECT_EQ(cap.At(113, 15), c.face) << c.name;
    RECT text = TextBounds(cap, c.face, {6, 4, 114, 27});
    EXPECT_FALSE(IsRectEmpty(&text)) << c.name << ": the text is drawn";
    EXPECT_TRUE(cap.Any(t[1], text)) << c.name << ": text colour 1";
    if (!c.hover && !c.pressed && !c.disabled) normalText = text;
    if (c.pressed) {
      EXPECT_EQ(text.top, normalText.top + 1) << "held down, the text moves one pixel down";
      EXPECT_EQ(text.left, normalText.left);
    }
  }
  // Centred without a picture.
  int centre = (normalText.left + normalText.right) / 2;
  EXPECT_NEAR(centre, 60, 2);
  SendMessageW(button, BM_SETSTATE, FALSE, 0);
  // Both text colours are colour 1 by default; set apart, each state draws with its own.
  button.hover = false;
  button.textColour = RGB(250, 250, 0);
  button.disabledTextColour = RGB(0, 250, 250);
  for (bool enabled : {true, false}) {
    EnableWindow(button, enabled);
    Capture cap = Snap(button);
    RECT text = TextBounds(cap, enabled ? t[2] : t[4], {6, 4, 114, 27});
    const COLORREF own = enabled ? button.textColour : button.disabledTextColour;
    const COLORREF other = enabled ? button.disabledTextColour : button.textColour;
    EXPECT_TRUE(cap.Any(own, text)) << (enabled ? "enabled" : "disabled") << ": its own text colour";
    EXPECT_FALSE(cap.Any(other, text)) << (enabled ? "enabled" : "disabled") << ": the other state's text colour";
  }
  EnableWindow(button, TRUE);
}

TEST_F(UiButtons, TextAfterAPictureStartsAfterTheMargins) {
  CCustButton button;
  ASSERT_TRUE(button.Create(host, 1002, L"Apply", 10, 50, 160, 30));
  ASSERT_TRUE(button.SetImages(204, 0));
  button.imageWidth = button.imageHeight = 16;
  Capture cap = Snap(button);
  const COLORREF face = Theme()[2];
  RECT picture = cap.BoundsOfOther(face, {4, 4, 26, 27});
  EXPECT_TRUE(Inside(picture, {6, 7, 22, 23})) << picture.left << "," << picture.top << " " << picture.right << "," << picture.bottom;
  RECT text = TextBounds(cap, face, {24, 4, 156, 27});
  EXPECT_GE(text.left, 6 + 16 + 6);
  EXPECT_LE(text.left, 6 + 16 + 6 + 3) << "left-aligned right after the picture";
}

TEST_F(UiButtons, PictureOnlyButtonIsCentredAndDropsWhenPressed) {
  CCustButton button;
  ASSERT_TRUE(button.Create(host, 1003, L"", 10, 90, 40, 24));
  button.imageOnly = true;
  button.imageWidth = button.imageHeight = 16;
  ASSERT_TRUE(button.SetImages(221, 222));
  const COLORREF background = Theme()[23];
  struct Case {
    bool pressed;
    RECT box;
  } cases[] = {{false, {12, 4, 28, 20}}, {true, {12, 5, 28, 21}}};
  for (const Case& c : cases) {
    SendMessageW(button, BM_SETSTATE, c.pressed, 0);
    Capture cap = Snap(button);
    RECT drawn = cap.BoundsOfOther(background, {0, 0, 40, 24});
    EXPECT_FALSE(IsRectEmpty(&drawn));
    EXPECT_TRUE(Inside(drawn, c.box)) << "pressed " << c.pressed << ": " << drawn.left << "," << drawn.top << " "
                                      << drawn.right << "," << drawn.bottom;
    EXPECT_EQ(cap.At(0, 0), background);
    EXPECT_EQ(cap.At(39, 23), background);
  }
  SendMessageW(button, BM_SETSTATE, FALSE, 0);
  // The hover background fills the whole control while the mouse is over it.
  button.hoverBackgroundColour = Theme()[22];
  button.hover = true;
  Capture hovered = Snap(button);
  EXPECT_EQ(hovered.At(0, 0), Theme()[22]);
}

TEST_F(UiButtons, SetImagesKeepsTheHoverPictureWhenAskedFor0) {
  CCustButton button;
  ASSERT_TRUE(button.SetImages(221, 222));
  Gdiplus::Bitmap* hoverBitmap = button.hoverImage.Bitmap();
  ASSERT_NE(hoverBitmap, nullptr);
  EXPECT_TRUE(button.SetImages(143, 0));
  EXPECT_EQ(button.hoverImage.Bitmap(), hoverBitmap) << "hover picture 222 stays";
  EXPECT_TRUE(button.normalImage.IsLoaded());
  EXPECT_FALSE(button.SetImages(59999, 222)) << "a missing picture reports failure";
  EXPECT_FALSE(button.normalImage.IsLoaded());
  EXPECT_EQ(button.hoverImage.Bitmap(), hoverBitmap) << "the hover id is not tried after a failure";
}

TEST_F(UiButtons, BrowseButtonFaceHasNoDisabledLook) {
  CBrowseButton browse;
  ASSERT_TRUE(browse.Create(host, 1004, L"Browse", 10, 130, 80, 28));
  const ThemeTable& t = Theme();
  struct Case {
    bool hover, disabled;
    COLORREF face;
  } cases[] = {{false, false, t[2]}, {true, false, t[3]}, {false, true, t[2]}};
  for (const Case& c : cases) {
    browse.hover = c.hover;
    EnableWindow(browse, !c.disabled);
    Capture cap = Snap(browse);
    EXPECT_EQ(cap.At(3, 14), c.face) << uitest::Hex(cap.At(3, 14));
    EXPECT_EQ(cap.At(2, 2), c.face) << "square top-left corner";
    RECT text = TextBounds(cap, c.face, {4, 4, 76, 24});
    EXPECT_TRUE(cap.Any(t[1], text));
  }
  EnableWindow(browse, TRUE);
}

TEST_F(UiButtons, CheckBoxDrawsItsBoxAndLabel) {
  CCustCheckBox box;
  ASSERT_TRUE(box.Create(host, 1005, L"Start with Windows", 10, 170, 200, 24));
  box.backgroundColour = Theme()[23];
  for (bool checked : {false, true}) {
    box.SetChecked(checked);
    Capture cap = Snap(box);
    RECT drawn = cap.BoundsOfOther(Theme()[23], {0, 0, 22, 24});
    EXPECT_FALSE(IsRectEmpty(&drawn)) << checked;
    EXPECT_TRUE(Inside(drawn, {2, 2, 18, 18})) << checked;
    // The checked picture is a filled square; the unchecked one is only a border.
    EXPECT_EQ(cap.At(6, 10) == Theme()[23], !checked) << checked << " " << uitest::Hex(cap.At(6, 10));
    EXPECT_TRUE(cap.Any(RGB(255, 255, 255), {24, 2, 198, 22})) << "white label";
    EXPECT_EQ(cap.At(199, 23), Theme()[23]);
  }
}

TEST_F(UiButtons, CheckBoxAndSwitchToggleBeforeTheParentHearsTheClick) {
  CCustCheckBox box;
  CSwitch sw;
  ASSERT_TRUE(box.Create(host, 1006, L"Mute", 10, 200, 120, 24));
  ASSERT_TRUE(sw.Create(host, 1007, L"", 140, 200, 60, 40));
  std::vector<std::pair<int, bool>> seen;
  host.onCommand = [&](WPARAM wParam, LPARAM) {
    if (HIWORD(wParam) != BN_CLICKED) return;
    int id = LOWORD(wParam);
    seen.push_back({id, id == 1006 ? box.IsChecked() : sw.IsOn()});
  };
  SendMessageW(sw, BM_CLICK, 0, 0);
  SendMessageW(box, BM_CLICK, 0, 0);
  SendMessageW(sw, BM_CLICK, 0, 0);
  // A fast second click (reported as a double click) is a click too.
  SendMessageW(box, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(box, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  // Released outside the control: no click, no toggle.
  SendMessageW(sw, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(sw, WM_LBUTTONUP, 0, MAKELPARAM(500, 5));
  // The space bar clicks too.
  SetFocus(sw);
  SendMessageW(sw, WM_KEYDOWN, VK_SPACE, 0);
  SendMessageW(sw, WM_KEYUP, VK_SPACE, 0);
  host.onCommand = nullptr;
  std::vector<std::pair<int, bool>> expected = {{1007, true}, {1006, true}, {1007, false}, {1006, false}, {1007, true}};
  EXPECT_EQ(seen, expected);
  // Setting the state from the page sends nothing.
  size_t notes = host.notes.size();
  sw.SetOn(false);
  box.SetChecked(true);
  EXPECT_EQ(host.notes.size(), notes);
}

TEST_F(UiButtons, SwitchPictureIsAQuarterOfItsScaledSizeAndCentred) {
  CSwitch sw;
  ASSERT_TRUE(sw.Create(host, 1008, L"", 10, 250, 60, 40));
  ASSERT_TRUE(sw.onImage.IsLoaded());
  const int dpi = static_cast<int>(WindowDpi(sw));
  for (bool on : {false, true}) {
    sw.SetOn(on);
    const PngImage& picture = on ? sw.onImage : sw.offImage;
    int w = MulDiv(picture.Width(), dpi, 96) / 4;
    int h = MulDiv(picture.Height(), dpi, 96) / 4;
    RECT expected{30 - w / 2, 20 - h / 2, 30 - w / 2 + w, 20 - h / 2 + h};
    EXPECT_TRUE(SameRect(sw.PictureBox(), expected)) << on;
    Capture cap = Snap(sw);
    RECT drawn = cap.BoundsOfOther(Theme()[23], {0, 0, 60, 40});
    EXPECT_FALSE(IsRectEmpty(&drawn)) << on;
    EXPECT_TRUE(Inside(drawn, expected)) << on << ": " << drawn.left << "," << drawn.top << " " << drawn.right << ","
                                        << drawn.bottom;
  }
}

TEST_F(UiButtons, HoverFollowsTheMouseAndEndsWhenItLeaves) {
  CCustButton button;
  ASSERT_TRUE(button.Create(host, 1009, L"Hover", 100, 300, 100, 30));
  uitest::MoveCursorTo(button, 10, 10);
  SendMessageW(button, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
  EXPECT_TRUE(button.hover);
  TRACKMOUSEEVENT query{};
  query.cbSize = sizeof query;
  query.dwFlags = TME_QUERY;
  TrackMouseEvent(&query);
  EXPECT_EQ(query.hwndTrack, button.hwnd());
  EXPECT_TRUE(query.dwFlags & TME_LEAVE);
  // The system tells the button the mouse left only because the button asked.
  uitest::MoveCursorTo(host, 700, 550);
  EXPECT_TRUE(uitest::PumpUntil([&] { return !button.hover; })) << "WM_MOUSELEAVE never came";
  SendMessageW(button, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
  EXPECT_TRUE(button.hover);
  SendMessageW(button, WM_MOUSEMOVE, 0, MAKELPARAM(150, 10));  // captured moves outside
  EXPECT_FALSE(button.hover);
}

TEST_F(UiButtons, PaintingNeverErasesAndCopiesOnce) {
  CCustButton button;
  CBrowseButton browse;
  CCustCheckBox box;
  CSwitch sw;
  ASSERT_TRUE(button.Create(host, 1010, L"A", 10, 350, 80, 30));
  ASSERT_TRUE(browse.Create(host, 1011, L"B", 100, 350, 80, 30));
  ASSERT_TRUE(box.Create(host, 1012, L"C", 200, 350, 80, 30));
  ASSERT_TRUE(sw.Create(host, 1013, L"", 300, 350, 60, 40));
  UpdateWindow(host);
  uitest::Pump();
  for (HWND control : {button.hwnd(), browse.hwnd(), box.hwnd(), sw.hwnd()})
    uitest::ExpectPaintsWithoutErasingInOneCopy(control);
}

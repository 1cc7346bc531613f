// Button, check box and switch layout; DPI scaling; the colour table.
#include <gtest/gtest.h>

#include "ui/CBrowseButton.h"
#include "ui/CCustButton.h"
#include "ui/CCustCheckBox.h"
#include "ui/CSwitch.h"
#include "ui/Theme.h"

using ui::Rect;

TEST(UiScaling, MulDivRoundsLikeThePlatform) {
  struct Case {
    int number, numerator, denominator, expected;
  } cases[] = {
      {16, 96, 96, 16},   {16, 144, 96, 24}, {13, 144, 96, 20},  // 19.5 rounds up
      {6, 120, 96, 8},                                             // 7.5 rounds up
      {-3, 144, 96, -5},                                           // -4.5 rounds away from zero
      {98, 144, 96, 147}, {5, 7, 0, -1},     {0x7FFFFFFF, 4, 1, -1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ui::MulDiv(c.number, c.numerator, c.denominator), c.expected)
        << c.number << "*" << c.numerator << "/" << c.denominator;
  EXPECT_EQ(ui::ScaleDpi(16, 144), 24);
}

TEST(UiTheme, TableHoldsTheDarkLookAndItsDuplicatesStaySeparate) {
  const auto& t = ui::ThemeColours();
  EXPECT_EQ(t[2], 0xFF7B0Du);   // #0D7BFF as 0x00BBGGRR
  EXPECT_EQ(t[23], ui::Rgb(23, 24, 32));
  EXPECT_EQ(t[25], ui::Rgb(30, 32, 43));
  EXPECT_EQ(t[19], ui::Rgb(113, 123, 139));
  EXPECT_EQ(t[7], ui::Rgb(185, 4, 0));
  EXPECT_EQ(t[33], ui::Rgb(30, 32, 43));
  // Equal values at different indices.
  for (auto [a, b] : {std::pair{0, 27}, {0, 28}, {2, 29}, {8, 12}, {10, 32}, {21, 25}, {21, 33}, {22, 24}})
    EXPECT_EQ(t[a], t[b]) << a << " vs " << b;
  EXPECT_NE(t[23], t[24]);
  EXPECT_EQ(ui::ToArgb(ui::Rgb(13, 123, 255)), 0xFF0D7BFFu);
}

TEST(UiCustButton, PictureAndTextPlacement) {
  struct Case {
    const char* name;
    ui::ButtonLayoutInput in;
    bool face;
    bool picture;
    Rect pictureBox;
    Rect textBox;
    bool centred;
  } cases[] = {
      {"image only 16x16 in 40x24", {{0, 0, 40, 24}, true, true, 16, 16, 6, false}, false, true, {12, 4, 28, 20}, {}, true},
      {"image only held down", {{0, 0, 40, 24}, true, true, 16, 16, 6, true}, false, true, {12, 5, 28, 21}, {}, true},
      {"image only, odd sizes truncate", {{0, 0, 41, 25}, true, true, 15, 15, 6, false}, false, true, {13, 5, 28, 20}, {}, true},
      {"image only without a size fills the height", {{0, 0, 40, 24}, true, true, 0, 0, 6, false}, false, true, {0, 0, 24, 24}, {}, true},
      {"image only, picture missing", {{0, 0, 40, 24}, true, false, 16, 16, 6, false}, false, false, {12, 4, 28, 20}, {}, true},
      {"text after picture", {{0, 0, 120, 30}, false, true, 16, 16, 6, false}, true, true, {6, 7, 22, 23}, {28, 4, 116, 26}, false},
      {"text after picture, pressed", {{0, 0, 120, 30}, false, true, 18, 18, 6, true}, true, true, {6, 7, 24, 25}, {30, 5, 116, 27}, false},
      {"text without picture is centred", {{0, 0, 120, 30}, false, false, 16, 16, 6, false}, true, false, {}, {4, 4, 116, 26}, true},
      {"text without picture, pressed", {{0, 0, 120, 30}, false, false, 16, 16, 6, true}, true, false, {}, {4, 5, 116, 27}, true},
  };
  for (const Case& c : cases) {
    ui::ButtonLayout out = ui::LayOutButton(c.in);
    EXPECT_EQ(out.drawFace, c.face) << c.name;
    EXPECT_EQ(out.drawPicture, c.picture) << c.name;
    if (c.picture) {
      EXPECT_EQ(out.pictureBox, c.pictureBox) << c.name;
    }
    if (c.face) {
      EXPECT_EQ(out.textBox, c.textBox) << c.name;
      EXPECT_EQ(out.centreText, c.centred) << c.name;
    }
  }
}

TEST(UiCustButton, FaceColourPrefersDisabledThenHover) {
  EXPECT_EQ(ui::ButtonFaceColour(false, true, 1, 2, 3), 3u);
  EXPECT_EQ(ui::ButtonFaceColour(true, true, 1, 2, 3), 2u);
  EXPECT_EQ(ui::ButtonFaceColour(true, false, 1, 2, 3), 1u);
}

TEST(UiBrowseButton, FaceIsSquareLeftRoundRightAndEmptyWithoutArea) {
  ui::Path p = ui::BrowseFacePath(0, 0, 71, 25);
  ASSERT_EQ(p.steps.size(), 5u);
  EXPECT_TRUE(p.closed);
  EXPECT_EQ(p.steps[0], ui::PathStep::Line(0, 24, 0, 0));
  EXPECT_EQ(p.steps[2], ui::PathStep::Arc(64, 0, 6, 6, 270, 90));
  EXPECT_EQ(p.steps[4], ui::PathStep::Arc(64, 18, 6, 6, 0, 90));
  EXPECT_TRUE(ui::BrowseFacePath(0, 0, 1, 25).Empty());
  EXPECT_TRUE(ui::BrowseFacePath(0, 0, 40, 1).Empty());
  EXPECT_EQ(ui::BrowseTextBox({0, 0, 70, 24}, true), (Rect{4, 5, 66, 21}));
}

TEST(UiCheckBox, BoxAndLabelScaleWithDpi) {
  struct Case {
    int dpi;
    Rect box, text;
  } cases[] = {
      {96, {2, 2, 18, 18}, {24, 2, 198, 22}},
      {144, {2, 2, 26, 26}, {35, 2, 198, 22}},  // side 24, gap 9
  };
  for (const Case& c : cases) {
    ui::CheckBoxLayout l = ui::LayOutCheckBox({0, 0, 200, 24}, 16, c.dpi);
    EXPECT_EQ(l.box, c.box) << c.dpi;
    EXPECT_EQ(l.textBox, c.text) << c.dpi;
  }
}

TEST(UiSwitch, PictureSizeAndCentring) {
  struct Case {
    int picW, picH, dpi, divisor;
    Rect client, expected;
  } cases[] = {
      {124, 84, 144, 4, {0, 0, 60, 40}, {7, 5, 53, 36}},   // 46 x 31 at 144 DPI
      {124, 84, 96, 4, {0, 0, 60, 40}, {15, 10, 46, 31}},  // 31 x 21
      {124, 76, 96, 4, {0, 0, 60, 40}, {15, 11, 46, 30}},  // off picture 31 x 19
      {124, 84, 96, 0, {0, 0, 200, 100}, {38, 8, 162, 92}},  // divisor below 1 counts as 1
  };
  for (const Case& c : cases)
    EXPECT_EQ(ui::SwitchPictureBox(c.client, c.picW, c.picH, c.dpi, c.divisor), c.expected)
        << c.picW << "x" << c.picH << " at " << c.dpi << " / " << c.divisor;
}

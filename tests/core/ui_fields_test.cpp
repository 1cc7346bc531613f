// Value edit line placement, path field layout and clear-button rule, combo box geometry,
// and the rounded-rectangle path every face is filled with.
#include <gtest/gtest.h>

#include "ui/CCustComboBox.h"
#include "ui/CCustEdit.h"
#include "ui/CCustTextField.h"
#include "ui/FillRoundRect.h"

using ui::PathStep;
using ui::Rect;

TEST(UiRoundRect, PathRunsClockwiseWithQuarterArcs) {
  ui::Path p = ui::RoundRectPath(10, 20, 101, 31, 3);  // w 100, h 30, d 6
  std::vector<PathStep> expected = {
      PathStep::Line(13, 20, 104, 20),  PathStep::Arc(104, 20, 6, 6, 270, 90),
      PathStep::Line(110, 23, 110, 44), PathStep::Arc(104, 44, 6, 6, 0, 90),
      PathStep::Line(104, 50, 13, 50),  PathStep::Arc(10, 44, 6, 6, 90, 90),
      PathStep::Line(10, 44, 10, 23),   PathStep::Arc(10, 20, 6, 6, 180, 90),
  };
  EXPECT_TRUE(p.closed);
  EXPECT_EQ(p.steps, expected);
}

TEST(UiRoundRect, DegenerateRectanglesAndRadii) {
  EXPECT_TRUE(ui::RoundRectPath(0, 0, 1, 30, 3).Empty());
  EXPECT_TRUE(ui::RoundRectPath(0, 0, 30, 0, 3).Empty());
  ui::Path square = ui::RoundRectPath(0, 0, 11, 11, 0);
  ASSERT_EQ(square.steps.size(), 4u);
  for (const PathStep& s : square.steps) EXPECT_EQ(s.kind, PathStep::Kind::Line);
}

TEST(UiCustEdit, LineIsCentredInTheProposedClientArea) {
  struct Case {
    const char* name;
    int windowW, windowH;
    Rect proposed;
    int textH;
    int inset;
    Rect above, below, client;
  } cases[] = {
      {"border 1, room to centre", 50, 24, {1, 1, 49, 23}, 14, 4, {1, 1, 49, 5}, {1, 19, 49, 23}, {3, 5, 47, 19}},
      {"odd spare pixel goes below", 50, 25, {1, 1, 49, 24}, 14, 4, {1, 1, 49, 5}, {1, 19, 49, 24}, {3, 5, 47, 20}},
      {"text taller than the client", 50, 12, {1, 1, 49, 11}, 14, 0, {1, 1, 49, 1}, {1, 15, 49, 11}, {3, 1, 47, 11}},
      {"screen coordinates", 60, 30, {300, 200, 358, 228}, 16, 6, {1, 1, 59, 7}, {1, 23, 59, 29}, {302, 206, 356, 222}},
  };
  for (const Case& c : cases) {
    ui::EditPlacement p = ui::PlaceEditLine(c.windowW, c.windowH, c.proposed, c.textH);
    EXPECT_EQ(p.inset, c.inset) << c.name;
    EXPECT_EQ(p.bandAbove, c.above) << c.name;
    EXPECT_EQ(p.bandBelow, c.below) << c.name;
    EXPECT_EQ(p.client, c.client) << c.name;
  }
}

TEST(UiCustEdit, FrameArcsShrinkForTinyWindows) {
  ui::Path p = ui::EditFramePath(0, 0, 50, 24);
  ASSERT_EQ(p.steps.size(), 4u);
  EXPECT_EQ(p.steps[1], PathStep::Arc(43, 0, 6, 6, 270, 90));
  EXPECT_EQ(p.steps[2], PathStep::Arc(43, 17, 6, 6, 0, 90));
  ui::Path tiny = ui::EditFramePath(0, 0, 5, 24);
  ASSERT_EQ(tiny.steps.size(), 0u) << "no room for two arcs of size 5";
  EXPECT_EQ(ui::EditFramePath(1, 1, 49, 23).steps[0], PathStep::Arc(1, 1, 6, 6, 180, 90));
}

TEST(UiTextField, ClearButtonAndTextBox) {
  EXPECT_EQ(ui::ClearButtonRect(200, 24), (Rect{180, 2, 200, 22}));
  EXPECT_EQ(ui::TextFieldTextBox(200, 24, true, true), (Rect{8, 4, 176, 20}));
  EXPECT_EQ(ui::TextFieldTextBox(200, 24, true, false), (Rect{8, 4, 192, 20}));
  EXPECT_EQ(ui::TextFieldTextBox(200, 24, false, true), (Rect{8, 4, 192, 20})) << "placeholder ignores the button";
}

TEST(UiTextField, SetTextDecidesButtonAndNotification) {
  struct Case {
    const wchar_t* from;
    const wchar_t* to;
    bool buttonExists;
    bool changed, create, destroy;
  } cases[] = {
      {L"", L"C:\\v.mp4", false, true, true, false},
      {L"C:\\v.mp4", L"C:\\w.mp4", true, true, false, false},
      {L"C:\\v.mp4", L"", true, true, false, true},
      {L"C:\\v.mp4", L"C:\\v.mp4", true, false, false, false},
      {L"", L"", false, false, false, false},
      {L"C:\\v.mp4", L"c:\\v.mp4", true, true, false, false},  // exact comparison
  };
  for (const Case& c : cases) {
    ui::TextFieldChange ch = ui::DecideTextChange(c.from, c.to, c.buttonExists);
    EXPECT_EQ(ch.changed, c.changed) << c.to;
    EXPECT_EQ(ch.createButton, c.create) << c.to;
    EXPECT_EQ(ch.destroyButton, c.destroy) << c.to;
  }
}

TEST(UiTextField, FaceHasRoundLeftAndSquareRightCorners) {
  ui::Path p = ui::TextFieldFacePath(0, 0, 200, 25);
  ASSERT_EQ(p.steps.size(), 6u);
  EXPECT_EQ(p.steps[1], PathStep::Line(200, 3, 200, 24));
  EXPECT_EQ(p.steps[3], PathStep::Arc(0, 18, 6, 6, 90, 90));
  EXPECT_TRUE(ui::TextFieldFacePath(0, 0, 200, 1).Empty());
}

TEST(UiComboBox, FaceSplitsIntoTextAreaAndArrowBox) {
  ui::ComboFaceLayout l = ui::LayOutComboFace({0, 0, 150, 30});
  EXPECT_EQ(l.arrowBox, (Rect{121, 0, 149, 29}));
  EXPECT_EQ(l.textArea, (Rect{0, 0, 123, 30}));
  EXPECT_EQ(ui::ComboArrowPictureBox(l.arrowBox, 96), (Rect{131, 10, 139, 18}));
  EXPECT_EQ(ui::ComboArrowPictureBox(l.arrowBox, 144), (Rect{129, 8, 141, 20}));
  EXPECT_TRUE(ui::ComboArrowPath(0, 0, 0, 29).Empty());
  EXPECT_EQ(ui::ComboArrowPath(121, 0, 28, 29).steps[2], PathStep::Arc(145, 0, 4, 4, 270, 90));
}

TEST(UiComboBox, ArrowColourFollowsState) {
  EXPECT_EQ(ui::ComboArrowColourIndex(false, true, true), 4);
  EXPECT_EQ(ui::ComboArrowColourIndex(true, true, false), 3);
  EXPECT_EQ(ui::ComboArrowColourIndex(true, false, true), 3);
  EXPECT_EQ(ui::ComboArrowColourIndex(true, false, false), 2);
}

TEST(UiComboBox, ItemPictureScalesToTheItemHeight) {
  struct Case {
    const char* name;
    Rect item;
    int picW, picH;
    bool drawn;
    Rect picture;
    int textLeft;
  } cases[] = {
      {"72 high in a 30 item is drawn 22 high", {0, 0, 200, 30}, 72, 72, true, {4, 4, 26, 26}, 28},
      {"wide picture keeps its proportion", {0, 30, 200, 60}, 144, 72, true, {4, 34, 56, 56}, 58},
      {"a picture that fits keeps its size less the margins", {0, 0, 200, 30}, 24, 24, true, {4, 7, 20, 23}, 22},
      {"no picture: text from the 4-pixel margin", {0, 0, 200, 30}, 0, 0, false, {}, 4},
  };
  for (const Case& c : cases) {
    ui::ComboItemLayout l = ui::LayOutComboItem(c.item, c.picW, c.picH);
    EXPECT_EQ(l.drawPicture, c.drawn) << c.name;
    if (c.drawn) {
      EXPECT_EQ(l.pictureBox, c.picture) << c.name;
      EXPECT_EQ(l.pictureBox.Height(), c.picture.Height()) << c.name;
    }
    EXPECT_EQ(l.textBox.left, c.textLeft) << c.name;
  }
}

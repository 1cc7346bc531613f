// Picture slider: thumb placement, dragging with a grab offset, clamping and the key table.
#include <gtest/gtest.h>

#include "ui/CBitmapSlider.h"

namespace {

ui::SliderModel Slider(int channel = 200, int thumb = 20, int left = 0, int right = 0) {
  ui::SliderModel s;
  s.channelWidth = channel;
  s.thumbWidth = thumb;
  s.leftMargin = left;
  s.rightMargin = right;
  s.SetRange(0, 100);
  return s;
}

}  // namespace

TEST(UiSlider, ThumbAndActiveChannelFollowTheValue) {
  struct Case {
    int channel, thumb, left, right, pos, thumbLeft, activeEnd;
  } cases[] = {
      {200, 20, 0, 0, 50, 90, 100},  {200, 20, 0, 0, 0, 0, 10},    {200, 20, 0, 0, 100, 180, 190},
      {200, 20, 5, 7, 50, 89, 99},   // track 168: 5 + 84
      {200, 20, 0, 0, 33, 59, 69},   // 180 * 0.33 = 59.4 truncates
      {10, 20, 0, 0, 50, -5, 5},     // channel narrower than the thumb
  };
  for (const Case& c : cases) {
    ui::SliderModel s = Slider(c.channel, c.thumb, c.left, c.right);
    s.SetPos(c.pos);
    EXPECT_EQ(s.ThumbLeft(), c.thumbLeft) << c.pos;
    EXPECT_EQ(s.ThumbCentre(), c.activeEnd) << c.pos;
  }
}

TEST(UiSlider, SetPosClampsToTheRange) {
  ui::SliderModel s = Slider();
  for (auto [in, out] : {std::pair{150, 100}, {-5, 0}, {100, 100}, {0, 0}, {42, 42}}) {
    s.SetPos(in);
    EXPECT_EQ(s.pos, out) << in;
  }
}

TEST(UiSlider, PressNearTheThumbKeepsTheGrabOffset) {
  ui::SliderModel s = Slider();
  s.SetPos(50);                    // thumb 90..110, centre 100
  EXPECT_FALSE(s.Press(105));      // 5 right of the centre: no jump, nothing posted
  EXPECT_TRUE(s.dragging);
  EXPECT_EQ(s.dragOffset, 5);
  EXPECT_EQ(s.pos, 50);
  EXPECT_TRUE(s.Move(123));        // centre follows to 118
  EXPECT_EQ(s.ThumbCentre(), 118);
  EXPECT_EQ(s.pos, 60);
}

TEST(UiSlider, PressBesideTheThumbJumpsItsCentreToThePointer) {
  ui::SliderModel s = Slider();
  s.SetPos(50);
  EXPECT_TRUE(s.Press(130));  // 30 away with a thumb of 20
  EXPECT_EQ(s.dragOffset, 0);
  EXPECT_EQ(s.pos, 66);       // (130 - 10) / 180 * 100 = 66.6
  EXPECT_EQ(s.ThumbCentre(), 128);
  s.Release();
  // Exactly half a thumb away still counts as on the thumb.
  EXPECT_FALSE(s.Press(s.ThumbCentre() + 10));
  EXPECT_EQ(s.dragOffset, 10);
}

TEST(UiSlider, DragPastTheEndsClampsAndThenStaysQuiet) {
  struct Case {
    int thumb;
    int farX;
    int expected;
  } cases[] = {{20, 500, 100}, {21, 500, 100}, {20, -300, 0}, {21, -300, 0}};
  for (const Case& c : cases) {
    ui::SliderModel s = Slider(200, c.thumb);
    s.SetPos(50);
    s.Press(s.ThumbCentre());
    EXPECT_TRUE(s.Move(c.farX)) << c.thumb;
    EXPECT_EQ(s.pos, c.expected) << c.thumb;
    EXPECT_FALSE(s.Move(c.farX + (c.farX > 0 ? 40 : -40))) << "further moves post nothing, thumb " << c.thumb;
    EXPECT_FALSE(s.Move(c.farX)) << c.thumb;
  }
}

TEST(UiSlider, MovesWithoutDraggingAndZeroTrackAreHarmless) {
  ui::SliderModel s = Slider();
  EXPECT_FALSE(s.Move(150));
  EXPECT_EQ(s.pos, 0);
  ui::SliderModel flat = Slider(20, 20);  // track length 0
  flat.SetRange(10, 20);
  flat.SetPos(15);
  flat.Press(0);
  EXPECT_EQ(flat.pos, 15);  // the thumb cannot move: nothing changes
  EXPECT_TRUE(flat.Release());
  EXPECT_FALSE(flat.Release());
}

TEST(UiSlider, KeyTableClampsAndAlwaysReports) {
  struct Case {
    ui::SliderKey key;
    int from, to;
  } cases[] = {
      {ui::SliderKey::PageUp, 50, 30},   {ui::SliderKey::PageDown, 50, 70}, {ui::SliderKey::PageUp, 10, 0},
      {ui::SliderKey::PageDown, 95, 100}, {ui::SliderKey::End, 3, 100},     {ui::SliderKey::Home, 0, 0},
      {ui::SliderKey::Home, 77, 0},      {ui::SliderKey::Left, 50, 49},     {ui::SliderKey::Up, 50, 49},
      {ui::SliderKey::Right, 50, 51},    {ui::SliderKey::Down, 100, 100},   {ui::SliderKey::Left, 0, 0},
  };
  for (const Case& c : cases) {
    ui::SliderModel s = Slider();
    s.SetPos(c.from);
    EXPECT_TRUE(s.Key(c.key)) << static_cast<int>(c.key) << " from " << c.from;
    EXPECT_EQ(s.pos, c.to) << static_cast<int>(c.key) << " from " << c.from;
  }
  ui::SliderModel s = Slider();
  s.SetPos(40);
  EXPECT_FALSE(s.Key(ui::SliderKey::Other));
  EXPECT_EQ(s.pos, 40);
}

TEST(UiSlider, PictureScaleFactorIsSinglePrecisionThenTruncated) {
  // A 520 x 16 channel in a 260-pixel-wide control becomes 260 x 8.
  float f = ui::SliderScaleFactor(260, 520);
  ui::ScaledSize channel = ui::ScaleBy(520, 16, f);
  EXPECT_EQ(channel.width, 260);
  EXPECT_EQ(channel.height, 8);
  // A 64 x 64 thumb in a 25-pixel-high control.
  ui::ScaledSize thumb = ui::ScaleBy(64, 64, ui::SliderScaleFactor(25, 64));
  EXPECT_EQ(thumb.width, 25);
  // 60 x 60 dragged thumb with the same factor: 23.4375 truncates to 23.
  EXPECT_EQ(ui::ScaleBy(60, 60, ui::SliderScaleFactor(25, 64)).width, 23);
  // 1/3 is not exact in single precision: 300 * 0.33333334f in double is 100.0000...2 -> 100.
  EXPECT_EQ(ui::ScaleBy(300, 3, ui::SliderScaleFactor(100, 300)).width, 100);
  EXPECT_EQ(ui::SliderScaleFactor(10, 0), 0.0f);
}

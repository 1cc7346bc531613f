// Tab strip layout, look and input; task list items; picture control placement.
#include <gtest/gtest.h>

#include "ui/CCustTabCtrl.h"
#include "ui/CPictureControl.h"
#include "ui/CTaskList.h"

using ui::Rect;

TEST(UiTabs, RectanglesWithAndWithoutLastTabRight) {
  struct Case {
    const char* name;
    int width, dpi, count;
    bool lastRight;
    std::vector<Rect> rects;
  } cases[] = {
      {"three tabs at 96 DPI", 400, 96, 3, false, {{8, 0, 106, 30}, {112, 0, 210, 30}, {216, 0, 314, 30}}},
      {"last tab right", 400, 96, 3, true, {{8, 0, 106, 30}, {112, 0, 210, 30}, {294, 0, 392, 30}}},
      {"144 DPI", 600, 144, 2, false, {{12, 0, 159, 30}, {168, 0, 315, 30}}},
      {"a single right-hand tab", 400, 96, 1, true, {{294, 0, 392, 30}}},
      {"no tabs", 400, 96, 0, true, {}},
  };
  for (const Case& c : cases) {
    auto tabs = ui::LayOutTabs(c.width, 30, c.count, 98, c.dpi, c.lastRight);
    ASSERT_EQ(tabs.size(), c.rects.size()) << c.name;
    for (size_t i = 0; i < tabs.size(); ++i) {
      EXPECT_EQ(tabs[i].rect, c.rects[i]) << c.name << " tab " << i;
      EXPECT_EQ(tabs[i].placedRight, c.lastRight && i + 1 == tabs.size()) << c.name << " tab " << i;
    }
  }
}

TEST(UiTabs, LookPerState) {
  struct Case {
    bool selected, hot, right;
    int fill, outline;
    bool outlined, reachesBase;
  } cases[] = {
      {false, false, false, 24, 2, false, false}, {true, false, false, 23, 2, true, true},
      {false, true, false, 23, 2, true, false},   {false, false, true, 8, 8, false, false},
      {true, false, true, 7, 8, true, true},      {false, true, true, 7, 8, true, false},
  };
  for (const Case& c : cases) {
    ui::TabLook look = ui::LookOfTab(c.selected, c.hot, c.right);
    EXPECT_EQ(look.fillIndex, c.fill) << c.selected << c.hot << c.right;
    EXPECT_EQ(look.outlineIndex, c.outline) << c.selected << c.hot << c.right;
    EXPECT_EQ(look.outlined, c.outlined) << c.selected << c.hot << c.right;
    EXPECT_EQ(look.reachesBase, c.reachesBase) << c.selected << c.hot << c.right;
  }
  EXPECT_EQ(ui::TabBaseLineIndex(true, 2, 3), 8);
  EXPECT_EQ(ui::TabBaseLineIndex(true, 1, 3), 2);
  EXPECT_EQ(ui::TabBaseLineIndex(false, 2, 3), 2);
}

TEST(UiTabs, ClicksAndArrowKeys) {
  auto tabs = ui::LayOutTabs(400, 30, 3, 98, 96, false);
  EXPECT_EQ(ui::TabAt(tabs, 8, 0), 0);
  EXPECT_EQ(ui::TabAt(tabs, 106, 10), -1) << "right edge is outside, the gap belongs to no tab";
  EXPECT_EQ(ui::TabAt(tabs, 313, 29), 2);
  EXPECT_EQ(ui::TabAt(tabs, 313, 30), -1);

  EXPECT_EQ(ui::TabAfterClick(1, 1), -1) << "clicking the selected tab posts nothing";
  EXPECT_EQ(ui::TabAfterClick(1, 2), 2);
  EXPECT_EQ(ui::TabAfterClick(1, -1), -1);

  struct Case {
    int selected;
    ui::TabKey key;
    int to;
  } cases[] = {
      {2, ui::TabKey::Right, -1}, {0, ui::TabKey::Left, -1}, {0, ui::TabKey::Right, 1},
      {2, ui::TabKey::Left, 1},   {-1, ui::TabKey::Right, 0}, {-1, ui::TabKey::Left, -1},
      {1, ui::TabKey::Other, -1},
  };
  for (const Case& c : cases) EXPECT_EQ(ui::TabAfterKey(c.selected, 3, c.key), c.to) << c.selected;
}

TEST(UiTabs, IconMovesTheText) {
  ui::TabContent with = ui::LayOutTabContent({8, 0, 106, 30}, 13, 13, 96);
  EXPECT_TRUE(with.drawIcon);
  EXPECT_EQ(with.iconBox, (Rect{18, 8, 31, 21}));
  EXPECT_EQ(with.textBox, (Rect{23, 0, 106, 30}));
  ui::TabContent at144 = ui::LayOutTabContent({12, 0, 159, 45}, 20, 20, 144);
  EXPECT_EQ(at144.iconBox, (Rect{27, 12, 47, 32}));
  EXPECT_EQ(at144.textBox.left, 35);
  ui::TabContent without = ui::LayOutTabContent({8, 0, 106, 30}, 0, 0, 96);
  EXPECT_FALSE(without.drawIcon);
  EXPECT_EQ(without.textBox, (Rect{8, 0, 106, 30}));
}

TEST(UiTaskList, HighlightAndItemLayout) {
  EXPECT_EQ(ui::TaskHighlightIndex(true, true), 3);
  EXPECT_EQ(ui::TaskHighlightIndex(false, true), 22);
  EXPECT_EQ(ui::TaskHighlightIndex(true, false), 2);
  EXPECT_EQ(ui::TaskHighlightIndex(false, false), -1);
  ui::TaskItemLayout l96 = ui::LayOutTaskItem({0, 30, 180, 60}, 16, 96);
  EXPECT_EQ(l96.iconBox, (Rect{8, 37, 24, 53}));
  EXPECT_EQ(l96.textBox, (Rect{30, 32, 178, 58}));
  ui::TaskItemLayout l144 = ui::LayOutTaskItem({0, 0, 270, 45}, 16, 144);
  EXPECT_EQ(l144.iconBox, (Rect{8, 10, 32, 34}));
  EXPECT_EQ(l144.textBox.left, 44);
}

TEST(UiPictureControl, CentringFillingAndOffsets) {
  struct Case {
    const char* name;
    int cw, ch, ox, oy, pw, ph, dw, dh;
    bool drawn;
    Rect box;
  } cases[] = {
      {"16x16 in 20x20 at (2, 2)", 20, 20, 0, 0, 64, 64, 16, 16, true, {2, 2, 18, 18}},
      {"no draw size fills the client", 20, 20, 0, 0, 64, 64, 0, 0, true, {0, 0, 20, 20}},
      {"odd client truncates", 21, 21, 0, 0, 64, 64, 16, 16, true, {2, 2, 18, 18}},
      {"picture rectangle outside the client", 20, 20, 30, 0, 64, 64, 16, 16, false, {}},
      {"offset that still overlaps", 20, 20, 19, 19, 64, 64, 0, 0, true, {0, 0, 20, 20}},
      {"empty client", 0, 0, 0, 0, 64, 64, 16, 16, false, {}},
  };
  for (const Case& c : cases) {
    Rect box;
    EXPECT_EQ(ui::PictureControlBox(c.cw, c.ch, c.ox, c.oy, c.pw, c.ph, c.dw, c.dh, &box), c.drawn) << c.name;
    if (c.drawn) {
      EXPECT_EQ(box, c.box) << c.name;
    }
  }
}

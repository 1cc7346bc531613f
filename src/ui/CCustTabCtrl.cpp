// Tab strip geometry and input rules.
#include "ui/CCustTabCtrl.h"

namespace ui {

std::vector<TabPlace> LayOutTabs(int width, int height, int count, int tabWidthDesign, int dpi, bool lastTabRight) {
  std::vector<TabPlace> tabs;
  const int tw = ScaleDpi(tabWidthDesign, dpi);
  const int margin = ScaleDpi(8, dpi);
  const int gap = ScaleDpi(6, dpi);
  int x = margin;
  for (int i = 0; i < count; ++i) {
    TabPlace place;
    if (lastTabRight && i == count - 1) {
      place.rect = {width - margin - tw, 0, width - margin, height};
      place.placedRight = true;
    } else {
      place.rect = {x, 0, x + tw, height};
      x += tw + gap;
    }
    tabs.push_back(place);
  }
  return tabs;
}

TabLook LookOfTab(bool selected, bool hot, bool placedRight) {
  TabLook look;
  const bool active = selected || hot;
  look.outlineIndex = placedRight ? 8 : 2;
  if (placedRight)
    look.fillIndex = active ? 7 : 8;
  else
    look.fillIndex = active ? 23 : 24;
  look.outlined = active;
  look.reachesBase = selected;
  return look;
}

int TabBaseLineIndex(bool lastTabRight, int selected, int count) {
  return lastTabRight && count > 0 && selected == count - 1 ? 8 : 2;
}

Path TabShapePath(int x, int y, int w, int h) {
  Path path;
  path.closed = false;
  path.steps = {
      PathStep::Line(x, y + h, x, y + 3),
      PathStep::Arc(x, y, 6, 6, 180, 90),
      PathStep::Line(x + 3, y, x + w - 6, y),
      PathStep::Arc(x + w - 6, y, 6, 6, 270, 90),
      PathStep::Line(x + w, y + 3, x + w, y + h),
  };
  return path;
}

int TabAt(const std::vector<TabPlace>& tabs, int x, int y) {
  for (std::size_t i = 0; i < tabs.size(); ++i)
    if (tabs[i].rect.Contains(x, y)) return static_cast<int>(i);
  return -1;
}

int TabAfterKey(int selected, int count, TabKey key) {
  if (key == TabKey::Right && selected < count - 1) return selected + 1;
  if (key == TabKey::Left && selected > 0) return selected - 1;
  return -1;
}

int TabAfterClick(int selected, int hit) { return hit >= 0 && hit != selected ? hit : -1; }

TabContent LayOutTabContent(const Rect& tab, int iconWidth, int iconHeight, int dpi) {
  TabContent out;
  out.textBox = tab;
  if (iconWidth > 0 && iconHeight > 0) {
    out.drawIcon = true;
    int left = tab.left + ScaleDpi(10, dpi);
    int top = tab.top + (tab.Height() - iconHeight) / 2;
    out.iconBox = {left, top, left + iconWidth, top + iconHeight};
    out.textBox.left += iconWidth + ScaleDpi(2, dpi);
  }
  return out;
}

}  // namespace ui

// Tab strip rules: tab rectangles, their colours and shape, hit testing and the arrow keys.
#pragma once
#include <vector>

#include "ui/UiGeometry.h"

namespace ui {

struct TabPlace {
  Rect rect;
  bool placedRight = false;
};

// Tabs of tabWidthDesign design pixels from an 8-pixel margin with 6-pixel gaps (scaled);
// with lastTabRight the last tab stands at the right end of the strip.
std::vector<TabPlace> LayOutTabs(int width, int height, int count, int tabWidthDesign, int dpi, bool lastTabRight);

struct TabLook {
  int fillIndex = 24;     // theme colour of the fill
  int outlineIndex = 2;   // theme colour of the outline
  bool outlined = false;  // only selected or hot tabs are outlined
  bool reachesBase = false;  // the selected tab reaches the base line; the others stop 2 pixels above
};
TabLook LookOfTab(bool selected, bool hot, bool placedRight);

// Base line colour: theme colour 8 when the right-hand tab is selected, else 2.
int TabBaseLineIndex(bool lastTabRight, int selected, int count);

// The open tab outline over (x, y, w, h') with rounded top corners.
Path TabShapePath(int x, int y, int w, int h);

// The first tab whose rectangle holds the point, or -1.
int TabAt(const std::vector<TabPlace>& tabs, int x, int y);

enum class TabKey { Left, Right, Other };
// The tab an arrow key moves to, or -1 when the key passes on to the default handling.
int TabAfterKey(int selected, int count, TabKey key);
// The tab a click selects (a notification is due), or -1 (nothing happens).
int TabAfterClick(int selected, int hit);

struct TabContent {
  bool drawIcon = false;
  Rect iconBox;
  Rect textBox;
};
// iconWidth/Height: the size to draw (0 when there is no icon).
TabContent LayOutTabContent(const Rect& tab, int iconWidth, int iconHeight, int dpi);

}  // namespace ui

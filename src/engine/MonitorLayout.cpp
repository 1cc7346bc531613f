// The monitor list's geometry.
#include "engine/MonitorLayout.h"

namespace monitor_layout {

unsigned TitleStringId(int monitorCount) {
  if (monitorCount <= 0) return 132;
  if (monitorCount == 1) return 137;
  return 138;
}

int32_t BandHeight(int dpi) { return base::MulDiv(24, dpi, 96); }
int32_t BoxGap(int dpi) { return base::MulDiv(8, dpi, 96); }
int32_t CircleDiameter(int dpi) { return base::MulDiv(26, dpi, 96); }

void LayoutBoxes(MonitorArray& monitors, int32_t clientWidth, int32_t clientHeight, int dpi) {
  if (monitors.empty()) return;
  int32_t bandTop = BandHeight(dpi);
  int32_t bandBottom = clientHeight - BandHeight(dpi);
  int32_t bandHeight = bandBottom - bandTop;
  int32_t gap = BoxGap(dpi);
  int32_t x = 0;
  for (auto& m : monitors) {
    int32_t w = m->displayRect.Width(), h = m->displayRect.Height();
    if (h <= 0 || w <= 0) continue;
    int32_t width = static_cast<int32_t>(static_cast<int64_t>(bandHeight) * w / h);
    m->itemRect = {x, bandTop, x + width, bandBottom};
    x += width + gap;
  }
  int32_t start = clientWidth / 2 - x / 2;
  for (auto& m : monitors) {
    int32_t width = m->itemRect.Width();
    m->itemRect.left = start;
    m->itemRect.right = start + width;
    start += width + gap;
  }
}

MonitorRect CircleRect(const MonitorRect& item, int dpi) {
  int32_t d = CircleDiameter(dpi);
  int32_t left = item.left + item.Width() / 2 - d / 2;
  int32_t top = item.top + item.Height() / 2 - d / 2;
  return {left, top, left + d, top + d};
}

int HitTest(const MonitorArray& monitors, int32_t x, int32_t y) {
  for (size_t i = 0; i < monitors.size(); ++i)
    if (monitors[i]->itemRect.Contains(x, y)) return static_cast<int>(i);
  return -1;
}

}  // namespace monitor_layout

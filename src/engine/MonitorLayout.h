// The monitor list's geometry: the title text for a monitor count, the row of proportional
// boxes (one per monitor, centred, scaled to the screen's DPI) and which box a click hits.
#pragma once
#include <cstdint>

#include "engine/Monitor.h"

namespace monitor_layout {

// String id of the list's title: 132 for none, 137 for one, 138 ("%d Monitors detected").
unsigned TitleStringId(int monitorCount);

// Height of the title band and of the band under the boxes (24 design pixels).
int32_t BandHeight(int dpi);
// Gap between boxes (8 design pixels) and the label circle's diameter (26 design pixels).
int32_t BoxGap(int dpi);
int32_t CircleDiameter(int dpi);

// Lays the boxes out for a client area of width x height: sets each usable monitor's
// itemRect (a monitor without a usable display rectangle keeps its previous one).
void LayoutBoxes(MonitorArray& monitors, int32_t clientWidth, int32_t clientHeight, int dpi);
// The square holding a box's label circle.
MonitorRect CircleRect(const MonitorRect& item, int dpi);
// Index of the first monitor whose box contains the point, or -1.
int HitTest(const MonitorArray& monitors, int32_t x, int32_t y);

}  // namespace monitor_layout

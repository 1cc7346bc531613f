// Where the tray popup goes: centred above the cursor, with its bottom edge (where its
// pointer is) at the cursor, kept inside the cursor's monitor.
#pragma once
#include <cstdint>

#include "base/Geometry.h"

namespace app {

struct TrayPoint {
  int32_t x = 0;
  int32_t y = 0;
  friend bool operator==(const TrayPoint&, const TrayPoint&) = default;
};

// x = cursor x - width / 2, y = cursor y - height, then moved inside the monitor's rectangle:
// first no further left or up than its left and top edges, then no further right or down
// than its right and bottom edges (those win when the popup is larger than the monitor).
TrayPoint PlaceTrayPopup(TrayPoint cursor, int32_t width, int32_t height, const base::Rect& monitor);

}  // namespace app

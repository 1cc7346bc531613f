// The tray popup's placement arithmetic.
#include "app/TrayPlacement.h"

#include <algorithm>

namespace app {

TrayPoint PlaceTrayPopup(TrayPoint cursor, int32_t width, int32_t height, const base::Rect& monitor) {
  int32_t x = cursor.x - width / 2;
  int32_t y = cursor.y - height;
  x = std::max(x, monitor.left);
  x = std::min(x, monitor.right - width);
  y = std::max(y, monitor.top);
  y = std::min(y, monitor.bottom - height);
  return {x, y};
}

}  // namespace app

// Rectangles and the platform-exact MulDiv used for DPI scaling.
#include "ui/UiGeometry.h"

#include <cstdint>
#include <cstdlib>
#include <limits>

namespace ui {

bool Rect::Intersects(const Rect& other) const {
  return left < other.right && other.left < right && top < other.bottom && other.top < bottom &&
         Width() > 0 && Height() > 0 && other.Width() > 0 && other.Height() > 0;
}

int MulDiv(int number, int numerator, int denominator) {
  if (denominator == 0) return -1;
  std::int64_t product = static_cast<std::int64_t>(number) * numerator;
  bool negative = (product < 0) != (denominator < 0);
  std::int64_t p = std::llabs(product);
  std::int64_t d = std::llabs(static_cast<std::int64_t>(denominator));
  std::int64_t q = (p + d / 2) / d;
  if (negative) q = -q;
  if (q > std::numeric_limits<int>::max() || q < std::numeric_limits<int>::min()) return -1;
  return static_cast<int>(q);
}

}  // namespace ui

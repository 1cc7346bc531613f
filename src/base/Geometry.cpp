// Rectangles and the platform-exact MulDiv.
#include "base/Geometry.h"

#include <cstdlib>
#include <limits>

namespace base {

bool Rect::Intersects(const Rect& other) const {
  return left < other.right && other.left < right && top < other.bottom && other.top < bottom && !IsEmpty() &&
         !other.IsEmpty();
}

int32_t MulDiv(int32_t number, int32_t numerator, int32_t denominator) {
  if (denominator == 0) return -1;
  int64_t product = static_cast<int64_t>(number) * numerator;
  bool negative = (product < 0) != (denominator < 0);
  int64_t p = std::llabs(product);
  int64_t d = std::llabs(static_cast<int64_t>(denominator));
  int64_t q = (p + d / 2) / d;
  if (negative) q = -q;
  if (q > std::numeric_limits<int32_t>::max() || q < std::numeric_limits<int32_t>::min()) return -1;
  return static_cast<int32_t>(q);
}

}  // namespace base

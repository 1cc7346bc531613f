// The program's one rectangle type and the platform-exact MulDiv used for DPI scaling.
#pragma once
#include <cstdint>

namespace base {

// A rectangle with exclusive right and bottom edges, as the platform's RECT.
struct Rect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;

  int32_t Width() const { return right - left; }
  int32_t Height() const { return bottom - top; }
  // Empty as the platform counts it: no positive width or no positive height.
  bool IsEmpty() const { return right <= left || bottom <= top; }
  bool Contains(int32_t x, int32_t y) const { return x >= left && x < right && y >= top && y < bottom; }
  bool Intersects(const Rect& other) const;
  Rect Shrunk(int32_t dx, int32_t dy) const { return {left + dx, top + dy, right - dx, bottom - dy}; }
  Rect Moved(int32_t dx, int32_t dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
  friend bool operator==(const Rect&, const Rect&) = default;
};

// The platform's MulDiv: number * numerator / denominator in 64 bits, rounded half away
// from zero; -1 for a zero denominator or a result outside 32 bits.
int32_t MulDiv(int32_t number, int32_t numerator, int32_t denominator);

// Design pixels (96 DPI) to device pixels at dpi.
inline int32_t ScaleDpi(int32_t designPixels, int32_t dpi) { return MulDiv(designPixels, dpi, 96); }

}  // namespace base

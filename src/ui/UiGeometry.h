// Portable geometry shared by the owner-drawn controls: rectangles, DPI scaling and the
// outline paths (lines and arcs) that the Win32 half replays onto GDI+ paths.
#pragma once
#include <cstdint>
#include <vector>

namespace ui {

// A rectangle with exclusive right and bottom edges, as the platform's RECT.
struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
  bool Intersects(const Rect& other) const;
  Rect Shrunk(int dx, int dy) const { return {left + dx, top + dy, right - dx, bottom - dy}; }
  Rect Moved(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
  bool operator==(const Rect&) const = default;
};

// The platform's MulDiv: number * numerator / denominator in 64 bits, rounded half away
// from zero; -1 for a zero denominator or a result outside 32 bits.
int MulDiv(int number, int numerator, int denominator);

// Design pixels (96 DPI) to device pixels at dpi.
inline int ScaleDpi(int designPixels, int dpi) { return MulDiv(designPixels, dpi, 96); }

// One step of an outline: a line between two points, or an arc inside a box starting at
// startAngle degrees and sweeping sweepAngle degrees (clockwise, GDI+ convention).
struct PathStep {
  enum class Kind { Line, Arc };
  Kind kind = Kind::Line;
  int x = 0, y = 0;  // Line: start point.   Arc: box left-top.
  int a = 0, b = 0;  // Line: end point.     Arc: box width and height.
  float startAngle = 0;
  float sweepAngle = 0;

  static PathStep Line(int x1, int y1, int x2, int y2) { return {Kind::Line, x1, y1, x2, y2, 0, 0}; }
  static PathStep Arc(int x, int y, int w, int h, float start, float sweep) {
    return {Kind::Arc, x, y, w, h, start, sweep};
  }
  bool operator==(const PathStep&) const = default;
};

struct Path {
  std::vector<PathStep> steps;
  bool closed = false;
  bool Empty() const { return steps.empty(); }
};

}  // namespace ui

// Portable geometry shared by the owner-drawn controls: rectangles, DPI scaling and the
// outline paths (lines and arcs) that the Win32 half replays onto GDI+ paths.
#pragma once
#include <cstdint>
#include <vector>

#include "base/Geometry.h"

namespace ui {

using Rect = base::Rect;
using base::MulDiv;
using base::ScaleDpi;

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

// Rounded outlines: lines joined by quarter arcs, clockwise.
#include "ui/FillRoundRect.h"

#include <algorithm>

namespace ui {

Path RoundRectPath(int x, int y, int w, int h, int r) {
  Path path;
  w -= 1;
  h -= 1;
  if (w <= 0 || h <= 0) return path;
  path.closed = true;
  if (r <= 0) {
    // Square corners: GDI+ rejects arcs in an empty box.
    path.steps = {PathStep::Line(x, y, x + w, y), PathStep::Line(x + w, y, x + w, y + h),
                  PathStep::Line(x + w, y + h, x, y + h), PathStep::Line(x, y + h, x, y)};
    return path;
  }
  const int d = 2 * r;
  path.steps = {
      PathStep::Line(x + r, y, x + w - d, y),
      PathStep::Arc(x + w - d, y, d, d, 270, 90),
      PathStep::Line(x + w, y + r, x + w, y + h - d),
      PathStep::Arc(x + w - d, y + h - d, d, d, 0, 90),
      PathStep::Line(x + w - d, y + h, x + r, y + h),
      PathStep::Arc(x, y + h - d, d, d, 90, 90),
      PathStep::Line(x, y + h - d, x, y + r),
      PathStep::Arc(x, y, d, d, 180, 90),
  };
  return path;
}

Path RightRoundedPath(int x, int y, int w, int h, int d) {
  Path path;
  if (w <= 0 || h <= 0) return path;
  const int r = d / 2;
  path.closed = true;
  path.steps = {
      PathStep::Line(x, y + h, x, y),
      PathStep::Line(x + r, y, x + w - d, y),
      PathStep::Arc(x + w - d, y, d, d, 270, 90),
      PathStep::Line(x + w, y + r, x + w, y + h),
      PathStep::Arc(x + w - d, y + h - d, d, d, 0, 90),
  };
  return path;
}

}  // namespace ui

// Value edit box geometry. The inset is measured against the client rectangle the platform
// proposes, not the current one: once the line is placed the current client is already
// shrunk, and measuring against it would undo the placement on the next frame calculation.
#include "ui/CCustEdit.h"

#include <algorithm>

namespace ui {

EditPlacement PlaceEditLine(int windowWidth, int windowHeight, const Rect& defaultClient, int textHeight) {
  EditPlacement out;
  const int clientW = defaultClient.Width();
  const int clientH = defaultClient.Height();
  out.inset = textHeight > clientH ? 0 : (clientH - textHeight) / 2;
  const int borderW = (windowWidth - clientW) / 2;
  const int borderH = (windowHeight - clientH) / 2;
  out.bandAbove = {borderW, borderH, windowWidth - borderW, borderH + out.inset};
  out.bandBelow = {borderW, borderH + out.inset + textHeight, windowWidth - borderW, windowHeight - borderH};
  out.client = {defaultClient.left + 2, defaultClient.top + out.inset, defaultClient.right - 2,
                defaultClient.bottom - out.inset};
  return out;
}

Path EditFramePath(int left, int top, int right, int bottom) {
  Path path;
  int s = std::min({6, right, bottom});
  if (s <= 0 || right - left <= s || bottom - top <= s) return path;
  path.closed = true;
  path.steps = {
      PathStep::Arc(left, top, s, s, 180, 90),
      PathStep::Arc(right - s - 1, top, s, s, 270, 90),
      PathStep::Arc(right - s - 1, bottom - s - 1, s, s, 0, 90),
      PathStep::Arc(left, bottom - s - 1, s, s, 90, 90),
  };
  return path;
}

}  // namespace ui

// Cover arithmetic for the wallpaper picture: the size at which a video, kept in proportion,
// just covers a window, and the part of the video (normalized source rectangle) that shows
// when that cover is cropped to the window around an anchor.
#pragma once

namespace cover {

struct SourceRect {
  float left = 0.0f;
  float top = 0.0f;
  float right = 1.0f;
  float bottom = 1.0f;
};

// Size at which a video of videoWidth x videoHeight, kept in proportion, covers a window of
// windowWidth x windowHeight. Single-precision floats, each conversion to an integer
// truncated toward zero, as the renderer's sizes are computed elsewhere in the program.
// False (outputs untouched) when a side is not positive or the answer does not fit an int.
bool CoverSize(int windowWidth, int windowHeight, int videoWidth, int videoHeight, int* coverWidth, int* coverHeight);

// An anchor (horizontal or vertical crop position) is usable when it lies in 0.0 .. 1.0.
// NaN is out of range.
bool AnchorInRange(float anchor);

// Normalized source rectangle showing the window's part of a cover of coverWidth x
// coverHeight, anchored at x (0 left edge, 1 right edge) and y (0 top, 1 bottom). An axis
// on which the cover does not exceed the window keeps 0 .. 1. Sides must be positive.
SourceRect CoverSourceRect(int windowWidth, int windowHeight, int coverWidth, int coverHeight, float x, float y);

inline bool operator==(const SourceRect& a, const SourceRect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace cover

// Picture slider rules: the thumb's position for a value, the value for a dragged thumb, and
// the keyboard table.
#include "ui/CBitmapSlider.h"

#include <algorithm>
#include <cstdlib>

namespace ui {

void SliderModel::SetPos(int value) {
  if (value > max) value = max;
  if (value < min) value = min;
  pos = value;
}

int SliderModel::Offset(int value) const {
  if (max == min) return 0;
  return static_cast<int>(static_cast<double>(TrackLength()) * (value - min) / (max - min));
}

int SliderModel::ThumbLeft(int value) const { return leftMargin + Offset(value); }

bool SliderModel::Press(int x) {
  dragging = true;
  const int half = thumbWidth / 2;
  // Distance of the pointer from the thumb's centre.
  int c = x - half - (ThumbLeft() - leftMargin) - leftMargin;
  dragOffset = std::abs(c) <= half ? c : 0;
  return Move(x);
}

bool SliderModel::Move(int x) {
  if (!dragging) return false;
  const int m = thumbWidth / 2;
  const int track = TrackLength();
  int centre = x - dragOffset;
  // The thumb's centre stays between its places for min and max. (For an odd thumb width
  // the right end is m + left margin + track, one pixel left of channel width - m - right
  // margin; clamping there keeps a drag past the end from posting again and again.)
  centre = std::max(centre, leftMargin + m);
  centre = std::min(centre, leftMargin + m + std::max(track, 0));
  if (centre == ThumbCentre()) return false;
  int value = 0;
  if (track != 0) value = static_cast<int>(static_cast<double>(centre - m - leftMargin) / track * (max - min) + min);
  SetPos(value);
  return true;
}

bool SliderModel::Release() {
  bool was = dragging;
  dragging = false;
  return was;
}

bool SliderModel::Key(SliderKey key) {
  int value = pos;
  switch (key) {
    case SliderKey::PageUp: value = pos - page; break;
    case SliderKey::PageDown: value = pos + page; break;
    case SliderKey::End: value = max < min ? min : max; break;
    case SliderKey::Home: value = min; break;
    case SliderKey::Left:
    case SliderKey::Up: value = pos - 1; break;
    case SliderKey::Right:
    case SliderKey::Down: value = pos + 1; break;
    case SliderKey::Other: return false;
  }
  SetPos(value);
  return true;
}

float SliderScaleFactor(int targetExtent, int pictureExtent) {
  if (pictureExtent == 0) return 0.0f;
  return static_cast<float>(targetExtent) / static_cast<float>(pictureExtent);
}

ScaledSize ScaleBy(int width, int height, float factor) {
  double f = factor;
  return {static_cast<int>(width * f), static_cast<int>(height * f)};
}

}  // namespace ui

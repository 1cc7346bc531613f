// The picture slider's value, thumb geometry, dragging and keyboard rules, without windows.
#pragma once
#include "ui/UiGeometry.h"

namespace ui {

enum class SliderKey { PageUp, PageDown, End, Home, Left, Up, Right, Down, Other };

class SliderModel {
 public:
  int max = 100;
  int min = 0;
  int pos = 0;
  int page = 20;
  int channelWidth = 0;
  int channelHeight = 0;
  int thumbWidth = 0;
  int thumbHeight = 0;
  int leftMargin = 0;
  int rightMargin = 0;
  int thumbTop = 0;
  int dragOffset = 0;
  bool dragging = false;

  void SetRange(int newMin, int newMax) {
    min = newMin;
    max = newMax;
  }
  // Clamps to min..max (above max gives max, then below min gives min).
  void SetPos(int value);

  int TrackLength() const { return channelWidth - rightMargin - thumbWidth - leftMargin; }
  // Thumb's left edge for a value.
  int ThumbLeft(int value) const;
  int ThumbLeft() const { return ThumbLeft(pos); }
  // Thumb's centre for the current value; also where the active channel ends.
  int ThumbCentre() const { return thumbWidth / 2 + ThumbLeft(); }

  // Mouse press at x: starts dragging, keeps a grab offset when the press is on the thumb,
  // then moves as for a mouse move. Returns true when the move changed the thumb
  // (the control posts "moving").
  bool Press(int x);
  // Mouse move at x while dragging; true when the thumb moved ("moving" is posted).
  bool Move(int x);
  // Button up or cancellation: ends the drag. Returns whether a drag was in progress.
  bool Release();
  // A navigation key: true when the key is one of the slider's (the value is changed,
  // clamped, and "changed" is posted even when the value stayed); false for other keys.
  bool Key(SliderKey key);

 private:
  int Offset(int value) const;
};

// Size of a picture scaled by factor = target / source extent; the factor is computed in
// single precision and applied in double precision, truncating.
struct ScaledSize {
  int width = 0;
  int height = 0;
};
float SliderScaleFactor(int targetExtent, int pictureExtent);
ScaledSize ScaleBy(int width, int height, float factor);

}  // namespace ui

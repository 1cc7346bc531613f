// Cover size and cropped source rectangle of the wallpaper picture.
#include "engine/CoverGeometry.h"

namespace cover {

namespace {

// Truncates toward zero; false when the value is NaN or does not fit an int.
bool TruncToInt(float value, int* out) {
  if (!(value > -2147483648.0f && value < 2147483648.0f)) return false;
  *out = static_cast<int>(value);
  return true;
}

}  // namespace

bool CoverSize(int windowWidth, int windowHeight, int videoWidth, int videoHeight, int* coverWidth, int* coverHeight) {
  if (windowWidth <= 0 || windowHeight <= 0 || videoWidth <= 0 || videoHeight <= 0) return false;
  const float ratio = static_cast<float>(videoWidth) / static_cast<float>(videoHeight);
  const float fullHeightWidth = static_cast<float>(windowHeight) * ratio;
  const float fullWidthHeight = static_cast<float>(windowWidth) / ratio;
  int widthAtHeight = 0;
  int heightAtWidth = 0;
  if (!TruncToInt(fullHeightWidth, &widthAtHeight) || !TruncToInt(fullWidthHeight, &heightAtWidth)) {
    return false;
  }

  if (videoHeight < videoWidth && widthAtHeight >= windowWidth) {
    *coverWidth = widthAtHeight;
    *coverHeight = windowHeight;
  } else if (heightAtWidth >= windowHeight) {
    *coverWidth = windowWidth;
    *coverHeight = heightAtWidth;
  } else {
    *coverWidth = widthAtHeight;
    *coverHeight = windowHeight;
  }
  return true;
}

bool AnchorInRange(float anchor) { return anchor >= 0.0f && anchor <= 1.0f; }

SourceRect CoverSourceRect(int windowWidth, int windowHeight, int coverWidth, int coverHeight, float x, float y) {
  SourceRect rect;
  const float w = static_cast<float>(windowWidth);
  const float h = static_cast<float>(windowHeight);
  const float wc = static_cast<float>(coverWidth);
  const float hc = static_cast<float>(coverHeight);
  if (coverWidth > windowWidth) {
    const float m = h / hc * wc;
    rect.left = (m - w) * x / m;
    rect.right = w / m + rect.left;
  }
  if (coverHeight > windowHeight) {
    const float n = w / wc * hc;
    rect.top = (n - h) * y / n;
    rect.bottom = h / n + rect.top;
  }
  return rect;
}

}  // namespace cover

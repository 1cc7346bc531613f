// The player's video format choice: NV12 instead of the planar formats the renderer refuses,
// only when the stream offers it; everything else (compressed, RGB, NV12 itself) untouched.
#include <gtest/gtest.h>

#include "engine/VideoFormat.h"

using engine::FourCc;

TEST(VideoFormat, Nv12OnlyInPlaceOfARefusedPlanarFormatThatTheStreamCanChange) {
  const uint32_t i420 = FourCc('I', '4', '2', '0'), yv12 = FourCc('Y', 'V', '1', '2'), h264 = FourCc('H', '2', '6', '4');
  const uint32_t nv12 = engine::kFormatNv12, rgb32 = 22, yuy2 = FourCc('Y', 'U', 'Y', '2');
  struct Case {
    uint32_t current;
    std::vector<uint32_t> offered;
    bool prefers;
  } cases[] = {
      {i420, {i420, nv12, yuy2}, true},   // Wine's decoded H.264
      {yv12, {yv12, nv12}, true},
      {FourCc('I', 'Y', 'U', 'V'), {nv12}, true},
      {i420, {i420, yuy2}, false},        // no NV12 to choose
      {h264, {h264}, false},              // compressed (Windows): the decoder comes in between
      {h264, {h264, nv12}, false},
      {rgb32, {rgb32, nv12}, false},      // raw BGRA AVI: the renderer takes it
      {nv12, {nv12, i420}, false},
      {yuy2, {yuy2, nv12}, false},
  };
  for (const Case& c : cases) EXPECT_EQ(engine::PrefersNv12(c.current, c.offered), c.prefers) << engine::FormatName(c.current);
  EXPECT_EQ(engine::FormatName(i420), "I420");
  EXPECT_EQ(engine::FormatName(rgb32), "22");
}

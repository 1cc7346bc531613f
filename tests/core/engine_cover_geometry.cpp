// Cover size and cropped source rectangle of the wallpaper picture.
#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <limits>
#include <string>

#include "engine/CoverGeometry.h"

namespace {

struct CoverCase {
  const char* name;
  int windowWidth, windowHeight;
  int videoWidth, videoHeight;
  int coverWidth, coverHeight;
};

// Expected sizes follow single-precision arithmetic with truncation (1365.33 -> 1365, etc.).
const CoverCase kCoverCases[] = {
    {"pillarboxed 4:3 in 16:9 grows in height", 1920, 1080, 1440, 1080, 1920, 1440},
    {"wider landscape video grows in width", 1920, 1080, 2560, 1080, 2560, 1080},
    {"landscape video in portrait window", 1080, 1920, 1920, 1080, 3413, 1920},
    {"portrait video in landscape window", 1920, 1080, 1080, 1920, 1920, 3413},
    {"narrower portrait video in portrait window", 1080, 1920, 1080, 2400, 1080, 2400},
    {"wider portrait video in portrait window", 1080, 1920, 1080, 1350, 1536, 1920},
    {"equal proportions give the window", 1920, 1080, 1280, 720, 1920, 1080},
    {"1366x768 counts as 16:9 after truncation", 1366, 768, 1920, 1080, 1366, 768},
    {"16:9 in 5:4 window", 1280, 1024, 1920, 1080, 1820, 1024},
    {"16:9 across two monitors", 3840, 1080, 1920, 1080, 3840, 2160},
    {"square video in landscape window", 1920, 1080, 500, 500, 1920, 1920},
    {"square video in square window", 1000, 1000, 640, 640, 1000, 1000},
    {"small 4:3 clip scales up", 1600, 900, 320, 240, 1600, 1200},
};

class CoverSizeTable : public ::testing::TestWithParam<CoverCase> {};

TEST_P(CoverSizeTable, CoversWindowInProportion) {
  const CoverCase& c = GetParam();
  int width = -1, height = -1;
  ASSERT_TRUE(cover::CoverSize(c.windowWidth, c.windowHeight, c.videoWidth, c.videoHeight, &width, &height));
  EXPECT_EQ(width, c.coverWidth);
  EXPECT_EQ(height, c.coverHeight);
  // A cover never leaves part of the window empty.
  EXPECT_GE(width, c.windowWidth);
  EXPECT_GE(height, c.windowHeight);
}

INSTANTIATE_TEST_SUITE_P(Engine, CoverSizeTable, ::testing::ValuesIn(kCoverCases),
                         [](const ::testing::TestParamInfo<CoverCase>& info) {
                           std::string name;
                           for (const char* p = info.param.name; *p; ++p) {
                             name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                           }
                           return name;
                         });

TEST(EngineCoverSize, RefusesEmptySidesAndLeavesOutputs) {
  const int sizes[][4] = {{0, 1080, 1920, 1080}, {1920, 0, 1920, 1080},  {1920, 1080, 0, 1080},
                          {1920, 1080, 1920, 0}, {-5, 1080, 1920, 1080}, {1920, 1080, 1920, -1}};
  for (const auto& s : sizes) {
    int width = 7, height = 9;
    EXPECT_FALSE(cover::CoverSize(s[0], s[1], s[2], s[3], &width, &height))
        << s[0] << "x" << s[1] << " video " << s[2] << "x" << s[3];
    EXPECT_EQ(width, 7);
    EXPECT_EQ(height, 9);
  }
}

TEST(EngineCoverSize, RefusesAnAnswerThatDoesNotFitAnInt) {
  int width = 0, height = 0;
  // A 1-pixel-high strip of a huge width would need a cover far wider than an int.
  EXPECT_FALSE(cover::CoverSize(2000000000, 2000000000, 2000000000, 1, &width, &height));
}

struct RectCase {
  const char* name;
  int windowWidth, windowHeight, coverWidth, coverHeight;
  float x, y;
  cover::SourceRect expected;
};

const RectCase kRectCases[] = {
    // The cover is taller than the window: only y matters.
    {"taller cover, y centre", 1920, 1080, 1920, 1440, 0.5f, 0.5f, {0.0f, 0.125f, 1.0f, 0.875f}},
    {"taller cover, y top", 1920, 1080, 1920, 1440, 0.9f, 0.0f, {0.0f, 0.0f, 1.0f, 0.75f}},
    {"taller cover, y bottom", 1920, 1080, 1920, 1440, 0.1f, 1.0f, {0.0f, 0.25f, 1.0f, 1.0f}},
    // The cover is wider than the window: only x matters.
    {"wider cover, x left", 1920, 1080, 2560, 1080, 0.0f, 0.3f, {0.0f, 0.0f, 0.75f, 1.0f}},
    {"wider cover, x centre", 1920, 1080, 2560, 1080, 0.5f, 0.3f, {0.125f, 0.0f, 0.875f, 1.0f}},
    {"wider cover, x right", 1920, 1080, 2560, 1080, 1.0f, 0.3f, {0.25f, 0.0f, 1.0f, 1.0f}},
    {"portrait window, landscape video", 1080, 1920, 3413, 1920, 0.5f, 0.5f, {0.34178144f, 0.0f, 0.65821862f, 1.0f}},
    {"landscape window, portrait video", 1920, 1080, 1920, 3413, 0.5f, 0.25f, {0.0f, 0.17089072f, 1.0f, 0.48732787f}},
    // Equal proportions: nothing to crop whatever the anchor.
    {"equal proportions", 1920, 1080, 1920, 1080, 0.0f, 1.0f, {0.0f, 0.0f, 1.0f, 1.0f}},
};

class CoverSourceRectTable : public ::testing::TestWithParam<RectCase> {};

TEST_P(CoverSourceRectTable, CropsAroundAnchor) {
  const RectCase& c = GetParam();
  const cover::SourceRect r =
      cover::CoverSourceRect(c.windowWidth, c.windowHeight, c.coverWidth, c.coverHeight, c.x, c.y);
  EXPECT_FLOAT_EQ(r.left, c.expected.left);
  EXPECT_FLOAT_EQ(r.top, c.expected.top);
  EXPECT_FLOAT_EQ(r.right, c.expected.right);
  EXPECT_FLOAT_EQ(r.bottom, c.expected.bottom);
  // The visible part keeps the window's proportions within the whole picture.
  EXPECT_GE(r.left, 0.0f);
  EXPECT_GE(r.top, 0.0f);
  EXPECT_LE(r.right, 1.0f + 1e-6f);
  EXPECT_LE(r.bottom, 1.0f + 1e-6f);
}

INSTANTIATE_TEST_SUITE_P(Engine, CoverSourceRectTable, ::testing::ValuesIn(kRectCases),
                         [](const ::testing::TestParamInfo<RectCase>& info) {
                           std::string name;
                           for (const char* p = info.param.name; *p; ++p) {
                             name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                           }
                           return name;
                         });

// The full chain of the worked example: a 1440x1080 video in a 1920x1080 window, anchored
// at the vertical middle, shows the band from 1/8 to 7/8 of the picture's height.
TEST(EngineCoverGeometry, WorkedExampleFromVideoToSourceRect) {
  int width = 0, height = 0;
  ASSERT_TRUE(cover::CoverSize(1920, 1080, 1440, 1080, &width, &height));
  EXPECT_EQ(width, 1920);
  EXPECT_EQ(height, 1440);
  const cover::SourceRect r = cover::CoverSourceRect(1920, 1080, width, height, 0.5f, 0.5f);
  EXPECT_EQ(r, (cover::SourceRect{0.0f, 0.125f, 1.0f, 0.875f}));
}

TEST(EngineCoverGeometry, AnchorRange) {
  const struct {
    float value;
    bool inRange;
  } cases[] = {
      {0.0f, true},
      {0.5f, true},
      {1.0f, true},
      {-0.0f, true},
      {-0.01f, false},
      {1.0001f, false},
      {1.5f, false},
      {-1.0f, false},
      {std::numeric_limits<float>::quiet_NaN(), false},
      {std::numeric_limits<float>::infinity(), false},
      {-std::numeric_limits<float>::infinity(), false},
  };
  for (const auto& c : cases) EXPECT_EQ(cover::AnchorInRange(c.value), c.inRange) << c.value;
}

}  // namespace

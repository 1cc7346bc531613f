// The program's pictures: every PNG resource the program loads is in the executable and
// decodes at its size, no stray PNG resource is left unlisted, and the application icon
// carries its four images.
// GDI+ needs the platform and COM headers before it.
// clang-format off
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>
// clang-format on
#include <gtest/gtest.h>
#include <wrl/client.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "base/Handles_win.h"
#include "ui/PictureIds.h"

namespace {

constexpr int kAppIconId = 128;

struct ExpectedSize {
  int id;
  int width;
  int height;
  const char* what;
};

// Pictures whose pixel size the controls depend on: the switch draws its pictures at a quarter
// of their size, the slider scales the channel to its width and the thumbs to its height.
constexpr ExpectedSize kExpectedSizes[] = {
    {158, 124, 84, "switch on"},
    {157, 124, 76, "switch off"},
    {186, 520, 16, "slider channel"},
    {187, 520, 16, "slider active channel"},
    {188, 520, 16, "slider disabled channel"},
    {191, 520, 16, "slider disabled active channel"},
    {182, 64, 64, "slider thumb"},
    {183, 64, 64, "slider disabled thumb"},
    {236, 60, 60, "slider dragged thumb"},
    {209, 32, 32, "combo box chevron"},
    {225, 328, 320, "tray popup frame"},
};

struct ResourceBytes {
  const void* data = nullptr;
  DWORD size = 0;
};

ResourceBytes FindBytes(int id, const wchar_t* type) {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC info = FindResourceW(module, MAKEINTRESOURCEW(id), type);
  if (!info) return {};
  HGLOBAL loaded = LoadResource(module, info);
  if (!loaded) return {};
  return {LockResource(loaded), SizeofResource(module, info)};
}

// Decodes a "PNG" resource the way the program does: a copy of the bytes in a movable global
// block, a stream over it, a GDI+ bitmap from the stream.
struct Decoded {
  bool found = false;
  bool decoded = false;
  int width = -1;
  int height = -1;
  bool hasTransparentPixel = false;
  bool hasOpaquePixel = false;
};

Decoded DecodePng(int id) {
  Decoded result;
  ResourceBytes bytes = FindBytes(id, L"PNG");
  if (!bytes.data || bytes.size == 0) return result;
  result.found = true;

  UniqueHglobal block(GlobalAlloc(GMEM_MOVEABLE, bytes.size));
  if (!block) return result;
  void* copy = GlobalLock(block.get());
  if (!copy) return result;
  auto unlock = scope_exit([&] { GlobalUnlock(block.get()); });
  std::memcpy(copy, bytes.data, bytes.size);

  Microsoft::WRL::ComPtr<IStream> stream;
  if (FAILED(CreateStreamOnHGlobal(block.get(), FALSE, &stream))) return result;
  std::unique_ptr<Gdiplus::Bitmap> bitmap(Gdiplus::Bitmap::FromStream(stream.Get()));
  if (!bitmap || bitmap->GetLastStatus() != Gdiplus::Ok) return result;

  result.decoded = true;
  result.width = static_cast<int>(bitmap->GetWidth());
  result.height = static_cast<int>(bitmap->GetHeight());
  // A picture that is drawn over the page must carry alpha, and one that is all transparent
  // shows nothing; sample a grid of pixels for both.
  for (int y = 0; y < result.height; y += std::max(1, result.height / 16)) {
    for (int x = 0; x < result.width; x += std::max(1, result.width / 16)) {
      Gdiplus::Color color;
      if (bitmap->GetPixel(x, y, &color) != Gdiplus::Ok) continue;
      if (color.GetA() == 0) result.hasTransparentPixel = true;
      if (color.GetA() == 255) result.hasOpaquePixel = true;
    }
  }
  return result;
}

BOOL CALLBACK CollectPngName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR param) {
  auto* ids = reinterpret_cast<std::set<int>*>(param);
  if (IS_INTRESOURCE(name)) {
    ids->insert(static_cast<int>(reinterpret_cast<ULONG_PTR>(name)));
  } else {
    ids->insert(-1);  // a named PNG resource: the program loads pictures by number only
  }
  return TRUE;
}

std::string Label(int id) { return "picture " + std::to_string(id); }

TEST(Pictures, EveryListedPictureIsAPngResourceThatDecodes) {
  for (int id : kPictureIds) {
    Decoded picture = DecodePng(id);
    EXPECT_TRUE(picture.found) << Label(id) << " is not a PNG resource of the executable";
    EXPECT_TRUE(picture.decoded) << Label(id) << " does not decode with GDI+";
    EXPECT_GT(picture.width, 0) << Label(id);
    EXPECT_GT(picture.height, 0) << Label(id);
    EXPECT_TRUE(picture.hasOpaquePixel) << Label(id) << " has no opaque pixel on its sample grid";
  }
}

TEST(Pictures, PicturesWithAGivenSizeHaveIt) {
  for (const ExpectedSize& expected : kExpectedSizes) {
    ASSERT_NE(std::find(std::begin(kPictureIds), std::end(kPictureIds), expected.id), std::end(kPictureIds))
        << Label(expected.id) << " (" << expected.what << ") is missing from kPictureIds";
    Decoded picture = DecodePng(expected.id);
    ASSERT_TRUE(picture.decoded) << Label(expected.id) << " (" << expected.what << ")";
    EXPECT_EQ(picture.width, expected.width) << Label(expected.id) << " (" << expected.what << ")";
    EXPECT_EQ(picture.height, expected.height) << Label(expected.id) << " (" << expected.what << ")";
  }
}

TEST(Pictures, ShapedPicturesAreTransparentOutsideTheirShape) {
  // Rounded bars, discs, the switch and the popup frame are drawn over differing backgrounds
  // (the popup frame through per-pixel alpha), so their corners must be transparent.
  for (const ExpectedSize& shaped : kExpectedSizes) {
    Decoded picture = DecodePng(shaped.id);
    ASSERT_TRUE(picture.decoded) << Label(shaped.id);
    EXPECT_TRUE(picture.hasTransparentPixel) << Label(shaped.id) << " (" << shaped.what << ") is opaque everywhere";
  }
}

TEST(Pictures, ExecutableHoldsNoUnlistedPngResource) {
  std::set<int> inModule;
  EnumResourceNamesW(GetModuleHandleW(nullptr), L"PNG", CollectPngName, reinterpret_cast<LONG_PTR>(&inModule));
  std::set<int> listed(std::begin(kPictureIds), std::end(kPictureIds));
  EXPECT_EQ(listed.size(), std::size(kPictureIds)) << "kPictureIds lists an id twice";
  std::vector<int> unlisted, missing;
  std::set_difference(inModule.begin(), inModule.end(), listed.begin(), listed.end(), std::back_inserter(unlisted));
  std::set_difference(listed.begin(), listed.end(), inModule.begin(), inModule.end(), std::back_inserter(missing));
  EXPECT_EQ(unlisted, std::vector<int>{}) << "PNG resources missing from kPictureIds (-1: a named resource)";
  EXPECT_EQ(missing, std::vector<int>{}) << "kPictureIds entries without a PNG resource";
}

TEST(Pictures, MissingPictureIsNotFound) {
  // The fixture of the checks above: an id that is no picture must not decode.
  Decoded picture = DecodePng(1);
  EXPECT_FALSE(picture.found);
  EXPECT_FALSE(picture.decoded);
}

// The icon group resource: a header and one 14-byte entry per image, the last field being the
// image's RT_ICON id.
#pragma pack(push, 2)
struct GroupIconHeader {
  WORD reserved;
  WORD type;
  WORD count;
};
struct GroupIconEntry {
  BYTE width;
  BYTE height;
  BYTE colorCount;
  BYTE reserved;
  WORD planes;
  WORD bitCount;
  DWORD bytesInRes;
  WORD id;
};
#pragma pack(pop)

TEST(AppIcon, GroupHoldsExactly16_32_48And256PixelImages) {
  ResourceBytes group = FindBytes(kAppIconId, RT_GROUP_ICON);
  ASSERT_TRUE(group.data) << "icon 128 is not in the executable";
  ASSERT_GE(group.size, sizeof(GroupIconHeader));
  const auto* header = static_cast<const GroupIconHeader*>(group.data);
  ASSERT_EQ(header->type, 1);
  ASSERT_GE(group.size, sizeof(GroupIconHeader) + header->count * sizeof(GroupIconEntry));
  const auto* entries = reinterpret_cast<const GroupIconEntry*>(header + 1);
  std::vector<int> sizes;
  for (int i = 0; i < header->count; ++i) {
    sizes.push_back(entries[i].width == 0 ? 256 : entries[i].width);
    EXPECT_EQ(entries[i].width, entries[i].height) << "image " << i << " is not square";
    EXPECT_EQ(entries[i].bitCount, 32) << "image " << i << " has no alpha channel";
  }
  std::sort(sizes.begin(), sizes.end());
  EXPECT_EQ(sizes, (std::vector<int>{16, 32, 48, 256}));
}

TEST(AppIcon, EachSizeIsFoundExactlyAndMakesAnIconOfThatSize) {
  ResourceBytes group = FindBytes(kAppIconId, RT_GROUP_ICON);
  ASSERT_TRUE(group.data);
  for (int size : {16, 32, 48, 256}) {
    SCOPED_TRACE("size " + std::to_string(size));
    int imageId = LookupIconIdFromDirectoryEx(static_cast<PBYTE>(const_cast<void*>(group.data)), TRUE, size, size,
                                              LR_DEFAULTCOLOR);
    ASSERT_GT(imageId, 0);
    ResourceBytes image = FindBytes(imageId, RT_ICON);
    ASSERT_TRUE(image.data);
    ASSERT_GE(image.size, 24u);
    const auto* bytes = static_cast<const BYTE*>(image.data);
    int storedWidth = 0;
    if (std::memcmp(bytes, "\x89PNG", 4) == 0) {
      storedWidth = (bytes[16] << 24) | (bytes[17] << 16) | (bytes[18] << 8) | bytes[19];
    } else {
      storedWidth = static_cast<int>(reinterpret_cast<const BITMAPINFOHEADER*>(bytes)->biWidth);
    }
    EXPECT_EQ(storedWidth, size) << "the closest image is not of the asked size";

    UniqueHicon icon(CreateIconFromResourceEx(static_cast<PBYTE>(const_cast<void*>(image.data)), image.size, TRUE,
                                              0x00030000, size, size, LR_DEFAULTCOLOR));
    ASSERT_TRUE(icon) << "the image does not make an icon";
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon.get(), &info));
    UniqueGdiObject color(info.hbmColor);
    UniqueGdiObject mask(info.hbmMask);
    BITMAP bitmap{};
    ASSERT_TRUE(info.hbmColor && GetObjectW(info.hbmColor, sizeof(bitmap), &bitmap));
    EXPECT_EQ(bitmap.bmWidth, size);
    EXPECT_EQ(bitmap.bmHeight, size);
  }
}

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) {
    fprintf(stderr, "GdiplusStartup failed\n");
    return 1;
  }
  int result = RUN_ALL_TESTS();
  Gdiplus::GdiplusShutdown(token);
  return result;
}

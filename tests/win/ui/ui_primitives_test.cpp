// Theme table, PNG pictures from resources, the double buffer and the rounded fill.
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>
#include <gtest/gtest.h>
#include <wrl/client.h>

#include <string>
#include <vector>

#include "UiTestKit.h"
#include "ui/CBufferDC_win.h"
#include "ui/FillRoundRect_win.h"
#include "ui/PngImage_win.h"
#include "ui/Theme_win.h"

extern const ThemeTable* g_themeSeenByThread[2];
extern int g_themeCreationsBeforeRace;

using uitest::Capture;
using uitest::kUntouched;
using uitest::PaintInto;

TEST(UiTheme, CreatedOnceWhenTwoThreadsAskTogether) {
  EXPECT_EQ(g_themeCreationsBeforeRace, 0);
  ASSERT_NE(g_themeSeenByThread[0], nullptr);
  EXPECT_EQ(g_themeSeenByThread[0], g_themeSeenByThread[1]);
  EXPECT_EQ(g_themeSeenByThread[0], &Theme());
  EXPECT_EQ(ThemeCreationCount(), 1);
}

TEST(UiTheme, BrushesAndFaceName) {
  const ThemeTable& t = Theme();
  EXPECT_EQ(t[23], RGB(23, 24, 32));
  EXPECT_EQ(t[2], RGB(13, 123, 255));
  LOGBRUSH lb{};
  ASSERT_EQ(GetObjectW(t.backgroundBrush, sizeof lb, &lb), static_cast<int>(sizeof lb));
  EXPECT_EQ(lb.lbColor, t[23]);
  ASSERT_EQ(GetObjectW(t.tabStripBrush, sizeof lb, &lb), static_cast<int>(sizeof lb));
  EXPECT_EQ(lb.lbColor, t[25]);
  EXPECT_EQ(std::wstring(t.faceName), L"Tahoma");
}

namespace {

// An 8 x 4 PNG: the left four columns red, the right four blue.
std::vector<BYTE> MakeTwoColourPng() {
  Gdiplus::Bitmap bitmap(8, 4, PixelFormat32bppARGB);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 8; ++x) bitmap.SetPixel(x, y, x < 4 ? Gdiplus::Color(255, 255, 0, 0) : Gdiplus::Color(255, 0, 0, 255));
  UINT count = 0, size = 0;
  Gdiplus::GetImageEncodersSize(&count, &size);
  std::vector<BYTE> buffer(size);
  auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  Gdiplus::GetImageEncoders(count, size, codecs);
  CLSID png{};
  for (UINT i = 0; i < count; ++i)
    if (std::wstring(codecs[i].MimeType) == L"image/png") png = codecs[i].Clsid;
  Microsoft::WRL::ComPtr<IStream> stream;
  CreateStreamOnHGlobal(nullptr, TRUE, &stream);
  if (bitmap.Save(stream.Get(), &png, nullptr) != Gdiplus::Ok) return {};
  HGLOBAL block = nullptr;
  GetHGlobalFromStream(stream.Get(), &block);
  STATSTG stat{};
  stream->Stat(&stat, STATFLAG_NONAME);
  std::vector<BYTE> bytes(static_cast<size_t>(stat.cbSize.QuadPart));
  void* p = GlobalLock(block);
  memcpy(bytes.data(), p, bytes.size());
  GlobalUnlock(block);
  return bytes;
}

// A copy of this test program with extra "PNG" resources, opened as a resource module.
class ResourceModule {
 public:
  ResourceModule() {
    wchar_t self[MAX_PATH], temp[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    GetTempPathW(MAX_PATH, temp);
    path_ = std::wstring(temp) + L"qendor-ui-png-test.exe";
    if (!CopyFileW(self, path_.c_str(), FALSE)) return;
    std::vector<BYTE> png = MakeTwoColourPng();
    std::vector<BYTE> garbage = {'n', 'o', 't', ' ', 'a', ' ', 'p', 'n', 'g'};
    HANDLE update = BeginUpdateResourceW(path_.c_str(), FALSE);
    if (!update) return;
    UpdateResourceW(update, L"PNG", MAKEINTRESOURCEW(kTwoColour), 0, png.data(), static_cast<DWORD>(png.size()));
    UpdateResourceW(update, L"PNG", MAKEINTRESOURCEW(kGarbage), 0, garbage.data(), static_cast<DWORD>(garbage.size()));
    if (!EndUpdateResourceW(update, FALSE)) return;
    module_ = LoadLibraryExW(path_.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  }
  ~ResourceModule() {
    if (module_) FreeLibrary(module_);
    DeleteFileW(path_.c_str());
  }
  HMODULE get() const { return module_; }
  static constexpr UINT kTwoColour = 60001;
  static constexpr UINT kGarbage = 60002;

 private:
  std::wstring path_;
  HMODULE module_ = nullptr;
};

ResourceModule& Pictures() {
  static ResourceModule module;
  return module;
}

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

}  // namespace

// Shapes are filled with the default pixel offset (the half-pixel one shifts their edges by
// half a pixel: a one-pixel line vanishes, soft edges go); pictures are drawn with the
// half-pixel offset, for their draw only. (Wine keeps the mode without applying it, so the
// mode is what is checked.)
TEST(UiGraphics, ShapesUseTheDefaultPixelOffsetAndPicturesTheHalfOneForTheirDrawOnly) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 64, 64);
  HGDIOBJ old = SelectObject(dc, bitmap);
  {
    auto graphics = MakeGraphics(dc);
    EXPECT_NE(graphics->GetPixelOffsetMode(), Gdiplus::PixelOffsetModeHalf);
    const Gdiplus::PixelOffsetMode shapes = graphics->GetPixelOffsetMode();
    PngImage image;
    ASSERT_TRUE(image.LoadPng(209));
    image.Draw(graphics.get(), 0, 0, 32, 32);
    EXPECT_EQ(graphics->GetPixelOffsetMode(), shapes) << "the shapes drawn after a picture keep theirs";
  }
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
}

TEST(UiPngImage, LoadsFromAPngResourceAndReportsItsSize) {
  ASSERT_NE(Pictures().get(), nullptr) << "could not build the resource module";
  PngImage image;
  EXPECT_EQ(image.Width(), -1);
  EXPECT_EQ(image.Height(), -1);
  ASSERT_TRUE(image.LoadPng(ResourceModule::kTwoColour, Pictures().get()));
  EXPECT_EQ(image.Width(), 8);
  EXPECT_EQ(image.Height(), 4);
}

TEST(UiPngImage, MissingOrUndecodableResourceLeavesItEmpty) {
  PngImage image;
  ASSERT_TRUE(image.LoadPng(ResourceModule::kTwoColour, Pictures().get()));
  EXPECT_FALSE(image.LoadPng(ResourceModule::kGarbage, Pictures().get()));
  EXPECT_FALSE(image.IsLoaded());
  EXPECT_EQ(image.Width(), -1);
  EXPECT_FALSE(image.LoadPng(59999));  // no such resource in the program
  EXPECT_FALSE(image.IsLoaded());
}

TEST(UiPngImage, LoadsTheProgramsOwnPictures) {
  // The combo box's chevron is a 32 x 32 picture of the program.
  PngImage image;
  ASSERT_TRUE(image.LoadPng(209));
  EXPECT_EQ(image.Width(), 32);
  EXPECT_EQ(image.Height(), 32);
}

TEST(UiPngImage, DrawPlacesAndScalesThePicture) {
  PngImage image;
  ASSERT_TRUE(image.LoadPng(ResourceModule::kTwoColour, Pictures().get()));
  struct Case {
    const char* name;
    int x, y, w, h;
    std::vector<std::pair<POINT, COLORREF>> expect;
  } cases[] = {
      {"all zero: own size at (0, 0)", 0, 0, 0, 0, {{{0, 0}, kRed}, {{3, 3}, kRed}, {{4, 0}, kBlue}, {{7, 3}, kBlue}, {{8, 0}, kUntouched}, {{0, 4}, kUntouched}}},
      {"scaled to 16 x 8 at (1, 1)", 1, 1, 16, 8, {{{0, 0}, kUntouched}, {{3, 3}, kRed}, {{14, 6}, kBlue}, {{17, 4}, kUntouched}, {{5, 9}, kUntouched}}},
  };
  for (const Case& c : cases) {
    Capture cap = PaintInto(20, 12, [&](HDC dc) { image.Draw(dc, c.x, c.y, c.w, c.h); });
    for (auto [pt, colour] : c.expect)
      EXPECT_TRUE(uitest::Near(cap.At(pt.x, pt.y), colour))
          << c.name << " at " << pt.x << "," << pt.y << ": " << uitest::Hex(cap.At(pt.x, pt.y));
  }
}

TEST(UiPngImage, DrawPartTakesTheSourceRectangle) {
  PngImage image;
  ASSERT_TRUE(image.LoadPng(ResourceModule::kTwoColour, Pictures().get()));
  RECT blueHalf{4, 0, 8, 4};
  Capture part = PaintInto(10, 10, [&](HDC dc) { image.DrawPart(dc, 0, 0, 4, 4, &blueHalf); });
  EXPECT_TRUE(uitest::Near(part.At(0, 0), kBlue)) << uitest::Hex(part.At(0, 0));
  EXPECT_TRUE(uitest::Near(part.At(3, 3), kBlue)) << uitest::Hex(part.At(3, 3));
  EXPECT_EQ(part.At(5, 1), kUntouched);
  Capture nothing = PaintInto(10, 10, [&](HDC dc) { image.DrawPart(dc, 0, 0, 0, 0, &blueHalf); });
  EXPECT_EQ(nothing.BoundsOfOther(kUntouched, {0, 0, 10, 10}).right, 0) << "an all-zero destination draws nothing";
}

TEST(UiPngImage, EmptyPictureLeavesTheTargetUntouched) {
  PngImage empty;
  Capture cap = PaintInto(10, 10, [&](HDC dc) {
    empty.Draw(dc, 0, 0, 0, 0);
    empty.Draw(dc, 1, 1, 5, 5);
    empty.DrawPart(dc, 1, 1, 5, 5, nullptr);
  });
  EXPECT_EQ(cap.BoundsOfOther(kUntouched, {0, 0, 10, 10}).right, 0);
  EXPECT_FALSE(empty.ScaleTo(4, 4));
}

TEST(UiPngImage, ScaleToReplacesTheBitmap) {
  PngImage image;
  ASSERT_TRUE(image.LoadPng(ResourceModule::kTwoColour, Pictures().get()));
  ASSERT_TRUE(image.ScaleTo(4, 2));
  EXPECT_EQ(image.Width(), 4);
  EXPECT_EQ(image.Height(), 2);
  EXPECT_EQ(image.Bitmap()->GetPixelFormat(), static_cast<Gdiplus::PixelFormat>(PixelFormat32bppARGB));
  Capture cap = PaintInto(6, 4, [&](HDC dc) { image.Draw(dc, 0, 0, 0, 0); });
  EXPECT_TRUE(uitest::Near(cap.At(0, 0), kRed, 24)) << uitest::Hex(cap.At(0, 0));
  EXPECT_TRUE(uitest::Near(cap.At(3, 1), kBlue, 24)) << uitest::Hex(cap.At(3, 1));
  EXPECT_EQ(cap.At(4, 0), kUntouched);
}

TEST(UiPngImage, LoadingAgainFreesThePreviousBlock) {
  PngImage image;
  ASSERT_TRUE(image.LoadPng(ResourceModule::kTwoColour, Pictures().get()));
  HGLOBAL first = image.DataBlock();
  ASSERT_NE(first, nullptr);
  EXPECT_NE(GlobalFlags(first) & GMEM_LOCKCOUNT, 0u) << "the block stays locked while the bitmap lives";
  EXPECT_FALSE(image.LoadPng(59999));
  EXPECT_EQ(GlobalSize(first), 0u) << "the first picture's block was freed before the second was looked up";
  ASSERT_TRUE(image.LoadPng(ResourceModule::kTwoColour, Pictures().get()));
  HGLOBAL second = image.DataBlock();
  ASSERT_TRUE(image.LoadPng(209));
  EXPECT_EQ(image.Width(), 32);
  if (image.DataBlock() != second) {
    EXPECT_EQ(GlobalSize(second), 0u);
  }
  image.Free();
  EXPECT_EQ(image.DataBlock(), nullptr);
  EXPECT_EQ(image.Width(), -1);
}

TEST(UiBufferDC, CopiesOnceAtTheEndWithTheTargetsCoordinates) {
  long before = CBufferDC::CopyCount();
  Capture cap = PaintInto(20, 20, [&](HDC dc) {
    CBufferDC buffer(dc, RECT{5, 5, 15, 12});
    ASSERT_TRUE(buffer.IsValid());
    RECT inner{5, 5, 15, 12};
    HBRUSH b = CreateSolidBrush(RGB(1, 2, 3));
    FillRect(buffer, &inner, b);
    DeleteObject(b);
    EXPECT_EQ(CBufferDC::CopyCount(), before) << "nothing reaches the target before the end";
  });
  EXPECT_EQ(CBufferDC::CopyCount(), before + 1);
  EXPECT_EQ(cap.At(5, 5), RGB(1, 2, 3));
  EXPECT_EQ(cap.At(14, 11), RGB(1, 2, 3));
  EXPECT_EQ(cap.At(4, 5), kUntouched);
  EXPECT_EQ(cap.At(15, 11), kUntouched);
  EXPECT_EQ(cap.At(14, 12), kUntouched);
}

TEST(UiBufferDC, WithoutAMemoryContextNothingIsCopied) {
  long before = CBufferDC::CopyCount();
  {
    CBufferDC buffer(nullptr, RECT{0, 0, 10, 10});
    EXPECT_FALSE(buffer.IsValid());
  }
  EXPECT_EQ(CBufferDC::CopyCount(), before);
}

TEST(UiFillRoundRect, FillsTheInsideAndLeavesTheOutside) {
  Capture cap = PaintInto(40, 30, [&](HDC dc) {
    auto g = MakeGraphics(dc);
    FillRoundRect(*g, RECT{5, 5, 35, 25}, 3, Theme()[2]);
  });
  EXPECT_EQ(cap.At(20, 15), Theme()[2]);
  EXPECT_EQ(cap.At(6, 15), Theme()[2]);
  EXPECT_EQ(cap.At(20, 6), Theme()[2]);
  EXPECT_EQ(cap.At(3, 15), kUntouched);
  EXPECT_EQ(cap.At(20, 27), kUntouched);
  EXPECT_EQ(cap.At(36, 15), kUntouched);
}

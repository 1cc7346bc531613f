// PNG pictures: the resource bytes are copied into a movable global block and decoded
// through a stream over it; GDI+ may read the stream again later, so the stream and the
// locked block live as long as the bitmap.
#include "ui/PngImage_win.h"

#include <cstring>

#include "base/Handles_win.h"
#include "base/Log.h"

namespace {

// Sampling mirrored at the picture's edges, so scaled pictures keep clean borders. Made per
// draw: a GDI+ object must not outlive the GDI+ session that made it.
struct EdgeAttributes {
  Gdiplus::ImageAttributes attributes;
  EdgeAttributes() { attributes.SetWrapMode(Gdiplus::WrapModeTileFlipXY); }
  Gdiplus::ImageAttributes* get() { return &attributes; }
};

}  // namespace

std::unique_ptr<Gdiplus::Graphics> MakeGraphics(HDC dc) {
  auto graphics = std::make_unique<Gdiplus::Graphics>(dc);
  graphics->SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  graphics->SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
  // Shapes keep the default pixel offset: with the half-pixel offset their edges shift by half
  // a pixel, a one-pixel line (the Browse face's white left line) vanishes and the faces lose
  // their soft right and bottom edges. Scaled pictures take the half-pixel offset for the draw.
  return graphics;
}

bool PngImage::LoadPng(UINT id, HMODULE module) {
  Free();
  if (!module) module = GetModuleHandleW(nullptr);
  HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(id), L"PNG");
  if (!resource) return false;
  DWORD size = SizeofResource(module, resource);
  HGLOBAL loaded = LoadResource(module, resource);
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes || size == 0) return false;

  UniqueHglobal block(GlobalAlloc(GMEM_MOVEABLE, size));
  if (!block) {
    LogMessage(Error, "GlobalAlloc failed. Error %d", static_cast<int>(GetLastError()));
    return false;
  }
  void* locked = GlobalLock(block.get());
  if (!locked) return false;
  std::memcpy(locked, bytes, size);

  Microsoft::WRL::ComPtr<IStream> stream;
  HRESULT hr = CreateStreamOnHGlobal(block.get(), FALSE, &stream);
  if (FAILED(hr)) {
    GlobalUnlock(block.get());
    LogMessage(Error, "CreateStreamOnHGlobal failed. Error 0x%08X", static_cast<unsigned>(hr));
    return false;
  }
  std::unique_ptr<Gdiplus::Bitmap> bitmap(Gdiplus::Bitmap::FromStream(stream.Get()));
  if (!bitmap || bitmap->GetLastStatus() != Gdiplus::Ok) {
    bitmap.reset();
    stream.Reset();
    GlobalUnlock(block.get());
    return false;
  }
  bitmap_ = std::move(bitmap);
  stream_ = std::move(stream);
  block_ = block.release();
  return true;
}

void PngImage::Free() {
  bitmap_.reset();
  stream_.Reset();
  if (block_) {
    GlobalUnlock(block_);
    GlobalFree(block_);
    block_ = nullptr;
  }
}

int PngImage::Width() const { return bitmap_ ? static_cast<int>(bitmap_->GetWidth()) : -1; }
int PngImage::Height() const { return bitmap_ ? static_cast<int>(bitmap_->GetHeight()) : -1; }

void PngImage::Draw(Gdiplus::Graphics* graphics, int x, int y, int width, int height) const {
  if (!graphics || !bitmap_) return;
  if (x == 0 && y == 0 && width == 0 && height == 0) {
    width = Width();
    height = Height();
  }
  DrawPart(graphics, x, y, width, height, nullptr);
}

void PngImage::Draw(HDC dc, int x, int y, int width, int height) const {
  if (!dc || !bitmap_) return;
  auto graphics = MakeGraphics(dc);
  Draw(graphics.get(), x, y, width, height);
}

void PngImage::DrawPart(Gdiplus::Graphics* graphics, int x, int y, int width, int height, const RECT* source) const {
  if (!graphics || !bitmap_) return;
  if (x == 0 && y == 0 && width == 0 && height == 0) return;
  RECT whole{0, 0, Width(), Height()};
  const RECT& s = source ? *source : whole;
  // Scaled pictures sample pixel centres: the half-pixel offset, for this draw only.
  const Gdiplus::PixelOffsetMode previous = graphics->GetPixelOffsetMode();
  graphics->SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
  graphics->DrawImage(bitmap_.get(), Gdiplus::Rect(x, y, width, height), s.left, s.top, s.right - s.left,
                      s.bottom - s.top, Gdiplus::UnitPixel, EdgeAttributes().get());
  graphics->SetPixelOffsetMode(previous);
}

void PngImage::DrawPart(HDC dc, int x, int y, int width, int height, const RECT* source) const {
  if (!dc || !bitmap_) return;
  auto graphics = MakeGraphics(dc);
  DrawPart(graphics.get(), x, y, width, height, source);
}

bool PngImage::ScaleTo(int width, int height) {
  if (!bitmap_ || width <= 0 || height <= 0) return false;
  auto scaled = std::make_unique<Gdiplus::Bitmap>(width, height, PixelFormat32bppARGB);
  if (scaled->GetLastStatus() != Gdiplus::Ok) return false;
  Gdiplus::Graphics graphics(scaled.get());
  graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
  graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
  Gdiplus::Status status =
      graphics.DrawImage(bitmap_.get(), Gdiplus::Rect(0, 0, width, height), 0, 0, Width(), Height(),
                         Gdiplus::UnitPixel, EdgeAttributes().get());
  if (status != Gdiplus::Ok) return false;
  bitmap_ = std::move(scaled);
  return true;
}

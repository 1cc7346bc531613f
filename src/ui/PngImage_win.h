// A PNG picture from the program's "PNG" resources, decoded with GDI+.
#pragma once
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>
#include <wrl/client.h>

#include <memory>

class PngImage {
 public:
  PngImage() = default;
  ~PngImage() { Free(); }
  PngImage(const PngImage&) = delete;
  PngImage& operator=(const PngImage&) = delete;

  // Frees the current picture and decodes resource id of type "PNG" from module (the
  // program's main module when null). Returns whether a picture is now held.
  bool LoadPng(UINT id, HMODULE module = nullptr);
  void Free();

  bool IsLoaded() const { return bitmap_ != nullptr; }
  int Width() const;   // -1 when empty
  int Height() const;  // -1 when empty
  Gdiplus::Bitmap* Bitmap() const { return bitmap_.get(); }
  HGLOBAL DataBlock() const { return block_; }

  // Draws into the rectangle with high-quality interpolation; all four 0 draws at (0, 0) at
  // the picture's own size. Nothing without a graphics object or a picture.
  void Draw(Gdiplus::Graphics* graphics, int x, int y, int width, int height) const;
  void Draw(HDC dc, int x, int y, int width, int height) const;
  // Draws the source rectangle (pixels; the whole picture when null) into the destination;
  // nothing when the destination is all 0.
  void DrawPart(Gdiplus::Graphics* graphics, int x, int y, int width, int height, const RECT* source) const;
  void DrawPart(HDC dc, int x, int y, int width, int height, const RECT* source) const;
  // Replaces the bitmap by a 32-bit ARGB one of the given size; the old one stays on failure.
  bool ScaleTo(int width, int height);

 private:
  std::unique_ptr<Gdiplus::Bitmap> bitmap_;
  Microsoft::WRL::ComPtr<IStream> stream_;
  HGLOBAL block_ = nullptr;  // movable copy of the resource bytes, locked while held
};

// A graphics object over a device context with anti-aliased shapes and high-quality
// picture scaling.
std::unique_ptr<Gdiplus::Graphics> MakeGraphics(HDC dc);

// GDI+ drawing of the kit's outline paths, and the rounded-rectangle fill.
#pragma once
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include "ui/UiGeometry.h"

// Replays a portable outline onto a GDI+ path (closing it when the outline is closed).
void BuildGdiplusPath(const ui::Path& outline, Gdiplus::GraphicsPath* path);
void FillOutline(Gdiplus::Graphics& graphics, const ui::Path& outline, COLORREF colour);
void DrawOutline(Gdiplus::Graphics& graphics, const ui::Path& outline, COLORREF colour);

// Fills the closed rounded rectangle (x, y, w, h) with radius r.
void FillRoundRect(Gdiplus::Graphics& graphics, const Gdiplus::Rect& rect, int radius, const Gdiplus::Brush& brush);
void FillRoundRect(Gdiplus::Graphics& graphics, const RECT& rect, int radius, COLORREF colour);

inline Gdiplus::Color GdiplusColour(COLORREF c) {
  return Gdiplus::Color(255, GetRValue(c), GetGValue(c), GetBValue(c));
}

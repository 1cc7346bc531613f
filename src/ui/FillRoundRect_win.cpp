// Outline paths on GDI+.
#include "ui/FillRoundRect_win.h"

#include "ui/FillRoundRect.h"

void BuildGdiplusPath(const ui::Path& outline, Gdiplus::GraphicsPath* path) {
  for (const ui::PathStep& s : outline.steps) {
    if (s.kind == ui::PathStep::Kind::Line)
      path->AddLine(s.x, s.y, s.a, s.b);
    else
      path->AddArc(s.x, s.y, s.a, s.b, s.startAngle, s.sweepAngle);
  }
  if (outline.closed) path->CloseFigure();
}

void FillOutline(Gdiplus::Graphics& graphics, const ui::Path& outline, COLORREF colour) {
  if (outline.Empty()) return;
  Gdiplus::GraphicsPath path;
  BuildGdiplusPath(outline, &path);
  Gdiplus::SolidBrush brush(GdiplusColour(colour));
  graphics.FillPath(&brush, &path);
}

void DrawOutline(Gdiplus::Graphics& graphics, const ui::Path& outline, COLORREF colour) {
  if (outline.Empty()) return;
  Gdiplus::GraphicsPath path;
  BuildGdiplusPath(outline, &path);
  Gdiplus::Pen pen(GdiplusColour(colour), 1.0f);
  graphics.DrawPath(&pen, &path);
}

void FillRoundRect(Gdiplus::Graphics& graphics, const Gdiplus::Rect& rect, int radius, const Gdiplus::Brush& brush) {
  ui::Path outline = ui::RoundRectPath(rect.X, rect.Y, rect.Width, rect.Height, radius);
  if (outline.Empty()) return;
  Gdiplus::GraphicsPath path;
  BuildGdiplusPath(outline, &path);
  graphics.FillPath(&brush, &path);
}

void FillRoundRect(Gdiplus::Graphics& graphics, const RECT& rect, int radius, COLORREF colour) {
  Gdiplus::SolidBrush brush(GdiplusColour(colour));
  FillRoundRect(graphics, Gdiplus::Rect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top), radius,
                brush);
}

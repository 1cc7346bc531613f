// The program's colour table: 34 colours of the dark look, as 0x00BBGGRR values.
#pragma once
#include <array>
#include <cstdint>

namespace ui {

using Colour = std::uint32_t;  // 0x00BBGGRR, the platform's COLORREF layout

constexpr Colour Rgb(unsigned r, unsigned g, unsigned b) { return r | (g << 8) | (b << 16); }
constexpr unsigned RedOf(Colour c) { return c & 0xFF; }
constexpr unsigned GreenOf(Colour c) { return (c >> 8) & 0xFF; }
constexpr unsigned BlueOf(Colour c) { return (c >> 16) & 0xFF; }

// An opaque 0xAARRGGBB value for GDI+ with the same red, green and blue.
constexpr std::uint32_t ToArgb(Colour c) {
  return 0xFF000000u | (RedOf(c) << 16) | (GreenOf(c) << 8) | BlueOf(c);
}

// "No colour": all bits set (used for optional colours such as a hover background).
constexpr Colour kNoColour = 0xFFFFFFFFu;

constexpr int kThemeColourCount = 34;
const std::array<Colour, kThemeColourCount>& ThemeColours();

constexpr wchar_t kThemeFaceName[] = L"Tahoma";

}  // namespace ui

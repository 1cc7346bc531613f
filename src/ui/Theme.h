// The program's colour table: 34 colours of the dark look, as 0x00BBGGRR values.
#pragma once
#include <array>
#include <cstddef>
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

// Indices of the colour table, named after what they look like or what uses them. Several
// hold equal values; they stay separate entries.
enum ThemeColourIndex : int {
  kColourTabText = 0,             // white
  kColourButtonText = 1,          // near white
  kColourAccent = 2,              // blue: fills, selections, outlines
  kColourAccentHot = 3,           // darker blue under the mouse
  kColourDisabled = 4,            // grey
  kColourSlate = 5,
  kColourSlateDark = 6,
  kColourDangerHot = 7,           // dark red
  kColourDanger = 8,              // red
  kColourBlack = 9,
  kColourTaskListBack = 10,       // night blue
  kColourMutedText = 11,          // grey blue
  kColourRed = 12,
  kColourHeaderHover = 13,
  kColourViolet = 14,
  kColourGreen = 15,
  kColourAmber = 16,
  kColourMagenta = 17,
  kColourOrange = 18,
  kColourPlaceholder = 19,
  kColourMint = 20,
  kColourPanel = 21,
  kColourTaskHot = 22,
  kColourControlBack = 23,        // behind the controls of a page
  kColourTabBack = 24,
  kColourStripBack = 25,          // tab strips and page backgrounds
  kColourMonitorListBack = 26,
  kColourMonitorListText = 27,
  kColourMonitorBox = 28,
  kColourMonitorBoxSelected = 29,
  kColourRow = 30,
  kColourRowAlt = 31,
  kColourNight = 32,
  kColourPageBack = 33,
};
inline Colour ThemeColour(ThemeColourIndex index) { return ThemeColours()[static_cast<std::size_t>(index)]; }

constexpr wchar_t kThemeFaceName[] = L"Tahoma";

}  // namespace ui

// The colour table of the dark look.
#include "ui/Theme.h"

namespace ui {

const std::array<Colour, kThemeColourCount>& ThemeColours() {
  static constexpr std::array<Colour, kThemeColourCount> colours = {
      Rgb(255, 255, 255),  // 0  tab and task-list text
      Rgb(241, 243, 255),  // 1  button text
      Rgb(13, 123, 255),   // 2  button fill, arrow box, selections, tab outline, edit frame
      Rgb(12, 97, 200),    // 3  fills under the mouse
      Rgb(105, 105, 105),  // 4  disabled fills
      Rgb(71, 77, 91),     // 5
      Rgb(62, 67, 79),     // 6
      Rgb(185, 4, 0),      // 7  right-hand tab selected or hot
      Rgb(255, 0, 0),      // 8  right-hand tab
      Rgb(0, 0, 0),        // 9
      Rgb(11, 12, 27),     // 10 task-list background
      Rgb(127, 131, 156),  // 11
      Rgb(255, 0, 0),      // 12
      Rgb(56, 63, 76),     // 13
      Rgb(158, 52, 227),   // 14
      Rgb(30, 195, 14),    // 15
      Rgb(255, 193, 6),    // 16
      Rgb(255, 0, 210),    // 17
      Rgb(255, 87, 34),    // 18
      Rgb(113, 123, 139),  // 19 text-field placeholder
      Rgb(27, 255, 186),   // 20
      Rgb(30, 32, 43),     // 21
      Rgb(44, 47, 64),     // 22 task under the mouse
      Rgb(23, 24, 32),     // 23 page background behind controls, selected tab
      Rgb(44, 47, 64),     // 24 unselected tab
      Rgb(30, 32, 43),     // 25 tab strip background
      Rgb(49, 52, 66),     // 26
      Rgb(255, 255, 255),  // 27
      Rgb(255, 255, 255),  // 28
      Rgb(13, 123, 255),   // 29
      Rgb(38, 40, 51),     // 30
      Rgb(53, 54, 72),     // 31
      Rgb(11, 12, 27),     // 32
      Rgb(30, 32, 43),     // 33
  };
  return colours;
}

}  // namespace ui

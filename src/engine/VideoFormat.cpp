// The player's choice of an uncompressed video format.
#include "engine/VideoFormat.h"

#include <algorithm>

namespace engine {

bool PrefersNv12(uint32_t current, const std::vector<uint32_t>& offered) {
  // Planar 4:2:0 formats a decoder hands out that the renderer's mixer does not take.
  static constexpr uint32_t kRefused[] = {FourCc('I', '4', '2', '0'), FourCc('I', 'Y', 'U', 'V'),
                                          FourCc('Y', 'V', '1', '2')};
  if (std::find(std::begin(kRefused), std::end(kRefused), current) == std::end(kRefused)) return false;
  return std::find(offered.begin(), offered.end(), kFormatNv12) != offered.end();
}

std::string FormatName(uint32_t format) {
  std::string name;
  for (int i = 0; i < 4; ++i) {
    const char c = static_cast<char>((format >> (8 * i)) & 0xFF);
    if (c < 0x20 || c > 0x7E) return std::to_string(format);
    name += c;
  }
  return name;
}

}  // namespace engine

// Which uncompressed video format the player asks a media source for. Wine's media source
// decodes inside and offers its decoded video as I420 first, which the video renderer takes
// on neither Wine nor Windows; the same stream also lists NV12, which it takes. Windows'
// sources offer compressed video only (a decoder is put in between), so the rule never fires
// there. Portable: formats are the first 32 bits of Media Foundation's subtype GUIDs (a FOURCC
// or a D3DFORMAT number).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace engine {

constexpr uint32_t FourCc(char a, char b, char c, char d) {
  return static_cast<uint32_t>(static_cast<uint8_t>(a)) | static_cast<uint32_t>(static_cast<uint8_t>(b)) << 8 |
         static_cast<uint32_t>(static_cast<uint8_t>(c)) << 16 | static_cast<uint32_t>(static_cast<uint8_t>(d)) << 24;
}
constexpr uint32_t kFormatNv12 = FourCc('N', 'V', '1', '2');

// True when the stream's current format is a planar YUV format the renderer cannot take and
// the stream also offers NV12.
bool PrefersNv12(uint32_t current, const std::vector<uint32_t>& offered);
// "I420", or the number for a format that is not a FOURCC (for the log).
std::string FormatName(uint32_t format);

}  // namespace engine

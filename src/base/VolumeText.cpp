// Reading a typed volume.
#include "base/VolumeText.h"

namespace base {

TypedVolume ParseTypedVolume(std::wstring_view text) {
  if (text.empty()) return {0, std::wstring(L"0")};
  int value = 0;
  for (wchar_t c : text) {
    if (c < L'0' || c > L'9') break;
    value = value * 10 + (c - L'0');
    if (value > 100) return {100, std::wstring(L"100")};  // saturates: no long number overflows
  }
  return {value, std::nullopt};
}

}  // namespace base

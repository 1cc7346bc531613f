// A volume typed into a page's edit box: its value and what the box must show instead.
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace base {

struct TypedVolume {
  int value = 0;
  // Set when the box's text must be replaced: "0" for an empty box, "100" above 100.
  std::optional<std::wstring> replacement;
};

// Empty gives 0 (shown as "0"); otherwise the text's leading decimal number, saturated at 100
// however long it is (shown as "100" when it was more); a text without leading digits gives 0.
TypedVolume ParseTypedVolume(std::wstring_view text);

}  // namespace base

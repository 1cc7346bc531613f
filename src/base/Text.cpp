// ASCII case folding and string-table inserts.
#include "base/Text.h"

namespace base {

namespace {
template <typename View>
bool EqualsNoCase(View a, View b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  return true;
}
}  // namespace

bool EqualsNoCaseAscii(std::wstring_view a, std::wstring_view b) { return EqualsNoCase(a, b); }
bool EqualsNoCaseAscii(std::string_view a, std::string_view b) { return EqualsNoCase(a, b); }

std::wstring InsertTexts(std::wstring text, std::initializer_list<std::wstring_view> inserts) {
  size_t from = 0;
  for (std::wstring_view insert : inserts) {
    size_t at = text.find(L"%s", from);
    if (at == std::wstring::npos) break;
    text.replace(at, 2, insert);
    from = at + insert.size();
  }
  return text;
}

std::wstring InsertNumber(std::wstring text, int number) {
  size_t at = text.find(L"%d");
  if (at != std::wstring::npos) text.replace(at, 2, std::to_wstring(number));
  return text;
}

}  // namespace base

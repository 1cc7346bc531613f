// Small text helpers shared by every layer: ASCII case folding and string-table inserts.
#pragma once
#include <initializer_list>
#include <string>
#include <string_view>

namespace base {

// Folds A-Z to a-z and leaves every other character as it is.
constexpr wchar_t LowerAscii(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; }
constexpr char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
// Equal when only the case of A-Z differs.
bool EqualsNoCaseAscii(std::wstring_view a, std::wstring_view b);
bool EqualsNoCaseAscii(std::string_view a, std::string_view b);

// Replaces each "%s" of a string-table text by the next insert, left to right; an insert's own
// "%s" is not replaced again. Surplus inserts are dropped, surplus "%s" kept.
std::wstring InsertTexts(std::wstring text, std::initializer_list<std::wstring_view> inserts);
// Replaces the first "%d" by the number.
std::wstring InsertNumber(std::wstring text, int number);

}  // namespace base

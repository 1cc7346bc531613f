// printf-style formatting into a fixed buffer, without heap allocation. "%S" (and "%ls")
// take a wide string, written as UTF-8.
#pragma once
#include <cstdarg>
#include <cstddef>

namespace Logging {

// Appends the formatted text to buffer[length..capacity-1), keeping a terminator; output that
// does not fit is cut. Returns false when the format holds a conversion that cannot be applied
// (unknown conversion, a '%' at the end, "%n"); what was formatted before it stays.
bool FormatInto(char* buffer, size_t capacity, size_t& length, const char* format, va_list args);

}  // namespace Logging

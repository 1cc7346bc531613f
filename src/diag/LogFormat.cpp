// A small printf: integers, floats, characters, narrow and wide strings, pointers. Numbers
// are delegated to snprintf on a local buffer; strings are copied directly.
#include "diag/LogFormat.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <cwchar>

namespace Logging {

namespace {

struct Output {
  char* buffer;
  size_t capacity;
  size_t& length;

  void Put(char c) {
    if (length + 1 < capacity) buffer[length++] = c;
  }
  void Put(const char* text, size_t n) {
    size_t room = capacity > length + 1 ? capacity - length - 1 : 0;
    if (n > room) n = room;
    std::memcpy(buffer + length, text, n);
    length += n;
  }
  void Pad(char c, int count) {
    for (int i = 0; i < count; ++i) Put(c);
  }
  void Terminate() {
    if (capacity) buffer[length < capacity ? length : capacity - 1] = 0;
  }
};

// Encodes one code point as UTF-8 into out (at least 4 bytes); returns the byte count.
size_t Utf8(uint32_t cp, char* out) {
  if (cp < 0x80) {
    out[0] = static_cast<char>(cp);
    return 1;
  }
  if (cp < 0x800) {
    out[0] = static_cast<char>(0xC0 | (cp >> 6));
    out[1] = static_cast<char>(0x80 | (cp & 0x3F));
    return 2;
  }
  if (cp < 0x10000) {
    out[0] = static_cast<char>(0xE0 | (cp >> 12));
    out[1] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out[2] = static_cast<char>(0x80 | (cp & 0x3F));
    return 3;
  }
  out[0] = static_cast<char>(0xF0 | (cp >> 18));
  out[1] = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
  out[2] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
  out[3] = static_cast<char>(0x80 | (cp & 0x3F));
  return 4;
}

// Reads the next code point of a wide string (UTF-16 where wchar_t has 16 bits).
uint32_t NextCodePoint(const wchar_t*& p) {
  uint32_t c = static_cast<uint32_t>(*p++);
  if constexpr (sizeof(wchar_t) == 2) {
    if (c >= 0xD800 && c <= 0xDBFF && *p >= 0xDC00 && *p <= 0xDFFF) {
      uint32_t low = static_cast<uint32_t>(*p++);
      return 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
    }
    if (c >= 0xD800 && c <= 0xDFFF) return 0xFFFD;
  }
  return c > 0x10FFFF ? 0xFFFD : c;
}

size_t WideUtf8Length(const wchar_t* text, int precision) {
  size_t total = 0;
  char tmp[4];
  while (*text) {
    size_t n = Utf8(NextCodePoint(text), tmp);
    if (precision >= 0 && total + n > static_cast<size_t>(precision)) break;
    total += n;
  }
  return total;
}

}  // namespace

bool FormatInto(char* buffer, size_t capacity, size_t& length, const char* format, va_list args) {
  Output out{buffer, capacity, length};
  va_list ap;
  va_copy(ap, args);
  bool ok = true;
  const char* p = format;
  while (*p) {
    if (*p != '%') {
      const char* start = p;
      while (*p && *p != '%') ++p;
      out.Put(start, static_cast<size_t>(p - start));
      continue;
    }
    const char* specStart = p++;
    bool left = false, zero = false;
    // Flags.
    while (*p == '-' || *p == '+' || *p == ' ' || *p == '#' || *p == '0') {
      if (*p == '-') left = true;
      if (*p == '0') zero = true;
      ++p;
    }
    int width = -1, precision = -1;
    if (*p == '*') {
      width = va_arg(ap, int);
      if (width < 0) {
        left = true;
        width = -width;
      }
      ++p;
    } else if (*p >= '0' && *p <= '9') {
      width = 0;
      while (*p >= '0' && *p <= '9') width = width * 10 + (*p++ - '0') % 10000;
    }
    if (*p == '.') {
      ++p;
      precision = 0;
      if (*p == '*') {
        precision = va_arg(ap, int);
        ++p;
      } else {
        while (*p >= '0' && *p <= '9') precision = precision * 10 + (*p++ - '0') % 10000;
      }
    }
    if (width > 1000) width = 1000;
    if (precision > 1000) precision = 1000;
    // Length modifiers.
    enum { kNone, kChar, kShort, kLong, kLongLong, kSize, kMax, kPtrdiff, kLongDouble } mod = kNone;
    if (p[0] == 'h' && p[1] == 'h') {
      mod = kChar;
      p += 2;
    } else if (*p == 'h') {
      mod = kShort;
      ++p;
    } else if (p[0] == 'l' && p[1] == 'l') {
      mod = kLongLong;
      p += 2;
    } else if (*p == 'l') {
      mod = kLong;
      ++p;
    } else if (*p == 'z') {
      mod = kSize;
      ++p;
    } else if (*p == 'j') {
      mod = kMax;
      ++p;
    } else if (*p == 't') {
      mod = kPtrdiff;
      ++p;
    } else if (*p == 'L') {
      mod = kLongDouble;
      ++p;
    } else if (p[0] == 'I' && p[1] == '6' && p[2] == '4') {
      mod = kLongLong;
      p += 3;
    }
    char conv = *p;
    if (!conv) {
      ok = false;
      break;
    }
    ++p;
    // The conversion as written, rebuilt for snprintf with a portable length modifier.
    char spec[48];
    size_t flagsLen = 0;
    {
      const char* q = specStart + 1;
      spec[flagsLen++] = '%';
      while (*q == '-' || *q == '+' || *q == ' ' || *q == '#' || *q == '0') {
        if (flagsLen < 8) spec[flagsLen++] = *q;
        ++q;
      }
      int n = 0;
      if (width >= 0 && precision >= 0)
        n = std::snprintf(spec + flagsLen, sizeof(spec) - flagsLen, "%d.%d", width, precision);
      else if (width >= 0)
        n = std::snprintf(spec + flagsLen, sizeof(spec) - flagsLen, "%d", width);
      else if (precision >= 0)
        n = std::snprintf(spec + flagsLen, sizeof(spec) - flagsLen, ".%d", precision);
      flagsLen += static_cast<size_t>(n);
    }
    char number[1100];
    switch (conv) {
      case '%':
        out.Put('%');
        break;
      case 'd':
      case 'i':
      case 'u':
      case 'o':
      case 'x':
      case 'X': {
        bool isSigned = conv == 'd' || conv == 'i';
        std::snprintf(spec + flagsLen, sizeof(spec) - flagsLen, "ll%c", conv);
        long long value = 0;
        switch (mod) {
          case kLongLong:
          case kMax:
            value = va_arg(ap, long long);
            break;
          case kLong:
            value = isSigned ? static_cast<long long>(va_arg(ap, long))
                             : static_cast<long long>(va_arg(ap, unsigned long));
            break;
          case kSize:
          case kPtrdiff:
            value = static_cast<long long>(va_arg(ap, size_t));
            if (isSigned && sizeof(size_t) == 4) value = static_cast<int32_t>(value);
            break;
          default:
            value = isSigned ? static_cast<long long>(va_arg(ap, int))
                             : static_cast<long long>(va_arg(ap, unsigned int));
            if (mod == kChar) value = isSigned ? static_cast<signed char>(value) : static_cast<unsigned char>(value);
            if (mod == kShort) value = isSigned ? static_cast<short>(value) : static_cast<unsigned short>(value);
            break;
        }
        int n = isSigned ? std::snprintf(number, sizeof(number), spec, value)
                         : std::snprintf(number, sizeof(number), spec, static_cast<unsigned long long>(value));
        if (n > 0) out.Put(number, static_cast<size_t>(n) < sizeof(number) ? static_cast<size_t>(n) : sizeof(number) - 1);
        break;
      }
      case 'f':
      case 'F':
      case 'e':
      case 'E':
      case 'g':
      case 'G':
      case 'a':
      case 'A': {
        double value = mod == kLongDouble ? static_cast<double>(va_arg(ap, long double)) : va_arg(ap, double);
        std::snprintf(spec + flagsLen, sizeof(spec) - flagsLen, "%c", conv);
        int n = std::snprintf(number, sizeof(number), spec, value);
        if (n > 0) out.Put(number, static_cast<size_t>(n) < sizeof(number) ? static_cast<size_t>(n) : sizeof(number) - 1);
        break;
      }
      case 'p': {
        void* value = va_arg(ap, void*);
        int n = std::snprintf(number, sizeof(number), "0x%llx",
                              static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(value)));
        if (n > 0) {
          if (!left && width > n) out.Pad(' ', width - n);
          out.Put(number, static_cast<size_t>(n));
          if (left && width > n) out.Pad(' ', width - n);
        }
        break;
      }
      case 'c':
      case 'C': {
        char bytes[4];
        size_t n;
        if (conv == 'C' || mod == kLong)
          n = Utf8(static_cast<uint32_t>(va_arg(ap, int)), bytes);  // wint_t is promoted
        else {
          bytes[0] = static_cast<char>(va_arg(ap, int));
          n = 1;
        }
        int pad = width > static_cast<int>(n) ? width - static_cast<int>(n) : 0;
        if (!left) out.Pad(zero ? '0' : ' ', pad);
        out.Put(bytes, n);
        if (left) out.Pad(' ', pad);
        break;
      }
      case 's':
      case 'S': {
        if (conv == 'S' || mod == kLong) {
          const wchar_t* text = va_arg(ap, const wchar_t*);
          if (!text) text = L"(null)";
          size_t n = WideUtf8Length(text, precision);
          int pad = width > static_cast<int>(n) ? width - static_cast<int>(n) : 0;
          if (!left) out.Pad(' ', pad);
          size_t written = 0;
          char tmp[4];
          while (*text) {
            size_t k = Utf8(NextCodePoint(text), tmp);
            if (written + k > n) break;
            out.Put(tmp, k);
            written += k;
          }
          if (left) out.Pad(' ', pad);
        } else {
          const char* text = va_arg(ap, const char*);
          if (!text) text = "(null)";
          size_t n = precision >= 0 ? strnlen(text, static_cast<size_t>(precision)) : std::strlen(text);
          int pad = width > static_cast<int>(n) ? width - static_cast<int>(n) : 0;
          if (!left) out.Pad(' ', pad);
          out.Put(text, n);
          if (left) out.Pad(' ', pad);
        }
        break;
      }
      default:  // "%n" and anything unknown cannot be applied
        ok = false;
        break;
    }
    if (!ok) break;
  }
  va_end(ap);
  out.Terminate();
  return ok;
}

}  // namespace Logging

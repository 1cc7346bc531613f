// Deflate block output: the bit writer and the writing of one block of symbols as a stored,
// fixed-code or dynamic-code block, whichever is smallest (RFC 1951, section 3.2).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "diag/Deflate.h"

namespace flate {

constexpr int kLiteralLengthSymbols = 286;  // 0..255 literals, 256 end of block, 257..285 lengths
constexpr int kDistanceSymbols = 30;
constexpr int kEndOfBlock = 256;

// One parsed item: a literal (distance 0) or a match of length 3..258 at distance 1..32768.
struct Symbol {
  uint16_t value;  // the literal byte, or the match length
  uint16_t distance;
};

struct LengthCodeTable {
  uint8_t symbol[259];  // length -> 0..28 (add 257 for the literal/length symbol)
  constexpr LengthCodeTable() : symbol() {
    constexpr int kBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                               31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
    for (int code = 0; code < 29; ++code) {
      const int last = code == 28 ? 258 : (code == 27 ? 257 : kBase[code + 1] - 1);
      for (int len = kBase[code]; len <= last; ++len) symbol[len] = static_cast<uint8_t>(code);
    }
  }
};
inline constexpr LengthCodeTable kLengthCodes;

struct DistanceCodeTable {
  uint8_t small[256];  // distance - 1 below 256
  uint8_t large[256];  // (distance - 1) >> 7 for distances above 256
  constexpr DistanceCodeTable() : small(), large() {
    for (int code = 0; code < 30; ++code) {
      const int extra = code < 4 ? 0 : code / 2 - 1;
      const int base = code < 4 ? code : ((2 + (code & 1)) << extra);  // distance - 1
      for (int d = base; d < base + (1 << extra); ++d) {
        if (d < 256) small[d] = static_cast<uint8_t>(code);
        else large[d >> 7] = static_cast<uint8_t>(code);
      }
    }
  }
};
inline constexpr DistanceCodeTable kDistanceCodes;

inline int DistanceSymbol(int distance) {
  const int d = distance - 1;
  return d < 256 ? kDistanceCodes.small[d] : kDistanceCodes.large[d >> 7];
}

extern const uint8_t kLengthExtraBits[29];
extern const uint16_t kLengthBase[29];
extern const uint8_t kDistanceExtraBits[30];
extern const uint16_t kDistanceBase[30];

// Collects bits least significant first into a fixed buffer that is drained to the output.
class BitWriter {
 public:
  BitWriter(DeflateOutput& out, uint8_t* buffer, size_t capacity)
      : out_(out), begin_(buffer), ptr_(buffer), limit_(buffer + capacity - kReserve) {}

  // Appends count bits (count <= 32).
  void Put(uint32_t bits, int count) {
    acc_ |= static_cast<uint64_t>(bits) << used_;
    used_ += count;
    if (used_ >= 32) {
      const uint32_t word = static_cast<uint32_t>(acc_);
      std::memcpy(ptr_, &word, 4);  // little-endian hosts only (x86-64 on both targets)
      ptr_ += 4;
      acc_ >>= 32;
      used_ -= 32;
    }
  }
  // Guarantees room for at least kReserve more bytes; call between symbols.
  void MakeRoom() {
    if (ptr_ >= limit_) Drain();
  }
  // Pads with zero bits to the next byte boundary and moves every whole byte to the buffer.
  void AlignToByte();
  // Writes bytes at a byte boundary (after AlignToByte).
  void PutBytes(const uint8_t* data, size_t size);
  // Bits waiting in the accumulator (0..31): the position within the current byte is used_ % 8.
  int PendingBits() const { return used_; }
  // Sends the buffered bytes to the output; false once the output has failed.
  bool Drain();
  bool Failed() const { return failed_; }
  // Forgets everything buffered and any failure, for a new stream.
  void Reset() {
    ptr_ = begin_;
    acc_ = 0;
    used_ = 0;
    failed_ = false;
  }

  static constexpr size_t kReserve = 1024;

 private:
  DeflateOutput& out_;
  uint8_t* begin_;
  uint8_t* ptr_;
  uint8_t* limit_;
  uint64_t acc_ = 0;
  int used_ = 0;
  bool failed_ = false;
};

// Writes one block covering the symbols; raw is the uncompressed data the symbols stand for
// (needed when the stored form is smallest). literalFreq has kLiteralLengthSymbols counts
// (end of block not counted), distanceFreq kDistanceSymbols.
void WriteBlock(BitWriter& bits, const Symbol* symbols, size_t count, const uint32_t* literalFreq,
                const uint32_t* distanceFreq, const uint8_t* raw, size_t rawSize, bool final);

}  // namespace flate

// Deflate block output: bit writer and block encoding (stored, fixed or dynamic codes).
#include "diag/DeflateBlock.h"

#include <algorithm>

#include "diag/DeflateHuffman.h"

namespace flate {

const uint8_t kLengthExtraBits[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                      2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
const uint16_t kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                  31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
const uint8_t kDistanceExtraBits[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                        6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
const uint16_t kDistanceBase[30] = {1,   2,   3,   4,   5,   7,    9,    13,   17,   25,
                                    33,  49,  65,  97,  129, 193,  257,  385,  513,  769,
                                    1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};

void BitWriter::AlignToByte() {
  const int pad = (8 - used_ % 8) % 8;
  used_ += pad;
  while (used_ >= 8) {
    *ptr_++ = static_cast<uint8_t>(acc_);
    acc_ >>= 8;
    used_ -= 8;
  }
}

void BitWriter::PutBytes(const uint8_t* data, size_t size) {
  // Large pieces go straight to the output after what is buffered.
  if (size >= kReserve) {
    Drain();
    if (!failed_ && !out_.WriteCompressed(data, size)) failed_ = true;
    return;
  }
  MakeRoom();
  std::memcpy(ptr_, data, size);
  ptr_ += size;
}

bool BitWriter::Drain() {
  if (ptr_ != begin_ && !failed_ && !out_.WriteCompressed(begin_, static_cast<size_t>(ptr_ - begin_)))
    failed_ = true;
  ptr_ = begin_;
  return !failed_;
}

namespace {

constexpr int kCodeLengthSymbols = 19;
constexpr uint8_t kCodeLengthOrder[kCodeLengthSymbols] = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                                          11, 4,  12, 3, 13, 2, 14, 1, 15};

struct FixedCodes {
  uint8_t literalLengths[288];
  uint8_t distanceLengths[32];
  uint16_t literalCodes[288];
  uint16_t distanceCodes[32];
  FixedCodes() {
    for (int s = 0; s < 288; ++s) literalLengths[s] = s < 144 ? 8 : s < 256 ? 9 : s < 280 ? 7 : 8;
    for (int s = 0; s < 32; ++s) distanceLengths[s] = 5;
    BuildCanonicalCodes(literalLengths, 288, literalCodes);
    BuildCanonicalCodes(distanceLengths, 32, distanceCodes);
  }
};

const FixedCodes& Fixed() {
  static const FixedCodes codes;
  return codes;
}

// Bits for the symbols themselves under the given code lengths, extra bits included.
uint64_t SymbolBits(const uint32_t* literalFreq, const uint8_t* literalLengths, const uint32_t* distanceFreq,
                    const uint8_t* distanceLengths) {
  uint64_t bits = literalLengths[kEndOfBlock];
  for (int s = 0; s < kLiteralLengthSymbols; ++s) {
    uint64_t len = literalLengths[s];
    if (s > kEndOfBlock) len += kLengthExtraBits[s - 257];
    bits += literalFreq[s] * len;
  }
  for (int s = 0; s < kDistanceSymbols; ++s) bits += distanceFreq[s] * static_cast<uint64_t>(distanceLengths[s] + kDistanceExtraBits[s]);
  return bits;
}

// The run-length coded code lengths of a dynamic block header.
struct DynamicHeader {
  int literalCount = 257;  // HLIT + 257
  int distanceCount = 1;   // HDIST + 1
  int codeLengthCount = 4;  // HCLEN + 4
  uint8_t items[kLiteralLengthSymbols + kDistanceSymbols];  // code length symbols 0..18
  uint8_t itemExtra[kLiteralLengthSymbols + kDistanceSymbols];
  int itemCount = 0;
  uint32_t codeLengthFreq[kCodeLengthSymbols] = {};
  uint8_t codeLengthLengths[kCodeLengthSymbols];
  uint16_t codeLengthCodes[kCodeLengthSymbols];

  void Build(const uint8_t* literalLengths, const uint8_t* distanceLengths) {
    literalCount = kLiteralLengthSymbols;
    while (literalCount > 257 && literalLengths[literalCount - 1] == 0) --literalCount;
    distanceCount = kDistanceSymbols;
    while (distanceCount > 1 && distanceLengths[distanceCount - 1] == 0) --distanceCount;
    uint8_t all[kLiteralLengthSymbols + kDistanceSymbols];
    std::copy(literalLengths, literalLengths + literalCount, all);
    std::copy(distanceLengths, distanceLengths + distanceCount, all + literalCount);
    const int total = literalCount + distanceCount;
    for (int i = 0; i < total;) {
      const uint8_t len = all[i];
      int run = 1;
      while (i + run < total && all[i + run] == len) ++run;
      i += run;
      if (len == 0) {
        while (run >= 11) {
          const int n = std::min(run, 138);
          Add(18, static_cast<uint8_t>(n - 11));
          run -= n;
        }
        if (run >= 3) {
          Add(17, static_cast<uint8_t>(run - 3));
          run = 0;
        }
      } else {
        Add(len, 0);
        --run;
        while (run >= 3) {
          const int n = std::min(run, 6);
          Add(16, static_cast<uint8_t>(n - 3));
          run -= n;
        }
      }
      while (run-- > 0) Add(len, 0);
    }
    BuildCodeLengths(codeLengthFreq, kCodeLengthSymbols, 7, codeLengthLengths);
    BuildCanonicalCodes(codeLengthLengths, kCodeLengthSymbols, codeLengthCodes);
    codeLengthCount = kCodeLengthSymbols;
    while (codeLengthCount > 4 && codeLengthLengths[kCodeLengthOrder[codeLengthCount - 1]] == 0) --codeLengthCount;
  }

  void Add(uint8_t symbol, uint8_t extra) {
    items[itemCount] = symbol;
    itemExtra[itemCount] = extra;
    ++itemCount;
    ++codeLengthFreq[symbol];
  }

  uint64_t Bits() const {
    uint64_t bits = 5 + 5 + 4 + 3 * uint64_t(codeLengthCount);
    for (int s = 0; s < kCodeLengthSymbols; ++s) bits += codeLengthFreq[s] * uint64_t{codeLengthLengths[s]};
    bits += codeLengthFreq[16] * 2 + codeLengthFreq[17] * 3 + codeLengthFreq[18] * 7;
    return bits;
  }

  void Write(BitWriter& out) const {
    out.Put(static_cast<uint32_t>(literalCount - 257), 5);
    out.Put(static_cast<uint32_t>(distanceCount - 1), 5);
    out.Put(static_cast<uint32_t>(codeLengthCount - 4), 4);
    for (int i = 0; i < codeLengthCount; ++i) out.Put(codeLengthLengths[kCodeLengthOrder[i]], 3);
    for (int i = 0; i < itemCount; ++i) {
      const uint8_t s = items[i];
      out.Put(codeLengthCodes[s], codeLengthLengths[s]);
      if (s == 16) out.Put(itemExtra[i], 2);
      else if (s == 17) out.Put(itemExtra[i], 3);
      else if (s == 18) out.Put(itemExtra[i], 7);
      out.MakeRoom();
    }
  }
};

void WriteSymbols(BitWriter& out, const Symbol* symbols, size_t count, const uint8_t* literalLengths,
                  const uint16_t* literalCodes, const uint8_t* distanceLengths, const uint16_t* distanceCodes) {
  for (size_t i = 0; i < count; ++i) {
    const Symbol sym = symbols[i];
    if (sym.distance == 0) {
      out.Put(literalCodes[sym.value], literalLengths[sym.value]);
    } else {
      const int lengthCode = kLengthCodes.symbol[sym.value];
      const int ls = 257 + lengthCode;
      out.Put(literalCodes[ls] | (static_cast<uint32_t>(sym.value - kLengthBase[lengthCode]) << literalLengths[ls]),
              literalLengths[ls] + kLengthExtraBits[lengthCode]);
      const int ds = DistanceSymbol(sym.distance);
      out.Put(distanceCodes[ds] | (static_cast<uint32_t>(sym.distance - kDistanceBase[ds]) << distanceLengths[ds]),
              distanceLengths[ds] + kDistanceExtraBits[ds]);
    }
    out.MakeRoom();
  }
  out.Put(literalCodes[kEndOfBlock], literalLengths[kEndOfBlock]);
}

}  // namespace

void WriteBlock(BitWriter& out, const Symbol* symbols, size_t count, const uint32_t* literalFreq,
                const uint32_t* distanceFreq, const uint8_t* raw, size_t rawSize, bool final) {
  out.MakeRoom();
  uint32_t literals[kLiteralLengthSymbols];
  std::copy(literalFreq, literalFreq + kLiteralLengthSymbols, literals);
  literals[kEndOfBlock] = 1;

  uint8_t literalLengths[kLiteralLengthSymbols];
  uint8_t distanceLengths[kDistanceSymbols];
  BuildCodeLengths(literals, kLiteralLengthSymbols, 15, literalLengths);
  BuildCodeLengths(distanceFreq, kDistanceSymbols, 15, distanceLengths);
  DynamicHeader header;
  header.Build(literalLengths, distanceLengths);

  const FixedCodes& fixed = Fixed();
  const uint64_t dynamicBits = 3 + header.Bits() + SymbolBits(literals, literalLengths, distanceFreq, distanceLengths);
  const uint64_t fixedBits = 3 + SymbolBits(literals, fixed.literalLengths, distanceFreq, fixed.distanceLengths);
  uint64_t storedBits = ~uint64_t{0};
  if (rawSize > 0 || count == 0) {
    const uint64_t pieces = rawSize == 0 ? 1 : (rawSize + 65534) / 65535;
    const uint64_t firstPad = (8 - (out.PendingBits() + 3) % 8) % 8;
    storedBits = pieces * (3 + 32) + firstPad + (pieces - 1) * 5 + 8 * uint64_t{rawSize};
  }

  if (storedBits <= fixedBits && storedBits <= dynamicBits) {
    size_t done = 0;
    do {
      const size_t piece = std::min<size_t>(rawSize - done, 65535);
      const bool last = done + piece == rawSize;
      out.Put((final && last) ? 1 : 0, 3);
      out.AlignToByte();
      const uint8_t lengths[4] = {static_cast<uint8_t>(piece), static_cast<uint8_t>(piece >> 8),
                                  static_cast<uint8_t>(~piece), static_cast<uint8_t>(~piece >> 8)};
      out.PutBytes(lengths, 4);
      out.PutBytes(raw + done, piece);
      done += piece;
    } while (done < rawSize);
    return;
  }

  if (fixedBits <= dynamicBits) {
    out.Put(final ? 3 : 2, 3);  // BFINAL, BTYPE 01
    WriteSymbols(out, symbols, count, fixed.literalLengths, fixed.literalCodes, fixed.distanceLengths,
                 fixed.distanceCodes);
    return;
  }

  uint16_t literalCodes[kLiteralLengthSymbols];
  uint16_t distanceCodes[kDistanceSymbols];
  BuildCanonicalCodes(literalLengths, kLiteralLengthSymbols, literalCodes);
  BuildCanonicalCodes(distanceLengths, kDistanceSymbols, distanceCodes);
  out.Put(final ? 5 : 4, 3);  // BFINAL, BTYPE 10
  header.Write(out);
  WriteSymbols(out, symbols, count, literalLengths, literalCodes, distanceLengths, distanceCodes);
}

}  // namespace flate

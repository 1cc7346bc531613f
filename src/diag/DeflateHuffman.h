// Huffman code construction for the Deflate encoder: length-limited code lengths and the
// canonical codes of RFC 1951 (bit-reversed, ready to be sent least significant bit first).
#pragma once

#include <cstdint>

namespace flate {

// Code lengths for symbols 0..count-1 with the given frequencies, none longer than maxLength.
// Unused symbols get 0. The code is always complete: when fewer than two symbols are used,
// two symbols get length 1 (some decoders reject a code with a single symbol).
void BuildCodeLengths(const uint32_t* freq, int count, int maxLength, uint8_t* lengths);

// Canonical codes for the lengths, each bit-reversed so it can be written LSB first.
void BuildCanonicalCodes(const uint8_t* lengths, int count, uint16_t* codes);

}  // namespace flate

// Huffman code construction for the Deflate encoder.
#include "diag/DeflateHuffman.h"

#include <algorithm>

namespace flate {

namespace {

constexpr int kMaxSymbols = 288;
constexpr int kMaxDepth = kMaxSymbols;  // an unlimited tree over 288 leaves is at most 287 deep

}  // namespace

void BuildCodeLengths(const uint32_t* freq, int count, int maxLength, uint8_t* lengths) {
  // Used symbols sorted by ascending frequency (ties by symbol, so the result is deterministic).
  uint32_t order[kMaxSymbols];
  int used = 0;
  for (int s = 0; s < count; ++s) {
    lengths[s] = 0;
    if (freq[s] != 0) order[used++] = static_cast<uint32_t>(s);
  }
  if (used < 2) {
    const int first = used == 1 ? static_cast<int>(order[0]) : 0;
    const int second = first == 0 ? 1 : 0;
    lengths[first] = 1;
    lengths[second] = 1;
    return;
  }
  std::sort(order, order + used, [freq](uint32_t a, uint32_t b) {
    return freq[a] != freq[b] ? freq[a] < freq[b] : a < b;
  });

  // Two-queue Huffman construction: leaves in ascending order, internal nodes are created in
  // non-decreasing weight order, so the two lightest nodes are always at one of the queue fronts.
  uint64_t weight[2 * kMaxSymbols];
  int parent[2 * kMaxSymbols];
  for (int i = 0; i < used; ++i) weight[i] = freq[order[i]];
  int leaf = 0;
  int inner = used;  // internal nodes are numbered used, used + 1, ...
  int next = used;
  auto takeLightest = [&]() {
    if (leaf < used && (inner >= next || weight[leaf] <= weight[inner])) return leaf++;
    return inner++;
  };
  while (next < 2 * used - 1) {
    const int a = takeLightest();
    const int b = takeLightest();
    weight[next] = weight[a] + weight[b];
    parent[a] = next;
    parent[b] = next;
    ++next;
  }

  // Depths: the root is the last node; parents are always created after their children.
  int depth[2 * kMaxSymbols];
  const int root = 2 * used - 2;
  depth[root] = 0;
  int lengthCount[kMaxDepth + 1] = {};
  for (int node = root - 1; node >= 0; --node) {
    depth[node] = depth[parent[node]] + 1;
    if (node < used) ++lengthCount[depth[node]];
  }

  // Limit the lengths: fold the too-long ones onto maxLength, then restore the Kraft equality
  // by moving leaves down one level at a time (each step removes exactly one unit of overflow).
  for (int len = maxLength + 1; len <= kMaxDepth; ++len) {
    lengthCount[maxLength] += lengthCount[len];
    lengthCount[len] = 0;
  }
  uint64_t kraft = 0;
  for (int len = 1; len <= maxLength; ++len) kraft += static_cast<uint64_t>(lengthCount[len]) << (maxLength - len);
  const uint64_t full = uint64_t{1} << maxLength;
  while (kraft > full) {
    --lengthCount[maxLength];
    for (int len = maxLength - 1; len > 0; --len) {
      if (lengthCount[len] != 0) {
        --lengthCount[len];
        lengthCount[len + 1] += 2;
        break;
      }
    }
    --kraft;
  }

  // The least frequent symbols get the longest codes.
  int i = 0;
  for (int len = maxLength; len > 0; --len) {
    for (int n = lengthCount[len]; n > 0; --n) lengths[order[i++]] = static_cast<uint8_t>(len);
  }
}

void BuildCanonicalCodes(const uint8_t* lengths, int count, uint16_t* codes) {
  int lengthCount[16] = {};
  for (int s = 0; s < count; ++s) ++lengthCount[lengths[s]];
  lengthCount[0] = 0;
  uint32_t nextCode[16] = {};
  uint32_t code = 0;
  for (int len = 1; len < 16; ++len) {
    code = (code + lengthCount[len - 1]) << 1;
    nextCode[len] = code;
  }
  for (int s = 0; s < count; ++s) {
    const int len = lengths[s];
    if (len == 0) {
      codes[s] = 0;
      continue;
    }
    uint32_t c = nextCode[len]++;
    uint32_t reversed = 0;
    for (int b = 0; b < len; ++b) {
      reversed = (reversed << 1) | (c & 1);
      c >>= 1;
    }
    codes[s] = static_cast<uint16_t>(reversed);
  }
}

}  // namespace flate

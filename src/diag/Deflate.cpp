// Raw Deflate encoder: hash-chain match finder with lazy matching, blocks split where the
// statistics of the data change, each block written in its smallest form.
//
// Match finding keeps two hash tables: one keyed on 4 bytes with chains through the window
// (candidates for matches of 4 and more), and one keyed on 3 bytes holding only the most recent
// position (matches of exactly 3 are worth it only close by). Chains therefore hold far fewer
// false candidates than a 3-byte chain would, which is where most of the speed comes from.
#include "diag/Deflate.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

#include "diag/DeflateBlock.h"

namespace {

using flate::Symbol;

constexpr int kWindowSize = 32768;
constexpr int kWindowMask = kWindowSize - 1;
constexpr int kMinMatch = 3;
constexpr int kMaxMatch = 258;
// Bytes that must follow a position before it is parsed (unless the input has ended): a
// full-length match and the 4-byte hash of the next position.
constexpr int kLookahead = kMaxMatch + 4;
// History (32 KiB), the pending block's input and the next piece of input.
constexpr int kBufferSize = 4 * 65536;
constexpr int kBufferSlack = 16;  // word-wise comparison may read a little past the data
constexpr int kHash4Bits = 16;
constexpr int kHash3Bits = 14;
constexpr int32_t kNoPosition = -(1 << 30);
// A match of 3 bytes farther than this costs more than three literals.
constexpr int kFarMatch3 = 4096;
// Held matches shorter than this are also compared with the match two positions on.
constexpr int kSecondLookBelow = 16;
constexpr size_t kMaxBlockSymbols = 65536;
// Symbols gathered before deciding whether they continue the current block or start a new one.
constexpr size_t kSegmentSymbols = 4096;
constexpr size_t kOutputBuffer = 65536;

inline uint32_t Load32(const uint8_t* p) {
  uint32_t v;
  std::memcpy(&v, p, 4);
  return v;
}

inline uint64_t Load64(const uint8_t* p) {
  uint64_t v;
  std::memcpy(&v, p, 8);
  return v;
}

inline uint32_t Hash4(uint32_t fourBytes) { return (fourBytes * 0x9E3779B1u) >> (32 - kHash4Bits); }
inline uint32_t Hash3(uint32_t fourBytes) { return ((fourBytes << 8) * 0x9E3779B1u) >> (32 - kHash3Bits); }

// Equal leading bytes of a and b, at most limit (may read up to 7 bytes past limit).
inline int MatchLength(const uint8_t* a, const uint8_t* b, int start, int limit) {
  int len = start;
  while (len < limit) {
    const uint64_t diff = Load64(a + len) ^ Load64(b + len);
    if (diff != 0) return std::min(limit, len + (__builtin_ctzll(diff) >> 3));
    len += 8;
  }
  return limit;
}

// f * log2(f), from a table for small counts.
struct EntropyTable {
  float value[1024];
  EntropyTable() {
    value[0] = 0;
    for (int f = 1; f < 1024; ++f) value[f] = static_cast<float>(f * std::log2(static_cast<double>(f)));
  }
};
const EntropyTable kEntropy;

inline double FLog2F(uint32_t f) { return f < 1024 ? kEntropy.value[f] : f * std::log2(static_cast<double>(f)); }

// Estimated bits for coding the symbols counted in a (plus b) with codes made for them alone.
double EstimateBits(const uint32_t* a, const uint32_t* b, int count, int* used) {
  uint32_t total = 0;
  double sum = 0;
  for (int s = 0; s < count; ++s) {
    const uint32_t f = a[s] + (b ? b[s] : 0);
    if (f == 0) continue;
    total += f;
    sum += FLog2F(f);
    ++*used;
  }
  return FLog2F(total) - sum;
}

}  // namespace

struct DeflateEncoder::State {
  State(DeflateOutput& output, const DeflateTuning& t) : out(output), tuning(t), bits(output, outBuffer, kOutputBuffer) {
    // Comparisons may look a few bytes past the data; those bytes are then always defined.
    std::memset(window, 0, sizeof window);
    Reset();
  }

  DeflateOutput& out;
  DeflateTuning tuning;
  flate::BitWriter bits;

  int32_t pos = 0;           // next position to parse
  int32_t end = 0;           // end of the input in the window
  int32_t blockStart = 0;    // first input byte of the current block
  int32_t segmentStart = 0;  // first input byte of the current segment
  int prevLength = 0;        // lazy matching: the match found at pos - 1 (when havePrevious)
  int prevDistance = 0;
  bool havePrevious = false;
  bool finished = false;

  size_t blockSymbols = 0;   // symbols of the block before the current segment
  size_t symbolCount = 0;    // all pending symbols (block + segment)
  uint32_t blockLiterals[flate::kLiteralLengthSymbols];
  uint32_t blockDistances[flate::kDistanceSymbols];
  uint32_t segmentLiterals[flate::kLiteralLengthSymbols];
  uint32_t segmentDistances[flate::kDistanceSymbols];

  int32_t head4[1 << kHash4Bits];
  int32_t head3[1 << kHash3Bits];
  // Distance back to the previous position with the same 4-byte hash, by position & mask
  // (0: none within reach). Distances need no rebasing when the window slides.
  uint16_t chain[kWindowSize];
  Symbol symbols[kMaxBlockSymbols];
  uint8_t window[kBufferSize + kBufferSlack];
  uint8_t outBuffer[kOutputBuffer];

  void Reset() {
    bits.Reset();
    pos = end = blockStart = segmentStart = 0;
    prevLength = prevDistance = 0;
    havePrevious = false;
    finished = false;
    blockSymbols = symbolCount = 0;
    std::fill(std::begin(blockLiterals), std::end(blockLiterals), 0);
    std::fill(std::begin(blockDistances), std::end(blockDistances), 0);
    std::fill(std::begin(segmentLiterals), std::end(segmentLiterals), 0);
    std::fill(std::begin(segmentDistances), std::end(segmentDistances), 0);
    std::fill(std::begin(head4), std::end(head4), kNoPosition);
    std::fill(std::begin(head3), std::end(head3), kNoPosition);
    std::fill(std::begin(chain), std::end(chain), uint16_t{0});
  }

  int32_t CoveredEnd() const { return havePrevious ? pos - 1 : pos; }

  void EmitLiteral(uint8_t byte) {
    symbols[symbolCount++] = Symbol{byte, 0};
    ++segmentLiterals[byte];
  }

  void EmitMatch(int length, int distance) {
    symbols[symbolCount++] = Symbol{static_cast<uint16_t>(length), static_cast<uint16_t>(distance)};
    ++segmentLiterals[257 + flate::kLengthCodes.symbol[length]];
    ++segmentDistances[flate::DistanceSymbol(distance)];
  }

  void Insert(int32_t p) {
    const uint32_t v = Load32(window + p);
    int32_t& head = head4[Hash4(v)];
    chain[p & kWindowMask] = ChainLink(p, head);
    head = p;
    head3[Hash3(v)] = p;
  }

  static uint16_t ChainLink(int32_t p, int32_t previous) {
    const int32_t distance = p - previous;
    return distance <= kWindowSize ? static_cast<uint16_t>(distance) : 0;
  }

  // Inserts position p into the hash tables and returns the longest match there that is longer
  // than minLength (0 when there is none), from the 3-byte candidate and the 4-byte chain.
  int InsertAndFindMatch(int32_t p, int minLength, int* distance) {
    const uint32_t v = Load32(window + p);
    int32_t& head = head4[Hash4(v)];
    int32_t& recent3 = head3[Hash3(v)];
    const int32_t candidate4 = head;
    const int32_t candidate3 = recent3;
    chain[p & kWindowMask] = ChainLink(p, candidate4);
    head = p;
    recent3 = p;
    if (minLength >= tuning.maxLazy) return 0;

    const uint8_t* cur = window + p;
    const int32_t lowest = p - kWindowSize;
    const int maxLength = std::min(end - p, kMaxMatch);
    const int nice = std::min(tuning.niceLength, maxLength);
    int best = std::max(minLength, kMinMatch - 1);
    if (best >= nice) return 0;
    int found = 0;
    if (best < kMinMatch && candidate3 >= lowest && p - candidate3 <= kFarMatch3 &&
        ((Load32(window + candidate3) ^ v) & 0xFFFFFF) == 0) {
      best = found = MatchLength(window + candidate3, cur, 3, maxLength);
      *distance = p - candidate3;
      if (best >= nice) return found;
    }
    int chainLeft = minLength >= tuning.goodLength ? tuning.maxChain >> 2 : tuning.maxChain;
    int32_t candidate = candidate4;
    // The candidate must agree with the current position on the 4 bytes ending just past the
    // best length so far, or it cannot be longer.
    int probe = std::max(best - 3, 0);
    uint32_t wanted = Load32(cur + probe);
    while (candidate >= lowest && chainLeft-- > 0) {
      const uint8_t* m = window + candidate;
      const int link = chain[candidate & kWindowMask];
      if (Load32(m + probe) == wanted && Load32(m) == v) {
        const int len = MatchLength(m, cur, 4, maxLength);
        if (len > best) {
          best = found = len;
          *distance = p - candidate;
          if (len >= nice) break;
          probe = best - 3;
          wanted = Load32(cur + probe);
        }
      }
      if (link == 0) break;
      candidate -= link;
    }
    return found;
  }

  // Lazy matching: a match found at one position is held back until the next position has
  // been searched; if that one is longer, the held match becomes a literal. A short held match
  // is also checked against the position after the next (a match longer by two pays for the
  // two literals).
  void Parse(bool final) {
    const int32_t limit = final ? end : end - kLookahead;
    while (pos < limit) {
      int length = 0;
      int distance = 0;
      if (end - pos >= 4) length = InsertAndFindMatch(pos, havePrevious ? prevLength : 0, &distance);
      if (havePrevious && prevLength >= kMinMatch && length <= prevLength) {
        int32_t insertFrom = pos + 1;
        if (prevLength < kSecondLookBelow && pos + 1 < limit && end - (pos + 1) >= 4) {
          int nextDistance = 0;
          const int nextLength = InsertAndFindMatch(pos + 1, prevLength + 1, &nextDistance);
          insertFrom = pos + 2;
          if (nextLength >= prevLength + 2) {
            EmitLiteral(window[pos - 1]);
            EmitLiteral(window[pos]);
            prevLength = nextLength;
            prevDistance = nextDistance;
            pos += 2;
            if (symbolCount - blockSymbols >= kSegmentSymbols) EndSegment();
            continue;
          }
        }
        EmitMatch(prevLength, prevDistance);
        const int32_t matchEnd = pos - 1 + prevLength;
        const int32_t insertEnd = std::min(matchEnd, end - 3);
        for (int32_t p = insertFrom; p < insertEnd; ++p) Insert(p);
        pos = matchEnd;
        havePrevious = false;
        prevLength = 0;
      } else {
        if (havePrevious) EmitLiteral(window[pos - 1]);
        havePrevious = true;
        prevLength = length;
        prevDistance = distance;
        ++pos;
      }
      if (symbolCount - blockSymbols >= kSegmentSymbols) EndSegment();
    }
  }

  // The symbols of the segment either join the block or, when their statistics differ enough
  // to pay for a new block header, the block is written and the segment starts the next one.
  void EndSegment() {
    const int32_t covered = CoveredEnd();
    if (blockSymbols != 0 && SegmentStartsNewBlock()) {
      WritePendingBlock(blockSymbols, segmentStart, false);
    }
    for (int s = 0; s < flate::kLiteralLengthSymbols; ++s) blockLiterals[s] += segmentLiterals[s];
    for (int s = 0; s < flate::kDistanceSymbols; ++s) blockDistances[s] += segmentDistances[s];
    std::fill(std::begin(segmentLiterals), std::end(segmentLiterals), 0);
    std::fill(std::begin(segmentDistances), std::end(segmentDistances), 0);
    blockSymbols = symbolCount;
    segmentStart = covered;
    if (symbolCount + kSegmentSymbols >= kMaxBlockSymbols) WritePendingBlock(symbolCount, covered, false);
  }

  bool SegmentStartsNewBlock() const {
    int blockUsed = 0, segmentUsed = 0, mergedUsed = 0;
    const double block = EstimateBits(blockLiterals, nullptr, flate::kLiteralLengthSymbols, &blockUsed) +
                         EstimateBits(blockDistances, nullptr, flate::kDistanceSymbols, &blockUsed);
    const double segment = EstimateBits(segmentLiterals, nullptr, flate::kLiteralLengthSymbols, &segmentUsed) +
                           EstimateBits(segmentDistances, nullptr, flate::kDistanceSymbols, &segmentUsed);
    const double merged = EstimateBits(blockLiterals, segmentLiterals, flate::kLiteralLengthSymbols, &mergedUsed) +
                          EstimateBits(blockDistances, segmentDistances, flate::kDistanceSymbols, &mergedUsed);
    const double header = 200 + 4.0 * segmentUsed;
    return block + segment + header < merged;
  }

  // Writes the first `count` pending symbols (which cover the input up to rawEnd) as a block,
  // with the block statistics; the rest move to the front.
  void WritePendingBlock(size_t count, int32_t rawEnd, bool final) {
    if (count == symbolCount) {  // everything pending: merge the segment's counts first
      for (int s = 0; s < flate::kLiteralLengthSymbols; ++s) blockLiterals[s] += segmentLiterals[s];
      for (int s = 0; s < flate::kDistanceSymbols; ++s) blockDistances[s] += segmentDistances[s];
      std::fill(std::begin(segmentLiterals), std::end(segmentLiterals), 0);
      std::fill(std::begin(segmentDistances), std::end(segmentDistances), 0);
    }
    if (count != 0 || final)
      flate::WriteBlock(bits, symbols, count, blockLiterals, blockDistances, window + blockStart,
                          static_cast<size_t>(rawEnd - blockStart), final);
    std::memmove(symbols, symbols + count, (symbolCount - count) * sizeof(Symbol));
    symbolCount -= count;
    blockSymbols = 0;
    std::fill(std::begin(blockLiterals), std::end(blockLiterals), 0);
    std::fill(std::begin(blockDistances), std::end(blockDistances), 0);
    blockStart = rawEnd;
  }

  // Writes everything parsed so far (possibly as two blocks).
  void FlushPending(bool final) {
    const int32_t covered = CoveredEnd();
    if (blockSymbols != 0 && symbolCount != blockSymbols && SegmentStartsNewBlock())
      WritePendingBlock(blockSymbols, segmentStart, false);
    WritePendingBlock(symbolCount, covered, final);
    segmentStart = covered;
  }

  // The amount the buffer may move by to keep everything from `keep` on: whole windows, so
  // that chain slots (position & mask) stay where they are.
  static int32_t ShiftKeeping(int32_t keep) { return std::max(keep, 0) & ~kWindowMask; }

  // Makes room for `size` more input bytes, dropping history older than the window. The room is
  // counted with the shift as it will be made (rounded down to whole windows), not with the
  // position to keep: counting with the latter once let the next piece of input run up to
  // 32 KiB past the buffer, over the compressed output waiting behind it.
  void MakeRoom(int size) {
    if (end + size <= kBufferSize) return;
    int32_t shift = ShiftKeeping(std::min(pos - kWindowSize, blockStart));
    if (end - shift + size > kBufferSize) {
      FlushPending(false);
      shift = ShiftKeeping(pos - kWindowSize);
    }
    if (shift == 0) return;
    std::memmove(window, window + shift, static_cast<size_t>(end - shift));
    pos -= shift;
    end -= shift;
    blockStart -= shift;
    segmentStart -= shift;
    auto rebase = [shift](int32_t& p) { p = p >= shift ? p - shift : kNoPosition; };
    std::for_each(std::begin(head4), std::end(head4), rebase);
    std::for_each(std::begin(head3), std::end(head3), rebase);
  }

  void Feed(const uint8_t* data, int size) {
    MakeRoom(size);
    // With one piece of input (64 KiB) after a window of history and the parse lookahead,
    // MakeRoom always leaves room in the buffer (256 KiB).
    static_assert(kBufferSize >= 2 * kWindowSize + kLookahead + static_cast<int>(DeflateEncoder::kInputBlock) + kWindowSize);
    std::memcpy(window + end, data, static_cast<size_t>(size));
    end += size;
    Parse(false);
  }

  void Finish() {
    Parse(true);
    if (havePrevious) {
      EmitLiteral(window[pos - 1]);
      havePrevious = false;
    }
    FlushPending(true);
    bits.AlignToByte();
    bits.Drain();
    finished = true;
  }
};

std::unique_ptr<DeflateEncoder> DeflateEncoder::Create(DeflateOutput& out, const DeflateTuning& tuning) {
  std::unique_ptr<State> state(new (std::nothrow) State(out, tuning));
  if (!state) return nullptr;
  std::unique_ptr<DeflateEncoder> encoder(new (std::nothrow) DeflateEncoder(state.get()));
  if (encoder) state.release();
  return encoder;
}

DeflateEncoder::DeflateEncoder(State* state) : state_(state) {}
DeflateEncoder::~DeflateEncoder() = default;

bool DeflateEncoder::Write(const void* data, size_t size) {
  State& s = *state_;
  if (s.finished) return false;
  const auto* p = static_cast<const uint8_t*>(data);
  while (size > 0 && !s.bits.Failed()) {
    const size_t piece = std::min(size, kInputBlock);
    s.Feed(p, static_cast<int>(piece));
    p += piece;
    size -= piece;
  }
  return !s.bits.Failed();
}

bool DeflateEncoder::Finish() {
  State& s = *state_;
  if (s.finished) return false;
  s.Finish();
  return !s.bits.Failed();
}

void DeflateEncoder::Reset() { state_->Reset(); }

size_t DeflateEncoder::WorkingMemory() { return sizeof(State); }

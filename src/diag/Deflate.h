// Raw Deflate encoder (RFC 1951, no zlib or gzip wrapper) with lazy matching, tuned like
// compression level 8: good length 32, maximum lazy match 128, nice length 258, maximum chain
// 1024. Its working memory is allocated once and does not depend on the input size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

// Receives the compressed stream in pieces, in order. Returns false to report a failure; the
// encoder then stops producing output and its Write/Finish return false.
class DeflateOutput {
 public:
  virtual bool WriteCompressed(const uint8_t* data, size_t size) = 0;

 protected:
  ~DeflateOutput() = default;
};

struct DeflateTuning {
  int goodLength = 32;      // at or past this previous match length, search a quarter of the chain
  int maxLazy = 128;        // at or past this previous match length, do not look for a better one
  int niceLength = 258;     // stop searching at a match this long
  int maxChain = 1024;      // candidates examined per position
};

class DeflateEncoder {
 public:
  // Input is consumed in pieces of at most this many bytes.
  static constexpr size_t kInputBlock = 65536;

  // nullptr when the working memory cannot be allocated.
  static std::unique_ptr<DeflateEncoder> Create(DeflateOutput& out, const DeflateTuning& tuning = {});
  ~DeflateEncoder();
  DeflateEncoder(const DeflateEncoder&) = delete;
  DeflateEncoder& operator=(const DeflateEncoder&) = delete;

  // Compresses more input; any size (it is taken kInputBlock bytes at a time).
  bool Write(const void* data, size_t size);
  // Compresses what is pending and ends the stream with a final block. Once only.
  bool Finish();
  // Starts a new stream to the same output, keeping the working memory.
  void Reset();

  // Bytes of working memory (fixed for the encoder's lifetime).
  static size_t WorkingMemory();

 private:
  struct State;
  explicit DeflateEncoder(State* state);
  std::unique_ptr<State> state_;
};

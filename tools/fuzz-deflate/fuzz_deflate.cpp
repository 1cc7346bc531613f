// Coverage-guided fuzz target for the raw Deflate encoder, with zlib as the oracle: whatever
// the input and however it is cut into pieces, the stream must inflate to exactly the input.
// The first two bytes choose the piece sizes and the encoder's tuning, so that the fuzzer
// also explores the lazy-matching and chain limits; larger inputs are repeated to reach the
// window and buffer limits. Built and run by tools/fuzz-deflate/run.sh (libFuzzer, clang).
#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "diag/Deflate.h"

namespace {
struct Collector : DeflateOutput {
  std::vector<uint8_t> data;
  bool WriteCompressed(const uint8_t* p, size_t n) override {
    data.insert(data.end(), p, p + n);
    return true;
  }
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const uint8_t control = data[0], control2 = data[1];
  data += 2;
  size -= 2;
  // Repeat the input up to 1 MiB when asked (inputs are small; the encoder's limits are not).
  std::vector<uint8_t> input(data, data + size);
  if ((control & 0x80) && size > 0) {
    const size_t target = (size_t{control2} + 1) * 4096;
    while (input.size() < target) input.insert(input.end(), data, data + std::min(size, target - input.size()));
  }
  DeflateTuning tuning;
  if (control & 0x40) {
    tuning.goodLength = 4 + (control2 & 0x1F);
    tuning.maxLazy = 4 + (control2 >> 2);
    tuning.niceLength = 8 + (control2 & 0x7F) * 2;
    tuning.maxChain = 1 + (control2 & 0x3F) * 16;
  }
  Collector out;
  auto encoder = DeflateEncoder::Create(out, tuning);
  if (!encoder) std::abort();
  const size_t piece = (control & 0x3F) == 0 ? input.size() + 1 : (static_cast<size_t>(control & 0x3F) << (control2 & 7)) + 1;
  for (size_t at = 0; at < input.size(); at += piece)
    if (!encoder->Write(input.data() + at, std::min(piece, input.size() - at))) std::abort();
  if (!encoder->Finish()) std::abort();

  std::vector<uint8_t> back(input.size() + 1);
  z_stream z{};
  if (inflateInit2(&z, -15) != Z_OK) std::abort();
  z.next_in = out.data.data();
  z.avail_in = static_cast<uInt>(out.data.size());
  z.next_out = back.data();
  z.avail_out = static_cast<uInt>(back.size());
  const int result = inflate(&z, Z_FINISH);
  const size_t got = back.size() - z.avail_out;
  inflateEnd(&z);
  if (result != Z_STREAM_END || z.avail_in != 0 || got != input.size() ||
      (got != 0 && std::memcmp(back.data(), input.data(), got) != 0))
    std::abort();
  return 0;
}

// The Deflate encoder against zlib at the sizes and shapes users feed it: log text of many
// kinds up to 20 MB, random bytes, long runs, data repeating with a period near the window
// size, rare long repeats and mixtures, at sizes just below, at and above the window (32 KiB),
// the input piece (64 KiB), the encoder's buffer (256 KiB) and 4, 8 and 16 MiB. Every stream
// must inflate with zlib to exactly its input. The input is fed in pieces of varying size.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "diag/Deflate.h"

namespace {

using Bytes = std::vector<uint8_t>;

struct Collector : DeflateOutput {
  Bytes data;
  bool WriteCompressed(const uint8_t* p, size_t n) override {
    data.insert(data.end(), p, p + n);
    return true;
  }
};

// Compresses in pieces of pseudo-random size (1 byte to 200 KiB), inflates with zlib, and
// reports the first byte where the result differs from the input (or "" when equal).
std::string RoundTrip(const Bytes& input, uint32_t seed) {
  Collector out;
  auto encoder = DeflateEncoder::Create(out);
  if (!encoder) return "no encoder";
  std::mt19937 pieces(seed);
  size_t at = 0;
  while (at < input.size()) {
    size_t piece = std::min<size_t>(input.size() - at, 1 + pieces() % (200 * 1024));
    if (pieces() % 8 == 0) piece = std::min<size_t>(input.size() - at, 1 + pieces() % 16);
    if (!encoder->Write(input.data() + at, piece)) return "write failed";
    at += piece;
  }
  if (!encoder->Finish()) return "finish failed";

  Bytes back(input.size() + 1);
  z_stream z{};
  if (inflateInit2(&z, -15) != Z_OK) return "inflateInit2";
  z.next_in = out.data.data();
  z.avail_in = static_cast<uInt>(out.data.size());
  z.next_out = back.data();
  z.avail_out = static_cast<uInt>(back.size());
  const int result = inflate(&z, Z_FINISH);
  const size_t got = back.size() - z.avail_out;
  inflateEnd(&z);
  if (result != Z_STREAM_END) return "inflate returned " + std::to_string(result) + " after " + std::to_string(got) + " bytes";
  if (z.avail_in != 0) return "data after the end of the stream";
  for (size_t i = 0; i < std::min(got, input.size()); ++i)
    if (back[i] != input[i]) return "first difference at byte " + std::to_string(i) + " of " + std::to_string(input.size());
  if (got != input.size()) return "inflated " + std::to_string(got) + " bytes of " + std::to_string(input.size());
  return "";
}

// Log lines as the program writes them: time stamp, thread, a dozen kinds of message with
// numbers, paths and error codes.
Bytes LogText(size_t size, uint32_t seed, bool crlf) {
  static const char* const kKinds[] = {
      "Start Qendor 2.1.0.2 (Dec %d 2026 %02d:%02d:%02d)",
      "Media session started",
      "Open file: .%s",
      "Create media session",
      "Audio channels: %d",
      "IMFVideoDisplayControl::SetRenderingPrefs %d failed. Error 0x%08X",
      "Window rect: left: %d; top: %d; right: %d; bottom: %d; (%dx%d)",
      "Native Video Size: %dx%d; Aspect ratio: %dx%d",
      "SetVolume 0.%02d",
      "Set Stretched %d",
      "Detected maximized window",
      "Playlist: Set Activate %d",
      "Quick Controls: Set volume %d",
      "Monitor %d: SetPath C:\\Users\\user%d\\Videos\\clip-%d.mp4",
  };
  std::mt19937 rng(seed);
  Bytes text;
  text.reserve(size + 256);
  uint64_t ms = 0;
  char line[512], message[384];
  while (text.size() < size) {
    const int kind = static_cast<int>(rng() % (sizeof kKinds / sizeof kKinds[0]));
    int n[6];
    for (int& v : n) v = static_cast<int>(rng() % 4000);
    if (kind == 2)
      std::snprintf(message, sizeof message, kKinds[kind], n[0] % 2 ? "mp4" : "avi");
    else
      std::snprintf(message, sizeof message, kKinds[kind], n[0], n[1], n[2], n[3], n[4], n[5]);
    ms += rng() % 1200;
    const int len = std::snprintf(line, sizeof line, "2026-12-10 %02d:%02d:%02d:%03d %u: %s%s",
                                  static_cast<int>(ms / 3600000 % 24), static_cast<int>(ms / 60000 % 60),
                                  static_cast<int>(ms / 1000 % 60), static_cast<int>(ms % 1000),
                                  static_cast<unsigned>(300 + rng() % 4000), message, crlf ? "\r\n" : "\n");
    text.insert(text.end(), line, line + len);
  }
  text.resize(size);
  return text;
}

Bytes RandomBytes(size_t size, uint32_t seed) {
  std::mt19937 rng(seed);
  Bytes data(size);
  for (uint8_t& b : data) b = static_cast<uint8_t>(rng());
  return data;
}

// Runs of one byte, from 1 to 100 000 long.
Bytes Runs(size_t size, uint32_t seed) {
  std::mt19937 rng(seed);
  Bytes data;
  data.reserve(size);
  while (data.size() < size) data.insert(data.end(), 1 + rng() % (rng() % 4 ? 300 : 100000), static_cast<uint8_t>(rng() % 4));
  data.resize(size);
  return data;
}

// Random bytes repeating with a period (matches right at the window's edge or just beyond).
Bytes Periodic(size_t size, size_t period, uint32_t seed) {
  Bytes unit = RandomBytes(period, seed);
  Bytes data(size);
  for (size_t i = 0; i < size; ++i) data[i] = unit[i % period];
  return data;
}

// Text with, now and then, a long stretch copied from anywhere before (near and far).
Bytes RareLongRepeats(size_t size, uint32_t seed) {
  Bytes data = LogText(size, seed, true);
  std::mt19937 rng(seed + 1);
  for (size_t at = 40000; at + 3000 < size; at += 20000 + rng() % 60000) {
    const size_t length = 259 + rng() % 2500;
    const size_t from = rng() % 2 ? at - 32768 + rng() % 200 : rng() % (at - length);
    std::copy(data.begin() + static_cast<long>(from), data.begin() + static_cast<long>(from + length),
              data.begin() + static_cast<long>(at));
  }
  return data;
}

// Pieces of every kind one after the other, at sizes that cross the encoder's limits.
Bytes Mixture(size_t size, uint32_t seed) {
  std::mt19937 rng(seed);
  Bytes data;
  while (data.size() < size) {
    const size_t piece = 1000 + rng() % 300000;
    Bytes part;
    switch (rng() % 5) {
      case 0: part = LogText(piece, rng(), rng() % 2); break;
      case 1: part = RandomBytes(piece, rng()); break;
      case 2: part = Runs(piece, rng()); break;
      case 3: part = Periodic(piece, 32760 + rng() % 20, rng()); break;
      default: part = RareLongRepeats(piece + 50000, rng()); break;
    }
    data.insert(data.end(), part.begin(), part.end());
  }
  data.resize(size);
  return data;
}

constexpr size_t kKiB = 1024, kMiB = 1024 * 1024;
// Sizes at the encoder's limits: the window, the input piece, the buffer.
const size_t kEdgeSizes[] = {32 * kKiB - 1, 32 * kKiB, 32 * kKiB + 1,  64 * kKiB - 1, 64 * kKiB,
                             64 * kKiB + 1, 256 * kKiB - 1, 256 * kKiB, 256 * kKiB + 1};

TEST(DeflateAtScale, LogTextInflatesExactlyAtEverySize) {
  // The shape of the log whose report came out corrupted after 5.4 MB, and far beyond it.
  for (size_t size : {6000050ul, 4 * kMiB - 1, 4 * kMiB, 8 * kMiB + 1, 16 * kMiB, 20000000ul}) {
    EXPECT_EQ(RoundTrip(LogText(size, static_cast<uint32_t>(size), true), 1), "") << "CRLF log of " << size;
  }
  EXPECT_EQ(RoundTrip(LogText(9 * kMiB, 7, false), 2), "") << "LF log";
  for (size_t size : kEdgeSizes) EXPECT_EQ(RoundTrip(LogText(size, 3, true), 3), "") << "log of " << size;
}

TEST(DeflateAtScale, RandomRunsAndPeriodicDataInflateExactly) {
  for (size_t size : kEdgeSizes) {
    EXPECT_EQ(RoundTrip(RandomBytes(size, 11), 4), "") << "random " << size;
    EXPECT_EQ(RoundTrip(Runs(size, 12), 5), "") << "runs " << size;
  }
  EXPECT_EQ(RoundTrip(RandomBytes(8 * kMiB, 13), 6), "") << "random 8 MiB";
  EXPECT_EQ(RoundTrip(Runs(16 * kMiB + 1, 14), 7), "") << "runs 16 MiB + 1";
  for (size_t period : {32767ul, 32768ul, 32769ul, 32770ul, 33000ul})
    EXPECT_EQ(RoundTrip(Periodic(3 * kMiB, period, 15), 8), "") << "period " << period;
}

TEST(DeflateAtScale, RareLongRepeatsAndMixturesInflateExactly) {
  EXPECT_EQ(RoundTrip(RareLongRepeats(4 * kMiB + 1, 21), 9), "");
  EXPECT_EQ(RoundTrip(Mixture(8 * kMiB, 22), 10), "");
  EXPECT_EQ(RoundTrip(Mixture(20000000, 23), 11), "");
}

}  // namespace

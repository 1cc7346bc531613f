// Deflate encoder and CRC-32: streams must inflate (zlib as the reference decoder) to exactly
// the input, whatever the data and however it is handed over.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "diag/Crc32.h"
#include "diag/Deflate.h"
#include "diag/DeflateHuffman.h"

namespace {

using Bytes = std::vector<uint8_t>;

struct Collector : DeflateOutput {
  Bytes data;
  size_t failAfter = SIZE_MAX;  // bytes accepted before reporting a failure
  bool WriteCompressed(const uint8_t* p, size_t n) override {
    if (data.size() + n > failAfter) return false;
    data.insert(data.end(), p, p + n);
    return true;
  }
};

Bytes Compress(const Bytes& input, size_t piece) {
  Collector out;
  auto encoder = DeflateEncoder::Create(out);
  EXPECT_NE(encoder, nullptr);
  for (size_t at = 0; at < input.size(); at += piece)
    EXPECT_TRUE(encoder->Write(input.data() + at, std::min(piece, input.size() - at)));
  EXPECT_TRUE(encoder->Finish());
  return out.data;
}

// Inflates a raw stream; fails the test on any error or on trailing bytes.
Bytes Inflate(const Bytes& compressed, size_t expected) {
  z_stream z{};
  EXPECT_EQ(inflateInit2(&z, -15), Z_OK);
  Bytes out(expected + 1);
  z.next_in = const_cast<Bytef*>(compressed.data());
  z.avail_in = static_cast<uInt>(compressed.size());
  z.next_out = out.data();
  z.avail_out = static_cast<uInt>(out.size());
  const int rc = inflate(&z, Z_FINISH);
  EXPECT_EQ(rc, Z_STREAM_END) << (z.msg ? z.msg : "");
  EXPECT_EQ(z.avail_in, 0u) << "bytes after the final block";
  out.resize(z.total_out);
  inflateEnd(&z);
  return out;
}

Bytes Random(size_t n, uint32_t seed) {
  std::mt19937 rng(seed);
  Bytes b(n);
  for (auto& c : b) c = static_cast<uint8_t>(rng());
  return b;
}

// Log lines shaped like the program's own log.
Bytes LogLines(size_t n) {
  static const char* const kTexts[] = {
      "Playlist: Set Activate %d",        "Quick Controls: Set volume %d",
      "CreateFileW failed. Error 0x%08X", "Monitor %d: SetPath C:\\Users\\me\\Videos\\clip%d.mp4",
      "Player: session started (%d)",     "Wallpaper window %d: maximised window over it, pausing"};
  std::mt19937 rng(7);
  std::string text;
  int second = 0;
  while (text.size() < n) {
    char line[200];
    const int level = static_cast<int>(rng() % 4);
    const char* what = kTexts[rng() % 6];
    char body[120];
    std::snprintf(body, sizeof body, what, static_cast<int>(rng() % 1000), static_cast<int>(rng() % 50));
    second += static_cast<int>(rng() % 3);
    std::snprintf(line, sizeof line, "2024-05-%02d %02d:%02d:%02d.%03d [%5u] %s %s\r\n", 1 + second / 86400 % 28,
                  second / 3600 % 24, second / 60 % 60, second % 60, static_cast<int>(rng() % 1000),
                  static_cast<unsigned>(1000 + rng() % 9000), level == 3 ? "ERROR" : level == 2 ? "WARN " : "INFO ",
                  body);
    text += line;
  }
  text.resize(n);
  return Bytes(text.begin(), text.end());
}

struct RoundTripCase {
  const char* name;
  std::function<Bytes()> make;
};

const RoundTripCase kRoundTrips[] = {
    {"Empty", [] { return Bytes{}; }},
    {"OneByte", [] { return Bytes{0x41}; }},
    {"ThreeBytes", [] { return Bytes{1, 2, 3}; }},
    {"Incompressible", [] { return Random(300000, 1); }},
    {"LongRunOfOneByte", [] { return Bytes(200000, 0x5A); }},
    {"RunOf65535Then1", [] { Bytes b(65535, 0); b.push_back(1); b.resize(70000, 0); return b; }},
    {"MatchAtDistance32768",
     [] {
       Bytes b = Random(32768, 2);
       Bytes head(b.begin(), b.begin() + 3000);
       b.insert(b.end(), head.begin(), head.end());
       return b;
     }},
    {"MatchJustBeyondWindow",
     [] {
       Bytes b = Random(32769, 3);
       b.insert(b.end(), b.begin(), b.begin() + 500);
       return b;
     }},
    {"ShortMatchesOfThree",
     [] {
       // Every triple repeats a few bytes later, and nothing longer does.
       std::mt19937 rng(4);
       Bytes b;
       while (b.size() < 50000) {
         const uint8_t t[3] = {static_cast<uint8_t>(rng()), static_cast<uint8_t>(rng()), static_cast<uint8_t>(rng())};
         b.insert(b.end(), t, t + 3);
         b.push_back(static_cast<uint8_t>(rng()));
         b.insert(b.end(), t, t + 3);
         b.push_back(static_cast<uint8_t>(rng()));
       }
       return b;
     }},
    {"MatchesOf258AndLonger",
     [] {
       Bytes unit = Random(258, 5);
       Bytes b;
       for (int i = 0; i < 40; ++i) {
         b.insert(b.end(), unit.begin(), unit.end());
         b.push_back(static_cast<uint8_t>(i));
       }
       Bytes longer = Random(1000, 6);
       b.insert(b.end(), longer.begin(), longer.end());
       b.insert(b.end(), longer.begin(), longer.end());
       return b;
     }},
    {"AcrossInputBlocks",
     [] {
       // Repeats that straddle the 65536-byte input pieces and the buffer's slides.
       Bytes unit = Random(40000, 8);
       Bytes b;
       for (int i = 0; i < 12; ++i) {
         b.insert(b.end(), unit.begin() + i * 1000, unit.end());
         Bytes noise = Random(777, 100 + i);
         b.insert(b.end(), noise.begin(), noise.end());
       }
       return b;
     }},
    {"TextThenRandomThenText",
     [] {
       Bytes b = LogLines(150000);
       Bytes r = Random(150000, 9);
       b.insert(b.end(), r.begin(), r.end());
       Bytes t = LogLines(150000);
       b.insert(b.end(), t.begin(), t.end());
       return b;
     }},
    {"SeveralMiBOfLogLines", [] { return LogLines(6 << 20); }},
};

void PrintTo(const RoundTripCase& c, std::ostream* os) { *os << c.name; }

class DeflateRoundTrip : public testing::TestWithParam<RoundTripCase> {};

TEST_P(DeflateRoundTrip, InflatesToTheInputWhateverThePieceSize) {
  const Bytes input = GetParam().make();
  for (size_t piece : {size_t{65536}, size_t{4099}, size_t{1} << 22}) {
    if (piece < 65536 && input.size() > (1u << 20)) continue;  // small pieces only on small inputs
    const Bytes compressed = Compress(input, piece);
    const Bytes back = Inflate(compressed, input.size());
    ASSERT_EQ(back.size(), input.size()) << "piece " << piece;
    EXPECT_TRUE(back == input) << "piece " << piece;
  }
}

INSTANTIATE_TEST_SUITE_P(Data, DeflateRoundTrip, testing::ValuesIn(kRoundTrips),
                         [](const testing::TestParamInfo<RoundTripCase>& info) { return std::string(info.param.name); });

TEST(Deflate, ByteAtATimeInputGivesAValidStream) {
  for (const RoundTripCase& c : kRoundTrips) {
    const Bytes input = c.make();
    if (input.size() > 100000) continue;  // one call per byte: small inputs suffice
    EXPECT_TRUE(Inflate(Compress(input, 1), input.size()) == input) << c.name;
  }
}

TEST(Deflate, CompressesRepetitiveDataAndBoundsIncompressibleData) {
  const Bytes runs(200000, 0x5A);
  EXPECT_LT(Compress(runs, 65536).size(), 1000u);
  const Bytes random = Random(300000, 1);
  // Stored blocks: a 5-byte header per piece of data.
  EXPECT_LE(Compress(random, 65536).size(), random.size() + 5 * (random.size() / 32768 + 1));
}

TEST(Deflate, FindsMatchesAtTheLimitsOfTheFormat) {
  // Each input is only small when the encoder uses the matches it was built around.
  const auto find = [](const char* name) {
    for (const RoundTripCase& c : kRoundTrips)
      if (std::string(c.name) == name) return c.make();
    return Bytes{};
  };
  struct Case {
    const char* name;
    size_t atMost;
  };
  const Case cases[] = {
      {"MatchAtDistance32768", 32768 + 200},         // the 3000 repeated bytes cost a few matches
      {"MatchesOf258AndLonger", 258 + 1000 + 400},   // one copy of each unit, the rest matches
      {"ShortMatchesOfThree", 50000 * 9 / 10},        // literals alone would need about 50000
      {"LongRunOfOneByte", 1000},
  };
  for (const Case& c : cases) {
    const Bytes input = find(c.name);
    ASSERT_FALSE(input.empty()) << c.name;
    EXPECT_LE(Compress(input, 65536).size(), c.atMost) << c.name;
  }
}

TEST(Deflate, ReportsAFailingOutputAndStops) {
  const Bytes input = LogLines(1 << 20);
  Collector out;
  out.failAfter = 1000;
  auto encoder = DeflateEncoder::Create(out);
  ASSERT_NE(encoder, nullptr);
  bool ok = encoder->Write(input.data(), input.size());
  ok = encoder->Finish() && ok;
  EXPECT_FALSE(ok);
  EXPECT_LE(out.data.size(), 1000u);
}

TEST(Deflate, ResetStartsAFreshStream) {
  const Bytes first = LogLines(100000);
  const Bytes second = Random(5000, 11);
  Collector out;
  auto encoder = DeflateEncoder::Create(out);
  ASSERT_NE(encoder, nullptr);
  ASSERT_TRUE(encoder->Write(first.data(), first.size()));
  encoder->Reset();
  out.data.clear();
  ASSERT_TRUE(encoder->Write(second.data(), second.size()));
  ASSERT_TRUE(encoder->Finish());
  EXPECT_TRUE(Inflate(out.data, second.size()) == second);
}

TEST(DeflateHuffman, LengthsStayWithinTheLimitAndFormACompleteCode) {
  // Fibonacci frequencies make the unlimited tree as deep as there are symbols.
  struct Case {
    int count;
    int limit;
    std::vector<uint32_t> freq;
  };
  std::vector<Case> cases;
  std::vector<uint32_t> fib(30);
  fib[0] = fib[1] = 1;
  for (size_t i = 2; i < fib.size(); ++i) fib[i] = fib[i - 1] + fib[i - 2];
  cases.push_back({30, 15, fib});
  cases.push_back({19, 7, std::vector<uint32_t>(fib.begin(), fib.begin() + 19)});
  std::vector<uint32_t> skewed(286, 1);
  skewed[0] = 1u << 30;
  cases.push_back({286, 15, skewed});
  std::vector<uint32_t> single(30, 0);
  single[7] = 5;
  cases.push_back({30, 15, single});
  cases.push_back({30, 15, std::vector<uint32_t>(30, 0)});
  for (const Case& c : cases) {
    std::vector<uint8_t> lengths(c.count);
    flate::BuildCodeLengths(c.freq.data(), c.count, c.limit, lengths.data());
    double kraft = 0;
    int used = 0;
    for (int s = 0; s < c.count; ++s) {
      EXPECT_LE(lengths[s], c.limit);
      if (c.freq[s] != 0) {
        EXPECT_GT(lengths[s], 0) << "used symbol " << s << " has no code";
      }
      if (lengths[s]) {
        kraft += std::ldexp(1.0, -lengths[s]);
        ++used;
      }
    }
    EXPECT_GE(used, 2);
    EXPECT_DOUBLE_EQ(kraft, 1.0) << "count " << c.count;
  }
}

TEST(Crc32, MatchesTheStandardCheckValueAndZlib) {
  EXPECT_EQ(Crc32Update(0, "123456789", 9), 0xCBF43926u);
  EXPECT_EQ(Crc32Update(0, "", 0), 0u);
  const Bytes data = Random(100003, 12);
  uint32_t crc = 0;
  for (size_t at = 0; at < data.size(); at += 7919) crc = Crc32Update(crc, data.data() + at, std::min<size_t>(7919, data.size() - at));
  EXPECT_EQ(crc, static_cast<uint32_t>(crc32(0, data.data(), static_cast<uInt>(data.size()))));
}

}  // namespace

// Compares the zip writer's Deflate encoder with zlib's deflate at level 8 (raw, windowBits -15,
// memLevel 8) and libdeflate at level 8, per file and in total: compressed size and time.
//   zip_bench [folder] [--repeat N]
// Without a folder it generates a default set: log lines like the program writes, source text,
// an executable and random bytes. Every stream is checked by inflating it with zlib.
#include <libdeflate.h>
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "diag/Deflate.h"

namespace {

using Bytes = std::vector<uint8_t>;

struct Sample {
  std::string name;
  Bytes data;
};

Bytes ReadFile(const std::filesystem::path& path, size_t limit = SIZE_MAX) {
  std::ifstream in(path, std::ios::binary);
  Bytes b;
  char buf[65536];
  while (in && b.size() < limit) {
    in.read(buf, sizeof buf);
    b.insert(b.end(), buf, buf + in.gcount());
  }
  if (b.size() > limit) b.resize(limit);
  return b;
}

Bytes LogLines(size_t n) {
  static const char* const kTexts[] = {"Playlist: Set Activate %d",
                                       "Quick Controls: Set volume %d",
                                       "CreateFileW failed. Error 0x%08X",
                                       "Monitor %d: SetPath C:\\Users\\me\\Videos\\clip%d.mp4",
                                       "Player: session started (%d)",
                                       "Wallpaper window %d: maximised window over it, pausing",
                                       "Quick Start: next video %d of %d",
                                       "Music: Play D:\\Music\\track%d.mp3"};
  std::mt19937 rng(7);
  std::string text;
  int second = 0;
  while (text.size() < n) {
    char body[160], line[240];
    std::snprintf(body, sizeof body, kTexts[rng() % 8], static_cast<int>(rng() % 1000), static_cast<int>(rng() % 50));
    second += static_cast<int>(rng() % 3);
    const int level = static_cast<int>(rng() % 8);
    std::snprintf(line, sizeof line, "2024-05-%02d %02d:%02d:%02d.%03d [%5u] %s %s\r\n", 1 + second / 86400 % 28,
                  second / 3600 % 24, second / 60 % 60, second % 60, static_cast<int>(rng() % 1000),
                  static_cast<unsigned>(1000 + rng() % 9000), level == 7 ? "ERROR" : level == 6 ? "WARN " : "INFO ", body);
    text += line;
  }
  text.resize(n);
  return Bytes(text.begin(), text.end());
}

std::vector<Sample> DefaultSet() {
  std::vector<Sample> set;
  set.push_back({"log lines (8 MiB)", LogLines(8 << 20)});
  Bytes source;
  std::vector<std::filesystem::path> headers;
  std::error_code ec;
  for (const auto& e : std::filesystem::recursive_directory_iterator("/usr/include/c++/12/bits", ec))
    if (e.is_regular_file()) headers.push_back(e.path());
  std::sort(headers.begin(), headers.end());
  for (const auto& h : headers) {
    if (source.size() >= (4u << 20)) break;
    const Bytes b = ReadFile(h);
    source.insert(source.end(), b.begin(), b.end());
  }
  set.push_back({"source text", source});
  set.push_back({"executable", ReadFile("/usr/bin/cmake", 4u << 20)});
  std::mt19937 rng(1);
  Bytes random(4u << 20);
  for (auto& c : random) c = static_cast<uint8_t>(rng());
  set.push_back({"random bytes", random});
  return set;
}

struct Collector : DeflateOutput {
  Bytes data;
  bool WriteCompressed(const uint8_t* p, size_t n) override {
    data.insert(data.end(), p, p + n);
    return true;
  }
};

Bytes Ours(const Bytes& in) {
  Collector out;
  out.data.reserve(in.size() + in.size() / 100 + 64);
  auto encoder = DeflateEncoder::Create(out);
  for (size_t at = 0; at < in.size(); at += 65536) encoder->Write(in.data() + at, std::min<size_t>(65536, in.size() - at));
  encoder->Finish();
  return out.data;
}

Bytes Zlib8(const Bytes& in) {
  z_stream z{};
  deflateInit2(&z, 8, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
  Bytes out(deflateBound(&z, in.size()));
  z.next_out = out.data();
  z.avail_out = static_cast<uInt>(out.size());
  for (size_t at = 0;; at += 65536) {
    const size_t n = at < in.size() ? std::min<size_t>(65536, in.size() - at) : 0;
    z.next_in = const_cast<Bytef*>(in.data() + std::min(at, in.size()));
    z.avail_in = static_cast<uInt>(n);
    const bool last = at + n >= in.size();
    deflate(&z, last ? Z_FINISH : Z_NO_FLUSH);
    if (last) break;
  }
  out.resize(z.total_out);
  deflateEnd(&z);
  return out;
}

Bytes Libdeflate8(const Bytes& in) {
  libdeflate_compressor* c = libdeflate_alloc_compressor(8);
  Bytes out(libdeflate_deflate_compress_bound(c, in.size()));
  out.resize(libdeflate_deflate_compress(c, in.data(), in.size(), out.data(), out.size()));
  libdeflate_free_compressor(c);
  return out;
}

bool InflatesTo(const Bytes& compressed, const Bytes& original) {
  z_stream z{};
  inflateInit2(&z, -15);
  Bytes back(original.size() + 1);
  z.next_in = const_cast<Bytef*>(compressed.data());
  z.avail_in = static_cast<uInt>(compressed.size());
  z.next_out = back.data();
  z.avail_out = static_cast<uInt>(back.size());
  const int rc = inflate(&z, Z_FINISH);
  back.resize(z.total_out);
  inflateEnd(&z);
  return rc == Z_STREAM_END && back == original;
}

// Processor time of this thread: steadier than wall time on a shared machine.
double CpuSeconds() {
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return ts.tv_sec + ts.tv_nsec * 1e-9;
}

struct Result {
  size_t size = 0;
  double seconds = 0;
};

template <typename F>
Result Measure(F compress, const Bytes& in, int repeat, bool* valid) {
  Result r;
  r.seconds = 1e30;
  for (int i = 0; i < repeat; ++i) {
    const double t0 = CpuSeconds();
    const Bytes out = compress(in);
    const double s = CpuSeconds() - t0;
    r.seconds = std::min(r.seconds, s);
    r.size = out.size();
    if (i == 0 && valid) *valid = InflatesTo(out, in);
  }
  return r;
}

}  // namespace

int main(int argc, char** argv) {
  std::string folder;
  int repeat = 3;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--repeat") == 0 && i + 1 < argc) repeat = std::max(1, std::atoi(argv[++i]));
    else folder = argv[i];
  }
  std::vector<Sample> samples;
  if (folder.empty()) {
    samples = DefaultSet();
  } else {
    std::vector<std::filesystem::path> files;
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(folder, ec))
      if (e.is_regular_file()) files.push_back(e.path());
    if (ec) {
      std::fprintf(stderr, "cannot read folder %s\n", folder.c_str());
      return 2;
    }
    std::sort(files.begin(), files.end());
    for (const auto& f : files) samples.push_back({f.filename().string(), ReadFile(f)});
  }

  std::printf("encoder working memory: %zu bytes (fixed); processor time, best of %d runs\n\n", DeflateEncoder::WorkingMemory(), repeat);
  std::printf("%-22s %10s | %10s %8s | %10s %8s | %10s %8s | %6s %6s\n", "file", "input", "ours", "ms", "zlib 8",
              "ms", "libdefl 8", "ms", "size", "time");
  Result total[3];
  size_t totalIn = 0;
  bool allValid = true;
  for (const Sample& s : samples) {
    bool valid = false;
    const Result ours = Measure(Ours, s.data, repeat, &valid);
    const Result zlib = Measure(Zlib8, s.data, repeat, nullptr);
    const Result ld = Measure(Libdeflate8, s.data, repeat, nullptr);
    allValid = allValid && valid;
    totalIn += s.data.size();
    const Result* all[3] = {&ours, &zlib, &ld};
    for (int k = 0; k < 3; ++k) {
      total[k].size += all[k]->size;
      total[k].seconds += all[k]->seconds;
    }
    std::printf("%-22.22s %10zu | %10zu %8.1f | %10zu %8.1f | %10zu %8.1f | %6.3f %6.3f%s\n", s.name.c_str(),
                s.data.size(), ours.size, ours.seconds * 1e3, zlib.size, zlib.seconds * 1e3, ld.size, ld.seconds * 1e3,
                zlib.size ? double(ours.size) / zlib.size : 1.0, zlib.seconds > 0 ? ours.seconds / zlib.seconds : 1.0,
                valid ? "" : "  INVALID STREAM");
  }
  std::printf("%-22s %10zu | %10zu %8.1f | %10zu %8.1f | %10zu %8.1f | %6.3f %6.3f\n", "total", totalIn, total[0].size,
              total[0].seconds * 1e3, total[1].size, total[1].seconds * 1e3, total[2].size, total[2].seconds * 1e3,
              double(total[0].size) / total[1].size, total[0].seconds / total[1].seconds);
  std::printf("\n(size and time columns on the right: ours relative to zlib 8; goal <= 1.000 and <= 0.800)\n");
  return allValid ? 0 : 1;
}

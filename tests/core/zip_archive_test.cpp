// Zip container: the records as readers see them, the result codes, and an archive that stays
// readable after failed entries. Files are in memory so failures can be injected anywhere.
#include <gtest/gtest.h>

#include <algorithm>
#include <zlib.h>

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "diag/ZipArchive.h"

namespace {

using Bytes = std::vector<uint8_t>;

// An archive file in memory; can be told to fail a write or a seek.
struct MemoryFile {
  Bytes data;
  uint64_t position = 0;
  uint64_t failWritesAfter = UINT64_MAX;  // total bytes accepted before writes fail
  int failSeekNumber = 0;                 // the n-th seek fails (1-based; 0 never)
  int seeks = 0;
  uint64_t accepted = 0;
  bool closed = false;
};

class MemoryOutput : public ZipOutputFile {
 public:
  explicit MemoryOutput(MemoryFile& f) : f_(f) {}
  ~MemoryOutput() override { f_.closed = true; }
  bool Write(const void* p, uint32_t n) override {
    if (f_.accepted + n > f_.failWritesAfter) {
      // A partial write, as a full disk gives.
      const uint64_t part = f_.failWritesAfter - f_.accepted;
      Put(p, part);
      f_.accepted = f_.failWritesAfter;
      return false;
    }
    Put(p, n);
    f_.accepted += n;
    return true;
  }
  bool Seek(uint64_t offset) override {
    if (++f_.seeks == f_.failSeekNumber) return false;
    f_.position = offset;
    return true;
  }
  bool Truncate() override {
    f_.data.resize(f_.position);
    return true;
  }

 private:
  void Put(const void* p, uint64_t n) {
    if (f_.data.size() < f_.position + n) f_.data.resize(f_.position + n);
    std::memcpy(f_.data.data() + f_.position, p, n);
    f_.position += n;
  }
  MemoryFile& f_;
};

class MemorySource : public ZipSourceFile {
 public:
  explicit MemorySource(Bytes content, ZipSourceInfo info = {}) : content_(std::move(content)), info_(info) {
    if (info_.size == 0) info_.size = content_.size();
  }
  int32_t Open(ZipSourceInfo& info) override {
    if (missing) return kZipOpenFailed;
    info = info_;
    open_ = true;
    ++opens;
    return kZipOk;
  }
  bool Read(void* buffer, uint32_t size, uint32_t& got) override {
    EXPECT_TRUE(open_);
    ++reads;
    if (failReadAt != 0 && at_ >= failReadAt) return false;
    got = static_cast<uint32_t>(std::min<uint64_t>(size, content_.size() - at_));
    if (got != 0) std::memcpy(buffer, content_.data() + at_, got);
    at_ += got;
    return true;
  }
  void Close() override { open_ = false; }

  bool missing = false;
  size_t failReadAt = 0;  // reading from this offset on fails
  int opens = 0;
  int reads = 0;
  bool IsOpen() const { return open_; }

 private:
  Bytes content_;
  ZipSourceInfo info_;
  size_t at_ = 0;
  bool open_ = false;
};

uint16_t U16(const Bytes& b, size_t at) { return static_cast<uint16_t>(b.at(at) | b.at(at + 1) << 8); }
uint32_t U32(const Bytes& b, size_t at) { return U16(b, at) | static_cast<uint32_t>(U16(b, at + 2)) << 16; }

struct ParsedEntry {
  std::string name;
  uint16_t madeBy, needed, flags, method, time, date;
  uint32_t crc, compressed, uncompressed, external, offset;
  Bytes centralExtra, localExtra, content;
};

// Reads an archive the way a reader does: end record, central directory, local headers,
// data (inflated with zlib); any inconsistency fails the test.
std::vector<ParsedEntry> Parse(const Bytes& zip) {
  std::vector<ParsedEntry> entries;
  EXPECT_GE(zip.size(), 22u);
  if (zip.size() < 22) return entries;
  const size_t end = zip.size() - 22;
  EXPECT_EQ(U32(zip, end), 0x06054B50u) << "end record at the end of the file";
  EXPECT_EQ(U16(zip, end + 4), 0);
  EXPECT_EQ(U16(zip, end + 6), 0);
  const uint16_t count = U16(zip, end + 8);
  EXPECT_EQ(U16(zip, end + 10), count);
  const uint32_t dirSize = U32(zip, end + 12);
  const uint32_t dirOffset = U32(zip, end + 16);
  EXPECT_EQ(U16(zip, end + 20), 0);
  EXPECT_EQ(uint64_t{dirOffset} + dirSize, end) << "directory right before the end record";
  size_t at = dirOffset;
  for (int i = 0; i < count; ++i) {
    ParsedEntry e;
    EXPECT_EQ(U32(zip, at), 0x02014B50u);
    e.madeBy = U16(zip, at + 4);
    e.needed = U16(zip, at + 6);
    e.flags = U16(zip, at + 8);
    e.method = U16(zip, at + 10);
    e.time = U16(zip, at + 12);
    e.date = U16(zip, at + 14);
    e.crc = U32(zip, at + 16);
    e.compressed = U32(zip, at + 20);
    e.uncompressed = U32(zip, at + 24);
    const uint16_t nameLen = U16(zip, at + 28), extraLen = U16(zip, at + 30);
    EXPECT_EQ(U16(zip, at + 32), 0);  // comment
    EXPECT_EQ(U16(zip, at + 34), 0);  // disk
    EXPECT_EQ(U16(zip, at + 36), 0);  // internal attributes
    e.external = U32(zip, at + 38);
    e.offset = U32(zip, at + 42);
    e.name.assign(zip.begin() + at + 46, zip.begin() + at + 46 + nameLen);
    e.centralExtra.assign(zip.begin() + at + 46 + nameLen, zip.begin() + at + 46 + nameLen + extraLen);
    at += 46 + nameLen + extraLen;

    // The local header repeats the central one.
    const size_t lh = e.offset;
    EXPECT_EQ(U32(zip, lh), 0x04034B50u) << e.name;
    EXPECT_EQ(U16(zip, lh + 4), e.needed);
    EXPECT_EQ(U16(zip, lh + 6), e.flags) << e.name;
    EXPECT_EQ(U16(zip, lh + 8), e.method);
    EXPECT_EQ(U16(zip, lh + 10), e.time);
    EXPECT_EQ(U16(zip, lh + 12), e.date);
    EXPECT_EQ(U32(zip, lh + 14), e.crc) << e.name;
    EXPECT_EQ(U32(zip, lh + 18), e.compressed) << e.name;
    EXPECT_EQ(U32(zip, lh + 22), e.uncompressed) << e.name;
    const uint16_t localName = U16(zip, lh + 26), localExtra = U16(zip, lh + 28);
    EXPECT_EQ(std::string(zip.begin() + lh + 30, zip.begin() + lh + 30 + localName), e.name);
    e.localExtra.assign(zip.begin() + lh + 30 + localName, zip.begin() + lh + 30 + localName + localExtra);
    const size_t dataAt = lh + 30 + localName + localExtra;
    EXPECT_LE(dataAt + e.compressed, dirOffset);
    const Bytes stored(zip.begin() + dataAt, zip.begin() + dataAt + e.compressed);
    if (e.method == 0) {
      e.content = stored;
    } else {
      EXPECT_EQ(e.method, 8);
      z_stream z{};
      inflateInit2(&z, -15);
      e.content.resize(e.uncompressed + 1);
      z.next_in = const_cast<Bytef*>(stored.data());
      z.avail_in = static_cast<uInt>(stored.size());
      z.next_out = e.content.data();
      z.avail_out = static_cast<uInt>(e.content.size());
      EXPECT_EQ(inflate(&z, Z_FINISH), Z_STREAM_END) << e.name;
      EXPECT_EQ(z.avail_in, 0u) << e.name;
      e.content.resize(z.total_out);
      inflateEnd(&z);
    }
    EXPECT_EQ(e.content.size(), e.uncompressed) << e.name;
    EXPECT_EQ(static_cast<uint32_t>(crc32(0, e.content.data(), static_cast<uInt>(e.content.size()))), e.crc) << e.name;
    entries.push_back(std::move(e));
  }
  EXPECT_EQ(at, end);
  return entries;
}

Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }

Bytes Random(size_t n, uint32_t seed) {
  std::mt19937 rng(seed);
  Bytes b(n);
  for (auto& c : b) c = static_cast<uint8_t>(rng());
  return b;
}

Bytes Repetitive(size_t n) {
  std::string s;
  for (int i = 0; s.size() < n; ++i) s += "2024-05-01 10:00:0" + std::to_string(i % 10) + " INFO Playlist: Set Activate 1\r\n";
  s.resize(n);
  return Text(s);
}

ZipSourceInfo SampleInfo() {
  ZipSourceInfo info;
  info.attributes = 0x20;
  info.dosDate = 0x58A1;
  info.dosTime = 0x5A8F;
  info.modified = 1714558830;
  info.accessed = 1714558840;
  info.created = 1714500000;
  return info;
}

TEST(ZipArchive, RecordsNamesMethodsTimesAndAttributesAsWritten) {
  struct Case {
    const char* given;
    const char* stored;
    uint16_t method;
    uint16_t flags;
  };
  const Case cases[] = {
      {"Description.txt", "Description.txt", 8, 2},
      {"Qendor2.log.bak", "Qendor2.log.bak", 8, 2},
      {"logs\\Qendor2.log", "logs/Qendor2.log", 8, 2},
      {"old\\report.ZIP", "old/report.ZIP", 0, 0},
      {"backup.Tgz", "backup.Tgz", 0, 0},
      {"a.z", "a.z", 0, 0},
      {"x.gz.txt", "x.gz.txt", 8, 2},
      {"dir.gz\\README", "dir.gz/README", 8, 2},
      {"noextension", "noextension", 8, 2},
  };
  MemoryFile file;
  std::vector<Bytes> contents;
  {
    ZipWriter writer(std::make_unique<MemoryOutput>(file));
    for (size_t i = 0; i < std::size(cases); ++i) {
      contents.push_back(i % 2 ? Repetitive(70000 + i) : Random(1000 + i, static_cast<uint32_t>(i)));
      MemorySource source(contents.back(), SampleInfo());
      ASSERT_EQ(writer.AddEntry(cases[i].given, source), kZipOk) << cases[i].given;
      EXPECT_FALSE(source.IsOpen()) << "source closed after the entry";
    }
    ASSERT_EQ(writer.Finish(), kZipOk);
    EXPECT_EQ(writer.Written(), file.data.size());
  }
  EXPECT_TRUE(file.closed);
  const std::vector<ParsedEntry> entries = Parse(file.data);
  ASSERT_EQ(entries.size(), std::size(cases));
  uint32_t expectedOffset = 0;
  for (size_t i = 0; i < entries.size(); ++i) {
    const ParsedEntry& e = entries[i];
    SCOPED_TRACE(cases[i].given);
    EXPECT_EQ(e.name, cases[i].stored);
    EXPECT_EQ(e.method, cases[i].method);
    EXPECT_EQ(e.flags, cases[i].flags);
    EXPECT_EQ(e.madeBy, 0x0B17);
    EXPECT_EQ(e.needed, 20);
    EXPECT_EQ(e.date, 0x58A1);
    EXPECT_EQ(e.time, 0x5A8F);
    EXPECT_EQ(e.external, 0x81800020u);
    EXPECT_EQ(e.offset, expectedOffset) << "entries follow each other";
    EXPECT_TRUE(e.content == contents[i]);
    if (e.method == 0) {
      EXPECT_EQ(e.compressed, e.uncompressed);
    } else if (i % 2) {
      EXPECT_LT(e.compressed, e.uncompressed / 5) << "repetitive text is compressed";
    }
    const Bytes local = {'U', 'T', 13, 0, 7, 0x6E, 0x17, 0x32, 0x66, 0x78, 0x17, 0x32, 0x66, 0xA0, 0x31, 0x31, 0x66};
    const Bytes central = {'U', 'T', 5, 0, 7, 0x6E, 0x17, 0x32, 0x66};
    EXPECT_EQ(e.localExtra, local);
    EXPECT_EQ(e.centralExtra, central);
    expectedOffset += 30 + static_cast<uint32_t>(e.name.size()) + 17 + e.compressed;
  }
}

TEST(ZipArchive, EmptySourceGivesCrcZeroAndSizeZero) {
  MemoryFile file;
  ZipWriter writer(std::make_unique<MemoryOutput>(file));
  MemorySource empty(Bytes{}), emptyStored(Bytes{});
  ASSERT_EQ(writer.AddEntry("Description.txt", empty), kZipOk);
  ASSERT_EQ(writer.AddEntry("nothing.zip", emptyStored), kZipOk);
  ASSERT_EQ(writer.Finish(), kZipOk);
  const auto entries = Parse(file.data);
  ASSERT_EQ(entries.size(), 2u);
  for (const auto& e : entries) {
    EXPECT_EQ(e.crc, 0u);
    EXPECT_EQ(e.uncompressed, 0u);
    EXPECT_TRUE(e.content.empty());
  }
  EXPECT_EQ(entries[1].compressed, 0u);
}

TEST(ZipArchive, FinishedWithoutEntriesIsOnlyTheEndRecord) {
  MemoryFile file;
  ZipWriter writer(std::make_unique<MemoryOutput>(file));
  ASSERT_EQ(writer.Finish(), kZipOk);
  const Bytes expected = {0x50, 0x4B, 5, 6, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(file.data, expected);
}

TEST(ZipArchive, ArgumentAndStateErrorsLeaveNothingWritten) {
  MemoryFile file;
  ZipWriter writer(std::make_unique<MemoryOutput>(file));
  MemorySource source(Text("abc"));
  EXPECT_EQ(writer.AddEntry("", source), kZipBadArgument);
  EXPECT_EQ(source.opens, 0);
  MemorySource missing(Text("abc"));
  missing.missing = true;
  EXPECT_EQ(writer.AddEntry("gone.log", missing), kZipOpenFailed);
  EXPECT_TRUE(file.data.empty());
  // Still usable.
  ASSERT_EQ(writer.AddEntry("Qendor2.log", source), kZipOk);
  ASSERT_EQ(writer.Finish(), kZipOk);
  EXPECT_EQ(writer.AddEntry("late.txt", source), kZipFinished);
  EXPECT_EQ(writer.Finish(), kZipOk) << "finishing twice changes nothing";
  const auto entries = Parse(file.data);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].name, "Qendor2.log");
}

TEST(ZipArchive, SourcesWhoseSizeTheRecordsCannotHoldAreRefusedBeforeAnythingIsWritten) {
  // 0xFFFFFFFF itself is refused too: in a size field readers take it as "see the ZIP64
  // record", which this writer does not write.
  for (uint64_t size : {uint64_t{0xFFFFFFFF}, uint64_t{1} << 32}) {
    for (const char* name : {"huge.log", "huge.zip"}) {
      MemoryFile file;
      ZipWriter writer(std::make_unique<MemoryOutput>(file));
      MemorySource first(Text("first entry"));
      ASSERT_EQ(writer.AddEntry("first.txt", first), kZipOk);
      const size_t before = file.data.size();
      ZipSourceInfo info = SampleInfo();
      info.size = size;
      MemorySource huge(Bytes{}, info);
      EXPECT_EQ(writer.AddEntry(name, huge), kZipBadArgument) << name << " of " << size;
      EXPECT_EQ(huge.reads, 0);
      EXPECT_FALSE(huge.IsOpen());
      EXPECT_EQ(file.data.size(), before);
      EXPECT_EQ(writer.Error(), kZipOk);
      MemorySource last(Text("last entry"));
      ASSERT_EQ(writer.AddEntry("last.txt", last), kZipOk);
      ASSERT_EQ(writer.Finish(), kZipOk);
      const auto entries = Parse(file.data);
      ASSERT_EQ(entries.size(), 2u);
      EXPECT_EQ(entries[1].name, "last.txt");
    }
  }
  // One below the limit is taken (this source turns out to hold 3 bytes).
  MemoryFile file;
  ZipWriter writer(std::make_unique<MemoryOutput>(file));
  ZipSourceInfo info = SampleInfo();
  info.size = 0xFFFFFFFE;
  MemorySource almost(Text("abc"), info);
  EXPECT_EQ(writer.AddEntry("almost.log", almost), kZipOk);
}

TEST(ZipArchive, TheEntryCountStopsBelowTheValueReadersTakeForZip64) {
  // 0xFFFF entries in the end record means "see the ZIP64 record": the 65 535th is refused.
  MemoryFile file;
  ZipWriter writer(std::make_unique<MemoryOutput>(file));
  MemorySource empty(Bytes{});
  for (int i = 0; i < 0xFFFE; ++i) ASSERT_EQ(writer.AddEntry("e" + std::to_string(i) + ".zip", empty), kZipOk) << i;
  EXPECT_EQ(writer.AddEntry("one-more.zip", empty), kZipBadArgument);
  EXPECT_EQ(writer.Error(), kZipOk);
  ASSERT_EQ(writer.Finish(), kZipOk);
  const size_t end = file.data.size() - 22;
  EXPECT_EQ(U16(file.data, end + 8), 0xFFFE);
  EXPECT_EQ(U16(file.data, end + 10), 0xFFFE);
}

TEST(ZipArchive, ReadFailureDropsTheEntryAndKeepsTheArchiveUsable) {
  MemoryFile file;
  ZipWriter writer(std::make_unique<MemoryOutput>(file));
  MemorySource good(Repetitive(100000));
  ASSERT_EQ(writer.AddEntry("a.log", good), kZipOk);
  for (const char* name : {"b.log", "b.zip"}) {
    MemorySource bad(Random(200000, 3));
    bad.failReadAt = 100000;
    EXPECT_EQ(writer.AddEntry(name, bad), kZipOpenFailed) << name;
    EXPECT_FALSE(bad.IsOpen());
  }
  EXPECT_EQ(writer.Error(), kZipOk);
  MemorySource after(Text("after"));
  ASSERT_EQ(writer.AddEntry("c.txt", after), kZipOk);
  ASSERT_EQ(writer.Finish(), kZipOk);
  const auto entries = Parse(file.data);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].name, "a.log");
  EXPECT_EQ(entries[1].name, "c.txt");
}

TEST(ZipArchive, WriteFailureStopsTheArchiveButFinishListsTheCompleteEntries) {
  // Fail inside the header, inside the data of a deflated and of a stored entry.
  for (uint64_t failAt : {uint64_t{10}, uint64_t{3000}, uint64_t{70000}}) {
    for (const char* name : {"big.log", "big.zip"}) {
      SCOPED_TRACE(std::string(name) + " failing after " + std::to_string(failAt));
      MemoryFile file;
      ZipWriter writer(std::make_unique<MemoryOutput>(file));
      MemorySource good(Text("complete"));
      ASSERT_EQ(writer.AddEntry("good.txt", good), kZipOk);
      file.failWritesAfter = file.accepted + failAt;
      MemorySource big(Random(300000, 4));
      EXPECT_EQ(writer.AddEntry(name, big), kZipWriteFailed);
      EXPECT_FALSE(big.IsOpen());
      MemorySource more(Text("more"));
      EXPECT_EQ(writer.AddEntry("more.txt", more), kZipFailedEarlier);
      EXPECT_EQ(more.opens, 0);
      file.failWritesAfter = UINT64_MAX;  // the disk has room again
      EXPECT_EQ(writer.Finish(), kZipOk);
      const auto entries = Parse(file.data);
      ASSERT_EQ(entries.size(), 1u);
      EXPECT_EQ(entries[0].name, "good.txt");
    }
  }
}

TEST(ZipArchive, SeekFailureWhileUpdatingTheHeaderIsReported) {
  MemoryFile file;
  ZipWriter writer(std::make_unique<MemoryOutput>(file));
  file.failSeekNumber = 1;  // the move back to the local header
  MemorySource source(Text("data"));
  EXPECT_EQ(writer.AddEntry("a.txt", source), kZipSeekFailed);
  EXPECT_EQ(writer.AddEntry("b.txt", source), kZipFailedEarlier);
  EXPECT_EQ(writer.Finish(), kZipOk);
  EXPECT_EQ(Parse(file.data).size(), 0u);
}

TEST(ZipArchive, FailedDirectoryWriteWritesNoEndRecord) {
  MemoryFile file;
  ZipWriter writer(std::make_unique<MemoryOutput>(file));
  MemorySource a(Text("a")), b(Text("b"));
  ASSERT_EQ(writer.AddEntry("a.txt", a), kZipOk);
  ASSERT_EQ(writer.AddEntry("b.txt", b), kZipOk);
  file.failWritesAfter = file.accepted + 60;  // inside the second directory header
  EXPECT_EQ(writer.Finish(), kZipWriteFailed);
  EXPECT_TRUE(file.closed);
  const Bytes signature = {0x50, 0x4B, 5, 6};
  EXPECT_EQ(std::search(file.data.begin(), file.data.end(), signature.begin(), signature.end()), file.data.end());
}

TEST(ZipArchive, WithoutOutputEveryCallSaysSo) {
  ZipWriter writer(nullptr);
  MemorySource source(Text("x"));
  EXPECT_EQ(writer.AddEntry("x.txt", source), kZipNoOutput);
  EXPECT_EQ(writer.Finish(), kZipNoOutput);
}

// The extended timestamps in a time zone: UTC, east of it (CET, UTC+1) and west (EST, UTC-5).
class ZipTimes : public testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    const char* tz = std::getenv("TZ");
    savedTz_ = tz ? tz : "";
    hadTz_ = tz != nullptr;
    setenv("TZ", GetParam(), 1);
    tzset();
  }
  void TearDown() override {
    if (hadTz_) setenv("TZ", savedTz_.c_str(), 1);
    else unsetenv("TZ");
    tzset();
  }
  std::string savedTz_;
  bool hadTz_ = false;
};

TEST_P(ZipTimes, ExtendedTimestampsClampTo1970And2037KeepingTheTimeOfDayWithoutWrapping) {
  const long offset = std::string(GetParam()) == "CET-1" ? 3600 : std::string(GetParam()) == "EST5" ? -18000 : 0;
  struct Case {
    ZipCalendarTime local;
    int64_t utc;  // the local fields as seconds since 1970 in UTC
  };
  const Case cases[] = {
      {{2024, 5, 1, 10, 20, 30}, 1714558830},
      {{1965, 6, 15, 12, 34, 56}, 45296},   // 1970-01-01 12:34:56
      {{1969, 12, 31, 23, 59, 59}, 86399},  // 1970-01-01 23:59:59
      {{1950, 1, 1, 0, 30, 0}, 1800},       // 1970-01-01 00:30: before 1970 in UTC east of it
      {{2040, 3, 1, 1, 2, 3}, 2145834123},  // 2037-12-31 01:02:03
      {{2037, 12, 31, 23, 59, 59}, 2145916799},
  };
  for (const Case& c : cases) {
    const int64_t expected = std::clamp<int64_t>(c.utc - offset, 0, INT32_MAX);
    EXPECT_EQ(ZipExtendedTime(c.local), static_cast<uint32_t>(expected)) << c.local.year << " in " << GetParam();
  }
}

INSTANTIATE_TEST_SUITE_P(Zones, ZipTimes, testing::Values("UTC0", "CET-1", "EST5"));

TEST(ZipFields, DosDateAndTime) {
  struct Case {
    ZipCalendarTime local;
    uint16_t date, time;
  };
  const Case cases[] = {
      {{2024, 5, 1, 10, 20, 31}, (44 << 9) | (5 << 5) | 1, (10 << 11) | (20 << 5) | 15},
      {{1980, 1, 1, 0, 0, 0}, (1 << 5) | 1, 0},
      {{1965, 6, 15, 12, 34, 56}, (1 << 5) | 1, 0},
      {{2107, 12, 31, 23, 59, 59}, (127 << 9) | (12 << 5) | 31, (23 << 11) | (59 << 5) | 29},
  };
  for (const Case& c : cases) {
    uint16_t date = 0, time = 0;
    ZipDosDateTime(c.local, &date, &time);
    EXPECT_EQ(date, c.date) << c.local.year;
    EXPECT_EQ(time, c.time) << c.local.year;
  }
}

TEST(ZipFields, ExternalAttributesCarryAUnixModeAndTheMaskedWindowsAttributes) {
  const std::map<uint32_t, uint32_t> cases = {
      {0x20, 0x81800020u},   // writable file with the archive attribute
      {0x00, 0x81800000u},
      {0x21, 0x81000021u},   // read-only: no owner write
      {0x27, 0x81000027u},   // hidden, system
      {0x10, 0x41800010u},   // directory
      {0x2080, 0x81800000u},  // normal and not-indexed bits are masked away
  };
  for (const auto& [windows, expected] : cases) EXPECT_EQ(ZipExternalAttributes(windows), expected) << windows;
}

}  // namespace

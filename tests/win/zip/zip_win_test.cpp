// The zip writer over Win32 files: BeginArchive / AddArchiveEntry / FinishArchive on real
// files, read back field by field. Deflated data is compared with the encoder's own output for
// the source (its validity as Deflate is checked natively against zlib).
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <ctime>
#include <random>
#include <string>
#include <vector>

#include "diag/Crc32.h"
#include "diag/Deflate.h"
#include "diag/ZipArchive_win.h"

namespace {

using Bytes = std::vector<uint8_t>;

std::wstring TempFolder() {
  wchar_t base[MAX_PATH];
  GetTempPathW(MAX_PATH, base);
  std::wstring dir = std::wstring(base) + L"qendor-zip-test-" + std::to_wstring(GetCurrentProcessId());
  CreateDirectoryW(dir.c_str(), nullptr);
  return dir + L"\\";
}

bool WriteWholeFile(const std::wstring& path, const Bytes& data) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD done = 0;
  const BOOL ok = data.empty() || WriteFile(h, data.data(), static_cast<DWORD>(data.size()), &done, nullptr);
  CloseHandle(h);
  return ok && done == data.size();
}

Bytes ReadWholeFile(const std::wstring& path) {
  Bytes data;
  HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return data;
  uint8_t buf[65536];
  DWORD got = 0;
  while (ReadFile(h, buf, sizeof buf, &got, nullptr) && got > 0) data.insert(data.end(), buf, buf + got);
  CloseHandle(h);
  return data;
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

FILETIME UtcFileTime(int y, int mo, int d, int h, int mi, int s) {
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(y);
  st.wMonth = static_cast<WORD>(mo);
  st.wDay = static_cast<WORD>(d);
  st.wHour = static_cast<WORD>(h);
  st.wMinute = static_cast<WORD>(mi);
  st.wSecond = static_cast<WORD>(s);
  FILETIME ft{};
  SystemTimeToFileTime(&st, &ft);
  return ft;
}

bool SetTimes(const std::wstring& path, const FILETIME& created, const FILETIME& accessed, const FILETIME& written) {
  HANDLE h = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  const BOOL ok = SetFileTime(h, &created, &accessed, &written);
  CloseHandle(h);
  return ok != FALSE;
}

// Local calendar fields of a UTC file time, as Windows converts them.
SYSTEMTIME LocalFields(const FILETIME& utc) {
  FILETIME local;
  FileTimeToLocalFileTime(&utc, &local);
  SYSTEMTIME st;
  FileTimeToSystemTime(&local, &st);
  return st;
}

// The times the file system reports (Wine on Linux cannot keep a creation time of its own).
BY_HANDLE_FILE_INFORMATION Info(const std::wstring& path) {
  BY_HANDLE_FILE_INFORMATION info{};
  HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (h != INVALID_HANDLE_VALUE) {
    GetFileInformationByHandle(h, &info);
    CloseHandle(h);
  }
  return info;
}

uint32_t UnixSeconds(const FILETIME& ft) {
  const uint64_t v = (static_cast<uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
  return static_cast<uint32_t>((v - 116444736000000000ull) / 10000000ull);
}

bool LocalIsUtc() {
  TIME_ZONE_INFORMATION tz;
  const DWORD mode = GetTimeZoneInformation(&tz);
  return tz.Bias == 0 && (mode == TIME_ZONE_ID_UNKNOWN || tz.DaylightBias == 0);
}

struct Collector : DeflateOutput {
  Bytes data;
  bool WriteCompressed(const uint8_t* p, size_t n) override {
    data.insert(data.end(), p, p + n);
    return true;
  }
};

Bytes Deflated(const Bytes& input) {
  Collector out;
  auto encoder = DeflateEncoder::Create(out);
  for (size_t at = 0; at < input.size(); at += 65536) encoder->Write(input.data() + at, std::min<size_t>(65536, input.size() - at));
  encoder->Finish();
  return out.data;
}

uint16_t U16(const Bytes& b, size_t at) { return static_cast<uint16_t>(b.at(at) | b.at(at + 1) << 8); }
uint32_t U32(const Bytes& b, size_t at) { return U16(b, at) | static_cast<uint32_t>(U16(b, at + 2)) << 16; }

struct Entry {
  std::string name;
  uint16_t flags, method, time, date;
  uint32_t crc, compressed, uncompressed, external, offset;
  uint32_t modified, accessed, created;  // from the local extra field
  Bytes data;                            // as stored in the archive
};

// Central directory and local headers of an archive; fails the test on inconsistencies.
std::vector<Entry> ReadArchive(const Bytes& zip) {
  std::vector<Entry> entries;
  EXPECT_GE(zip.size(), 22u);
  if (zip.size() < 22) return entries;
  const size_t end = zip.size() - 22;
  EXPECT_EQ(U32(zip, end), 0x06054B50u);
  const uint16_t count = U16(zip, end + 10);
  EXPECT_EQ(U16(zip, end + 8), count);
  const uint32_t dirSize = U32(zip, end + 12), dirOffset = U32(zip, end + 16);
  EXPECT_EQ(uint64_t{dirOffset} + dirSize, end);
  size_t at = dirOffset;
  for (int i = 0; i < count && at + 46 <= end; ++i) {
    Entry e;
    EXPECT_EQ(U32(zip, at), 0x02014B50u);
    EXPECT_EQ(U16(zip, at + 4), 0x0B17);
    EXPECT_EQ(U16(zip, at + 6), 20);
    e.flags = U16(zip, at + 8);
    e.method = U16(zip, at + 10);
    e.time = U16(zip, at + 12);
    e.date = U16(zip, at + 14);
    e.crc = U32(zip, at + 16);
    e.compressed = U32(zip, at + 20);
    e.uncompressed = U32(zip, at + 24);
    const uint16_t nameLen = U16(zip, at + 28);
    EXPECT_EQ(U16(zip, at + 30), 9);
    e.external = U32(zip, at + 38);
    e.offset = U32(zip, at + 42);
    e.name.assign(zip.begin() + at + 46, zip.begin() + at + 46 + nameLen);
    const size_t cx = at + 46 + nameLen;
    EXPECT_EQ(U16(zip, cx), 0x5455);
    EXPECT_EQ(U16(zip, cx + 2), 5);
    EXPECT_EQ(zip.at(cx + 4), 7);
    const uint32_t centralModified = U32(zip, cx + 5);
    at = cx + 9;

    const size_t lh = e.offset;
    EXPECT_EQ(U32(zip, lh), 0x04034B50u);
    EXPECT_EQ(U16(zip, lh + 6), e.flags) << e.name;
    EXPECT_EQ(U16(zip, lh + 8), e.method);
    EXPECT_EQ(U16(zip, lh + 10), e.time);
    EXPECT_EQ(U16(zip, lh + 12), e.date);
    EXPECT_EQ(U32(zip, lh + 14), e.crc);
    EXPECT_EQ(U32(zip, lh + 18), e.compressed);
    EXPECT_EQ(U32(zip, lh + 22), e.uncompressed);
    EXPECT_EQ(U16(zip, lh + 26), nameLen);
    EXPECT_EQ(U16(zip, lh + 28), 17);
    const size_t lx = lh + 30 + nameLen;
    EXPECT_EQ(U16(zip, lx), 0x5455);
    EXPECT_EQ(U16(zip, lx + 2), 13);
    EXPECT_EQ(zip.at(lx + 4), 7);
    e.modified = U32(zip, lx + 5);
    e.accessed = U32(zip, lx + 9);
    e.created = U32(zip, lx + 13);
    EXPECT_EQ(e.modified, centralModified);
    const size_t dataAt = lx + 17;
    EXPECT_LE(dataAt + e.compressed, dirOffset);
    e.data.assign(zip.begin() + dataAt, zip.begin() + dataAt + e.compressed);
    entries.push_back(std::move(e));
  }
  EXPECT_EQ(at, end);
  return entries;
}

Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }

Bytes LogText(size_t n) {
  std::string s;
  for (int i = 0; s.size() < n; ++i)
    s += "2024-05-01 10:00:" + std::to_string(10 + i % 50) + " INFO  Quick Controls: Set volume " + std::to_string(i % 101) + "\r\n";
  s.resize(n);
  return Text(s);
}

class ZipWin : public testing::Test {
 protected:
  void SetUp() override { dir_ = TempFolder(); }
  void TearDown() override {
    for (const std::wstring& f : files_) {
      SetFileAttributesW(f.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileW(f.c_str());
    }
    RemoveDirectoryW(dir_.c_str());
  }
  std::wstring File(const std::wstring& name) {
    files_.push_back(dir_ + name);
    return dir_ + name;
  }
  std::wstring dir_;
  std::vector<std::wstring> files_;
};

TEST_F(ZipWin, ArchiveOfRealFilesRecordsWhatTheFilesAre) {
  struct Source {
    const wchar_t* file;
    const wchar_t* entry;
    const char* stored;
    Bytes content;
    uint16_t method;
  };
  std::mt19937 rng(3);
  Bytes random(150000);
  for (auto& c : random) c = static_cast<uint8_t>(rng());
  std::vector<Source> sources = {
      {L"Qendor-Report-Description.txt", L"Description.txt", "Description.txt", Text("It stopped.\r\nTwice.\r\n"), 8},
      {L"Qendor2.log", L"logs\\Qendor2.log", "logs/Qendor2.log", LogText(300000), 8},
      {L"Qendor2.log.bak", L"Qendor2.log.bak", "Qendor2.log.bak", LogText(1000), 8},
      {L"old.zip", L"old\\Report.ZIP", "old/Report.ZIP", random, 0},
      {L"empty.txt", L"empty.txt", "empty.txt", Bytes{}, 8},
  };
  const FILETIME created = UtcFileTime(2020, 1, 2, 3, 4, 5);
  const FILETIME accessed = UtcFileTime(2024, 5, 1, 10, 20, 40);
  const FILETIME written = UtcFileTime(2024, 5, 1, 10, 20, 30);
  for (const Source& s : sources) {
    ASSERT_TRUE(WriteWholeFile(File(s.file), s.content));
    ASSERT_TRUE(SetTimes(dir_ + s.file, created, accessed, written));
  }
  SetFileAttributesW((dir_ + L"Qendor2.log.bak").c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);

  const std::wstring zipPath = File(L"Qendor-Report.zip");
  ASSERT_TRUE(WriteWholeFile(zipPath, Text("an older report that must be replaced")));
  int32_t result = -1;
  ZipArchive* archive = BeginArchive(zipPath.c_str(), &result);
  ASSERT_NE(archive, nullptr);
  EXPECT_EQ(result, kZipOk);
  for (const Source& s : sources) EXPECT_EQ(AddArchiveEntry(archive, s.entry, (dir_ + s.file).c_str()), kZipOk);
  ASSERT_EQ(FinishArchive(archive), kZipOk);

  const std::vector<Entry> entries = ReadArchive(ReadWholeFile(zipPath));
  ASSERT_EQ(entries.size(), sources.size());
  const SYSTEMTIME local = LocalFields(written);
  WORD dosDate = 0, dosTime = 0;
  FILETIME localWritten;
  FileTimeToLocalFileTime(&written, &localWritten);
  FileTimeToDosDateTime(&localWritten, &dosDate, &dosTime);
  for (size_t i = 0; i < entries.size(); ++i) {
    const Entry& e = entries[i];
    const Source& s = sources[i];
    SCOPED_TRACE(e.name);
    EXPECT_EQ(e.name, s.stored);
    EXPECT_EQ(e.method, s.method);
    EXPECT_EQ(e.flags, s.method == 8 ? 2 : 0);
    EXPECT_EQ(e.uncompressed, s.content.size());
    EXPECT_EQ(e.crc, Crc32Update(0, s.content.data(), s.content.size()));
    EXPECT_EQ(e.data, s.method == 8 ? Deflated(s.content) : s.content);
    EXPECT_EQ(e.date, dosDate);
    EXPECT_EQ(e.time, dosTime);
    EXPECT_EQ(e.date, ((local.wYear - 1980) << 9) | (local.wMonth << 5) | local.wDay);
    const bool readOnly = s.stored == std::string("Qendor2.log.bak");
    EXPECT_EQ(e.external, readOnly ? 0x81000021u : 0x81800020u);
    EXPECT_EQ(e.accessed, e.modified + 10);
    if (LocalIsUtc()) {
      EXPECT_EQ(e.modified, 1714558830u);
      EXPECT_EQ(e.created, UnixSeconds(Info(dir_ + s.file).ftCreationTime));
    }
  }
  EXPECT_EQ(entries[4].crc, 0u);
}

TEST_F(ZipWin, A1965FileGets1January1970InItsExtendedTimestamp) {
  const std::wstring source = File(L"old.txt");
  ASSERT_TRUE(WriteWholeFile(source, Text("old")));
  const FILETIME t1965 = UtcFileTime(1965, 6, 15, 12, 34, 56);
  ASSERT_TRUE(SetTimes(source, t1965, t1965, t1965));
  const std::wstring zipPath = File(L"old.zip");
  ZipArchive* archive = BeginArchive(zipPath.c_str());
  ASSERT_NE(archive, nullptr);
  ASSERT_EQ(AddArchiveEntry(archive, L"old.txt", source.c_str()), kZipOk);
  ASSERT_EQ(FinishArchive(archive), kZipOk);
  const auto entries = ReadArchive(ReadWholeFile(zipPath));
  ASSERT_EQ(entries.size(), 1u);
  const SYSTEMTIME local = LocalFields(t1965);
  std::tm tm{};
  tm.tm_year = 70;
  tm.tm_mday = 1;
  tm.tm_hour = local.wHour;
  tm.tm_min = local.wMinute;
  tm.tm_sec = local.wSecond;
  tm.tm_isdst = 0;
  EXPECT_EQ(entries[0].modified, static_cast<uint32_t>(std::mktime(&tm)));
  if (LocalIsUtc()) {
    EXPECT_EQ(entries[0].modified, 45296u);
  }
  EXPECT_EQ(entries[0].date, (1 << 5) | 1) << "DOS fields start in 1980";
}

TEST_F(ZipWin, MissingSourceIsReportedAndTheArchiveStaysUsable) {
  const std::wstring a = File(L"a.txt");
  ASSERT_TRUE(WriteWholeFile(a, Text("alpha")));
  const std::wstring zipPath = File(L"partial.zip");
  ZipArchive* archive = BeginArchive(zipPath.c_str());
  ASSERT_NE(archive, nullptr);
  EXPECT_EQ(AddArchiveEntry(archive, L"gone.log", (dir_ + L"does-not-exist.log").c_str()), kZipOpenFailed);
  EXPECT_EQ(AddArchiveEntry(archive, L"a.txt", a.c_str()), kZipOk);
  ASSERT_EQ(FinishArchive(archive), kZipOk);
  const auto entries = ReadArchive(ReadWholeFile(zipPath));
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].name, "a.txt");
}

TEST_F(ZipWin, SourceOf4GiBIsRefusedAndTheArchiveStaysUsable) {
  const std::wstring huge = File(L"huge.bin");
  {
    HANDLE h = CreateFileW(huge.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD bytes = 0;
    DeviceIoControl(h, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &bytes, nullptr);  // Wine files are sparse anyway
    LARGE_INTEGER size;
    size.QuadPart = 4LL << 30;
    const bool sized = SetFilePointerEx(h, size, nullptr, FILE_BEGIN) && SetEndOfFile(h);
    CloseHandle(h);
    ASSERT_TRUE(sized);
  }
  const std::wstring a = File(L"a.txt");
  ASSERT_TRUE(WriteWholeFile(a, Text("alpha")));
  const std::wstring zipPath = File(L"huge.zip");
  ZipArchive* archive = BeginArchive(zipPath.c_str());
  ASSERT_NE(archive, nullptr);
  ASSERT_EQ(AddArchiveEntry(archive, L"a.txt", a.c_str()), kZipOk);
  EXPECT_EQ(AddArchiveEntry(archive, L"huge.log", huge.c_str()), kZipBadArgument);
  EXPECT_EQ(AddArchiveEntry(archive, L"huge.zip", huge.c_str()), kZipBadArgument);
  EXPECT_EQ(AddArchiveEntry(archive, L"b.txt", a.c_str()), kZipOk);
  ASSERT_EQ(FinishArchive(archive), kZipOk);
  const Bytes zip = ReadWholeFile(zipPath);
  EXPECT_LT(zip.size(), 1000u);
  const auto entries = ReadArchive(zip);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].name, "a.txt");
  EXPECT_EQ(entries[1].name, "b.txt");
}

TEST_F(ZipWin, ArchiveWithoutEntriesIsTheEndRecordAlone) {
  const std::wstring zipPath = File(L"none.zip");
  ZipArchive* archive = BeginArchive(zipPath.c_str());
  ASSERT_NE(archive, nullptr);
  ASSERT_EQ(FinishArchive(archive), kZipOk);
  const Bytes expected = {0x50, 0x4B, 5, 6, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(ReadWholeFile(zipPath), expected);
}

TEST_F(ZipWin, DestinationFolderThatDoesNotExistGivesNoArchive) {
  const std::wstring zipPath = dir_ + L"no-such-folder\\Qendor-Report.zip";
  int32_t result = 0;
  EXPECT_EQ(BeginArchive(zipPath.c_str(), &result), nullptr);
  EXPECT_EQ(result, kZipOpenFailed);
  EXPECT_FALSE(Exists(zipPath));
}

TEST_F(ZipWin, HandlesAndArgumentsAreChecked) {
  const std::wstring a = File(L"a.txt");
  ASSERT_TRUE(WriteWholeFile(a, Text("alpha")));
  const std::wstring zipPath = File(L"args.zip");
  ZipArchive* archive = BeginArchive(zipPath.c_str());
  ASSERT_NE(archive, nullptr);
  int notAnArchive = 0;
  EXPECT_EQ(AddArchiveEntry(reinterpret_cast<ZipArchive*>(&notAnArchive), L"a.txt", a.c_str()), kZipNotAnArchive);
  EXPECT_EQ(FinishArchive(reinterpret_cast<ZipArchive*>(&notAnArchive)), kZipNotAnArchive);
  EXPECT_EQ(AddArchiveEntry(nullptr, L"a.txt", a.c_str()), kZipBadArgument);
  EXPECT_EQ(AddArchiveEntry(archive, L"", a.c_str()), kZipBadArgument);
  EXPECT_EQ(AddArchiveEntry(archive, nullptr, a.c_str()), kZipBadArgument);
  EXPECT_EQ(AddArchiveEntry(archive, L"a.txt", nullptr), kZipBadArgument);
  EXPECT_EQ(AddArchiveEntry(archive, L"a.txt", a.c_str()), kZipOk);
  ASSERT_EQ(FinishArchive(archive), kZipOk);
  // The handle is gone once finished.
  EXPECT_EQ(AddArchiveEntry(archive, L"b.txt", a.c_str()), kZipNotAnArchive);
  EXPECT_EQ(FinishArchive(archive), kZipNotAnArchive);
  EXPECT_EQ(ReadArchive(ReadWholeFile(zipPath)).size(), 1u);
}

TEST_F(ZipWin, ArchiveIsNotSharedWhileBeingWritten) {
  const std::wstring zipPath = File(L"locked.zip");
  ZipArchive* archive = BeginArchive(zipPath.c_str());
  ASSERT_NE(archive, nullptr);
  HANDLE other = CreateFileW(zipPath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_EQ(other, INVALID_HANDLE_VALUE);
  if (other != INVALID_HANDLE_VALUE) CloseHandle(other);
  ASSERT_EQ(FinishArchive(archive), kZipOk);
}

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

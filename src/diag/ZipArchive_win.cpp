// Zip archives over Win32 files: the archive file, source files with their times and
// attributes, and the handles given to callers.
#include "diag/ZipArchive_win.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <ctime>
#include <mutex>
#include <new>
#include <set>
#include <string>

#include "base/Handles_win.h"

struct ZipArchive {
  explicit ZipArchive(std::unique_ptr<ZipOutputFile> output) : writer(std::move(output)) {}
  ZipWriter writer;
};

namespace {

// Archives being written; a handle is only used after it is found here.
std::mutex gArchivesLock;
std::set<ZipArchive*> gArchives;

bool IsArchive(ZipArchive* archive) {
  std::lock_guard<std::mutex> lock(gArchivesLock);
  return gArchives.count(archive) != 0;
}

class Win32Output : public ZipOutputFile {
 public:
  explicit Win32Output(UniqueFileHandle file) : file_(std::move(file)) {}
  bool Write(const void* data, uint32_t size) override {
    const auto* p = static_cast<const uint8_t*>(data);
    while (size > 0) {
      DWORD done = 0;
      if (!WriteFile(file_.get(), p, size, &done, nullptr) || done == 0) return false;
      p += done;
      size -= done;
    }
    return true;
  }
  bool Seek(uint64_t offset) override {
    LARGE_INTEGER to;
    to.QuadPart = static_cast<LONGLONG>(offset);
    return SetFilePointerEx(file_.get(), to, nullptr, FILE_BEGIN) != FALSE;
  }
  bool Truncate() override { return SetEndOfFile(file_.get()) != FALSE; }

 private:
  UniqueFileHandle file_;
};

int64_t FileTimeValue(const FILETIME& ft) {
  return static_cast<int64_t>((static_cast<uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime);
}

FILETIME FileTimeFrom(int64_t value) {
  FILETIME ft;
  ft.dwLowDateTime = static_cast<DWORD>(static_cast<uint64_t>(value));
  ft.dwHighDateTime = static_cast<DWORD>(static_cast<uint64_t>(value) >> 32);
  return ft;
}

// Current UTC minus current local time, in file-time units.
int64_t LocalOffset() {
  SYSTEMTIME utc, local;
  GetSystemTime(&utc);
  GetLocalTime(&local);
  FILETIME utcFt{}, localFt{};
  SystemTimeToFileTime(&utc, &utcFt);
  SystemTimeToFileTime(&local, &localFt);
  return FileTimeValue(utcFt) - FileTimeValue(localFt);
}

ZipCalendarTime CalendarFields(const FILETIME& local) {
  SYSTEMTIME st;
  if (!FileTimeToSystemTime(&local, &st)) return ZipCalendarTime{};
  return ZipCalendarTime{st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
}

class Win32Source : public ZipSourceFile {
 public:
  explicit Win32Source(const wchar_t* path) : path_(path) {}
  int32_t Open(ZipSourceInfo& info) override {
    if (!path_) return kZipBadArgument;
    // The log's writer may hold the file open (and rename it): share everything, or the
    // entry would be missing without a word.
    file_.reset(CreateFileW(path_, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file_) return kZipOpenFailed;
    BY_HANDLE_FILE_INFORMATION fi;
    if (!GetFileInformationByHandle(file_.get(), &fi)) {
      file_.reset();
      return kZipOpenFailed;
    }
    DWORD high = 0;
    const DWORD low = GetFileSize(file_.get(), &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) {
      file_.reset();
      return kZipOpenFailed;
    }
    SetFilePointer(file_.get(), 0, nullptr, FILE_BEGIN);
    info.size = (static_cast<uint64_t>(high) << 32) | low;
    info.attributes = fi.dwFileAttributes;

    const int64_t offset = LocalOffset();
    const FILETIME written = FileTimeFrom(FileTimeValue(fi.ftLastWriteTime) - offset);
    const FILETIME accessed = FileTimeFrom(FileTimeValue(fi.ftLastAccessTime) - offset);
    const FILETIME created = FileTimeFrom(FileTimeValue(fi.ftCreationTime) - offset);
    const ZipCalendarTime writtenFields = CalendarFields(written);
    WORD date = 0, time = 0;
    if (FileTimeToDosDateTime(&written, &date, &time)) {
      info.dosDate = date;
      info.dosTime = time;
    } else {
      // Before 1980 or after 2107: the nearest time the fields can hold.
      ZipDosDateTime(writtenFields, &info.dosDate, &info.dosTime);
    }
    info.modified = ZipExtendedTime(writtenFields);
    info.accessed = ZipExtendedTime(CalendarFields(accessed));
    info.created = ZipExtendedTime(CalendarFields(created));
    return kZipOk;
  }
  bool Read(void* buffer, uint32_t size, uint32_t& got) override {
    DWORD done = 0;
    const BOOL ok = ReadFile(file_.get(), buffer, size, &done, nullptr);
    got = done;
    return ok != FALSE;
  }
  void Close() override { file_.reset(); }

 private:
  const wchar_t* path_;
  UniqueFileHandle file_;
};

// Bytes in memory, dated now, with normal attributes.
class MemorySource : public ZipSourceFile {
 public:
  explicit MemorySource(const std::string& bytes) : bytes_(bytes) {}
  int32_t Open(ZipSourceInfo& info) override {
    SYSTEMTIME now;
    GetLocalTime(&now);
    const ZipCalendarTime fields{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
    info.size = bytes_.size();
    info.attributes = FILE_ATTRIBUTE_ARCHIVE;
    ZipDosDateTime(fields, &info.dosDate, &info.dosTime);
    info.modified = info.accessed = info.created = ZipExtendedTime(fields);
    at_ = 0;
    return kZipOk;
  }
  bool Read(void* buffer, uint32_t size, uint32_t& got) override {
    got = static_cast<uint32_t>(std::min<size_t>(size, bytes_.size() - at_));
    if (got != 0) std::memcpy(buffer, bytes_.data() + at_, got);
    at_ += got;
    return true;
  }
  void Close() override {}

 private:
  const std::string& bytes_;
  size_t at_ = 0;
};

// An entry name in the ANSI code page (empty when it cannot be converted).
std::string NarrowEntryName(const wchar_t* entryName) {
  const int size = WideCharToMultiByte(CP_ACP, 0, entryName, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return {};
  std::string name(static_cast<size_t>(size), '\0');
  if (WideCharToMultiByte(CP_ACP, 0, entryName, -1, name.data(), size, nullptr, nullptr) != size) return {};
  name.resize(static_cast<size_t>(size) - 1);  // the terminator
  return name;
}

}  // namespace

ZipArchive* BeginArchive(const wchar_t* path, int32_t* result) {
  if (result) *result = kZipOpenFailed;
  _tzset();  // times are converted through the C runtime's local time
  if (!path) return nullptr;
  UniqueFileHandle file(CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return nullptr;
  auto* archive = new (std::nothrow) ZipArchive(std::make_unique<Win32Output>(std::move(file)));
  if (!archive) return nullptr;
  {
    std::lock_guard<std::mutex> lock(gArchivesLock);
    gArchives.insert(archive);
  }
  if (result) *result = kZipOk;
  return archive;
}

namespace {
// The checks every added entry passes, then the entry from its source.
int32_t AddFromSource(ZipArchive* archive, const wchar_t* entryName, ZipSourceFile& source) {
  if (!archive) return kZipBadArgument;
  if (!IsArchive(archive)) return kZipNotAnArchive;
  if (!entryName) return kZipBadArgument;
  const std::string name = NarrowEntryName(entryName);
  if (name.empty()) return kZipBadArgument;
  return archive->writer.AddEntry(name, source);
}
}  // namespace

int32_t AddArchiveEntry(ZipArchive* archive, const wchar_t* entryName, const wchar_t* sourcePath) {
  Win32Source source(sourcePath);
  return AddFromSource(archive, entryName, source);
}

int32_t AddArchiveEntryBytes(ZipArchive* archive, const wchar_t* entryName, const std::string& bytes) {
  MemorySource source(bytes);
  return AddFromSource(archive, entryName, source);
}

int32_t FinishArchive(ZipArchive* archive) {
  {
    std::lock_guard<std::mutex> lock(gArchivesLock);
    if (!archive || gArchives.erase(archive) == 0) return kZipNotAnArchive;
  }
  const int32_t result = archive->writer.Finish();
  delete archive;
  return result;
}

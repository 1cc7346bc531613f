// The zip writer's files over the C library.
#include "diag/ZipStdioFile.h"

#include <sys/stat.h>

#include <ctime>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

bool SeekTo(std::FILE* f, uint64_t offset) {
#ifdef _WIN32
  return _fseeki64(f, static_cast<__int64>(offset), SEEK_SET) == 0;
#else
  return fseeko(f, static_cast<off_t>(offset), SEEK_SET) == 0;
#endif
}

class StdioOutput : public ZipOutputFile {
 public:
  explicit StdioOutput(std::FILE* f) : file_(f) {}
  ~StdioOutput() override { std::fclose(file_); }
  bool Write(const void* data, uint32_t size) override { return std::fwrite(data, 1, size, file_) == size; }
  bool Seek(uint64_t offset) override { return SeekTo(file_, offset); }
  bool Truncate() override {
    if (std::fflush(file_) != 0) return false;
#ifdef _WIN32
    const __int64 at = _ftelli64(file_);
    return at >= 0 && _chsize_s(_fileno(file_), at) == 0;
#else
    const off_t at = ftello(file_);
    return at >= 0 && ftruncate(fileno(file_), at) == 0;
#endif
  }

 private:
  std::FILE* file_;
};

ZipCalendarTime LocalFields(std::time_t t) {
  std::tm tm{};
#ifdef _WIN32
  localtime_s(&tm, &t);
#else
  localtime_r(&t, &tm);
#endif
  return ZipCalendarTime{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

}  // namespace

std::unique_ptr<ZipOutputFile> CreateZipOutputStdio(const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return nullptr;
  return std::make_unique<StdioOutput>(f);
}

int32_t ZipStdioSource::Open(ZipSourceInfo& info) {
  Close();
#ifdef _WIN32
  struct _stat64 st {};
  if (_stat64(path_.c_str(), &st) != 0) return kZipOpenFailed;
#else
  struct stat st {};
  if (stat(path_.c_str(), &st) != 0) return kZipOpenFailed;
#endif
  if ((st.st_mode & S_IFMT) == S_IFDIR) return kZipOpenFailed;  // only files are sources
  file_ = std::fopen(path_.c_str(), "rb");
  if (!file_) return kZipOpenFailed;
  info.size = static_cast<uint64_t>(st.st_size);
  info.attributes = 0x20;                                  // archive
  if (!(st.st_mode & S_IWUSR)) info.attributes |= 0x01;  // read-only
  const ZipCalendarTime modified = LocalFields(st.st_mtime);
  ZipDosDateTime(modified, &info.dosDate, &info.dosTime);
  info.modified = ZipExtendedTime(modified);
  info.accessed = ZipExtendedTime(LocalFields(st.st_atime));
  // POSIX keeps no creation time; the status change time stands in for it.
  info.created = ZipExtendedTime(LocalFields(st.st_ctime));
  return kZipOk;
}

bool ZipStdioSource::Read(void* buffer, uint32_t size, uint32_t& got) {
  got = static_cast<uint32_t>(std::fread(buffer, 1, size, file_));
  return got == size || !std::ferror(file_);
}

void ZipStdioSource::Close() {
  if (file_) std::fclose(file_);
  file_ = nullptr;
}

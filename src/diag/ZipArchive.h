// Zip archive writer: local headers and entry data as entries are added, then the central
// directory and the end record. Entries are deflated, or stored when their names carry the
// extension of an already compressed format. No data descriptors, comment, encryption or
// ZIP64 records; an entry that would not fit the 32-bit fields is refused.
// The files go through two small interfaces, so the same writer runs over Win32 handles and
// over the C library.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class DeflateEncoder;

// Result codes (0 = success).
enum : int32_t {
  kZipOk = 0,
  kZipOpenFailed = 0x200,         // a file (archive or source) cannot be opened or read
  kZipWriteFailed = 0x400,        // writing to the archive failed
  kZipBadArgument = 0x10000,      // no archive, bad entry name, no source, source too large
  kZipFailedEarlier = 0x40000,    // the archive already failed earlier
  kZipFinished = 0x50000,         // the archive is already finished
  kZipNotAnArchive = 0x80000,     // the handle is not an archive being written
  kZipNoOutput = 0x1000000,       // the archive has no output
  kZipSeekFailed = 0x2000000,     // moving within the archive file failed
  kZipCompressorFailed = 0x5000000,  // the compressor failed internally
};

// The archive file, positioned at its end unless moved.
class ZipOutputFile {
 public:
  virtual ~ZipOutputFile() = default;  // closes the file
  // Writes all of the bytes at the current position, or fails.
  virtual bool Write(const void* data, uint32_t size) = 0;
  // Moves to an absolute offset.
  virtual bool Seek(uint64_t offset) = 0;
  // Ends the file at the current position.
  virtual bool Truncate() = 0;
};

// Calendar fields of a local time.
struct ZipCalendarTime {
  int year = 1980, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};

// What an entry records about its source file.
struct ZipSourceInfo {
  uint64_t size = 0;
  uint32_t attributes = 0;  // Windows file attributes
  uint16_t dosTime = 0;
  uint16_t dosDate = 0;
  uint32_t modified = 0;  // extended timestamps: seconds since 1970, low 32 bits
  uint32_t accessed = 0;
  uint32_t created = 0;
};

// A source file, opened only when the entry is about to be written.
class ZipSourceFile {
 public:
  virtual ~ZipSourceFile() = default;
  // Opens the file and describes it; kZipOk or kZipOpenFailed.
  virtual int32_t Open(ZipSourceInfo& info) = 0;
  // Reads up to size bytes; got = 0 at the end. False on a read error.
  virtual bool Read(void* buffer, uint32_t size, uint32_t& got) = 0;
  virtual void Close() = 0;
};

// One entry as the central directory lists it.
struct ZipEntryRecord {
  std::string name;  // as stored: ANSI code page, "/" separators
  uint16_t flags = 0;
  uint16_t method = 0;
  uint16_t dosTime = 0;
  uint16_t dosDate = 0;
  uint32_t crc = 0;
  uint32_t compressedSize = 0;
  uint32_t uncompressedSize = 0;
  uint32_t externalAttributes = 0;
  uint32_t localHeaderOffset = 0;
  uint32_t modified = 0;
  uint32_t accessed = 0;
  uint32_t created = 0;
};

class ZipWriter {
 public:
  explicit ZipWriter(std::unique_ptr<ZipOutputFile> output);
  ~ZipWriter();
  ZipWriter(const ZipWriter&) = delete;
  ZipWriter& operator=(const ZipWriter&) = delete;

  // Adds the source under the entry name (narrow, in the ANSI code page; "\" becomes "/").
  int32_t AddEntry(std::string_view name, ZipSourceFile& source);
  // Writes the central directory and the end record (unless done) and closes the file.
  int32_t Finish();

  int32_t Error() const { return error_; }
  bool Finished() const { return finished_; }
  uint64_t Written() const { return written_; }
  const std::vector<ZipEntryRecord>& Entries() const { return entries_; }

 private:
  int32_t WriteData(ZipSourceFile& source, ZipEntryRecord& entry);
  // Drops a failed entry from the file; false when the file could not be put back.
  bool RollBack(uint64_t entryStart);
  // Fails the entry: write and seek failures make the archive unusable for further entries.
  int32_t FailEntry(int32_t code, uint64_t entryStart);

  std::unique_ptr<ZipOutputFile> output_;
  uint64_t written_ = 0;
  int32_t error_ = kZipOk;
  bool finished_ = false;
  std::vector<ZipEntryRecord> entries_;
  std::unique_ptr<uint8_t[]> buffer_;
  struct Sink;
  std::unique_ptr<Sink> sink_;  // carries the encoder's output to the archive
  std::unique_ptr<DeflateEncoder> encoder_;
};

// Method for an entry name: 0 (stored) for the extensions of compressed formats
// (.Z .zip .zoo .arc .lzh .arj .gz .tgz, any case), otherwise 8 (deflated).
uint16_t ZipMethodForName(std::string_view name);

// External attributes: a Unix mode in the upper half, the Windows attributes & 0x37 below.
uint32_t ZipExternalAttributes(uint32_t windowsAttributes);

// Extended timestamp of a local time: years before 1970 become 1 January 1970, after 2037
// 31 December 2037 (time of day kept), then the C library's local-time conversion without
// daylight saving.
uint32_t ZipExtendedTime(const ZipCalendarTime& local);

// DOS date and time of a local time (years outside 1980..2107 are clamped to that range).
void ZipDosDateTime(const ZipCalendarTime& local, uint16_t* dosDate, uint16_t* dosTime);

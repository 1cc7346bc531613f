// Zip archive writer: container layout, entry records and result codes.
#include "diag/ZipArchive.h"

#include <algorithm>
#include <cstdint>
#include <cctype>
#include <ctime>

#include "diag/Crc32.h"
#include "diag/Deflate.h"

namespace {

constexpr uint32_t kLocalHeaderSignature = 0x04034B50;
constexpr uint32_t kCentralHeaderSignature = 0x02014B50;
constexpr uint32_t kEndRecordSignature = 0x06054B50;
constexpr uint16_t kVersionMadeBy = 0x0B17;
constexpr uint16_t kVersionNeeded = 20;
constexpr uint16_t kMethodStored = 0;
constexpr uint16_t kMethodDeflated = 8;
constexpr uint16_t kFlagMaximumCompression = 2;
constexpr uint16_t kFlagDataDescriptor = 8;
constexpr uint16_t kLocalExtraSize = 17;
constexpr uint16_t kCentralExtraSize = 9;
constexpr uint32_t kLocalHeaderSize = 30;
constexpr uint32_t kCentralHeaderSize = 46;
constexpr uint32_t kEndRecordSize = 22;
constexpr uint32_t kStoreBlock = 16384;
constexpr uint32_t kDeflateBlock = 65536;
// Sizes, offsets and counts of this writer's 32-bit records. The all-ones values (0xFFFFFFFF,
// and 0xFFFF entries) are not available: readers take them as "see the ZIP64 record", which
// this writer does not write. So a size or offset must stay below 0xFFFFFFFF, and an archive
// holds at most 0xFFFE entries.
constexpr uint64_t kMax32 = 0xFFFFFFFEu;
constexpr size_t kMaxEntries = 0xFFFE;

// Little-endian field writer.
class Fields {
 public:
  Fields& U16(uint32_t v) {
    bytes_.push_back(static_cast<char>(v & 0xFF));
    bytes_.push_back(static_cast<char>((v >> 8) & 0xFF));
    return *this;
  }
  Fields& U32(uint32_t v) { return U16(v & 0xFFFF).U16(v >> 16); }
  Fields& Text(std::string_view s) {
    bytes_.append(s);
    return *this;
  }
  const std::string& Bytes() const { return bytes_; }

 private:
  std::string bytes_;
};

std::string LocalHeader(const ZipEntryRecord& e) {
  Fields f;
  f.U32(kLocalHeaderSignature).U16(kVersionNeeded).U16(e.flags).U16(e.method).U16(e.dosTime).U16(e.dosDate);
  f.U32(e.crc).U32(e.compressedSize).U32(e.uncompressedSize);
  f.U16(static_cast<uint32_t>(e.name.size())).U16(kLocalExtraSize).Text(e.name);
  // Extended timestamp, local form: modification, access and creation times.
  f.Text("UT").U16(13).Text(std::string_view("\x07", 1)).U32(e.modified).U32(e.accessed).U32(e.created);
  return f.Bytes();
}

std::string CentralHeader(const ZipEntryRecord& e) {
  Fields f;
  f.U32(kCentralHeaderSignature).U16(kVersionMadeBy).U16(kVersionNeeded).U16(e.flags).U16(e.method);
  f.U16(e.dosTime).U16(e.dosDate).U32(e.crc).U32(e.compressedSize).U32(e.uncompressedSize);
  f.U16(static_cast<uint32_t>(e.name.size())).U16(kCentralExtraSize).U16(0).U16(0).U16(0);
  f.U32(e.externalAttributes).U32(e.localHeaderOffset).Text(e.name);
  // Extended timestamp, central form: the flags of the local form, modification time only.
  f.Text("UT").U16(5).Text(std::string_view("\x07", 1)).U32(e.modified);
  return f.Bytes();
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

}  // namespace

// Counts the compressed bytes on their way to the archive and stops an entry whose size or
// end offset would no longer fit 32 bits.
struct ZipWriter::Sink : DeflateOutput {
  ZipOutputFile* output = nullptr;
  uint64_t start = 0;  // archive offset of the entry's data
  uint64_t count = 0;
  bool tooLarge = false;

  bool WriteCompressed(const uint8_t* data, size_t size) override {
    if (start + count + size > kMax32) {
      tooLarge = true;
      return false;
    }
    if (!output->Write(data, static_cast<uint32_t>(size))) return false;
    count += size;
    return true;
  }
};

ZipWriter::ZipWriter(std::unique_ptr<ZipOutputFile> output) : output_(std::move(output)) {}

ZipWriter::~ZipWriter() = default;

int32_t ZipWriter::AddEntry(std::string_view name, ZipSourceFile& source) {
  if (error_ != kZipOk) return kZipFailedEarlier;
  if (finished_) return kZipFinished;
  if (name.empty() || name.size() > 0xFFFF) return kZipBadArgument;
  if (!output_) return kZipNoOutput;
  if (entries_.size() >= kMaxEntries) return kZipBadArgument;  // the end record counts 16 bits

  ZipEntryRecord entry;
  entry.name.assign(name);
  std::replace(entry.name.begin(), entry.name.end(), '\\', '/');
  entry.method = ZipMethodForName(entry.name);
  if (!buffer_) buffer_.reset(new (std::nothrow) uint8_t[kDeflateBlock]);
  if (!buffer_) return kZipCompressorFailed;
  if (entry.method == kMethodDeflated && !encoder_) {
    sink_ = std::make_unique<Sink>();
    encoder_ = DeflateEncoder::Create(*sink_);
    if (!encoder_) return kZipCompressorFailed;
  }

  ZipSourceInfo info;
  if (const int32_t opened = source.Open(info); opened != kZipOk) return opened;
  const uint64_t headerSize = kLocalHeaderSize + entry.name.size() + kLocalExtraSize;
  // Sizes and offsets are 32-bit: refuse what cannot be described before writing anything.
  if (info.size > kMax32 ||
      written_ + headerSize + (entry.method == kMethodStored ? info.size : 0) > kMax32) {
    source.Close();
    return kZipBadArgument;
  }
  entry.dosTime = info.dosTime;
  entry.dosDate = info.dosDate;
  entry.modified = info.modified;
  entry.accessed = info.accessed;
  entry.created = info.created;
  entry.externalAttributes = ZipExternalAttributes(info.attributes);
  entry.localHeaderOffset = static_cast<uint32_t>(written_);
  entry.flags = kFlagDataDescriptor;
  entry.compressedSize = entry.method == kMethodStored ? static_cast<uint32_t>(info.size) : 0;
  entry.uncompressedSize = static_cast<uint32_t>(info.size);

  const uint64_t entryStart = written_;
  const std::string header = LocalHeader(entry);
  if (!output_->Write(header.data(), static_cast<uint32_t>(header.size()))) {
    source.Close();
    return FailEntry(kZipWriteFailed, entryStart);
  }
  written_ += headerSize;

  const int32_t data = WriteData(source, entry);
  source.Close();
  if (data != kZipOk) return FailEntry(data, entryStart);

  // Final values: no data descriptor follows.
  entry.flags = entry.method == kMethodDeflated ? kFlagMaximumCompression : 0;
  if (!output_->Seek(entry.localHeaderOffset)) return FailEntry(kZipSeekFailed, entryStart);
  const std::string final = LocalHeader(entry);
  if (!output_->Write(final.data(), static_cast<uint32_t>(final.size()))) return FailEntry(kZipWriteFailed, entryStart);
  if (!output_->Seek(written_)) return FailEntry(kZipSeekFailed, entryStart);
  entries_.push_back(std::move(entry));
  return kZipOk;
}

int32_t ZipWriter::WriteData(ZipSourceFile& source, ZipEntryRecord& entry) {
  uint32_t crc = 0;
  uint64_t size = 0;
  uint8_t* buffer = buffer_.get();
  if (entry.method == kMethodStored) {
    for (;;) {
      uint32_t got = 0;
      if (!source.Read(buffer, kStoreBlock, got)) return kZipOpenFailed;
      if (got == 0) break;
      size += got;
      if (size > kMax32 || written_ + size > kMax32) return kZipBadArgument;  // the source grew
      crc = Crc32Update(crc, buffer, got);
      if (!output_->Write(buffer, got)) return kZipWriteFailed;
    }
    entry.compressedSize = static_cast<uint32_t>(size);
  } else {
    sink_->output = output_.get();
    sink_->start = written_;
    sink_->count = 0;
    sink_->tooLarge = false;
    encoder_->Reset();
    for (;;) {
      uint32_t got = 0;
      if (!source.Read(buffer, kDeflateBlock, got)) return kZipOpenFailed;
      if (got == 0) break;
      size += got;
      if (size > kMax32) return kZipBadArgument;  // the source grew
      crc = Crc32Update(crc, buffer, got);
      if (!encoder_->Write(buffer, got)) return sink_->tooLarge ? kZipBadArgument : kZipWriteFailed;
    }
    if (!encoder_->Finish()) return sink_->tooLarge ? kZipBadArgument : kZipWriteFailed;
    entry.compressedSize = static_cast<uint32_t>(sink_->count);
  }
  entry.crc = crc;
  entry.uncompressedSize = static_cast<uint32_t>(size);
  written_ += entry.compressedSize;
  return kZipOk;
}

bool ZipWriter::RollBack(uint64_t entryStart) {
  if (!output_->Seek(entryStart) || !output_->Truncate()) return false;
  written_ = entryStart;
  return true;
}

int32_t ZipWriter::FailEntry(int32_t code, uint64_t entryStart) {
  if (code == kZipWriteFailed || code == kZipSeekFailed) error_ = code;
  // A read failure or an oversized source leaves the archive usable once the partial entry is
  // cut off again; if that fails the archive cannot take further entries.
  if (!RollBack(entryStart) && error_ == kZipOk) error_ = kZipSeekFailed;
  return code;
}

int32_t ZipWriter::Finish() {
  if (finished_) return kZipOk;
  if (!output_) return kZipNoOutput;
  int32_t result = kZipOk;
  // After a failed entry the file may hold its remains: the directory goes where the last
  // complete entry ends.
  if (error_ != kZipOk && (!output_->Seek(written_) || !output_->Truncate())) result = kZipSeekFailed;
  const uint64_t directoryStart = written_;
  for (size_t i = 0; result == kZipOk && i < entries_.size(); ++i) {
    const std::string header = CentralHeader(entries_[i]);
    if (!output_->Write(header.data(), static_cast<uint32_t>(header.size()))) result = kZipWriteFailed;
    else written_ += header.size();
  }
  if (result == kZipOk) {
    const uint32_t count = static_cast<uint32_t>(entries_.size());
    Fields end;
    end.U32(kEndRecordSignature).U16(0).U16(0).U16(count).U16(count);
    end.U32(static_cast<uint32_t>(written_ - directoryStart)).U32(static_cast<uint32_t>(directoryStart)).U16(0);
    if (!output_->Write(end.Bytes().data(), kEndRecordSize)) result = kZipWriteFailed;
    else written_ += kEndRecordSize;
  }
  finished_ = result == kZipOk;
  output_.reset();  // closes the archive file
  return result;
}

uint16_t ZipMethodForName(std::string_view name) {
  const size_t dot = name.rfind('.');
  if (dot == std::string_view::npos) return kMethodDeflated;
  const std::string_view extension = name.substr(dot);
  for (const char* stored : {".Z", ".zip", ".zoo", ".arc", ".lzh", ".arj", ".gz", ".tgz"})
    if (EqualsIgnoringCase(extension, stored)) return kMethodStored;
  return kMethodDeflated;
}

uint32_t ZipExternalAttributes(uint32_t windowsAttributes) {
  constexpr uint32_t kReadOnly = 0x01, kDirectory = 0x10;
  uint32_t mode = (windowsAttributes & kDirectory) ? 0x4000 : 0x8000;
  mode |= 0x100;                                    // owner may read
  if (!(windowsAttributes & kReadOnly)) mode |= 0x80;  // owner may write
  return (mode << 16) | (windowsAttributes & 0x37);
}

uint32_t ZipExtendedTime(const ZipCalendarTime& local) {
  std::tm tm{};
  tm.tm_year = local.year - 1900;
  tm.tm_mon = local.month - 1;
  tm.tm_mday = local.day;
  if (local.year < 1970) {
    tm.tm_year = 70;
    tm.tm_mon = 0;
    tm.tm_mday = 1;
  } else if (local.year > 2037) {
    tm.tm_year = 137;
    tm.tm_mon = 11;
    tm.tm_mday = 31;
  }
  tm.tm_hour = local.hour;
  tm.tm_min = local.minute;
  tm.tm_sec = local.second;
  tm.tm_isdst = 0;
  // The clamped local time still lies outside 1970..2038 in UTC within a day of the ends, in
  // a zone east of UTC before 1970-01-01 01:00 or west of it after 2038-01-19: the seconds are
  // kept within what a signed 32-bit count holds, never wrapped.
  const int64_t seconds = static_cast<int64_t>(std::mktime(&tm));
  return static_cast<uint32_t>(std::clamp<int64_t>(seconds, 0, INT32_MAX));
}

void ZipDosDateTime(const ZipCalendarTime& local, uint16_t* dosDate, uint16_t* dosTime) {
  ZipCalendarTime t = local;
  if (t.year < 1980) t = ZipCalendarTime{};
  else if (t.year > 2107) t = ZipCalendarTime{2107, 12, 31, 23, 59, 58};
  *dosDate = static_cast<uint16_t>(((t.year - 1980) << 9) | (t.month << 5) | t.day);
  *dosTime = static_cast<uint16_t>((t.hour << 11) | (t.minute << 5) | (t.second / 2));
}

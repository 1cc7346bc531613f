// The zip writer's files over the C library, for the native tools and tests (the program
// itself writes through Win32 handles).
#pragma once

#include <cstdio>
#include <memory>
#include <string>

#include "diag/ZipArchive.h"

// Creates (or replaces) the archive file; nullptr when it cannot be created.
std::unique_ptr<ZipOutputFile> CreateZipOutputStdio(const std::string& path);

// A source file read with the C library; times from the file system as local times.
class ZipStdioSource : public ZipSourceFile {
 public:
  explicit ZipStdioSource(std::string path) : path_(std::move(path)) {}
  ~ZipStdioSource() override { Close(); }
  int32_t Open(ZipSourceInfo& info) override;
  bool Read(void* buffer, uint32_t size, uint32_t& got) override;
  void Close() override;

 private:
  std::string path_;
  std::FILE* file_ = nullptr;
};

// Zip archives of disk files, written through Win32 file handles (the bug report's archive).
#pragma once

#include <cstdint>
#include <string>

#include "diag/ZipArchive.h"

struct ZipArchive;

// Creates the archive file `path`, replacing an existing one. Returns the archive, or nullptr
// when the file cannot be created (result 0x200).
ZipArchive* BeginArchive(const wchar_t* path, int32_t* result = nullptr);

// Adds the disk file sourcePath under entryName; entries are placed in the order of the calls.
int32_t AddArchiveEntry(ZipArchive* archive, const wchar_t* entryName, const wchar_t* sourcePath);

// Adds bytes held in memory under entryName, dated now.
int32_t AddArchiveEntryBytes(ZipArchive* archive, const wchar_t* entryName, const std::string& bytes);

// Writes the central directory and the end record, closes the file and releases the archive;
// the handle is invalid afterwards.
int32_t FinishArchive(ZipArchive* archive);

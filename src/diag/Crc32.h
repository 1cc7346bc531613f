// CRC-32 as used by zip archives (reflected polynomial 0xEDB88320), table-driven.
#pragma once

#include <cstddef>
#include <cstdint>

// Continues a CRC over more bytes; start with crc = 0. Crc32Update(0, data, n) is the CRC of data.
uint32_t Crc32Update(uint32_t crc, const void* data, size_t size);

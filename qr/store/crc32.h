// CRC-32 of the table file's check values: the polynomial 0x04C11DB7,
// reflected, starting from and ending with all bits inverted (the CRC of
// zlib, PNG and Ethernet), so that any tool can compute the same value.
#pragma once

#include <cstddef>
#include <cstdint>

// The CRC-32 of `length` bytes at `bytes`, continuing from `crc` (0 starts
// afresh): Crc32(b, m + n) == Crc32(b + m, n, Crc32(b, m)).
uint32_t Crc32(const uint8_t* bytes, size_t length, uint32_t crc = 0);

#pragma once

#include <cstddef>
#include <cstdint>

// The two ways ComputeCrc32 reaches its result. Both advance the CRC register as it stands
// between bytes (initial 0xFFFFFFFF, not yet inverted) and give the same value for any input.
namespace crc {

// Eight table look-ups per eight bytes; runs on any CPU.
std::uint32_t UpdateByTables(std::uint32_t crc, const unsigned char* data, std::size_t length);

// True when the CPU offers carry-less multiply (PCLMULQDQ) and SSE4.1.
bool CarrylessMultiplyAvailable();

// Folds 64 bytes at a time with carry-less multiplies; call only where
// CarrylessMultiplyAvailable() is true.
std::uint32_t UpdateByCarrylessMultiply(std::uint32_t crc, const unsigned char* data, std::size_t length);

}  // namespace crc

#pragma once

#include <cstddef>
#include <cstdint>

// CRC-32 of IEEE 802.3 (reflected polynomial 0xEDB88320, initial value 0xFFFFFFFF, final value
// inverted), as the skin package and zlib compute it.
std::uint32_t ComputeCrc32(const void* data, std::size_t length);

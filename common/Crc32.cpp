#include "common/Crc32.h"

#include "common/Crc32Paths.h"

namespace {

using UpdateFunction = std::uint32_t (*)(std::uint32_t, const unsigned char*, std::size_t);

// Chosen once, on the first call, from what this CPU offers.
UpdateFunction ChooseUpdate() {
  return crc::CarrylessMultiplyAvailable() ? crc::UpdateByCarrylessMultiply : crc::UpdateByTables;
}

}  // namespace

std::uint32_t ComputeCrc32(const void* data, std::size_t length) {
  static const UpdateFunction update = ChooseUpdate();
  return ~update(0xFFFFFFFFu, static_cast<const unsigned char*>(data), length);
}

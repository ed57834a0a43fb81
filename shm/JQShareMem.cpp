#include "shm/JQShareMem.h"

#include <algorithm>
#include <cstring>

#include <boost/interprocess/mapped_region.hpp>
#include <boost/interprocess/shared_memory_object.hpp>

namespace bip = boost::interprocess;

namespace {

constexpr bip::offset_t kFlagSize = 4;

bool IsMissing(const char* name) { return name == nullptr || name[0] == '\0'; }

bool EveryByteIsOne(const bip::mapped_region& region) {
  const auto* bytes = static_cast<const unsigned char*>(region.get_address());
  if (bytes == nullptr || region.get_size() == 0) return false;
  return std::all_of(bytes, bytes + region.get_size(), [](unsigned char byte) { return byte == 1; });
}

}  // namespace

extern "C" int JQ_ShareMemWrite(const char* name, int value) {
  if (IsMissing(name)) return -1;
  try {
    bip::shared_memory_object object(bip::open_or_create, name, bip::read_write);
    object.truncate(kFlagSize);
    bip::mapped_region region(object, bip::read_write);
    std::memset(region.get_address(), value & 0xFF, region.get_size());
    return 0;
  } catch (...) {
    return -1;
  }
}

extern "C" int JQ_ShareMemRead(const char* name, int* isSet) {
  // Nowhere to put the answer: refuse rather than write through a null pointer.
  if (isSet == nullptr) return -1;
  *isSet = 1;
  if (IsMissing(name)) return -1;
  try {
    bip::shared_memory_object object(bip::open_only, name, bip::read_only);
    bip::mapped_region region(object, bip::read_only);
    if (!EveryByteIsOne(region)) *isSet = 0;
  } catch (...) {
    // A missing object (or one that cannot be read) is a flag that is not set.
    *isSet = 0;
  }
  return 0;
}

extern "C" int JQ_ShareMemDele(const char* name) {
  if (IsMissing(name)) return -1;
  try {
    return bip::shared_memory_object::remove(name) ? 0 : -1;
  } catch (...) {
    return -1;
  }
}

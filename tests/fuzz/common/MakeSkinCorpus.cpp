// Writes the seed corpus of the skin package fuzzer into the folder named on the command line:
// well-formed packages around the block sizes, and one of each kind of damage.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/SkinPackageFormat.h"

namespace {

using Bytes = std::vector<unsigned char>;

Bytes Payload(std::size_t size) {
  Bytes payload(size);
  for (std::size_t i = 0; i < size; ++i) payload[i] = static_cast<unsigned char>(i * 7 + 3);
  return payload;
}

Bytes Package(const Bytes& payload) {
  return EncodeSkinPackage(payload.data(), static_cast<std::uint32_t>(payload.size()));
}

Bytes Changed(Bytes bytes, std::size_t offset) {
  bytes[offset] ^= 0x40;
  return bytes;
}

bool Write(const std::filesystem::path& folder, const std::string& name, const Bytes& bytes) {
  std::ofstream file(folder / name, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_skin_corpus FOLDER\n");
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  std::filesystem::create_directories(folder);
  const Bytes valid = Package(Payload(1500));
  Bytes extraByte = valid;
  extraByte.push_back(0);
  const bool written = Write(folder, "empty_payload", Package({})) &&
                       Write(folder, "payload_100", Package(Payload(100))) &&
                       Write(folder, "payload_1500", valid) &&
                       Write(folder, "payload_2048", Package(Payload(2048))) &&
                       Write(folder, "payload_3100", Package(Payload(3100))) &&
                       Write(folder, "short_header", Bytes(valid.begin(), valid.begin() + 10)) &&
                       Write(folder, "bad_magic", Changed(valid, 0)) &&
                       Write(folder, "bad_header_crc", Changed(valid, 17)) &&
                       Write(folder, "extra_byte", extraByte) &&
                       Write(folder, "bad_data_crc", Changed(valid, 1200));
  return written ? 0 : 1;
}

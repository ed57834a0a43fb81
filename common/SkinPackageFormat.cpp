#include "common/SkinPackageFormat.h"

#include "common/Crc32.h"

namespace {

std::uint32_t ReadBigEndian(const unsigned char* p) {
  return static_cast<std::uint32_t>(p[0]) << 24 | static_cast<std::uint32_t>(p[1]) << 16 |
         static_cast<std::uint32_t>(p[2]) << 8 | static_cast<std::uint32_t>(p[3]);
}

void WriteBigEndian(std::uint32_t value, unsigned char* p) {
  p[0] = static_cast<unsigned char>(value >> 24);
  p[1] = static_cast<unsigned char>(value >> 16);
  p[2] = static_cast<unsigned char>(value >> 8);
  p[3] = static_cast<unsigned char>(value);
}

}  // namespace

SkinPackageHeader ParseSkinPackageHeader(const unsigned char (&bytes)[kSkinPackageHeaderSize]) {
  SkinPackageHeader header;
  header.magic = ReadBigEndian(bytes);
  header.headerCrc = ReadBigEndian(bytes + 4);
  header.dataCrc = ReadBigEndian(bytes + 8);
  header.dataLength = ReadBigEndian(bytes + 12);
  header.reserved = ReadBigEndian(bytes + 16);
  return header;
}

void SerializeSkinPackageHeader(const SkinPackageHeader& header, unsigned char (&bytes)[kSkinPackageHeaderSize]) {
  WriteBigEndian(header.magic, bytes);
  WriteBigEndian(header.headerCrc, bytes + 4);
  WriteBigEndian(header.dataCrc, bytes + 8);
  WriteBigEndian(header.dataLength, bytes + 12);
  WriteBigEndian(header.reserved, bytes + 16);
}

std::uint32_t ComputeSkinHeaderCrc(const SkinPackageHeader& header) {
  SkinPackageHeader zeroed = header;
  zeroed.headerCrc = 0;
  unsigned char bytes[kSkinPackageHeaderSize];
  SerializeSkinPackageHeader(zeroed, bytes);
  return ComputeCrc32(bytes, sizeof bytes);
}

void InvertEvenSkinBlocks(unsigned char* data, std::size_t length) {
  const std::size_t wholeBlocks = length / kSkinPackageBlockSize;
  for (std::size_t block = 0; block < wholeBlocks; block += 2) {
    unsigned char* p = data + block * kSkinPackageBlockSize;
    for (std::size_t i = 0; i < kSkinPackageBlockSize; ++i) p[i] = static_cast<unsigned char>(~p[i]);
  }
}

std::vector<unsigned char> EncodeSkinPackage(const unsigned char* payload, std::uint32_t length) {
  SkinPackageHeader header;
  header.magic = kSkinPackageMagic;
  header.dataCrc = ComputeCrc32(payload, length);
  header.dataLength = length;
  header.headerCrc = ComputeSkinHeaderCrc(header);
  unsigned char headerBytes[kSkinPackageHeaderSize];
  SerializeSkinPackageHeader(header, headerBytes);

  std::vector<unsigned char> package;
  package.reserve(kSkinPackageHeaderSize + length);
  package.insert(package.end(), headerBytes, headerBytes + kSkinPackageHeaderSize);
  package.insert(package.end(), payload, payload + length);
  InvertEvenSkinBlocks(package.data() + kSkinPackageHeaderSize, length);
  return package;
}

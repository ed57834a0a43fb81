#pragma once
// The skin package "skin.dll": a 20-byte header of big-endian words, then the resource archive
// with every whole even-numbered 1 KiB block bit-inverted. Shared by the loader and the packer.

#include <cstddef>
#include <cstdint>
#include <vector>

inline constexpr std::uint32_t kSkinPackageMagic = 0x20112705u;
inline constexpr std::size_t kSkinPackageHeaderSize = 20;
inline constexpr std::size_t kSkinPackageBlockSize = 1024;

struct SkinPackageHeader {
  std::uint32_t magic = 0;
  std::uint32_t headerCrc = 0;  // CRC-32 of the 20 header bytes with this field zeroed
  std::uint32_t dataCrc = 0;    // CRC-32 of the restored payload
  std::uint32_t dataLength = 0;
  std::uint32_t reserved = 0;
};

SkinPackageHeader ParseSkinPackageHeader(const unsigned char (&bytes)[kSkinPackageHeaderSize]);
void SerializeSkinPackageHeader(const SkinPackageHeader& header, unsigned char (&bytes)[kSkinPackageHeaderSize]);

// The header CRC that `header` should carry.
std::uint32_t ComputeSkinHeaderCrc(const SkinPackageHeader& header);

// Inverts each byte of the whole blocks 0, 2, 4 ...; the final partial block stays as it is.
// The same call stores and restores.
void InvertEvenSkinBlocks(unsigned char* data, std::size_t length);

// A whole package for `payload`: the header, then the payload with its even blocks inverted.
std::vector<unsigned char> EncodeSkinPackage(const unsigned char* payload, std::uint32_t length);

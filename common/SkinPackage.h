#pragma once

#include <cstdint>
#include <string>

#include "common/SkinPackageFormat.h"

// Reads the skin package at `path` (GBK), checks it and restores the archive in place.
// Returns the archive in a buffer from array new that the caller owns, and its length in `size`.
// On any failure prints one console line that tells why and returns null with `size` 0.
unsigned char* LoadSkinPackage(const std::string& path, std::uint32_t& size);

// True when the header kept from the last load carries the header CRC computed over it.
bool CheckSkinHeaderCrc();

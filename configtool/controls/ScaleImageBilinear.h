#pragma once
// ScaleImageBilinear: resizes one plane of 8-bit samples by bilinear interpolation in integer fixed
// point with 12 fraction bits. The horizontal pass of a source row is kept while consecutive
// destination rows use the same source rows. It reads and writes only inside the two planes (each
// row's `width` samples), and does nothing when a size is 0 or less. Source and destination must
// not overlap. Sizes and strides are in bytes.

#include <cstdint>

void ScaleImageBilinear(const std::uint8_t* source, int sourceWidth, int sourceHeight, int sourceStride,
                        std::uint8_t* destination, int destinationWidth, int destinationHeight, int destinationStride);

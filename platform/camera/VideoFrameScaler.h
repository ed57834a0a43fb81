#pragma once
// Video frames decoded straight to the size of the window that shows them. libjpeg-turbo decodes
// at the largest power-of-two reduction that still covers that size (its reduced transforms cost
// less than the full one; the other reductions cost more), libyuv's box filter scales the rest
// of the way, and colours are converted only at the final size. Buffers are kept from frame to
// frame, so a steady stream allocates nothing. One scaler per thread.

#include <cstdint>
#include <span>

#include "platform/camera/JpegDecoder.h"
#include "platform/os/WinTypes.h"

namespace camera {

class VideoFrameScaler {
 public:
  // The width x height JPEG as BGRA of the target size (each side at most kMaxVideoDimension), or
  // nullptr when it does not decode or has another size, or the target is empty. The picture
  // stays valid until the next call.
  const BgraPicture* Decode(std::span<const std::uint8_t> jpeg, int width, int height, SIZE target);

  // The reduction (1, 2, 4 or 8) a width x height picture is decoded at for the target.
  static int ReductionFor(int width, int height, SIZE target);

 private:
  bool DecodeOtherSubsampling(std::span<const std::uint8_t> jpeg, int width, int height, int reduction);
  // m_reduced to m_output's size and to BGRA.
  bool ScaleToOutput();

  JpegDecoder m_decoder;
  I420Planes m_reduced;
  I420Planes m_scaled;
  BgraPicture m_reducedBgra;  // pictures that are not 4:2:0
  BgraPicture m_output;
};

}  // namespace camera

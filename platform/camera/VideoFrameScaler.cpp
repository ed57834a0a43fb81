#include "platform/camera/VideoFrameScaler.h"

#include <libyuv.h>
#include <turbojpeg.h>

#include "platform/camera/protocol/Limits.h"

namespace camera {

int VideoFrameScaler::ReductionFor(int width, int height, SIZE target) {
  int reduction = 1;
  while (reduction < 8 && ReducedSide(width, reduction * 2) >= target.cx &&
         ReducedSide(height, reduction * 2) >= target.cy) {
    reduction *= 2;
  }
  return reduction;
}

const BgraPicture* VideoFrameScaler::Decode(std::span<const std::uint8_t> jpeg, int width, int height, SIZE target) {
  if (target.cx < 1 || target.cy < 1 || target.cx > protocol::kMaxVideoDimension ||
      target.cy > protocol::kMaxVideoDimension) {
    return nullptr;
  }
  const auto subsampling = m_decoder.Subsampling(jpeg, width, height);
  if (!subsampling) return nullptr;
  const int reduction = ReductionFor(width, height, target);
  const bool decoded = *subsampling == TJSAMP_420
                           ? m_decoder.DecodeReducedI420(jpeg, width, height, reduction, m_reduced)
                           : DecodeOtherSubsampling(jpeg, width, height, reduction);
  if (!decoded) return nullptr;
  m_output.Reshape(static_cast<int>(target.cx), static_cast<int>(target.cy));
  return ScaleToOutput() ? &m_output : nullptr;
}

// Rare for video: decoded as BGRA and taken to 4:2:0, so that one path scales every picture.
bool VideoFrameScaler::DecodeOtherSubsampling(std::span<const std::uint8_t> jpeg, int width, int height,
                                              int reduction) {
  if (!m_decoder.DecodeReducedBgra(jpeg, width, height, reduction, m_reducedBgra)) return false;
  m_reduced.Reshape(m_reducedBgra.width, m_reducedBgra.height);
  return libyuv::ARGBToJ420(m_reducedBgra.pixels.data(), m_reducedBgra.stride, m_reduced.Y(), m_reduced.yStride,
                            m_reduced.U(), m_reduced.cStride, m_reduced.V(), m_reduced.cStride, m_reduced.width,
                            m_reduced.height) == 0;
}

bool VideoFrameScaler::ScaleToOutput() {
  I420Planes* planes = &m_reduced;
  if (m_reduced.width != m_output.width || m_reduced.height != m_output.height) {
    m_scaled.Reshape(m_output.width, m_output.height);
    if (libyuv::I420Scale(m_reduced.Y(), m_reduced.yStride, m_reduced.U(), m_reduced.cStride, m_reduced.V(),
                          m_reduced.cStride, m_reduced.width, m_reduced.height, m_scaled.Y(), m_scaled.yStride,
                          m_scaled.U(), m_scaled.cStride, m_scaled.V(), m_scaled.cStride, m_scaled.width,
                          m_scaled.height, libyuv::kFilterBox) != 0) {
      return false;
    }
    planes = &m_scaled;
  }
  // JPEG's YCbCr is full range (J420), not video range; the conversion makes every pixel opaque.
  return libyuv::J420ToARGB(planes->Y(), planes->yStride, planes->U(), planes->cStride, planes->V(), planes->cStride,
                            m_output.pixels.data(), m_output.stride, m_output.width, m_output.height) == 0;
}

}  // namespace camera

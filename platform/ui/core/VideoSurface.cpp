#include "platform/ui/core/VideoSurface.h"

#include <cstring>
#include <utility>

namespace ui {
namespace {

void CopyPicture(const os::VideoImage& image, Image& target) {
  const std::size_t rowBytes = static_cast<std::size_t>(image.width) * 4;
  auto* pixels = reinterpret_cast<std::uint8_t*>(target.Pixels());
  if (static_cast<std::size_t>(image.stride) == rowBytes) {
    std::memcpy(pixels, image.pixels, rowBytes * image.height);
    return;
  }
  for (int y = 0; y < image.height; ++y) {
    std::memcpy(pixels + rowBytes * y, image.pixels + static_cast<std::size_t>(image.stride) * y, rowBytes);
  }
}

}  // namespace

SIZE VideoSurface::Size() const {
  std::lock_guard lock(m_mutex);
  return m_size;
}

void VideoSurface::SetSize(SIZE size) {
  std::lock_guard lock(m_mutex);
  m_size = size;
}

VideoSurface::Presented VideoSurface::Present(const os::VideoImage& image) {
  if (image.pixels == nullptr || image.width <= 0 || image.height <= 0 || image.stride < image.width * 4) {
    return Presented::kRefused;
  }
  std::shared_ptr<Image> picture;
  {
    std::lock_guard lock(m_mutex);
    picture = std::move(m_spare);
  }
  if (picture == nullptr || picture->Width() != image.width || picture->Height() != image.height) {
    picture = Image::Create(image.width, image.height);
    if (picture == nullptr) return Presented::kRefused;
  }
  CopyPicture(image, *picture);

  std::lock_guard lock(m_mutex);
  ++m_counts.decoded;
  // Numbers count up by one a frame; a smaller one starts a new stream.
  if (image.frameNumber != 0 && m_lastFrameNumber != 0 && image.frameNumber > m_lastFrameNumber) {
    m_counts.skipped += image.frameNumber - m_lastFrameNumber - 1;
  }
  if (image.frameNumber != 0) m_lastFrameNumber = image.frameNumber;
  if (m_waitingIsNew) ++m_counts.replaced;
  // What waited before (a picture not shown, or one shown earlier) is the next spare.
  std::swap(picture, m_waiting);
  m_waitingIsNew = true;
  if (m_spare == nullptr) m_spare = std::move(picture);
  if (m_repaintAsked) return Presented::kRepaintAsked;
  m_repaintAsked = true;
  return Presented::kAskForRepaint;
}

VideoFrameCounts VideoSurface::Counts() const {
  std::lock_guard lock(m_mutex);
  return m_counts;
}

void VideoSurface::RepaintAsked() {
  std::lock_guard lock(m_mutex);
  m_repaintAsked = false;
}

const Image* VideoSurface::PictureToPaint() {
  std::lock_guard lock(m_mutex);
  if (m_waitingIsNew) {
    std::swap(m_shown, m_waiting);
    m_waitingIsNew = false;
    ++m_counts.shown;
  }
  return m_shown.get();
}

}  // namespace ui

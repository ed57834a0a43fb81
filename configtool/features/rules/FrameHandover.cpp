#include "configtool/features/rules/FrameHandover.h"

#include <utility>

FrameHandover::FrameHandover() : m_back(&m_pictures[0]), m_front(&m_pictures[1]), m_ready(&m_pictures[2]) {
  for (RulePicture& picture : m_pictures) {
    picture.rgb565.assign(static_cast<std::size_t>(kMaxPictureWidth) * kMaxPictureHeight * 2, 0);
  }
}

void FrameHandover::Publish() {
  std::lock_guard lock(m_mutex);
  std::swap(m_back, m_ready);
  m_fresh = true;
}

bool FrameHandover::TakeNewest() {
  std::lock_guard lock(m_mutex);
  if (!m_fresh) return false;
  std::swap(m_front, m_ready);
  m_fresh = false;
  return true;
}

#include "sim/FirmwareUpdate.h"

namespace camsim {

FirmwareUpdate::Result FirmwareUpdate::Begin(Owner owner, std::uint32_t bytes) {
  if (owner == 0 || bytes == 0 || bytes > kMaxImageBytes) return Result::Invalid;
  if (Running() || (Receiving() && m_owner != owner)) return Result::Busy;
  m_owner = owner;
  m_announced = bytes;
  m_image.clear();
  m_image.reserve(bytes);
  m_state = Idle;
  return Result::Ok;
}

FirmwareUpdate::Result FirmwareUpdate::Data(Owner owner, std::uint32_t offset, std::span<const std::uint8_t> bytes) {
  if (owner != m_owner || owner == 0) return Result::Invalid;
  if (offset != m_image.size() || bytes.size() > m_announced - m_image.size()) return Result::Invalid;
  m_image.insert(m_image.end(), bytes.begin(), bytes.end());
  return Result::Ok;
}

FirmwareUpdate::Result FirmwareUpdate::Commit(Owner owner) {
  if (owner != m_owner || owner == 0 || m_image.size() != m_announced) return Result::Invalid;
  m_owner = 0;
  m_state = Writing;
  return Result::Ok;
}

void FirmwareUpdate::Abandon(Owner owner) {
  if (owner == 0 || owner != m_owner) return;
  m_owner = 0;
  m_image.clear();
  m_image.shrink_to_fit();
}

void FirmwareUpdate::StartVerifying() {
  if (m_state == Writing) m_state = Verifying;
}

std::optional<camera::protocol::FirmwareVersion> FirmwareUpdate::Finish(bool refuse) {
  if (m_state != Verifying) return std::nullopt;
  const auto info = camera::protocol::ParseFirmwareImage(m_image);
  m_image.clear();
  m_image.shrink_to_fit();
  m_state = info && !refuse ? Done : Failed;
  if (m_state == Failed) return std::nullopt;
  return info->version;
}

void FirmwareUpdate::Reset() {
  m_state = Idle;
  m_owner = 0;
  m_announced = 0;
  m_image.clear();
  m_image.shrink_to_fit();
}

}  // namespace camsim

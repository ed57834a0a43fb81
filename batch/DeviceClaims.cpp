#include "batch/DeviceClaims.h"

bool DeviceClaims::Claim(const DeviceInfo& device) {
  if (!m_claimed.insert(&device).second) return false;
  if (m_changed) m_changed(device);
  return true;
}

void DeviceClaims::Release(const DeviceInfo& device) {
  if (m_claimed.erase(&device) == 0) return;
  if (m_changed) m_changed(device);
}

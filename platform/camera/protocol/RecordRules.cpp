#include "platform/camera/protocol/RecordRules.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace camera::protocol {
namespace {

template <std::size_t N>
bool Terminated(const char (&field)[N]) {
  return std::memchr(field, 0, N) != nullptr;
}

// The most loop entries the 676-byte rules record can hold after its count.
constexpr std::uint32_t kMaxPolygonRules = (sizeof(CameraClientPolygonRules) - 4) / sizeof(CameraClientPolygonRule);

}  // namespace

bool IsWellFormed(const CameraClientPlateResult& record) {
  // The plate may fill its field (a hidden plate); the colour text may not.
  return Terminated(record.colorText);
}

bool IsWellFormed(const CameraClientEncryptInfo& record) {
  if (record.modeCount < 0 || record.modeCount > CAMERACLIENT_MAX_ENCRYPT_MODES) return false;
  for (int i = 0; i < record.modeCount; ++i) {
    if (!Terminated(record.modeNames[i])) return false;
  }
  return true;
}

bool IsWellFormed(const CameraClientLedSchedule& record) {
  for (const auto& period : record.periods) {
    if (!Terminated(period.start) || !Terminated(period.end)) return false;
  }
  return true;
}

bool IsWellFormed(const CameraClientProvinceInfo& record) { return Terminated(record.list); }

bool IsWellFormed(const CameraClientNetParam& record) {
  return Terminated(record.ip) && Terminated(record.netmask) && Terminated(record.gateway) && Terminated(record.dns);
}

bool IsWellFormed(const CameraClientWhiteListRecord& record) {
  return Terminated(record.plate) && Terminated(record.customerCode) && Terminated(record.customerNumber);
}

bool IsWellFormed(const CameraClientPolygonRules& record) {
  return record.count <= kMaxPolygonRules && Terminated(record.rule.name);
}

bool IsWellFormed(const CameraClientVirtualLoops& record) {
  constexpr std::uint32_t kCapacity = sizeof(record.loops) / sizeof(record.loops[0]);
  if (record.count > kCapacity) return false;
  for (std::uint32_t i = 0; i < record.count; ++i) {
    if (!Terminated(record.loops[i].strName)) return false;
  }
  return true;
}

bool IsWellFormed(const CameraClientRegion& record) {
  return record.uNumVertex <= sizeof(record.vertices) / sizeof(record.vertices[0]);
}

bool IsWellFormed(const CameraClientStreamCapability& record) {
  for (const auto& entry : record.resolutions) {
    if (entry.value <= 0) break;
    if (!Terminated(entry.name)) return false;
  }
  return true;
}

bool IsWellFormed(const CameraClientOsdParam& record) { return Terminated(record.overlaytext); }

bool IsWellFormed(const CameraClientSerialPush& record) {
  if (!Terminated(record.header) || !Terminated(record.end)) return false;
  for (const auto& voice : record.voices) {
    if (!Terminated(voice.prefix) || !Terminated(voice.suffix)) return false;
  }
  return true;
}

}  // namespace camera::protocol

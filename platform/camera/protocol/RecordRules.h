#pragma once
// What a record from the other end must satisfy before anyone reads it: counts within the
// record's capacity and texts terminated within their fields. A record that breaks a rule is
// refused whole (the call fails, the event is dropped); nothing of it reaches a caller.

#include "cameraclient/CameraClient.h"

namespace camera::protocol {

bool IsWellFormed(const CameraClientPlateResult& record);
bool IsWellFormed(const CameraClientEncryptInfo& record);
bool IsWellFormed(const CameraClientLedSchedule& record);
bool IsWellFormed(const CameraClientProvinceInfo& record);
bool IsWellFormed(const CameraClientNetParam& record);
bool IsWellFormed(const CameraClientWhiteListRecord& record);
bool IsWellFormed(const CameraClientPolygonRules& record);
bool IsWellFormed(const CameraClientVirtualLoops& record);
bool IsWellFormed(const CameraClientRegion& record);
bool IsWellFormed(const CameraClientStreamCapability& record);
bool IsWellFormed(const CameraClientOsdParam& record);
bool IsWellFormed(const CameraClientSerialPush& record);

// Records without texts or counts: always well formed.
template <typename Record>
bool IsWellFormed(const Record&) {
  return true;
}

}  // namespace camera::protocol

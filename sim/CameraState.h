#pragma once
// Everything one camera knows while it runs. Tests read and change it directly through
// SimCamera::With, under the camera's lock.

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "cameraclient/CameraClient.h"
#include "sim/CameraProfile.h"
#include "sim/CameraSettings.h"
#include "sim/EncryptionState.h"
#include "sim/FirmwareUpdate.h"
#include "sim/PlateRecordStore.h"
#include "sim/SystemLog.h"
#include "sim/WebSessionStore.h"
#include "sim/WhitelistStore.h"

namespace camsim {

struct CameraState {
  explicit CameraState(const CameraProfile& profile);

  bool IsAccount(std::string_view user, std::string_view password) const;
  std::string Ip() const;
  std::uint16_t Port() const { return net.port; }

  std::uint32_t idLow;
  std::uint32_t idHigh;
  int hardwareType;
  int modelId;
  int modelExtra;
  std::array<int, 4> firmwareVersion;
  // The version of a finished update, in force from the next reboot.
  std::optional<std::array<int, 4>> pendingVersion;

  CameraClientNetParam net{};
  std::map<std::string, std::string, std::less<>> accounts;
  EncryptionState encryption;
  CameraSettings settings;
  WhitelistStore whitelist;
  PlateRecordStore plates;
  SystemLog log;
  WebSessionStore webSessions;
  FirmwareUpdate update;
  // A test fault: the next updates end failed whatever the image.
  bool rejectFirmware = false;
  // A test fault: plate events go out without their picture, even to those who asked for it.
  bool platePicturesMissing = false;
};

}  // namespace camsim

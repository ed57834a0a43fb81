#include "sim/CameraState.h"

#include "sim/GbkText.h"

namespace camsim {

CameraState::CameraState(const CameraProfile& profile)
    : idLow(profile.idLow),
      idHigh(profile.idHigh),
      hardwareType(profile.hardwareType),
      modelId(profile.modelId),
      modelExtra(profile.modelExtra),
      firmwareVersion(profile.firmwareVersion),
      accounts(profile.accounts.begin(), profile.accounts.end()),
      encryption(profile.encryptMode, profile.userPassword, profile.masterPassword),
      settings(DefaultSettings(profile.hardwareType)),
      webSessions(profile.seed ^ 0x5EC5ULL) {
  SetFieldText(net.ip, profile.ip);
  SetFieldText(net.netmask, profile.netmask);
  SetFieldText(net.gateway, profile.gateway);
  SetFieldText(net.dns, profile.gateway);
  net.port = profile.port;
}

bool CameraState::IsAccount(std::string_view user, std::string_view password) const {
  const auto found = accounts.find(user);
  return found != accounts.end() && found->second == password;
}

std::string CameraState::Ip() const { return std::string(FieldText(net.ip)); }

}  // namespace camsim

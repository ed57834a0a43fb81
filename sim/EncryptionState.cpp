#include "sim/EncryptionState.h"

#include <algorithm>

#include "platform/os/Charset.h"
#include "sim/GbkText.h"

namespace camsim {

EncryptionState::EncryptionState(int mode, std::string userPassword, std::string masterPassword)
    : m_modeNames{os::Utf8ToGbk("不加密"), os::Utf8ToGbk("数据加密"), os::Utf8ToGbk("二次登录")},
      m_mode(std::clamp(mode, 0, 2)),
      m_userPassword(std::move(userPassword)),
      m_masterPassword(std::move(masterPassword)) {}

CameraClientEncryptInfo EncryptionState::Info() const {
  CameraClientEncryptInfo info{};
  info.currentMode = m_mode;
  info.modeCount = static_cast<int>(m_modeNames.size());
  for (std::size_t i = 0; i < m_modeNames.size(); ++i) SetFieldText(info.modeNames[i], m_modeNames[i]);
  return info;
}

bool EncryptionState::IsAcceptablePassword(std::string_view password) {
  return !password.empty() && password.size() <= kMaxPasswordBytes;
}

EncryptionState::Result EncryptionState::SetMode(std::string_view userPassword, int mode) {
  if (!IsUserPassword(userPassword)) return Result::WrongPassword;
  if (mode < 0 || mode >= static_cast<int>(m_modeNames.size())) return Result::Invalid;
  m_mode = mode;
  return Result::Ok;
}

EncryptionState::Result EncryptionState::SetPassword(std::string_view oldPassword, std::string_view newPassword) {
  if (!IsUserPassword(oldPassword)) return Result::WrongPassword;
  if (!IsAcceptablePassword(newPassword)) return Result::Invalid;
  m_userPassword = newPassword;
  return Result::Ok;
}

EncryptionState::Result EncryptionState::ResetPassword(std::string_view masterPassword,
                                                       std::string_view newPassword) {
  if (masterPassword != m_masterPassword) return Result::WrongPassword;
  if (!IsAcceptablePassword(newPassword)) return Result::Invalid;
  m_userPassword = newPassword;
  return Result::Ok;
}

}  // namespace camsim

#pragma once
// The camera's TCP encryption: the mode in force (2 demands a second login with the user
// password), the mode names it offers, the user password and the master password that resets it.

#include <string>
#include <string_view>
#include <vector>

#include "cameraclient/CameraClient.h"

namespace camsim {

class EncryptionState {
 public:
  enum class Result { Ok, WrongPassword, Invalid };
  static constexpr int kSecondLoginMode = 2;
  static constexpr std::size_t kMaxPasswordBytes = 32;

  EncryptionState(int mode, std::string userPassword, std::string masterPassword);

  CameraClientEncryptInfo Info() const;
  int Mode() const { return m_mode; }
  bool DemandsSecondLogin() const { return m_mode == kSecondLoginMode; }
  bool IsUserPassword(std::string_view password) const { return password == m_userPassword; }
  const std::string& UserPassword() const { return m_userPassword; }

  Result SetMode(std::string_view userPassword, int mode);
  Result SetPassword(std::string_view oldPassword, std::string_view newPassword);
  Result ResetPassword(std::string_view masterPassword, std::string_view newPassword);

 private:
  static bool IsAcceptablePassword(std::string_view password);

  std::vector<std::string> m_modeNames;  // GBK
  int m_mode;
  std::string m_userPassword;
  std::string m_masterPassword;
};

}  // namespace camsim

#include "common/SingleInstance.h"

#include "platform/os/Charset.h"
#include "platform/os/NativeDialogs.h"
#include "shm/JQShareMem.h"

namespace {

// The key as it fits a 64-byte name buffer: at most 63 bytes, no character cut in two.
std::string MutexName(const std::string& key) {
  const std::string text = key.c_str();
  return text.substr(0, os::GbkPrefixLength(text, 63));
}

void ShowAlreadyRunningOnce(const ApplicationIdentity& application) {
  const char* key = application.key.c_str();
  int isSet = 0;
  JQ_ShareMemRead(key, &isSet);
  // A set flag means another copy shows the box right now.
  if (isSet != 0) return;
  JQ_ShareMemWrite(key, 1);
  os::ShowPlainMessageBox(nullptr, application.alreadyRunningText, "提示");
  JQ_ShareMemWrite(key, 0);
}

}  // namespace

const ApplicationIdentity& CorvexApplication() {
  static const ApplicationIdentity identity{"Corvex", "一体机配置工具程序已经启动"};
  return identity;
}

const ApplicationIdentity& BrenloApplication() {
  static const ApplicationIdentity identity{"BrenloAplication", "批量设备操作程序已经启动"};
  return identity;
}

bool SingleInstance::Claim(const ApplicationIdentity& application) {
  // A mutex that cannot be made at all does not keep the program from running.
  if (m_mutex.Create(MutexName(application.key)) != os::NamedMutex::Result::AlreadyExists) return true;
  ShowAlreadyRunningOnce(application);
  return false;
}

void SingleInstance::Release() { m_mutex.Release(); }

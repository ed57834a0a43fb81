#pragma once
// The saved logins: per camera IP the user name and password last confirmed for it, kept
// ciphered in the file "logininfo" beside the program.
//
// The store is loaded on the window thread before discovery starts; after that discovery
// threads only look up. A lock guards it all the same, so that a reload is never a race.

#include <map>
#include <memory>
#include <shared_mutex>
#include <string>
#include <vector>

#include "batch/DeviceInfo.h"

class LoginStore {
 public:
  void Clear();
  // Files the device under its IP, unless that IP is there already: the first entry stays.
  void Insert(const std::shared_ptr<DeviceInfo>& device);
  // The entry whose IP equals `ip` exactly, or none.
  std::shared_ptr<DeviceInfo> Find(const std::string& ip) const;
  std::size_t Size() const;
  // Every entry, in byte order of the IPs.
  std::vector<std::shared_ptr<DeviceInfo>> All() const;

 private:
  mutable std::shared_mutex m_mutex;
  std::map<std::string, std::shared_ptr<DeviceInfo>> m_devices;
};

// The process's store, created empty on first use.
LoginStore& GetLoginStore();

// "<program folder>/logininfo".
std::string LoginInfoPath();

// Empties the store, then fills it from the file. A missing, unreadable or damaged file leaves
// it empty or holding only the records that still split into IP, user and password.
void LoadLoginInfo(LoginStore& store);
// Fills the store from the file's text (Base64 of the cipher record).
void ReadLoginInfoText(LoginStore& store, const std::string& fileText);
std::shared_ptr<DeviceInfo> FindLoginInfo(const LoginStore& store, const std::string& ip);

// "ip;user;password\r\n\r\n" for each device, in list order.
std::string LoginPlainText(const std::vector<std::shared_ptr<DeviceInfo>>& devices);
// The logins a save writes: the devices' own, in list order, then the saved ones (`store`, read
// at start-up) of the IPs the devices do not have, so that a camera not found in this run keeps
// its login. The newest login of an IP wins.
std::vector<std::shared_ptr<DeviceInfo>> LoginsToSave(const std::vector<std::shared_ptr<DeviceInfo>>& devices,
                                                      const LoginStore& store);
// Rewrites the file from the devices' current logins and the saved logins of the others. An
// empty list leaves the file as it was. The file is readable by its owner only, and is replaced
// whole: a write that fails leaves the previous file as it was (and is dropped silently).
void SaveLoginInfo(const std::vector<std::shared_ptr<DeviceInfo>>& devices);
// True when the text can stand in the file: no ";", CR or LF, which separate its records.
bool IsStorableLoginText(const std::string& text);

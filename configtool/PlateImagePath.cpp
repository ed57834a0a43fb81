#include "configtool/PlateImagePath.h"

#include <algorithm>
#include <cstdio>

#include "platform/os/Charset.h"

std::string SafePathComponent(const std::string& text) {
  std::string safe;
  safe.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    // The second byte of a double-byte character may be 0x5C; it is part of the character. A lead
    // byte before anything else (a '/' say) is no character, and the byte after it is looked at.
    if (os::IsGbkLeadByte(byte) && i + 1 < text.size() &&
        os::IsGbkTrailByte(static_cast<unsigned char>(text[i + 1]))) {
      safe += text[i];
      safe += text[++i];
      continue;
    }
    safe += (byte == '/' || byte == '\\') ? '_' : text[i];
  }
  if (!safe.empty() && std::all_of(safe.begin(), safe.end(), [](char c) { return c == '.'; })) {
    safe.assign(safe.size(), '_');
  }
  return safe;
}

std::vector<std::string> PlateImageFolders(const std::string& appDirectory, const os::LocalTime& time,
                                           const std::string& ipText, int triggerType) {
  std::vector<std::string> folders;
  std::string folder = appDirectory + "/PlateImgs";
  folders.push_back(folder);
  char date[48];
  std::snprintf(date, sizeof date, "%d-%02d-%02d", time.year, time.month, time.day);
  folder += "/" + std::string(date);
  folders.push_back(folder);
  const std::string ip = SafePathComponent(ipText);
  if (!ip.empty()) {
    folder += "/" + ip;
    folders.push_back(folder);
  }
  folder += "/" + std::to_string(triggerType);
  folders.push_back(folder);
  return folders;
}

std::string PlateImageFilePath(const std::string& folder, const os::LocalTime& time,
                               const std::optional<std::string>& plateText) {
  char stamp[48];
  std::snprintf(stamp, sizeof stamp, "%02d%02d%02d%03d", time.hour, time.minute, time.second, time.millisecond);
  if (!plateText) return folder + "/" + stamp + "_clip.jpg";
  return folder + "/" + stamp + "_" + SafePathComponent(*plateText) + "_clip.jpg";
}

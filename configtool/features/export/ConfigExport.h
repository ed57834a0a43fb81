#pragma once
// Export of the open camera's configuration to "<folder>/<device>_<time>.json", as the
// export dialog runs it on the window thread.

#include <string>

#include "cameraclient/CameraClient.h"
#include "configtool/features/export/DeviceConfigJson.h"
#include "platform/os/LocalTime.h"

struct ConfigExportResult {
  bool written = false;
  std::string path;     // the file, when one was written
  std::string message;  // for the operator; empty when there is nothing to show
};

// "<folder>/<device name>_<YYYYMMDDhhmmss>.json". The device name (a text the operator typed) is
// made one name of the path (SafePathComponent), so that the file stays in the folder.
std::string ConfigFilePath(const std::string& folder, const std::string& deviceName, const os::LocalTime& time);

// Reads the ticked sections and writes them beside the program. When no read gave anything
// (the document would hold nothing but null), no file is written and the export fails.
ConfigExportResult ExportDeviceConfig(CameraClientHandle handle, const std::string& deviceName,
                                      const ExportOptions& options);

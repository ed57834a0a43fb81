#include "configtool/features/export/ConfigExport.h"

#include "common/FileUtil.h"
#include "common/TimeStamp.h"
#include "configformat/StyledJsonText.h"

std::string ConfigFilePath(const std::string& folder, const std::string& deviceName, const os::LocalTime& time) {
  return folder + "/" + SafePathComponent(deviceName) + "_" + FileTimeStamp(time) + ".json";
}

ConfigExportResult ExportDeviceConfig(CameraClientHandle handle, const std::string& deviceName,
                                      const ExportOptions& options) {
  ConfigExportResult result;
  if (options.empty()) {
    result.message = "请至少选择一个导出项! ";
    return result;
  }
  if (handle == 0) return result;
  const std::string text = StyledJsonText(BuildDeviceConfigJson(handle, options));
  const std::string path = ConfigFilePath(GetAppDirectory(), deviceName, os::GetLocalTime());
  if (!WriteTextFile(path, text)) {
    result.message = "导出配置参数失败，请重试! ";
    return result;
  }
  result.written = true;
  result.path = path;
  result.message = "导出配置参数成功,路径:" + path;
  return result;
}

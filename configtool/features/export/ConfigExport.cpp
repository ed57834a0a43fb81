#include "configtool/features/export/ConfigExport.h"

#include "common/FileUtil.h"
#include "common/TimeStamp.h"
#include "configformat/StyledJsonText.h"

namespace {

// True when a section holds something the camera gave: a document of nothing but null (every
// read failed) is no configuration.
bool HoldsReadSection(const Json::Value& root) {
  if (!root.isObject()) return false;
  for (const std::string& name : root.getMemberNames()) {
    if (!root[name].isNull()) return true;
  }
  return false;
}

}  // namespace

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
  const Json::Value root = BuildDeviceConfigJson(handle, options);
  const std::string path = ConfigFilePath(GetAppDirectory(), deviceName, os::GetLocalTime());
  if (!HoldsReadSection(root) || !WriteTextFile(path, StyledJsonText(root))) {
    result.message = "导出配置参数失败，请重试! ";
    return result;
  }
  result.written = true;
  result.path = path;
  result.message = "导出配置参数成功,路径:" + path;
  return result;
}

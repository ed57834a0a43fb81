#include "batch/BatchConstants.h"

namespace BatchConstants {

const char kDefaultUserName[] = "qorvt";
const char kDefaultPassword[] = "qorvt";
const char kLoginFilePassphrase[] = "qorvt";

const char kLoginMarker[] = "login";

const char kStatusNotImported[] = "未导入";
const char kStatusImporting[] = "正在导入";
const char kStatusImportDone[] = "导入完成";
const char kStatusImportFailed[] = "导入失败";

const char kStatusNotUpgraded[] = "未升级";
const char kStatusUpgrading[] = "正在升级";
const char kStatusUpgradeDone[] = "升级完成";
const char kStatusUpgradeFailed[] = "升级失败";
const char kStatusRebooting[] = "正在重启";
const char kStatusRebootFailed[] = "重启失败";

const char kLoginFileName[] = "logininfo";
const char kLoginRecordSeparator[] = "\r\n\r\n";
const char kLoginFieldSeparator[] = ";";

}  // namespace BatchConstants

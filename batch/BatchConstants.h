#pragma once
// The batch program's fixed texts: default login, status words and the configuration file's keys.
// Defined in BatchConstants.cpp, so that their bytes are GBK whoever includes this header.
// Set up before main runs and never changed, so any thread reads them without a lock.

namespace BatchConstants {

// Login.
extern const char kDefaultUserName[];
extern const char kDefaultPassword[];
extern const char kLoginFilePassphrase[];

// User data that marks a row's login control.
extern const char kLoginMarker[];

// Status words of the configuration rows.
extern const char kStatusNotImported[];
extern const char kStatusImporting[];
extern const char kStatusImportDone[];
extern const char kStatusImportFailed[];

// Status words of the update rows.
extern const char kStatusNotUpgraded[];
extern const char kStatusUpgrading[];
extern const char kStatusUpgradeDone[];
extern const char kStatusUpgradeFailed[];
extern const char kStatusRebooting[];
extern const char kStatusRebootFailed[];

// Configuration file keys: each section key, then its members.
extern const char kBaseParam[];
extern const char kBaseDrawMode[];
extern const char kBaseDspAddRule[];
extern const char kBaseDspAddTarget[];
extern const char kBaseDspAddTrajectory[];
extern const char kBaseDwRes[];
extern const char kBaseRecType[];
extern const char kBaseTrigType[];

extern const char kOsdParam[];
extern const char kOsdDateFormat[];
extern const char kOsdDatePosX[];
extern const char kOsdDatePosY[];
extern const char kOsdDateStampEnable[];
extern const char kOsdLogoEnable[];
extern const char kOsdLogoPositionX[];
extern const char kOsdLogoPositionY[];
extern const char kOsdTextEnable[];
extern const char kOsdTextPositionX[];
extern const char kOsdTextPositionY[];
extern const char kOsdOverlayText[];
extern const char kOsdTimeFormat[];
extern const char kOsdTimePosX[];
extern const char kOsdTimePosY[];
extern const char kOsdTimeStampEnable[];

extern const char kOutputConfig[];
extern const char kOutputInputType[];
extern const char kOutputLevelOut1[];
extern const char kOutputLevelOut2[];
extern const char kOutputRs485Out1[];
extern const char kOutputRs485Out2[];
extern const char kOutputSwitchOut1[];
extern const char kOutputSwitchOut2[];
extern const char kOutputSwitchOut3[];
extern const char kOutputSwitchOut4[];

extern const char kVideoParam[];
extern const char kVideoBitRate[];
extern const char kVideoBrightness[];
extern const char kVideoContrast[];
extern const char kVideoSaturation[];
extern const char kVideoHue[];
extern const char kVideoFlip[];
extern const char kVideoFrequency[];
extern const char kVideoLevel[];
extern const char kVideoMode[];
extern const char kVideoEncodeType[];
extern const char kVideoFrameRate[];
extern const char kVideoFrameSize[];
extern const char kVideoRateList[];
extern const char kVideoShutter[];
extern const char kVideoDnMode[];
extern const char kVideoDnStrength[];

extern const char kVirtualLoop[];
extern const char kLoopDraw[];
extern const char kLoopEnable[];
extern const char kLoopCrossDir[];
extern const char kLoopName[];
extern const char kLoopMaxLpWidth[];
extern const char kLoopMinLpWidth[];
extern const char kLoopTriggerTimeGap[];

extern const char kWlistParam[];
extern const char kWlistFuzzyCc[];
extern const char kWlistFuzzy[];
extern const char kWlistFuzzyLen[];
extern const char kWlistEnable[];

extern const char kNetParam[];
extern const char kNetIp[];
extern const char kNetNetmask[];
extern const char kNetGateway[];
extern const char kNetDns[];
extern const char kNetPort[];

extern const char kRealShow[];
extern const char kRealShowData[];

extern const char kNtpParam[];
extern const char kNtpServerName[];
extern const char kNtpEnable[];
extern const char kNtpFrequencyTime[];

extern const char kRegionParam[];
extern const char kRegionVertexIndex[];
extern const char kRegionX1000[];
extern const char kRegionY1000[];
extern const char kRegionDraw[];
extern const char kRegionEnable[];
extern const char kRegionNumVertex[];

extern const char kSerialParam[];
extern const char kSerialPort[];
extern const char kSerialBaudRate[];
extern const char kSerialDataBits[];
extern const char kSerialParity[];
extern const char kSerialStopBit[];

extern const char kProvinceInfo[];
extern const char kProvinceCurrIndex[];
extern const char kProvinceName[];

extern const char kPushConfig[];

// The saved-login file.
extern const char kLoginFileName[];
extern const char kLoginRecordSeparator[];
extern const char kLoginFieldSeparator[];

}  // namespace BatchConstants

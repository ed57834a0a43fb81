#pragma once
// The keys of the configuration file: each section key, then its members. The tool's writer and
// the batch program's reader both name the file's keys by these, so that the two always agree.
// Defined in ConfigKeys.cpp; set up before main runs and never changed, so any thread reads them.
// "byDraw", "byEnable" and "port" stand in two sections each, as constants of their own.

namespace ConfigKeys {

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

}  // namespace ConfigKeys

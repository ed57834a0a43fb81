#include "configformat/ConfigKeys.h"

namespace ConfigKeys {

const char kBaseParam[] = "base_param";
const char kBaseDrawMode[] = "drawMode";
const char kBaseDspAddRule[] = "byDspAddRule";
const char kBaseDspAddTarget[] = "byDspAddTarget";
const char kBaseDspAddTrajectory[] = "byDspAddTrajectory";
const char kBaseDwRes[] = "dwRes";
const char kBaseRecType[] = "uBitsRecType";
const char kBaseTrigType[] = "uBitsTrigType";

const char kOsdParam[] = "osd_param";
const char kOsdDateFormat[] = "dateFormat";
const char kOsdDatePosX[] = "datePosX";
const char kOsdDatePosY[] = "datePosY";
const char kOsdDateStampEnable[] = "dstampenable";
const char kOsdLogoEnable[] = "nLogoEnable";
const char kOsdLogoPositionX[] = "nLogoPositionX";
const char kOsdLogoPositionY[] = "nLogoPositionY";
const char kOsdTextEnable[] = "nTextEnable";
const char kOsdTextPositionX[] = "nTextPositionX";
const char kOsdTextPositionY[] = "nTextPositionY";
const char kOsdOverlayText[] = "overlaytext";
const char kOsdTimeFormat[] = "timeFormat";
const char kOsdTimePosX[] = "timePosX";
const char kOsdTimePosY[] = "timePosY";
const char kOsdTimeStampEnable[] = "tstampenable";

const char kOutputConfig[] = "output_config";
const char kOutputInputType[] = "eInputType";
const char kOutputLevelOut1[] = "levelout1";
const char kOutputLevelOut2[] = "levelout2";
const char kOutputRs485Out1[] = "rs485out1";
const char kOutputRs485Out2[] = "rs485out2";
const char kOutputSwitchOut1[] = "switchout1";
const char kOutputSwitchOut2[] = "switchout2";
const char kOutputSwitchOut3[] = "switchout3";
const char kOutputSwitchOut4[] = "switchout4";

const char kVideoParam[] = "video_param";
const char kVideoBitRate[] = "bitval";
const char kVideoBrightness[] = "brt";
const char kVideoContrast[] = "cst";
const char kVideoSaturation[] = "sat";
const char kVideoHue[] = "hue";
const char kVideoFlip[] = "flip";
const char kVideoFrequency[] = "frequency";
const char kVideoLevel[] = "levelval";
const char kVideoMode[] = "modeval";
const char kVideoEncodeType[] = "nEncodeType";
const char kVideoFrameRate[] = "nRateval";
const char kVideoFrameSize[] = "nSizeVal";
const char kVideoRateList[] = "ratelist";
const char kVideoShutter[] = "shutter";
const char kVideoDnMode[] = "DNMode";
const char kVideoDnStrength[] = "DNStrength";

const char kVirtualLoop[] = "virtual_loop";
const char kLoopDraw[] = "byDraw";
const char kLoopEnable[] = "byEnable";
const char kLoopCrossDir[] = "eCrossDir";
const char kLoopName[] = "strName";
const char kLoopMaxLpWidth[] = "uMaxLPWidth";
const char kLoopMinLpWidth[] = "uMinLPWidth";
const char kLoopTriggerTimeGap[] = "uTriggerTimeGap";

const char kWlistParam[] = "wlist_param";
const char kWlistFuzzyCc[] = "bFuzzyCC";
const char kWlistFuzzy[] = "nFuzzy";
const char kWlistFuzzyLen[] = "nFuzzyLen";
const char kWlistEnable[] = "nWLEnable";

const char kNetParam[] = "net_param";
const char kNetIp[] = "ip";
const char kNetNetmask[] = "netmask";
const char kNetGateway[] = "gateway";
const char kNetDns[] = "dns";
const char kNetPort[] = "port";

const char kRealShow[] = "real_show";
const char kRealShowData[] = "szRealData";

const char kNtpParam[] = "ntp_param";
const char kNtpServerName[] = "ntp_server_name";
const char kNtpEnable[] = "ntp_enable";
const char kNtpFrequencyTime[] = "frequency_time";

const char kRegionParam[] = "region_param";
const char kRegionVertexIndex[] = "VertexIndex";
const char kRegionX1000[] = "X_1000";
const char kRegionY1000[] = "Y_1000";
const char kRegionDraw[] = "byDraw";
const char kRegionEnable[] = "byEnable";
const char kRegionNumVertex[] = "uNumVertex";

const char kSerialParam[] = "serial_param";
const char kSerialPort[] = "port";
const char kSerialBaudRate[] = "uBaudRate";
const char kSerialDataBits[] = "uDataBits";
const char kSerialParity[] = "uParity";
const char kSerialStopBit[] = "uStopBit";

const char kProvinceInfo[] = "province_info";
const char kProvinceCurrIndex[] = "nCurrIndex";
const char kProvinceName[] = "name";

const char kPushConfig[] = "rs485_push_cfg";

}  // namespace ConfigKeys

#ifndef CAMERACLIENT_CAMERACLIENT_H
#define CAMERACLIENT_CAMERACLIENT_H
/*
 * The camera client library (libJqLPRSDK.so): operations, records and callbacks.
 *
 * Conventions of every operation:
 * - Results: 0 = success, -1 = failure, unless an operation says otherwise.
 * - A failed Get leaves the caller's record and out-values untouched.
 * - Handle 0, a closed handle and any call after CameraClient_Cleanup fail; they never crash.
 * - Records are little-endian, texts are GBK, layouts are fixed (checked below).
 * - Callbacks run on the library's threads, except the whitelist callback, which runs on the
 *   thread of the query call that produced the row, before that call returns.
 *   After a call that removes a callback (set to null, CameraClient_Close,
 *   CameraClient_StopFindDevice, CameraClient_StopRealPlay) returns, no callback of that kind
 *   runs or starts.
 *
 * Plain C types only, so that the header compiles as C and as C++.
 */

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
#define CAMERACLIENT_STATIC_ASSERT(condition) static_assert(condition, #condition)
#else
#define CAMERACLIENT_STATIC_ASSERT(condition) _Static_assert(condition, #condition)
#endif

#define CAMERACLIENT_API __attribute__((visibility("default")))

#ifdef __cplusplus
extern "C" {
#endif

/* The window handle of the window system (an opaque pointer; the same type as platform/os HWND). */
struct HWND__;
typedef struct HWND__* HWND;

/* From CameraClient_Open; 0 = failure or no device. */
typedef intptr_t CameraClientHandle;
/* From CameraClient_StartRealPlay / CameraClient_StartStream; never 0 or -1 when valid. */
typedef intptr_t CameraClientPlayHandle;
/* The clip picture of a plate result; valid only inside the plate callback; 0 = none. */
typedef intptr_t CameraClientImageHandle;

/* ---------------------------------------------------------------------------------------------
 * Records
 * ------------------------------------------------------------------------------------------- */

/* Colour codes of CameraClientPlateResult.colorCode. */
enum {
  CAMERACLIENT_PLATE_COLOR_UNKNOWN = 0,
  CAMERACLIENT_PLATE_COLOR_BLUE = 1,
  CAMERACLIENT_PLATE_COLOR_YELLOW = 2,
  CAMERACLIENT_PLATE_COLOR_WHITE = 3,
  CAMERACLIENT_PLATE_COLOR_BLACK = 4,
  CAMERACLIENT_PLATE_COLOR_GREEN = 5
};

/* Trigger bits of CameraClientPlateResult.triggerType. */
enum {
  CAMERACLIENT_TRIGGER_STABLE = 1,
  CAMERACLIENT_TRIGGER_IO = 2,
  CAMERACLIENT_TRIGGER_MANUAL = 4,
  CAMERACLIENT_TRIGGER_LOOP = 8
};

typedef struct CameraClientRect {
  int32_t left;
  int32_t top;
  int32_t right;
  int32_t bottom;
} CameraClientRect;

/* A plate read by the camera (live results and plate-query records), 168 bytes. */
typedef struct CameraClientPlateResult {
  char plate[16];          /* byte 15 not 0: the plate is hidden and has no terminator */
  char colorText[8];       /* terminated within the field */
  int32_t colorCode;       /* CAMERACLIENT_PLATE_COLOR_... */
  int32_t plateType;
  int32_t confidence;      /* 0..100 */
  uint8_t reserved36[8];
  CameraClientRect plateRect;
  uint8_t reserved60[12];
  int32_t triggerType;     /* CAMERACLIENT_TRIGGER_... bits */
  int32_t reserved76;
  int32_t recordId;
  uint8_t second;
  uint8_t minute;
  uint8_t hour;
  uint8_t day;
  uint8_t month;           /* 1..12 */
  uint8_t reserved89[3];
  int32_t year;
  uint8_t reserved96[72];
} CameraClientPlateResult;

/* The camera's TCP encryption modes, 616 bytes. */
#define CAMERACLIENT_MAX_ENCRYPT_MODES 15
typedef struct CameraClientEncryptInfo {
  int32_t currentMode;     /* index into modeNames; 2 = the second login is needed */
  int32_t reserved4;
  char modeNames[CAMERACLIENT_MAX_ENCRYPT_MODES][36];
  uint8_t reserved548[32];
  int32_t modeCount;
  uint8_t reserved584[32];
} CameraClientEncryptInfo;

/* One period of the fill-light schedule, 44 bytes. */
typedef struct CameraClientLedPeriod {
  int32_t reserved;
  char start[16];          /* "HH:MM:SS" */
  char end[16];
  int32_t level;           /* 0-based */
  int32_t enabled;
} CameraClientLedPeriod;

/* The fill-light day schedule, 140 bytes. */
typedef struct CameraClientLedSchedule {
  int32_t mode;            /* 1 or 3 by schedule, 2 off, other automatic */
  int32_t reserved4;
  CameraClientLedPeriod periods[3];
} CameraClientLedSchedule;

/* Provinces for plate reading, 132 bytes. */
typedef struct CameraClientProvinceInfo {
  char list[128];          /* one 2-byte GBK character per province, terminated */
  int32_t currentIndex;    /* below 0: none */
} CameraClientProvinceInfo;

/* Network parameters, 66 bytes. */
typedef struct CameraClientNetParam {
  char ip[16];
  char netmask[16];
  char gateway[16];
  char dns[16];
  uint16_t port;
} CameraClientNetParam;

/* One entry of a time-segment table, 28 bytes. */
typedef struct CameraClientTimeSegment {
  int32_t enable;
  uint8_t days[7];         /* Sunday .. Saturday, non-zero = set */
  uint8_t pad11;
  int16_t startHour;
  int16_t startMinute;
  int16_t startSecond;
  int16_t pad18;
  int16_t endHour;
  int16_t endMinute;
  int16_t endSecond;
  int16_t pad26;
} CameraClientTimeSegment;

/* The time segments of a whitelist record, 228 bytes. */
typedef struct TimeSegmentTable {
  int32_t enabled;         /* 0 = no time limit */
  CameraClientTimeSegment entries[8];
} TimeSegmentTable;

/* A whitelist record, 416 bytes. */
typedef struct CameraClientWhiteListRecord {
  int32_t recordId;        /* assigned by the camera; 0 in a record to add */
  char plate[32];
  int32_t reserved36;
  int32_t enabled;
  int32_t createTimeSet;
  int32_t expiryTimeSet;
  int16_t createTime[6];   /* year, month, day, hour, minute, second */
  int16_t expiryTime[6];
  int32_t useTimeSegments;
  TimeSegmentTable segments;
  int32_t alarm;
  int32_t plateColor;
  int32_t plateType;
  char customerCode[32];
  char customerNumber[64];
} CameraClientWhiteListRecord;

/* Whitelist query records: caller-owned, built for each call. */
typedef struct CameraClientWhiteListKeyValue {
  char key[32];            /* "PlateID" */
  char value[128];         /* matched anywhere in the plate; empty matches all */
} CameraClientWhiteListKeyValue;

typedef struct CameraClientWhiteListSearch {
  int32_t reserved;
  int32_t itemCount;
  CameraClientWhiteListKeyValue* items;
} CameraClientWhiteListSearch;

typedef struct CameraClientWhiteListRange {
  int32_t first;           /* index of the first row; below 0 fails */
  int32_t count;
} CameraClientWhiteListRange;

#define CAMERACLIENT_WHITELIST_LIMIT_RANGE 2
typedef struct CameraClientWhiteListLimit {
  int32_t type;            /* CAMERACLIENT_WHITELIST_LIMIT_RANGE */
  CameraClientWhiteListRange* range;
} CameraClientWhiteListLimit;

typedef struct CameraClientWhiteListCondition {
  CameraClientWhiteListSearch* search;
  CameraClientWhiteListLimit* limit;
  int32_t reserved;
} CameraClientWhiteListCondition;

typedef struct CameraClientWhiteListEntry {
  int32_t reserved;
  CameraClientWhiteListRecord* record;
} CameraClientWhiteListEntry;

/* A point in thousandths of the frame width and height. */
typedef struct CameraClientPoint {
  int32_t x;
  int32_t y;
} CameraClientPoint;

/* The loop entry of CameraClientPolygonRules, 152 bytes. */
typedef struct CameraClientPolygonRule {
  uint8_t id;
  uint8_t enable;
  uint8_t draw;
  uint8_t reserved3;
  char name[32];
  int32_t reserved36;
  CameraClientPoint points[12];
  int32_t direction;
  int32_t interval;        /* seconds */
  int32_t maxWidth;        /* pixels */
  int32_t minWidth;
} CameraClientPolygonRule;

/* The rule editor's virtual loop, 676 bytes; stored by the camera byte for byte. */
typedef struct CameraClientPolygonRules {
  uint32_t count;          /* 0 = no loop */
  CameraClientPolygonRule rule;
  uint8_t reserved156[520];
} CameraClientPolygonRules;

/* One virtual loop of CameraClientVirtualLoops, 84 bytes. */
typedef struct CameraClientVirtualLoop {
  uint8_t id;
  uint8_t byEnable;
  uint8_t byDraw;
  uint8_t reserved3;
  char strName[32];
  CameraClientPoint points[4];
  int32_t eCrossDir;
  uint32_t uTriggerTimeGap;
  uint32_t uMaxLPWidth;
  uint32_t uMinLPWidth;
} CameraClientVirtualLoop;

/* The camera's virtual loops, 676 bytes. */
typedef struct CameraClientVirtualLoops {
  uint32_t count;
  CameraClientVirtualLoop loops[8];
} CameraClientVirtualLoops;

/* The recognition region, 136 bytes. */
typedef struct CameraClientRegion {
  uint8_t reserved0;
  uint8_t byEnable;
  uint8_t byDraw;
  uint8_t reserved3[33];
  uint32_t uNumVertex;     /* at most 12 */
  CameraClientPoint vertices[12];
} CameraClientRegion;

/* A decoded I420 frame of the frame callback. One byte past the end of every row is readable. */
typedef struct CameraClientFrame {
  const uint8_t* y;
  const uint8_t* u;
  const uint8_t* v;
  int32_t yStride;
  int32_t uStride;
  int32_t vStride;
  int32_t width;
  int32_t height;
} CameraClientFrame;

/* Encoding of one stream, 32 bytes. */
typedef struct CameraClientStreamConfig {
  int32_t stream;          /* 0 main, 1 sub */
  int32_t reserved4;
  int32_t resolution;      /* a value of the capability list */
  int32_t frameRate;       /* 1..25 */
  int32_t reserved16;
  int32_t rateControl;     /* 0 constant, 1 variable */
  int32_t bitRate;         /* the bit rate shown to the operator x 1000 */
  int32_t quality;         /* 0..6 */
} CameraClientStreamConfig;

/* One resolution the streams support, 36 bytes. */
typedef struct CameraClientResolutionEntry {
  int32_t value;           /* 0 or below ends the list */
  char name[32];
} CameraClientResolutionEntry;

/* What the streams support, 1084 bytes. */
#define CAMERACLIENT_MAX_RESOLUTIONS 17
typedef struct CameraClientStreamCapability {
  CameraClientResolutionEntry resolutions[CAMERACLIENT_MAX_RESOLUTIONS];
  uint8_t reserved612[20];
  int32_t minBitRate;      /* in the unit of CameraClientStreamConfig.bitRate */
  int32_t maxBitRate;
  uint8_t reserved640[444];
} CameraClientStreamCapability;

/* Image adjustment of hardware type 3, 36 bytes. */
typedef struct CameraClientImageAdjust {
  int32_t brightness;
  int32_t contrast;
  int32_t saturation;
  int32_t reserved12;
  int32_t hue;             /* the fourth value of CameraClient_SetImageAdjust */
  int32_t reserved20[3];
  int32_t maxGain;
} CameraClientImageAdjust;

/* On-screen texts, 72 bytes; positions in pixels. */
typedef struct CameraClientOsdParam {
  uint8_t dstampenable;
  uint8_t reserved1[3];
  int32_t dateFormat;
  int32_t datePosX;
  int32_t datePosY;
  uint8_t tstampenable;
  uint8_t reserved17[3];
  int32_t timeFormat;
  int32_t timePosX;
  int32_t timePosY;
  uint8_t nLogoEnable;
  uint8_t reserved33[3];
  int32_t nLogoPositionX;
  int32_t nLogoPositionY;
  uint8_t nTextEnable;
  uint8_t reserved45[3];
  int32_t nTextPositionX;
  int32_t nTextPositionY;
  char overlaytext[16];
} CameraClientOsdParam;

/* Overlay switches of model 0x2004, 16 bytes; 1 = on. */
typedef struct CameraClientOsdOverlay {
  int32_t realTime;
  int32_t rule;
  int32_t position;
  int32_t distance;
} CameraClientOsdOverlay;

/* One output entry, 36 bytes. */
typedef struct CameraClientIoOutputEntry {
  int32_t switchout[4];
  int32_t levelout[2];
  int32_t rs485out[2];
  int32_t eInputType;
} CameraClientIoOutputEntry;

/* The outputs for each input type, 288 bytes. */
typedef struct CameraClientIoOutput {
  CameraClientIoOutputEntry entries[8];
} CameraClientIoOutput;

/* One serial port, 16 bytes. */
typedef struct CameraClientSerialParam {
  uint32_t uBaudRate;
  uint32_t uParity;
  uint32_t uDataBits;
  uint32_t uStopBit;
} CameraClientSerialParam;

/* What the camera draws over the video, 4 bytes (3 used). */
typedef struct CameraClientDrawMode {
  uint8_t byDspAddTarget;
  uint8_t byDspAddRule;
  uint8_t byDspAddTrajectory;
  uint8_t reserved3;
} CameraClientDrawMode;

/* One field of the serial push message, 8 bytes. */
typedef struct CameraClientPushField {
  int32_t id;              /* 0 or below: empty slot */
  int32_t value;
} CameraClientPushField;

/* One voice entry of the serial push message, 84 bytes. */
typedef struct CameraClientPushVoice {
  int32_t type;            /* 1 in, 2 out, 3 na, 4 iw; other: not in use */
  int32_t remain;
  uint8_t incLicense;
  char prefix[36];
  char suffix[39];
} CameraClientPushVoice;

/* The layout of the plate message pushed over the serial port, 644 bytes. */
typedef struct CameraClientSerialPush {
  CameraClientPushField fields[22];
  CameraClientPushVoice voices[4];
  char header[64];
  char end[64];
  uint8_t voiceSwitch;
  uint8_t reserved641[3];
} CameraClientSerialPush;

/* ---------------------------------------------------------------------------------------------
 * Callbacks
 * ------------------------------------------------------------------------------------------- */

/* A camera found by the search; reported once per search and address. */
typedef int (*CameraClientFindDeviceCallback)(int reserved, const char* ip, int port, int value,
                                              uint32_t idLow, uint32_t idHigh, void* user);
typedef int (*CameraClientFindDeviceExCallback)(int reserved, const char* ip, int port, int value,
                                                uint32_t idLow, uint32_t idHigh, const char* netmask,
                                                const char* gateway, void* user);
/* `results` points at `count` results; `clip` is valid only during the call (0 = no picture). */
typedef int (*CameraClientPlateCallback)(CameraClientHandle handle, void* user,
                                         const CameraClientPlateResult* results, int reserved1, int count,
                                         int reserved2, CameraClientImageHandle clip);
/* One stored plate record; `trigger` 1..5. */
typedef int (*CameraClientQueryCallback)(CameraClientHandle handle, void* user,
                                         const CameraClientPlateResult* record, int reserved, int trigger);
typedef int (*CameraClientWhiteListCallback)(CameraClientHandle handle, void* user,
                                             const CameraClientWhiteListRecord* record);
/* The frame and its planes are valid only during the call. */
typedef int (*CameraClientFrameCallback)(CameraClientHandle handle, void* user, const CameraClientFrame* frame);

/* ---------------------------------------------------------------------------------------------
 * Operations
 * ------------------------------------------------------------------------------------------- */

/* Lifecycle and search. */
CAMERACLIENT_API int CameraClient_Setup(void);
CAMERACLIENT_API int CameraClient_Cleanup(void);
CAMERACLIENT_API CameraClientHandle CameraClient_Open(const char* ip, int port, const char* user,
                                                      const char* password);
CAMERACLIENT_API int CameraClient_Close(CameraClientHandle handle);
CAMERACLIENT_API int CameraClient_StartFindDevice(CameraClientFindDeviceCallback callback, void* user);
CAMERACLIENT_API int CameraClient_StartFindDeviceEx(CameraClientFindDeviceExCallback callback, void* user);
CAMERACLIENT_API int CameraClient_StopFindDevice(void);

/* Connection and encryption. */
CAMERACLIENT_API int CameraClient_GetEncryptInfo(CameraClientHandle handle, CameraClientEncryptInfo* info);
CAMERACLIENT_API int CameraClient_ApplyEncryptInfo(CameraClientHandle handle, const CameraClientEncryptInfo* info);
CAMERACLIENT_API int CameraClient_LoginEncrypted(CameraClientHandle handle, const char* userPassword);
CAMERACLIENT_API int CameraClient_SetEncryptMode(CameraClientHandle handle, const char* userPassword, int mode);
CAMERACLIENT_API int CameraClient_SetEncryptPassword(CameraClientHandle handle, const char* oldPassword,
                                                     const char* newPassword);
CAMERACLIENT_API int CameraClient_ResetEncryptPassword(CameraClientHandle handle, const char* masterPassword,
                                                       const char* newPassword);
/* *state = 1 when the camera answers now, else 0. */
CAMERACLIENT_API int CameraClient_GetConnectState(CameraClientHandle handle, int* state);

/* Video: StartRealPlay plays into the window, StartStream feeds the frame callback. Both return -1
 * on failure. The frame callback gets only the frames of window-less streams. */
CAMERACLIENT_API CameraClientPlayHandle CameraClient_StartRealPlay(CameraClientHandle handle, HWND window);
CAMERACLIENT_API CameraClientPlayHandle CameraClient_StartStream(CameraClientHandle handle, int stream,
                                                                 int reserved1, int reserved2);
CAMERACLIENT_API int CameraClient_StopRealPlay(CameraClientPlayHandle play);
CAMERACLIENT_API int CameraClient_SetFrameCallback(CameraClientHandle handle, CameraClientFrameCallback callback,
                                                   void* user);

/* Plate results and the plate query. QueryPlateCount returns the count, -1 on failure. */
CAMERACLIENT_API int CameraClient_SetPlateCallback(CameraClientHandle handle, CameraClientPlateCallback callback,
                                                   void* user, int withPictures);
CAMERACLIENT_API int CameraClient_SaveImageJpeg(CameraClientImageHandle image, const char* path, int quality);
/* Once it returns, no record of a page asked before the call is delivered (to any callback). */
CAMERACLIENT_API int CameraClient_SetQueryCallback(CameraClientHandle handle, CameraClientQueryCallback callback,
                                                   void* user);
CAMERACLIENT_API int CameraClient_QueryPlateCount(CameraClientHandle handle, const char* startTime,
                                                  const char* endTime, const char* plate);
/* Records [first, end) (at most 1000) arrive through the query callback on a library thread,
 * possibly after the call returns. Times as "%d-%02d-%02d %02d:%02d:%02d". */
CAMERACLIENT_API int CameraClient_QueryPlatePage(CameraClientHandle handle, const char* startTime,
                                                 const char* endTime, const char* plate, int first, int end);
/* *size: in the buffer's size, out the picture's bytes. */
CAMERACLIENT_API int CameraClient_LoadPlateImage(CameraClientHandle handle, int recordId, uint8_t* buffer,
                                                 int* size);

/* Whitelist. */
CAMERACLIENT_API int CameraClient_SetWhiteListCallback(CameraClientHandle handle,
                                                       CameraClientWhiteListCallback callback, void* user);
CAMERACLIENT_API int CameraClient_QueryWhiteListCount(CameraClientHandle handle, uint32_t* count,
                                                      const CameraClientWhiteListSearch* search);
/* Rows [first, first + count) of the filtered list, count at most 1000, through the callback. */
CAMERACLIENT_API int CameraClient_QueryWhiteList(CameraClientHandle handle,
                                                 const CameraClientWhiteListCondition* condition);
/* 0 = present (its record went through the callback), 1 = absent, -1 = failure (nothing known). */
CAMERACLIENT_API int CameraClient_QueryWhiteListByPlate(CameraClientHandle handle, const char* plate);
/* Adds or replaces `count` records (1..1000), all or none: a record replaces the record of the same
 * plate, whatever its id, or is added under an id of the camera's. */
CAMERACLIENT_API int CameraClient_ImportWhiteList(CameraClientHandle handle, int count,
                                                  const CameraClientWhiteListEntry* entries,
                                                  CameraClientWhiteListEntry* reserved);
CAMERACLIENT_API int CameraClient_UpdateWhiteList(CameraClientHandle handle,
                                                  const CameraClientWhiteListRecord* record);
CAMERACLIENT_API int CameraClient_DeleteWhiteList(CameraClientHandle handle, int recordId);
CAMERACLIENT_API int CameraClient_ClearWhiteList(CameraClientHandle handle);
CAMERACLIENT_API int CameraClient_GetWhiteListEnable(CameraClientHandle handle, int* enable);
CAMERACLIENT_API int CameraClient_SetWhiteListEnable(CameraClientHandle handle, int enable);
CAMERACLIENT_API int CameraClient_GetWhiteListFuzzy(CameraClientHandle handle, int* fuzzy, int* fuzzyLength,
                                                    uint8_t* fuzzyChinese);
CAMERACLIENT_API int CameraClient_SetWhiteListFuzzy(CameraClientHandle handle, int fuzzy, int fuzzyLength,
                                                    int fuzzyChinese);

/* Fill light, province, device actions. */
CAMERACLIENT_API int CameraClient_GetLedLevel(CameraClientHandle handle, int* level, int* maximum);
CAMERACLIENT_API int CameraClient_SetLedLevel(CameraClientHandle handle, int level);
CAMERACLIENT_API int CameraClient_GetLedMode(CameraClientHandle handle, int* mode);
CAMERACLIENT_API int CameraClient_SetLedMode(CameraClientHandle handle, int mode);
CAMERACLIENT_API int CameraClient_GetLedSchedule(CameraClientHandle handle, CameraClientLedSchedule* schedule);
CAMERACLIENT_API int CameraClient_SetLedSchedule(CameraClientHandle handle, const CameraClientLedSchedule* schedule);
CAMERACLIENT_API int CameraClient_GetProvinceInfo(CameraClientHandle handle, CameraClientProvinceInfo* info);
CAMERACLIENT_API int CameraClient_SetDefaultProvince(CameraClientHandle handle, int index);
CAMERACLIENT_API int CameraClient_ForceTrigger(CameraClientHandle handle);
CAMERACLIENT_API int CameraClient_Reboot(CameraClientHandle handle);
/* *length: in the buffer's size, out the log's bytes (never more than the buffer). */
CAMERACLIENT_API int CameraClient_GetSystemLog(CameraClientHandle handle, int kind, char* buffer, int* length);

/* Network, identity, web session. */
CAMERACLIENT_API int CameraClient_GetNetParam(CameraClientHandle handle, CameraClientNetParam* param);
CAMERACLIENT_API int CameraClient_SetNetParam(CameraClientHandle handle, const CameraClientNetParam* param);
CAMERACLIENT_API int CameraClient_GetNtpParam(CameraClientHandle handle, char server[17], uint8_t* enable,
                                              int* interval);
CAMERACLIENT_API int CameraClient_SetNtpParam(CameraClientHandle handle, const char* server, uint8_t enable,
                                              int interval);
CAMERACLIENT_API int CameraClient_GetHardwareType(CameraClientHandle handle, int* type);
CAMERACLIENT_API int CameraClient_GetModelId(CameraClientHandle handle, int* model, int* extra);
CAMERACLIENT_API int CameraClient_GetFirmwareVersion(CameraClientHandle handle, int* a, int* b, int* c, int* d);
/* Asks the camera at ip:port (no login) for its web session parameters: lifetime in seconds and
 * the number of sessions it holds. */
CAMERACLIENT_API int CameraClient_PrepareWebSession(const char* ip, int port, int* lifetimeSeconds,
                                                    int* sessionCount);
CAMERACLIENT_API int CameraClient_GetWebSessionId(CameraClientHandle handle, char* buffer, int size);

/* Video, image and on-screen settings. */
CAMERACLIENT_API int CameraClient_GetFrameSize(CameraClientHandle handle, int* size);
CAMERACLIENT_API int CameraClient_SetFrameSize(CameraClientHandle handle, int size);
CAMERACLIENT_API int CameraClient_GetResolution(CameraClientHandle handle, int* resolution);
CAMERACLIENT_API int CameraClient_SetResolution(CameraClientHandle handle, int resolution);
CAMERACLIENT_API int CameraClient_GetFrameRate(CameraClientHandle handle, int* rate);
CAMERACLIENT_API int CameraClient_SetFrameRate(CameraClientHandle handle, int rate);
CAMERACLIENT_API int CameraClient_GetEncodeType(CameraClientHandle handle, int* type);
CAMERACLIENT_API int CameraClient_SetEncodeType(CameraClientHandle handle, int type);
CAMERACLIENT_API int CameraClient_GetRateControl(CameraClientHandle handle, int* mode);
CAMERACLIENT_API int CameraClient_SetRateControl(CameraClientHandle handle, int mode);
CAMERACLIENT_API int CameraClient_GetBitRate(CameraClientHandle handle, int* bitRate, int* second);
CAMERACLIENT_API int CameraClient_SetBitRate(CameraClientHandle handle, int bitRate);
CAMERACLIENT_API int CameraClient_GetVideoQuality(CameraClientHandle handle, int* quality);
CAMERACLIENT_API int CameraClient_SetVideoQuality(CameraClientHandle handle, int quality);
CAMERACLIENT_API int CameraClient_GetStreamConfig(CameraClientHandle handle, int stream,
                                                  CameraClientStreamConfig* config);
CAMERACLIENT_API int CameraClient_SetStreamConfig(CameraClientHandle handle, int stream,
                                                  const CameraClientStreamConfig* config);
CAMERACLIENT_API int CameraClient_GetStreamCapability(CameraClientHandle handle,
                                                      CameraClientStreamCapability* capability);
CAMERACLIENT_API int CameraClient_GetImageAdjust(CameraClientHandle handle, int* brightness, int* contrast,
                                                 int* saturation, int* hue);
CAMERACLIENT_API int CameraClient_SetImageAdjust(CameraClientHandle handle, int brightness, int contrast,
                                                 int saturation, int hue);
CAMERACLIENT_API int CameraClient_GetImageAdjustEx(CameraClientHandle handle, CameraClientImageAdjust* adjust);
CAMERACLIENT_API int CameraClient_SetImageAdjustEx(CameraClientHandle handle, const CameraClientImageAdjust* adjust);
CAMERACLIENT_API int CameraClient_GetFlickerFrequency(CameraClientHandle handle, int* index);
CAMERACLIENT_API int CameraClient_SetFlickerFrequency(CameraClientHandle handle, int index);
CAMERACLIENT_API int CameraClient_GetShutter(CameraClientHandle handle, int* shutter);
CAMERACLIENT_API int CameraClient_SetShutter(CameraClientHandle handle, int shutter);
CAMERACLIENT_API int CameraClient_GetFlip(CameraClientHandle handle, int* flip);
CAMERACLIENT_API int CameraClient_SetFlip(CameraClientHandle handle, int flip);
CAMERACLIENT_API int CameraClient_GetNoiseReduction(CameraClientHandle handle, int* mode, int* strength);
CAMERACLIENT_API int CameraClient_SetNoiseReduction(CameraClientHandle handle, int mode, int strength);
CAMERACLIENT_API int CameraClient_GetOsdParam(CameraClientHandle handle, CameraClientOsdParam* param);
CAMERACLIENT_API int CameraClient_SetOsdParam(CameraClientHandle handle, const CameraClientOsdParam* param);
CAMERACLIENT_API int CameraClient_GetOsdOverlay(CameraClientHandle handle, CameraClientOsdParam* param,
                                                CameraClientOsdOverlay* overlay);
CAMERACLIENT_API int CameraClient_SetOsdOverlay(CameraClientHandle handle, const CameraClientOsdParam* param,
                                                const CameraClientOsdOverlay* overlay);
CAMERACLIENT_API int CameraClient_GetRealShowText(CameraClientHandle handle, char text[8]);
CAMERACLIENT_API int CameraClient_SetRealShowText(CameraClientHandle handle, const char text[8]);

/* Rules, regions, lens, configuration sections, serial ports, update. */
CAMERACLIENT_API int CameraClient_GetPolygonRules(CameraClientHandle handle, CameraClientPolygonRules* rules);
CAMERACLIENT_API int CameraClient_SetPolygonRules(CameraClientHandle handle, const CameraClientPolygonRules* rules);
CAMERACLIENT_API int CameraClient_GetRecognitionRegion(CameraClientHandle handle, CameraClientRegion* region);
CAMERACLIENT_API int CameraClient_SetRecognitionRegion(CameraClientHandle handle, const CameraClientRegion* region);
CAMERACLIENT_API int CameraClient_GetVirtualLoops(CameraClientHandle handle, CameraClientVirtualLoops* loops);
CAMERACLIENT_API int CameraClient_SetVirtualLoops(CameraClientHandle handle, const CameraClientVirtualLoops* loops);
CAMERACLIENT_API int CameraClient_GetLensConfig(CameraClientHandle handle, int* mode, int* small, int* depth);
CAMERACLIENT_API int CameraClient_SetLensConfig(CameraClientHandle handle, int mode, int small, int depth);
/* 1 focus+, 2 focus-, 3 zoom+, 4 zoom-, 0 stop. */
CAMERACLIENT_API int CameraClient_LensControl(CameraClientHandle handle, int command);
CAMERACLIENT_API int CameraClient_GetInstallDistance(CameraClientHandle handle, int* distance);
CAMERACLIENT_API int CameraClient_SetInstallDistance(CameraClientHandle handle, int distance);
CAMERACLIENT_API int CameraClient_GetIoOutput(CameraClientHandle handle, CameraClientIoOutput* output);
CAMERACLIENT_API int CameraClient_SetIoOutput(CameraClientHandle handle, const CameraClientIoOutput* output);
CAMERACLIENT_API int CameraClient_GetRecognitionType(CameraClientHandle handle, uint32_t* bits);
CAMERACLIENT_API int CameraClient_SetRecognitionType(CameraClientHandle handle, uint32_t bits);
CAMERACLIENT_API int CameraClient_GetTriggerType(CameraClientHandle handle, uint32_t* bits);
CAMERACLIENT_API int CameraClient_SetTriggerType(CameraClientHandle handle, uint32_t bits);
CAMERACLIENT_API int CameraClient_GetDrawMode(CameraClientHandle handle, CameraClientDrawMode* mode);
CAMERACLIENT_API int CameraClient_SetDrawMode(CameraClientHandle handle, const CameraClientDrawMode* mode);
CAMERACLIENT_API int CameraClient_GetSerialParam(CameraClientHandle handle, int port, CameraClientSerialParam* param);
CAMERACLIENT_API int CameraClient_SetSerialParam(CameraClientHandle handle, int port,
                                                 const CameraClientSerialParam* param);
CAMERACLIENT_API int CameraClient_GetSerialPushConfig(CameraClientHandle handle, CameraClientSerialPush* push);
CAMERACLIENT_API int CameraClient_SetSerialPushConfig(CameraClientHandle handle, const CameraClientSerialPush* push);
/* The four version numbers of a firmware image file (GBK path); no handle. */
CAMERACLIENT_API int CameraClient_GetImageFileVersion(const char* path, int* a, int* b, int* c, int* d);
/* Loads the image file onto the camera and starts its update; -1 on failure. */
CAMERACLIENT_API int CameraClient_StartUpdate(CameraClientHandle handle, const char* imagePath);
/* 1 done; 2 or 3 in progress; 4 failed; -1 when the camera cannot be asked. */
CAMERACLIENT_API int CameraClient_GetUpdateState(CameraClientHandle handle);

#ifdef __cplusplus
}  /* extern "C" */
#endif

/* ---------------------------------------------------------------------------------------------
 * Layout checks
 * ------------------------------------------------------------------------------------------- */

#define CAMERACLIENT_CHECK_SIZE(type, size) CAMERACLIENT_STATIC_ASSERT(sizeof(type) == (size))
#define CAMERACLIENT_CHECK_OFFSET(type, field, offset) CAMERACLIENT_STATIC_ASSERT(offsetof(type, field) == (offset))

CAMERACLIENT_CHECK_SIZE(CameraClientPlateResult, 168);
CAMERACLIENT_CHECK_OFFSET(CameraClientPlateResult, plate, 0);
CAMERACLIENT_CHECK_OFFSET(CameraClientPlateResult, colorText, 16);
CAMERACLIENT_CHECK_OFFSET(CameraClientPlateResult, colorCode, 24);
CAMERACLIENT_CHECK_OFFSET(CameraClientPlateResult, plateType, 28);
CAMERACLIENT_CHECK_OFFSET(CameraClientPlateResult, confidence, 32);
CAMERACLIENT_CHECK_OFFSET(CameraClientPlateResult, plateRect.left, 44);
CAMERACLIENT_CHECK_OFFSET(CameraClientPlateResult, plateRect.top, 48);
CAMERACLIENT_CHECK_OFFSET(CameraClientPlateResult, plateRect.right, 52);
CAMERACLIENT_CHECK_OFFSET(CameraClientPlateResult, plateRect.bottom, 56);
CAMERACLIENT_CHECK_OFFSET(CameraClientPlateResult, triggerType, 72);
CAMERACLIENT_CHECK_OFFSET(CameraClientPlateResult, recordId, 80);
CAMERACLIENT_CHECK_OFFSET(CameraClientPlateResult, second, 84);
CAMERACLIENT_CHECK_OFFSET(CameraClientPlateResult, minute, 85);
CAMERACLIENT_CHECK_OFFSET(CameraClientPlateResult, hour, 86);
CAMERACLIENT_CHECK_OFFSET(CameraClientPlateResult, day, 87);
CAMERACLIENT_CHECK_OFFSET(CameraClientPlateResult, month, 88);
CAMERACLIENT_CHECK_OFFSET(CameraClientPlateResult, year, 92);
CAMERACLIENT_CHECK_OFFSET(CameraClientPlateResult, reserved96, 96);

CAMERACLIENT_CHECK_SIZE(CameraClientEncryptInfo, 616);
CAMERACLIENT_CHECK_OFFSET(CameraClientEncryptInfo, currentMode, 0);
CAMERACLIENT_CHECK_OFFSET(CameraClientEncryptInfo, modeNames, 8);
CAMERACLIENT_CHECK_OFFSET(CameraClientEncryptInfo, modeCount, 580);

CAMERACLIENT_CHECK_SIZE(CameraClientLedPeriod, 44);
CAMERACLIENT_CHECK_SIZE(CameraClientLedSchedule, 140);
CAMERACLIENT_CHECK_OFFSET(CameraClientLedSchedule, mode, 0);
CAMERACLIENT_CHECK_OFFSET(CameraClientLedSchedule, periods[0].reserved, 8);
CAMERACLIENT_CHECK_OFFSET(CameraClientLedSchedule, periods[0].start, 12);
CAMERACLIENT_CHECK_OFFSET(CameraClientLedSchedule, periods[0].end, 28);
CAMERACLIENT_CHECK_OFFSET(CameraClientLedSchedule, periods[0].level, 44);
CAMERACLIENT_CHECK_OFFSET(CameraClientLedSchedule, periods[0].enabled, 48);
CAMERACLIENT_CHECK_OFFSET(CameraClientLedSchedule, periods[2].start, 100);
CAMERACLIENT_CHECK_OFFSET(CameraClientLedSchedule, periods[2].enabled, 136);

CAMERACLIENT_CHECK_SIZE(CameraClientProvinceInfo, 132);
CAMERACLIENT_CHECK_OFFSET(CameraClientProvinceInfo, currentIndex, 128);

CAMERACLIENT_CHECK_SIZE(CameraClientNetParam, 66);
CAMERACLIENT_CHECK_OFFSET(CameraClientNetParam, netmask, 16);
CAMERACLIENT_CHECK_OFFSET(CameraClientNetParam, gateway, 32);
CAMERACLIENT_CHECK_OFFSET(CameraClientNetParam, dns, 48);
CAMERACLIENT_CHECK_OFFSET(CameraClientNetParam, port, 64);

CAMERACLIENT_CHECK_SIZE(CameraClientTimeSegment, 28);
CAMERACLIENT_CHECK_OFFSET(CameraClientTimeSegment, days, 4);
CAMERACLIENT_CHECK_OFFSET(CameraClientTimeSegment, startHour, 12);
CAMERACLIENT_CHECK_OFFSET(CameraClientTimeSegment, startSecond, 16);
CAMERACLIENT_CHECK_OFFSET(CameraClientTimeSegment, endHour, 20);
CAMERACLIENT_CHECK_OFFSET(CameraClientTimeSegment, endSecond, 24);
CAMERACLIENT_CHECK_SIZE(TimeSegmentTable, 228);
CAMERACLIENT_CHECK_OFFSET(TimeSegmentTable, entries, 4);

CAMERACLIENT_CHECK_SIZE(CameraClientWhiteListRecord, 416);
CAMERACLIENT_CHECK_OFFSET(CameraClientWhiteListRecord, plate, 4);
CAMERACLIENT_CHECK_OFFSET(CameraClientWhiteListRecord, reserved36, 36);
CAMERACLIENT_CHECK_OFFSET(CameraClientWhiteListRecord, enabled, 40);
CAMERACLIENT_CHECK_OFFSET(CameraClientWhiteListRecord, createTimeSet, 44);
CAMERACLIENT_CHECK_OFFSET(CameraClientWhiteListRecord, expiryTimeSet, 48);
CAMERACLIENT_CHECK_OFFSET(CameraClientWhiteListRecord, createTime, 52);
CAMERACLIENT_CHECK_OFFSET(CameraClientWhiteListRecord, expiryTime, 64);
CAMERACLIENT_CHECK_OFFSET(CameraClientWhiteListRecord, useTimeSegments, 76);
CAMERACLIENT_CHECK_OFFSET(CameraClientWhiteListRecord, segments, 80);
CAMERACLIENT_CHECK_OFFSET(CameraClientWhiteListRecord, alarm, 308);
CAMERACLIENT_CHECK_OFFSET(CameraClientWhiteListRecord, plateColor, 312);
CAMERACLIENT_CHECK_OFFSET(CameraClientWhiteListRecord, plateType, 316);
CAMERACLIENT_CHECK_OFFSET(CameraClientWhiteListRecord, customerCode, 320);
CAMERACLIENT_CHECK_OFFSET(CameraClientWhiteListRecord, customerNumber, 352);

CAMERACLIENT_CHECK_SIZE(CameraClientWhiteListKeyValue, 160);
CAMERACLIENT_CHECK_OFFSET(CameraClientWhiteListKeyValue, value, 32);
CAMERACLIENT_CHECK_SIZE(CameraClientWhiteListSearch, 16);
CAMERACLIENT_CHECK_OFFSET(CameraClientWhiteListSearch, itemCount, 4);
CAMERACLIENT_CHECK_OFFSET(CameraClientWhiteListSearch, items, 8);
CAMERACLIENT_CHECK_SIZE(CameraClientWhiteListRange, 8);
CAMERACLIENT_CHECK_SIZE(CameraClientWhiteListLimit, 16);
CAMERACLIENT_CHECK_OFFSET(CameraClientWhiteListLimit, range, 8);
CAMERACLIENT_CHECK_SIZE(CameraClientWhiteListCondition, 24);
CAMERACLIENT_CHECK_OFFSET(CameraClientWhiteListCondition, limit, 8);
CAMERACLIENT_CHECK_OFFSET(CameraClientWhiteListCondition, reserved, 16);
CAMERACLIENT_CHECK_SIZE(CameraClientWhiteListEntry, 16);
CAMERACLIENT_CHECK_OFFSET(CameraClientWhiteListEntry, record, 8);

CAMERACLIENT_CHECK_SIZE(CameraClientPolygonRule, 152);
CAMERACLIENT_CHECK_SIZE(CameraClientPolygonRules, 676);
CAMERACLIENT_CHECK_OFFSET(CameraClientPolygonRules, rule.enable, 5);
CAMERACLIENT_CHECK_OFFSET(CameraClientPolygonRules, rule.draw, 6);
CAMERACLIENT_CHECK_OFFSET(CameraClientPolygonRules, rule.name, 8);
CAMERACLIENT_CHECK_OFFSET(CameraClientPolygonRules, rule.points, 44);
CAMERACLIENT_CHECK_OFFSET(CameraClientPolygonRules, rule.direction, 140);
CAMERACLIENT_CHECK_OFFSET(CameraClientPolygonRules, rule.interval, 144);
CAMERACLIENT_CHECK_OFFSET(CameraClientPolygonRules, rule.maxWidth, 148);
CAMERACLIENT_CHECK_OFFSET(CameraClientPolygonRules, rule.minWidth, 152);
CAMERACLIENT_CHECK_OFFSET(CameraClientPolygonRules, reserved156, 156);

CAMERACLIENT_CHECK_SIZE(CameraClientVirtualLoop, 84);
CAMERACLIENT_CHECK_SIZE(CameraClientVirtualLoops, 676);
CAMERACLIENT_CHECK_OFFSET(CameraClientVirtualLoops, loops[0].byEnable, 5);
CAMERACLIENT_CHECK_OFFSET(CameraClientVirtualLoops, loops[0].byDraw, 6);
CAMERACLIENT_CHECK_OFFSET(CameraClientVirtualLoops, loops[0].strName, 8);
CAMERACLIENT_CHECK_OFFSET(CameraClientVirtualLoops, loops[0].points, 40);
CAMERACLIENT_CHECK_OFFSET(CameraClientVirtualLoops, loops[0].eCrossDir, 72);
CAMERACLIENT_CHECK_OFFSET(CameraClientVirtualLoops, loops[0].uTriggerTimeGap, 76);
CAMERACLIENT_CHECK_OFFSET(CameraClientVirtualLoops, loops[0].uMaxLPWidth, 80);
CAMERACLIENT_CHECK_OFFSET(CameraClientVirtualLoops, loops[0].uMinLPWidth, 84);

CAMERACLIENT_CHECK_SIZE(CameraClientRegion, 136);
CAMERACLIENT_CHECK_OFFSET(CameraClientRegion, byEnable, 1);
CAMERACLIENT_CHECK_OFFSET(CameraClientRegion, byDraw, 2);
CAMERACLIENT_CHECK_OFFSET(CameraClientRegion, uNumVertex, 36);
CAMERACLIENT_CHECK_OFFSET(CameraClientRegion, vertices, 40);

CAMERACLIENT_CHECK_SIZE(CameraClientFrame, 48);
CAMERACLIENT_CHECK_OFFSET(CameraClientFrame, u, 8);
CAMERACLIENT_CHECK_OFFSET(CameraClientFrame, v, 16);
CAMERACLIENT_CHECK_OFFSET(CameraClientFrame, yStride, 24);
CAMERACLIENT_CHECK_OFFSET(CameraClientFrame, uStride, 28);
CAMERACLIENT_CHECK_OFFSET(CameraClientFrame, vStride, 32);
CAMERACLIENT_CHECK_OFFSET(CameraClientFrame, width, 36);
CAMERACLIENT_CHECK_OFFSET(CameraClientFrame, height, 40);

CAMERACLIENT_CHECK_SIZE(CameraClientStreamConfig, 32);
CAMERACLIENT_CHECK_OFFSET(CameraClientStreamConfig, resolution, 8);
CAMERACLIENT_CHECK_OFFSET(CameraClientStreamConfig, frameRate, 12);
CAMERACLIENT_CHECK_OFFSET(CameraClientStreamConfig, rateControl, 20);
CAMERACLIENT_CHECK_OFFSET(CameraClientStreamConfig, bitRate, 24);
CAMERACLIENT_CHECK_OFFSET(CameraClientStreamConfig, quality, 28);

CAMERACLIENT_CHECK_SIZE(CameraClientResolutionEntry, 36);
CAMERACLIENT_CHECK_SIZE(CameraClientStreamCapability, 1084);
CAMERACLIENT_CHECK_OFFSET(CameraClientStreamCapability, minBitRate, 632);
CAMERACLIENT_CHECK_OFFSET(CameraClientStreamCapability, maxBitRate, 636);

CAMERACLIENT_CHECK_SIZE(CameraClientImageAdjust, 36);
CAMERACLIENT_CHECK_OFFSET(CameraClientImageAdjust, contrast, 4);
CAMERACLIENT_CHECK_OFFSET(CameraClientImageAdjust, saturation, 8);
CAMERACLIENT_CHECK_OFFSET(CameraClientImageAdjust, hue, 16);
CAMERACLIENT_CHECK_OFFSET(CameraClientImageAdjust, maxGain, 32);

CAMERACLIENT_CHECK_SIZE(CameraClientOsdParam, 72);
CAMERACLIENT_CHECK_OFFSET(CameraClientOsdParam, dateFormat, 4);
CAMERACLIENT_CHECK_OFFSET(CameraClientOsdParam, datePosX, 8);
CAMERACLIENT_CHECK_OFFSET(CameraClientOsdParam, datePosY, 12);
CAMERACLIENT_CHECK_OFFSET(CameraClientOsdParam, tstampenable, 16);
CAMERACLIENT_CHECK_OFFSET(CameraClientOsdParam, timeFormat, 20);
CAMERACLIENT_CHECK_OFFSET(CameraClientOsdParam, timePosX, 24);
CAMERACLIENT_CHECK_OFFSET(CameraClientOsdParam, timePosY, 28);
CAMERACLIENT_CHECK_OFFSET(CameraClientOsdParam, nLogoEnable, 32);
CAMERACLIENT_CHECK_OFFSET(CameraClientOsdParam, nLogoPositionX, 36);
CAMERACLIENT_CHECK_OFFSET(CameraClientOsdParam, nLogoPositionY, 40);
CAMERACLIENT_CHECK_OFFSET(CameraClientOsdParam, nTextEnable, 44);
CAMERACLIENT_CHECK_OFFSET(CameraClientOsdParam, nTextPositionX, 48);
CAMERACLIENT_CHECK_OFFSET(CameraClientOsdParam, nTextPositionY, 52);
CAMERACLIENT_CHECK_OFFSET(CameraClientOsdParam, overlaytext, 56);

CAMERACLIENT_CHECK_SIZE(CameraClientOsdOverlay, 16);
CAMERACLIENT_CHECK_OFFSET(CameraClientOsdOverlay, rule, 4);
CAMERACLIENT_CHECK_OFFSET(CameraClientOsdOverlay, position, 8);
CAMERACLIENT_CHECK_OFFSET(CameraClientOsdOverlay, distance, 12);

CAMERACLIENT_CHECK_SIZE(CameraClientIoOutputEntry, 36);
CAMERACLIENT_CHECK_OFFSET(CameraClientIoOutputEntry, levelout, 16);
CAMERACLIENT_CHECK_OFFSET(CameraClientIoOutputEntry, rs485out, 24);
CAMERACLIENT_CHECK_OFFSET(CameraClientIoOutputEntry, eInputType, 32);
CAMERACLIENT_CHECK_SIZE(CameraClientIoOutput, 288);

CAMERACLIENT_CHECK_SIZE(CameraClientSerialParam, 16);
CAMERACLIENT_CHECK_OFFSET(CameraClientSerialParam, uParity, 4);
CAMERACLIENT_CHECK_OFFSET(CameraClientSerialParam, uDataBits, 8);
CAMERACLIENT_CHECK_OFFSET(CameraClientSerialParam, uStopBit, 12);

CAMERACLIENT_CHECK_SIZE(CameraClientDrawMode, 4);
CAMERACLIENT_CHECK_OFFSET(CameraClientDrawMode, byDspAddRule, 1);
CAMERACLIENT_CHECK_OFFSET(CameraClientDrawMode, byDspAddTrajectory, 2);

CAMERACLIENT_CHECK_SIZE(CameraClientPushField, 8);
CAMERACLIENT_CHECK_SIZE(CameraClientPushVoice, 84);
CAMERACLIENT_CHECK_OFFSET(CameraClientPushVoice, remain, 4);
CAMERACLIENT_CHECK_OFFSET(CameraClientPushVoice, incLicense, 8);
CAMERACLIENT_CHECK_OFFSET(CameraClientPushVoice, prefix, 9);
CAMERACLIENT_CHECK_OFFSET(CameraClientPushVoice, suffix, 45);
CAMERACLIENT_CHECK_SIZE(CameraClientSerialPush, 644);
CAMERACLIENT_CHECK_OFFSET(CameraClientSerialPush, voices, 176);
CAMERACLIENT_CHECK_OFFSET(CameraClientSerialPush, header, 512);
CAMERACLIENT_CHECK_OFFSET(CameraClientSerialPush, end, 576);
CAMERACLIENT_CHECK_OFFSET(CameraClientSerialPush, voiceSwitch, 640);

#undef CAMERACLIENT_CHECK_SIZE
#undef CAMERACLIENT_CHECK_OFFSET

#endif /* CAMERACLIENT_CAMERACLIENT_H */

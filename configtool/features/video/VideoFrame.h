#pragma once
// CVideoFrame: the encoding page (tab 0) of the video settings. Families 0 and 2 take one camera
// call per setting, all sent by the OK button; family 3 takes one stream-settings record per
// stream, with the resolutions and bit-rate limits of the camera's capability record.

#include <cstdint>
#include <optional>
#include <vector>

#include "configtool/features/video/StreamResolutions.h"
#include "configtool/features/video/TabBase.h"
#include "configtool/features/video/VideoOptionTables.h"

class CVideoFrame : public CTabBase {
 public:
  CVideoFrame(ui::CPaintManagerUI* pm, CameraClientHandle handle, CVideoCfg* dialog);
  ~CVideoFrame() override;

  int Notify(ui::TNotifyUI& msg) override;

 private:
  void BindControls();
  void LoadSingleSettings();
  void LoadStreamSettings();
  void LoadEncodeType();
  // Shows the settings and the capability of stream 0 (main) or 1 (sub); false when the camera
  // did not give them.
  bool FillStreamPage(int stream);
  // Replaces the frame-size items with the stream's resolutions and selects the one given.
  void ShowResolutions(const std::vector<StreamResolution>& resolutions, int selected);
  // What the page shows for a stream whose settings the camera did not give: no item, no number.
  void ShowNoStreamSettings();
  // Which of rate control, bit rate and quality apply to the chosen encode type and rate control.
  void ApplyEnableRule();
  int SaveSingleSettings();
  int SaveStreamSettings();
  // Sends `value` with `set`; false without a value (its combo has no selection) or on failure.
  bool SendValue(std::optional<int> value, int (*set)(CameraClientHandle, int));

  VideoIndexMap m_sizeMap;
  VideoIndexMap m_rateMap;
  VideoIndexMap m_encodeTypeMap;
  VideoIndexMap m_qualityMap;
  ui::CButtonUI* m_pBtnFrameOk = nullptr;
  ui::CComboUI* m_pCmbSizeIndex = nullptr;
  ui::CComboUI* m_pCmbRate = nullptr;
  ui::CComboUI* m_pCmbEncodeType = nullptr;
  ui::CComboUI* m_pCmbCtrl = nullptr;
  ui::CComboUI* m_pCmbVbr = nullptr;
  ui::CEditUI* m_pEditLimit = nullptr;
  ui::CComboUI* m_pCmbStreamType = nullptr;
  ui::CControlUI* m_pHorStreamType = nullptr;
  // The bit-rate limits of the stream shown (family 3), in the unit of the stream record.
  std::int32_t m_minBitRate = 0;
  std::int32_t m_maxBitRate = 0;
  // Families 0 and 2: the camera gave its bit rate.
  bool m_bBitRateRead = false;
  // Family 3: the camera gave the shown stream's settings and its capability.
  bool m_bStreamRead = false;
};

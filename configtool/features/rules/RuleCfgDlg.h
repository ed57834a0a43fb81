#pragma once
// CRuleCfgDlg: the rule editor ("ruleCfg.xml"). It shows the open camera's live video through its
// own window-less stream, draws the camera's recognition region and virtual loop over it, lets the
// installer add, move, reshape and delete them, and saves them to the camera in thousandths of the
// picture. It also sets the lens options (model 0x2004), the install distance (fixed-focus models)
// and drives zoom and focus.
//
// A record the editor never read from the camera is never sent (RuleRecordState). The video stops (stream, then frame callback, then window) on every way the window closes.

#include <atomic>
#include <string>

#include "cameraclient/CameraClient.h"
#include "configtool/features/rules/JqLprRegion.h"
#include "configtool/features/rules/JqPolygen.h"
#include "configtool/features/rules/RuleGraphCfgBusiness.h"
#include "configtool/features/rules/RuleRecordState.h"
#include "platform/ui/UIlib.h"

class CRuleListItemUI;

// The first video frame reached the editor (no parameters).
inline constexpr UINT WM_RULE_FIRST_FRAME = WM_USER + 201;

// The model with lens options and overlay switches.
inline constexpr int kLensModelId = 0x2004;

// The editor's shape type codes.
inline constexpr int kLoopShapeType = 3;
inline constexpr int kRegionShapeType = 9;

class CRuleCfgDlg : public ui::CDialogWnd, public ui::INotifyUI {
 public:
  explicit CRuleCfgDlg(CameraClientHandle handle = 0);
  ~CRuleCfgDlg() override;

  void SetDeviceHandle(CameraClientHandle handle) { m_handle = handle; }
  void BindControls() override;
  void Notify(ui::TNotifyUI& msg) override;

  // What the editor holds, on the window thread.
  bool HasLoop() const { return m_loopRule.exists; }
  bool HasRegion() const { return m_regionRule.exists; }
  const CJqPolygen& Loop() const { return m_loop; }
  const CJqLprRegion& Region() const { return m_region; }
  const CameraClientPolygonRules& LoopRecord() const { return m_loopRule.record; }
  const CameraClientRegion& RegionRecord() const { return m_regionRule.record; }
  CGOjbect* SelectedShape() const { return m_pSelected; }
  bool FirstFrameArrived() const { return m_firstFrame.load(); }
  CameraClientPlayHandle StreamHandle() const { return m_playHandle; }
  bool ShowsWideAngleHint() const { return m_wideAngleHint; }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  LRESULT OnDestroy(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

 private:
  static constexpr UINT kPaintTimer = 1056;
  static constexpr UINT kPaintPeriod = 40;
  static constexpr UINT kWideAngleHintTimer = 1169;
  static constexpr UINT kWideAngleHintPeriod = 5000;

  // Video (RuleCfgDlgVideo.cpp).
  static int OnRuleVideoFrame(CameraClientHandle handle, void* user, const CameraClientFrame* frame);
  void OnVideoFrame(const CameraClientFrame* frame);
  void StartStream();
  void StopVideo();
  void OnFirstFrame();
  SIZE ViewSize() const;
  GraphPoint ImagePoint(const ui::TNotifyUI& msg) const;

  // Shapes and rows (RuleCfgDlgShapes.cpp).
  void AddRegion();
  void AddLoop();
  void LoadLoop();
  void LoadRegion();
  // Shows a shape: drawn, registered, and in the list with its row; false (all undone) without a row.
  bool ShowShape(CJqPolygen& shape, const std::string& label);
  void HideShape(CJqPolygen& shape);
  CRuleListItemUI* RowOf(const CGOjbect* shape) const;
  void DeleteSelectedRule();
  void DeleteActiveVertex();
  void PressOnVideo(const ui::TNotifyUI& msg);
  void HoverOnVideo(const ui::TNotifyUI& msg);
  void DoubleClickOnVideo(const ui::TNotifyUI& msg);
  void SelectByRow(ui::CControlUI* row);
  void OpenRuleParams(ui::CControlUI* button);
  static void OnRuleDragStart(void* user);

  // Saving (RuleCfgDlgSave.cpp).
  void SaveRules();
  bool SaveLoop();
  bool SaveRegion();

  // Lens, zoom, focus and install distance (RuleCfgDlgLens.cpp).
  void BindLensControls();
  void LoadLensOptions();
  // Whether the camera took the dialog's lens options.
  bool ApplyLensOptions();
  bool SwitchToWideAngle();
  void SwitchToWideAngleWithHint();
  void ShowWideAngleHint();
  void EndWideAngleHint();
  void LensControl(int command);
  void LoadInstallDistance();
  void SaveInstallDistance();
  bool IsPtzButton(const ui::CControlUI* control) const;

  void ShowMessage(const char* text);

  CameraClientHandle m_handle = 0;
  CameraClientPlayHandle m_playHandle = 0;
  CRuleGraphCfgBusiness m_surface;
  CJqPolygen m_loop;
  CJqLprRegion m_region;
  CGOjbect* m_pSelected = nullptr;
  std::atomic<bool> m_firstFrame{false};
  // Where the frame thread posts the first-frame message; set before the stream starts.
  std::atomic<HWND> m_frameTarget{nullptr};
  RuleRecordState<CameraClientPolygonRules> m_loopRule;
  RuleRecordState<CameraClientRegion> m_regionRule;
  bool m_frameCallbackSet = false;
  bool m_wideAngleHint = false;

  ui::CPlayControlUI* m_pPlayControl = nullptr;
  ui::CListUI* m_pListRules = nullptr;
  ui::CButtonUI* m_pBtnSaveRule = nullptr;
  ui::CButtonUI* m_pBtnDeleteRule = nullptr;
  ui::CButtonUI* m_pBtnAddRule = nullptr;
  ui::CButtonUI* m_pBtnAddPloygen = nullptr;
  ui::CControlUI* m_pBtnFocusAdd = nullptr;
  ui::CControlUI* m_pBtnFocusSub = nullptr;
  ui::CControlUI* m_pBtnZoomAdd = nullptr;
  ui::CControlUI* m_pBtnZoomSub = nullptr;
  ui::COptionUI* m_pOptRemind = nullptr;
  ui::CControlUI* m_pPanZoom = nullptr;
  ui::CControlUI* m_pPanFixedFocus = nullptr;
  ui::CComboUI* m_pCmbDistance = nullptr;
  ui::COptionUI* m_pRadioWideAngle = nullptr;
  ui::COptionUI* m_pRadioLongFocus = nullptr;
  ui::COptionUI* m_pOptOverlySmall = nullptr;
  ui::COptionUI* m_pOptOverlyDepth = nullptr;
  int m_modelId = 0;
};

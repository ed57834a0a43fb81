#pragma once
// CDlgRuleRegionSet: the recognition region's switches ("Dlg_Rule_RegionSet.xml"): whether the
// camera uses the region and whether it draws it. OK writes them into the editor's copy of the
// region record; nothing goes to the camera here.

#include "cameraclient/CameraClient.h"
#include "platform/ui/UIlib.h"

class CDlgRuleRegionSet : public ui::CDialogWnd, public ui::INotifyUI {
 public:
  // The record the dialog edits; set before the window is created.
  void SetRegionRecord(CameraClientRegion* record) { m_pRecord = record; }

  void BindControls() override;
  void Notify(ui::TNotifyUI& msg) override;

 private:
  void LoadFields();
  void Apply();

  ui::COptionUI* m_pOptEnable = nullptr;
  ui::COptionUI* m_pOptDraw = nullptr;
  ui::CButtonUI* m_pBtnOk = nullptr;
  ui::CButtonUI* m_pBtnCancel = nullptr;
  CameraClientRegion* m_pRecord = nullptr;
};

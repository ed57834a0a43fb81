#pragma once
// CDlgRuleLPRSet: the virtual loop's parameters ("Dlg_Rule_LpSet.xml"): its name, the plate
// widths it detects, the crossing direction and the same-plate trigger interval. OK checks the
// fields and writes them into the editor's copy of the loop entry; nothing goes to the camera here.

#include "cameraclient/CameraClient.h"
#include "platform/ui/UIlib.h"

class CDlgRuleLPRSet : public ui::CDialogWnd, public ui::INotifyUI {
 public:
  // The entry the dialog edits; set before the window is created.
  void SetLoopEntry(CameraClientPolygonRule* entry) { m_pEntry = entry; }

  void BindControls() override;
  void Notify(ui::TNotifyUI& msg) override;

  // Checks the fields and writes the entry; false (entry unchanged, message shown) on a bad field.
  bool Apply();

 private:
  void LoadFields();
  bool Refuse(const char* text);

  ui::CEditUI* m_pEditName = nullptr;
  ui::CEditUI* m_pEditMin = nullptr;
  ui::CEditUI* m_pEditMax = nullptr;
  ui::CComboUI* m_pCmbDir = nullptr;
  ui::CEditUI* m_pEditTime = nullptr;
  ui::CButtonUI* m_pBtnOk = nullptr;
  ui::CButtonUI* m_pBtnCancel = nullptr;
  CameraClientPolygonRule* m_pEntry = nullptr;
};

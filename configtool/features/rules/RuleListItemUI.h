#pragma once
// CRuleListItemUI: one rule in the rule editor's list "lst_rules", built from "RuleListItem.xml":
// the rule's name in "rule_lbl_name" and the parameter button "rule_btn_para". The row is tied to
// the shape it stands for; events go to the list row's own handling.

#include <string>

#include "platform/ui/UIlib.h"

class CGOjbect;

class CRuleListItemUI : public ui::CListContainerElementUI {
 public:
  // Finds the label and the button inside the row (once it is in its list) and shows `label`.
  void BindParts(const std::string& label);
  // The label's text; empty without a label.
  std::string GetLabelText() const;
  void SetLabelText(const std::string& text);
  ui::CControlUI* GetParamButton() const { return m_pParamButton; }

  CGOjbect* GetShape() const { return m_pShape; }
  void SetShape(CGOjbect* shape) { m_pShape = shape; }

 private:
  ui::CControlUI* m_pLabel = nullptr;
  ui::CControlUI* m_pParamButton = nullptr;
  CGOjbect* m_pShape = nullptr;
};

// A new row from "RuleListItem.xml" built with the tool's control factory, or nullptr.
CRuleListItemUI* CreateRuleRow(ui::CPaintManagerUI* manager);

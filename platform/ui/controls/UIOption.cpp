#include "platform/ui/controls/UIOption.h"

#include "platform/ui/controls/ControlHelpers.h"
#include "platform/ui/core/UIAttributes.h"
#include "platform/ui/core/UIBuilder.h"
#include "platform/ui/core/UIManager.h"
#include "platform/ui/render/RenderEngine.h"

namespace ui {
namespace {

CControlUI* CreateOption(CPaintManagerUI*) { return new COptionUI; }
// A check box is an option without a group.
const bool g_registered = CControlFactory::Register("Option", CreateOption) &&
                          CControlFactory::Register("CheckBox", CreateOption);

struct GroupSearch {
  const COptionUI* self;
  const CDuiString* group;
};

CControlUI* ClearIfPeer(CControlUI* control, void* data) {
  const auto* search = static_cast<GroupSearch*>(data);
  auto* option = static_cast<COptionUI*>(control->GetInterface("Option"));
  if (option != nullptr && option != search->self && option->IsSelected() && option->GetGroup() == *search->group) {
    option->Selected(false);
  }
  return nullptr;  // visit every control
}

}  // namespace

COptionUI::~COptionUI() = default;

const char* COptionUI::GetClass() const { return "OptionUI"; }

void* COptionUI::GetInterface(const char* name) {
  if (IsName(name, "Option")) return this;
  return CButtonUI::GetInterface(name);
}

bool COptionUI::Activate() {
  if (!CLabelUI::Activate()) return false;
  const bool becomesSelected = m_sGroupName.IsEmpty() ? !m_bSelected : true;
  const bool changed = becomesSelected != m_bSelected;
  Selected(becomesSelected);
  if (m_pManager == nullptr) return true;
  if (changed && becomesSelected) m_pManager->SendNotify(this, "selectchanged");
  m_pManager->SendNotify(this, "option_click");
  return true;
}

void COptionUI::Selected(bool selected) {
  if (m_bSelected == selected) return;
  m_bSelected = selected;
  if (m_bSelected && !m_sGroupName.IsEmpty()) ClearGroupPeers();
  Invalidate();
}

void COptionUI::ClearGroupPeers() {
  if (m_pManager == nullptr || m_pManager->GetRoot() == nullptr) return;
  GroupSearch search{this, &m_sGroupName};
  m_pManager->GetRoot()->FindControl(ClearIfPeer, &search, UIFIND_ALL);
}

void COptionUI::SetGroup(const char* group) {
  m_sGroupName = group != nullptr ? group : "";
  if (m_bSelected && !m_sGroupName.IsEmpty()) ClearGroupPeers();
}

void COptionUI::SetAttribute(const char* name, const char* value) {
  if (IsName(name, "group")) {
    SetGroup(value);
  } else if (IsName(name, "selected")) {
    Selected(ParseBoolAttribute(value));
  } else if (IsName(name, "selectedimage")) {
    SetSelectedImage(value);
  } else if (IsName(name, "selectedhotimage")) {
    SetSelectedHotImage(value);
  } else if (IsName(name, "selectedtextcolor")) {
    SetSelectedTextColor(ParseColorAttribute(value));
  } else if (IsName(name, "selectedbkcolor")) {
    SetSelectedBkColor(ParseColorAttribute(value));
  } else if (IsName(name, "foreimage")) {
    SetForeImage(value);
  } else {
    CButtonUI::SetAttribute(name, value);
  }
}

void COptionUI::SetSelectedImage(const char* image) {
  m_sSelectedImage = image;
  Invalidate();
}

void COptionUI::SetSelectedHotImage(const char* image) {
  m_sSelectedHotImage = image;
  Invalidate();
}

void COptionUI::SetSelectedTextColor(DWORD color) {
  m_dwSelectedTextColor = color;
  Invalidate();
}

void COptionUI::SetSelectedBkColor(DWORD color) {
  m_dwSelectedBkColor = color;
  Invalidate();
}

void COptionUI::SetForeImage(const char* image) {
  m_sForeImage = image;
  Invalidate();
}

void COptionUI::PaintBkColor(HDC hDC) {
  if (m_bSelected && m_dwSelectedBkColor != 0) {
    CRenderEngine::DrawColor(hDC, m_rcItem, m_dwSelectedBkColor);
    return;
  }
  CButtonUI::PaintBkColor(hDC);
}

void COptionUI::PaintStatusImage(HDC hDC) {
  bool drawn = false;
  if (m_bSelected) {
    CDuiString* images[2] = {&m_sSelectedHotImage, &m_sSelectedImage};
    const bool hot = IsEnabled() && (m_uButtonState & (UISTATE_HOT | UISTATE_PUSHED)) != 0;
    drawn = hot ? DrawFirstImage(hDC, images, 2) : DrawFirstImage(hDC, images + 1, 1);
  }
  if (!drawn) CButtonUI::PaintStatusImage(hDC);
  CDuiString* fore[1] = {&m_sForeImage};
  DrawFirstImage(hDC, fore, 1);
}

void COptionUI::PaintText(HDC hDC) {
  if (m_bSelected && IsEnabled() && m_dwSelectedTextColor != 0) {
    DrawLabelText(hDC, m_dwSelectedTextColor);
    return;
  }
  CButtonUI::PaintText(hDC);
}

}  // namespace ui

#include "platform/ui/controls/UICombo.h"

#include <algorithm>

#include "platform/ui/controls/ControlHelpers.h"
#include "platform/ui/controls/ListInfoAttributes.h"
#include "platform/ui/controls/UIComboWnd.h"
#include "platform/ui/core/NativeWindow.h"
#include "platform/ui/core/UIAttributes.h"
#include "platform/ui/core/UIBuilder.h"
#include "platform/ui/core/UIManager.h"
#include "platform/ui/core/UIRect.h"
#include "platform/ui/render/RenderEngine.h"

namespace ui {
namespace {

const bool g_registered = CControlFactory::Register("Combo", [](CPaintManagerUI*) { return new CComboUI; });
constexpr DWORD kArrowColor = 0xFF4A6F99;
constexpr int kArrowWidth = 18;
constexpr unsigned char kKeyF4 = 0x73;

}  // namespace

CComboUI::CComboUI() { m_rcTextPadding = RECT{4, 0, kArrowWidth, 0}; }

CComboUI::~CComboUI() {
  if (m_pWindow != nullptr) m_pWindow->DetachOwner();
}

const char* CComboUI::GetClass() const { return "ComboUI"; }

void* CComboUI::GetInterface(const char* name) {
  if (IsName(name, "Combo")) return this;
  if (IsName(name, "IListOwner")) return static_cast<IListOwnerUI*>(this);
  return CContainerUI::GetInterface(name);
}

UINT CComboUI::GetControlFlags() const { return IsEnabled() ? UIFLAG_TABSTOP : 0; }

CDuiString CComboUI::GetText() const {
  CControlUI* item = GetItemAt(m_iCurSel);
  return item != nullptr ? item->GetText() : m_sText;
}

HWND CComboUI::GetDropDownWindow() const { return m_pWindow != nullptr ? m_pWindow->GetHWND() : nullptr; }

void CComboUI::CloseDropDown() {
  if (m_pWindow == nullptr) return;
  m_pWindow->ReleaseItems();
  // The drop-down may be the window whose message is being handled: hide it now, end it later.
  m_pWindow->ShowWindow(false, false);
  m_pWindow->Close(IDCANCEL);
}

void CComboUI::SetEnabled(bool enabled) {
  CContainerUI::SetEnabled(enabled);
  if (!IsEnabled()) {
    m_uButtonState = 0;
    CloseDropDown();
  }
}

void CComboUI::SetVisible(bool visible) {
  CContainerUI::SetVisible(visible);
  if (!IsVisible()) CloseDropDown();
}

void CComboUI::SetInternVisible(bool visible) {
  CContainerUI::SetInternVisible(visible);
  if (!IsVisible()) CloseDropDown();
}

bool CComboUI::Activate() {
  if (!CContainerUI::Activate()) return false;
  if (m_pWindow != nullptr || m_pManager == nullptr || m_pManager->GetPaintWindow() == nullptr) return true;
  m_pWindow = new CComboWnd;
  CComboWnd* window = m_pWindow;
  window->Init(this);
  if (window->GetHWND() == nullptr) {
    delete window;
    m_pWindow = nullptr;
  }
  Invalidate();
  return true;
}

IListItemUI* CComboUI::ItemAt(int index) const {
  CControlUI* control = GetItemAt(index);
  return control != nullptr ? static_cast<IListItemUI*>(control->GetInterface("ListItem")) : nullptr;
}

void CComboUI::Reindex(int from) {
  for (int i = std::max(0, from); i < GetCount(); ++i) {
    if (IListItemUI* item = ItemAt(i)) item->SetIndex(i);
  }
}

bool CComboUI::SetItemIndex(CControlUI* control, int index) {
  CloseDropDown();
  CControlUI* selected = GetItemAt(m_iCurSel);
  if (!CContainerUI::SetItemIndex(control, index)) return false;
  m_iCurSel = selected != nullptr ? GetItemIndex(selected) : -1;
  Reindex(0);
  return true;
}

bool CComboUI::Add(CControlUI* control) { return AddAt(control, GetCount()); }

bool CComboUI::AddAt(CControlUI* control, int index) {
  CloseDropDown();
  if (!CContainerUI::AddAt(control, index)) return false;
  if (auto* item = static_cast<IListItemUI*>(control->GetInterface("ListItem"))) item->SetOwner(this);
  if (m_iCurSel >= index) ++m_iCurSel;
  Reindex(index);
  return true;
}

bool CComboUI::Remove(CControlUI* control, bool doNotDestroy) {
  const int index = GetItemIndex(control);
  if (index < 0) return false;
  return RemoveAt(index, doNotDestroy);
}

bool CComboUI::RemoveAt(int index, bool doNotDestroy) {
  if (GetItemAt(index) == nullptr) return false;
  CloseDropDown();
  if (m_iCurSel == index) {
    m_iCurSel = -1;
  } else if (m_iCurSel > index) {
    --m_iCurSel;
  }
  if (!CContainerUI::RemoveAt(index, doNotDestroy)) return false;
  Reindex(index);
  Invalidate();
  return true;
}

void CComboUI::RemoveAll() {
  m_iCurSel = -1;
  CloseDropDown();
  CContainerUI::RemoveAll();
  Invalidate();
}

bool CComboUI::SelectItem(int index, bool takeFocus) {
  if (index == m_iCurSel && ItemAt(index) != nullptr) return true;
  if (IListItemUI* old = ItemAt(m_iCurSel)) old->Select(false);
  m_iCurSel = -1;
  Invalidate();
  IListItemUI* item = ItemAt(index);
  if (item == nullptr) return false;
  item->Select(true);
  m_iCurSel = index;
  if (takeFocus) SetFocus();
  return true;
}

void CComboUI::OnItemPicked(int index, WORD) {
  const int old = m_iCurSel;
  CloseDropDown();
  SelectItem(index);
  // The pick comes from inside the drop-down's own event handling: the window's reaction (which
  // may open a dialog) runs after it, so the drop-down is never ended under its own feet.
  if (m_iCurSel != old && m_pManager != nullptr) {
    m_pManager->SendNotify(this, "itemselect", static_cast<WPARAM>(m_iCurSel), old, true);
  }
}

void CComboUI::PickByKey(int index) {
  if (ItemAt(index) == nullptr) return;
  const int old = m_iCurSel;
  SelectItem(index);
  if (m_iCurSel != old && m_pManager != nullptr) {
    m_pManager->SendNotify(this, "itemselect", static_cast<WPARAM>(m_iCurSel), old, true);
  }
}

void CComboUI::SetPos(RECT rc, bool needInvalidate) {
  // The items are shown only in the drop-down.
  CControlUI::SetPos(rc, needInvalidate);
  if (m_pWindow != nullptr) return;  // the drop-down places them
  for (CControlUI* item : m_items) item->SetPos(RECT{}, false);
}

// The items are not part of the box's window: searches stop at the box.
CControlUI* CComboUI::FindControl(FINDCONTROLPROC proc, void* data, UINT flags) {
  return CControlUI::FindControl(proc, data, flags);
}

void CComboUI::DoEvent(TEventUI& event) {
  if (PassMouseToParent(*this, event)) return;
  if (TrackHotState(*this, m_uButtonState, event)) return;
  switch (event.Type) {
    case UIEVENT_BUTTONDOWN:
    case UIEVENT_DBLCLICK:
      if (IsEnabled() && PointInRect(m_rcItem, event.ptMouse)) {
        m_uButtonState |= UISTATE_PUSHED | UISTATE_CAPTURED;
        Activate();
      }
      return;
    case UIEVENT_BUTTONUP:
      if ((m_uButtonState & UISTATE_CAPTURED) != 0) {
        m_uButtonState &= ~UISTATE_CAPTURED;
        if (m_pWindow == nullptr) m_uButtonState &= ~UISTATE_PUSHED;
        Invalidate();
      }
      return;
    case UIEVENT_MOUSEMOVE:
      return;
    case UIEVENT_KEYDOWN:
      switch (static_cast<unsigned char>(event.chKey)) {
        case VK_UP:
          PickByKey(m_iCurSel - 1);
          return;
        case VK_DOWN:
          PickByKey(m_iCurSel + 1);
          return;
        case kKeyF4:
        case VK_SPACE:
          Activate();
          return;
        default:
          break;
      }
      break;
    default:
      break;
  }
  CControlUI::DoEvent(event);
}

void CComboUI::SetAttribute(const char* name, const char* value) {
  if (ApplyListInfoAttribute(m_ListInfo, name, value)) return;
  if (IsName(name, "dropboxsize")) {
    m_szDropBox = ParseSizeAttribute(value);
  } else if (IsName(name, "normalimage")) {
    m_sNormalImage = value;
  } else if (IsName(name, "hotimage")) {
    m_sHotImage = value;
  } else if (IsName(name, "pushedimage")) {
    m_sPushedImage = value;
  } else if (IsName(name, "focusedimage")) {
    m_sFocusedImage = value;
  } else if (IsName(name, "disabledimage")) {
    m_sDisabledImage = value;
  } else {
    CContainerUI::SetAttribute(name, value);
    return;
  }
  Invalidate();
}

void CComboUI::DoPaint(HDC hDC, const RECT& rcPaint) {
  if (!IntersectRect(&m_rcPaint, rcPaint, m_rcItem)) return;
  CControlUI::PaintContent(hDC, rcPaint);
  PaintBorder(hDC);
}

void CComboUI::PaintStatusImage(HDC hDC) {
  CDuiString* image = nullptr;
  if (!IsEnabled()) {
    image = &m_sDisabledImage;
  } else if ((m_uButtonState & UISTATE_PUSHED) != 0) {
    image = &m_sPushedImage;
  } else if ((m_uButtonState & UISTATE_HOT) != 0) {
    image = &m_sHotImage;
  } else if (IsFocused()) {
    image = &m_sFocusedImage;
  }
  if (image != nullptr && !image->IsEmpty()) {
    if (DrawImage(hDC, *image)) return;
    image->Empty();
  }
  if (!m_sNormalImage.IsEmpty()) {
    if (DrawImage(hDC, m_sNormalImage)) return;
    m_sNormalImage.Empty();
  }
  // Without images of its own the box draws its drop-down arrow.
  const long cx = m_rcItem.right - kArrowWidth / 2 - 1;
  const long cy = (m_rcItem.top + m_rcItem.bottom) / 2;
  const DWORD color = IsEnabled() ? kArrowColor : 0xFFA0A0A0;
  CRenderEngine::DrawLine(hDC, RECT{cx - 4, cy - 2, cx, cy + 2}, 1, color);
  CRenderEngine::DrawLine(hDC, RECT{cx, cy + 2, cx + 4, cy - 2}, 1, color);
}

void CComboUI::PaintText(HDC hDC) {
  const CDuiString text = GetText();
  if (text.IsEmpty()) return;
  DWORD color = IsEnabled() ? m_dwTextColor : m_dwDisabledTextColor;
  if (color == 0 && m_pManager != nullptr) {
    color = IsEnabled() ? m_pManager->GetDefaultFontColor() : m_pManager->GetDefaultDisabledColor();
  }
  RECT rc = DeflateRect(m_rcItem, m_rcTextPadding);
  const Font* font = m_pManager != nullptr ? m_pManager->GetFont(m_iFont) : nullptr;
  CRenderEngine::DrawText(hDC, font, rc, text.Str(), color, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

}  // namespace ui

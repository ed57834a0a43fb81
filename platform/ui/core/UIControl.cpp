#include "platform/ui/core/UIControl.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/ui/core/NativeWindow.h"
#include "platform/ui/core/UIAttributes.h"
#include "platform/ui/core/UIManager.h"
#include "platform/ui/core/UIRect.h"
#include "platform/ui/render/ClipScope.h"
#include "platform/ui/render/RenderEngine.h"

namespace ui {
namespace {

bool Is(const char* a, const char* b) { return std::strcmp(a, b) == 0; }

}  // namespace

CControlUI::CControlUI() : m_uTextStyle(DT_VCENTER | DT_SINGLELINE) {}

CControlUI::~CControlUI() {
  if (m_pManager != nullptr) m_pManager->ReapObjects(this);
}

CDuiString CControlUI::GetName() const { return m_sName; }
void CControlUI::SetName(const char* name) { m_sName = name; }
const char* CControlUI::GetClass() const { return "ControlUI"; }

void* CControlUI::GetInterface(const char* name) {
  if (name != nullptr && Is(name, "Control")) return this;
  return nullptr;
}

UINT CControlUI::GetControlFlags() const { return 0; }
bool CControlUI::Activate() { return IsVisible() && IsEnabled(); }
CPaintManagerUI* CControlUI::GetManager() const { return m_pManager; }

void CControlUI::SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init) {
  m_pManager = manager;
  m_pParent = parent;
  if (init && m_pParent != nullptr) Init();
}

CControlUI* CControlUI::GetParent() const { return m_pParent; }
CDuiString CControlUI::GetText() const { return m_sText; }

void CControlUI::SetText(const char* text) {
  if (m_sText == text) return;
  m_sText = text;
  Invalidate();
}

CDuiString CControlUI::GetToolTip() const { return m_sToolTip; }
void CControlUI::SetToolTip(const char* text) { m_sToolTip = text; }
const CDuiString& CControlUI::GetUserData() const { return m_sUserData; }
void CControlUI::SetUserData(const char* text) { m_sUserData = text; }
UINT_PTR CControlUI::GetTag() const { return m_pTag; }
void CControlUI::SetTag(UINT_PTR tag) { m_pTag = tag; }

void CControlUI::SetBkColor(DWORD color) {
  if (m_dwBackColor == color) return;
  m_dwBackColor = color;
  Invalidate();
}

void CControlUI::SetBkColor2(DWORD color) {
  if (m_dwBackColor2 == color) return;
  m_dwBackColor2 = color;
  Invalidate();
}

void CControlUI::SetBorderColor(DWORD color) {
  if (m_dwBorderColor == color) return;
  m_dwBorderColor = color;
  Invalidate();
}

void CControlUI::SetFocusBorderColor(DWORD color) {
  if (m_dwFocusBorderColor == color) return;
  m_dwFocusBorderColor = color;
  Invalidate();
}

void CControlUI::SetBorderSize(int size) {
  if (m_nBorderSize == size) return;
  m_nBorderSize = size;
  Invalidate();
}

void CControlUI::SetBorderRound(SIZE round) {
  m_cxyBorderRound = round;
  Invalidate();
}

void CControlUI::SetBkImage(const char* image) {
  if (m_sBkImage == image) return;
  m_sBkImage = image;
  Invalidate();
}

void CControlUI::SetFont(int index) {
  if (m_iFont == index) return;
  m_iFont = index;
  Invalidate();
}

void CControlUI::SetTextColor(DWORD color) {
  if (m_dwTextColor == color) return;
  m_dwTextColor = color;
  Invalidate();
}

void CControlUI::SetDisabledTextColor(DWORD color) {
  if (m_dwDisabledTextColor == color) return;
  m_dwDisabledTextColor = color;
  Invalidate();
}

void CControlUI::SetTextStyle(UINT style) {
  if (m_uTextStyle == style) return;
  m_uTextStyle = style;
  Invalidate();
}

void CControlUI::SetTextPadding(RECT padding) {
  m_rcTextPadding = padding;
  Invalidate();
}

bool CControlUI::DrawImage(HDC hDC, const char* image, const char* modify) {
  if (m_pManager == nullptr || image == nullptr || *image == '\0') return false;
  return CRenderEngine::DrawImageString(hDC, m_pManager->GetImageCache(), m_rcItem, m_rcPaint, image,
                                        modify != nullptr ? modify : "");
}

const RECT& CControlUI::GetPos() const { return m_rcItem; }

void CControlUI::SetPos(RECT rc, bool needInvalidate) {
  if (rc.right < rc.left) rc.right = rc.left;
  if (rc.bottom < rc.top) rc.bottom = rc.top;
  const RECT old = m_rcItem;
  m_bUpdateNeeded = false;
  if (std::memcmp(&old, &rc, sizeof(RECT)) == 0) return;
  if (needInvalidate) Invalidate();
  m_rcItem = rc;
  if (needInvalidate) Invalidate();
}

int CControlUI::GetWidth() const { return static_cast<int>(RectWidth(m_rcItem)); }
int CControlUI::GetHeight() const { return static_cast<int>(RectHeight(m_rcItem)); }
int CControlUI::GetX() const { return static_cast<int>(m_rcItem.left); }
int CControlUI::GetY() const { return static_cast<int>(m_rcItem.top); }
RECT CControlUI::GetPadding() const { return m_rcPadding; }

void CControlUI::SetPadding(RECT padding) {
  m_rcPadding = padding;
  NeedParentUpdate();
}

SIZE CControlUI::GetFixedXY() const { return m_cXY; }

void CControlUI::SetFixedXY(SIZE xy) {
  m_cXY = xy;
  NeedParentUpdate();
}

int CControlUI::GetFixedWidth() const { return static_cast<int>(m_cxyFixed.cx); }

void CControlUI::SetFixedWidth(int width) {
  if (width < 0 || m_cxyFixed.cx == width) return;
  m_cxyFixed.cx = width;
  NeedParentUpdate();
}

int CControlUI::GetFixedHeight() const { return static_cast<int>(m_cxyFixed.cy); }

void CControlUI::SetFixedHeight(int height) {
  if (height < 0 || m_cxyFixed.cy == height) return;
  m_cxyFixed.cy = height;
  NeedParentUpdate();
}

int CControlUI::GetMinWidth() const { return static_cast<int>(m_cxyMin.cx); }
void CControlUI::SetMinWidth(int width) {
  m_cxyMin.cx = std::max(width, 0);
  NeedParentUpdate();
}
int CControlUI::GetMaxWidth() const { return static_cast<int>(m_cxyMax.cx); }
void CControlUI::SetMaxWidth(int width) {
  m_cxyMax.cx = std::max(width, 0);
  NeedParentUpdate();
}
int CControlUI::GetMinHeight() const { return static_cast<int>(m_cxyMin.cy); }
void CControlUI::SetMinHeight(int height) {
  m_cxyMin.cy = std::max(height, 0);
  NeedParentUpdate();
}
int CControlUI::GetMaxHeight() const { return static_cast<int>(m_cxyMax.cy); }
void CControlUI::SetMaxHeight(int height) {
  m_cxyMax.cy = std::max(height, 0);
  NeedParentUpdate();
}

SIZE CControlUI::EstimateSize(SIZE) { return m_cxyFixed; }
bool CControlUI::IsFloat() const { return m_bFloat; }

void CControlUI::SetFloat(bool isFloat) {
  if (m_bFloat == isFloat) return;
  m_bFloat = isFloat;
  NeedParentUpdate();
}

bool CControlUI::IsVisible() const { return m_bVisible && m_bInternVisible; }

void CControlUI::SetVisible(bool visible) {
  if (m_bVisible == visible) return;
  const bool wasVisible = IsVisible();
  m_bVisible = visible;
  if (m_bFocused && !IsVisible() && m_pManager != nullptr) m_pManager->SetFocus(nullptr);
  if (wasVisible != IsVisible()) NeedParentUpdate();
}

void CControlUI::SetInternVisible(bool visible) {
  m_bInternVisible = visible;
  if (!visible && m_bFocused && m_pManager != nullptr) m_pManager->SetFocus(nullptr);
}

bool CControlUI::IsEnabled() const { return m_bEnabled; }

void CControlUI::SetEnabled(bool enabled) {
  if (m_bEnabled == enabled) return;
  m_bEnabled = enabled;
  Invalidate();
}

bool CControlUI::IsMouseEnabled() const { return m_bMouseEnabled; }
void CControlUI::SetMouseEnabled(bool enabled) { m_bMouseEnabled = enabled; }
bool CControlUI::IsKeyboardEnabled() const { return m_bKeyboardEnabled; }
void CControlUI::SetKeyboardEnabled(bool enabled) { m_bKeyboardEnabled = enabled; }
bool CControlUI::IsFocused() const { return m_bFocused; }

void CControlUI::SetFocus() {
  if (m_pManager != nullptr) m_pManager->SetFocus(this);
}

CControlUI* CControlUI::FindControl(FINDCONTROLPROC proc, void* data, UINT flags) {
  if ((flags & UIFIND_VISIBLE) != 0 && !IsVisible()) return nullptr;
  if ((flags & UIFIND_ENABLED) != 0 && !IsEnabled()) return nullptr;
  if ((flags & UIFIND_HITTEST) != 0) {
    const POINT* pt = static_cast<const POINT*>(data);
    if (!m_bMouseEnabled || pt->x < m_rcItem.left || pt->x >= m_rcItem.right || pt->y < m_rcItem.top ||
        pt->y >= m_rcItem.bottom) {
      return nullptr;
    }
  }
  return proc(this, data);
}

void CControlUI::Invalidate() {
  if (!IsVisible() || m_pManager == nullptr) return;
  RECT rc = m_rcItem;
  // Only the part that the parents show needs painting.
  for (CControlUI* parent = m_pParent; parent != nullptr; parent = parent->GetParent()) {
    if (!IntersectRect(&rc, rc, parent->GetPos())) return;
  }
  m_pManager->Invalidate(rc);
}

void CControlUI::NeedUpdate() {
  if (!IsVisible()) return;
  m_bUpdateNeeded = true;
  Invalidate();
  if (m_pManager != nullptr) m_pManager->NeedUpdate();
}

void CControlUI::NeedParentUpdate() {
  if (m_pParent != nullptr) {
    m_pParent->NeedUpdate();
    m_pParent->Invalidate();
  } else {
    NeedUpdate();
  }
  if (m_pManager != nullptr) m_pManager->NeedUpdate();
}

void CControlUI::Init() { DoInit(); }
void CControlUI::DoInit() {}
void CControlUI::Event(TEventUI& event) { DoEvent(event); }

void CControlUI::DoEvent(TEventUI& event) {
  switch (event.Type) {
    case UIEVENT_SETCURSOR:
      ::ui::SetCursor(LoadCursor(nullptr, IDC_ARROW));
      return;
    case UIEVENT_SETFOCUS:
      m_bFocused = true;
      Invalidate();
      return;
    case UIEVENT_KILLFOCUS:
      m_bFocused = false;
      Invalidate();
      return;
    case UIEVENT_TIMER:
      if (m_pManager != nullptr) m_pManager->SendNotify(this, "timer", event.wParam, event.lParam);
      return;
    case UIEVENT_CONTEXTMENU:
      if (IsContextMenuUsed() && m_pManager != nullptr) {
        m_pManager->SendNotify(this, "menu", event.wParam, event.lParam);
        return;
      }
      break;
    default:
      break;
  }
  // What a control leaves alone goes to its parent (a container scrolls on the wheel).
  if (m_pParent != nullptr) m_pParent->DoEvent(event);
}

void CControlUI::SetAttribute(const char* name, const char* value) {
  if (name == nullptr || value == nullptr) return;
  if (Is(name, "pos")) {
    const RECT rc = ParseRectAttribute(value);
    m_cXY = SIZE{rc.left, rc.top};
    m_cxyFixed = SIZE{std::max(0L, rc.right - rc.left), std::max(0L, rc.bottom - rc.top)};
    NeedParentUpdate();
  } else if (Is(name, "padding")) {
    SetPadding(ParseRectAttribute(value));
  } else if (Is(name, "bkcolor") || Is(name, "bkcolor1")) {
    SetBkColor(ParseColorAttribute(value));
  } else if (Is(name, "bkcolor2")) {
    SetBkColor2(ParseColorAttribute(value));
  } else if (Is(name, "bordercolor")) {
    SetBorderColor(ParseColorAttribute(value));
  } else if (Is(name, "focusbordercolor")) {
    SetFocusBorderColor(ParseColorAttribute(value));
  } else if (Is(name, "bordersize")) {
    SetBorderSize(ParseNumberAttribute(value));
  } else if (Is(name, "borderround")) {
    SetBorderRound(ParseSizeAttribute(value));
  } else if (Is(name, "bkimage")) {
    SetBkImage(value);
  } else if (Is(name, "width")) {
    SetFixedWidth(ParseNumberAttribute(value));
  } else if (Is(name, "height")) {
    SetFixedHeight(ParseNumberAttribute(value));
  } else if (Is(name, "minwidth")) {
    SetMinWidth(ParseNumberAttribute(value));
  } else if (Is(name, "minheight")) {
    SetMinHeight(ParseNumberAttribute(value));
  } else if (Is(name, "maxwidth")) {
    SetMaxWidth(ParseNumberAttribute(value));
  } else if (Is(name, "maxheight")) {
    SetMaxHeight(ParseNumberAttribute(value));
  } else if (Is(name, "name")) {
    SetName(value);
  } else if (Is(name, "text")) {
    SetText(value);
  } else if (Is(name, "tooltip")) {
    SetToolTip(value);
  } else if (Is(name, "userdata")) {
    SetUserData(value);
  } else if (Is(name, "tag")) {
    SetTag(static_cast<UINT_PTR>(std::strtoul(value, nullptr, 10)));
  } else if (Is(name, "enabled")) {
    SetEnabled(ParseBoolAttribute(value));
  } else if (Is(name, "mouse")) {
    SetMouseEnabled(ParseBoolAttribute(value));
  } else if (Is(name, "keyboard")) {
    SetKeyboardEnabled(ParseBoolAttribute(value));
  } else if (Is(name, "visible")) {
    SetVisible(ParseBoolAttribute(value));
  } else if (Is(name, "float")) {
    SetFloat(ParseBoolAttribute(value));
  } else if (Is(name, "menu")) {
    SetContextMenuUsed(ParseBoolAttribute(value));
  } else if (Is(name, "font")) {
    SetFont(std::atoi(value));
  } else if (Is(name, "textcolor")) {
    SetTextColor(ParseColorAttribute(value));
  } else if (Is(name, "disabledtextcolor")) {
    SetDisabledTextColor(ParseColorAttribute(value));
  } else if (Is(name, "textpadding")) {
    SetTextPadding(ParseRectAttribute(value));
  } else if (Is(name, "align")) {
    UINT style = m_uTextStyle & ~(DT_LEFT | DT_CENTER | DT_RIGHT);
    if (Is(value, "center")) style |= DT_CENTER;
    if (Is(value, "right")) style |= DT_RIGHT;
    SetTextStyle(style);
  } else if (Is(name, "valign")) {
    UINT style = m_uTextStyle & ~(DT_TOP | DT_VCENTER | DT_BOTTOM);
    if (Is(value, "center") || Is(value, "vcenter")) style |= DT_VCENTER;
    if (Is(value, "bottom")) style |= DT_BOTTOM;
    SetTextStyle(style);
  } else if (Is(name, "endellipsis")) {
    SetTextStyle(ParseBoolAttribute(value) ? (m_uTextStyle | DT_END_ELLIPSIS) : (m_uTextStyle & ~DT_END_ELLIPSIS));
  } else if (Is(name, "multiline") || Is(name, "wordbreak")) {
    SetTextStyle(ParseBoolAttribute(value) ? ((m_uTextStyle & ~DT_SINGLELINE) | DT_WORDBREAK)
                                           : ((m_uTextStyle & ~DT_WORDBREAK) | DT_SINGLELINE));
  }
}

void CControlUI::ApplyAttributeList(const char* list) {
  const char* cursor = list;
  std::string_view name;
  std::string_view value;
  while (NextAttributePair(cursor, &name, &value)) SetAttribute(std::string(name).c_str(), std::string(value).c_str());
}

void CControlUI::DoPaint(HDC hDC, const RECT& rcPaint) {
  if (!IntersectRect(&m_rcPaint, rcPaint, m_rcItem)) return;
  if (m_cxyBorderRound.cx > 0 || m_cxyBorderRound.cy > 0) {
    ClipScope clip(hDC, m_rcItem, static_cast<int>(m_cxyBorderRound.cx), static_cast<int>(m_cxyBorderRound.cy));
    PaintContent(hDC, rcPaint);
    PaintBorder(hDC);
    return;
  }
  PaintContent(hDC, rcPaint);
  PaintBorder(hDC);
}

void CControlUI::PaintContent(HDC hDC, const RECT& rcPaint) {
  IntersectRect(&m_rcPaint, rcPaint, m_rcItem);
  PaintBkColor(hDC);
  PaintBkImage(hDC);
  PaintStatusImage(hDC);
  PaintText(hDC);
}

void CControlUI::PaintBkColor(HDC hDC) {
  if (m_dwBackColor == 0) return;
  if (m_dwBackColor2 != 0) {
    CRenderEngine::DrawGradient(hDC, m_rcItem, m_dwBackColor, m_dwBackColor2, true);
  } else {
    CRenderEngine::DrawColor(hDC, m_rcItem, m_dwBackColor);
  }
}

void CControlUI::PaintBkImage(HDC hDC) {
  if (m_sBkImage.IsEmpty()) return;
  DrawImage(hDC, m_sBkImage);
}

void CControlUI::PaintStatusImage(HDC) {}
void CControlUI::PaintText(HDC) {}

void CControlUI::PaintBorder(HDC hDC) {
  if (m_nBorderSize <= 0) return;
  const DWORD color = (m_bFocused && m_dwFocusBorderColor != 0) ? m_dwFocusBorderColor : m_dwBorderColor;
  if (color == 0) return;
  if (m_cxyBorderRound.cx > 0 || m_cxyBorderRound.cy > 0) {
    CRenderEngine::DrawRoundRect(hDC, m_rcItem, m_nBorderSize, static_cast<int>(m_cxyBorderRound.cx),
                                 static_cast<int>(m_cxyBorderRound.cy), color);
  } else {
    CRenderEngine::DrawRect(hDC, m_rcItem, m_nBorderSize, color);
  }
}

}  // namespace ui

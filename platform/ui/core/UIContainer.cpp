#include "platform/ui/core/UIContainer.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/ui/core/UIAttributes.h"
#include "platform/ui/core/UIManager.h"
#include "platform/ui/core/UIRect.h"
#include "platform/ui/render/ClipScope.h"
#include "platform/ui/render/RenderEngine.h"

namespace ui {
namespace {

constexpr int kLineScroll = 20;



}  // namespace

CContainerUI::CContainerUI() = default;

CContainerUI::~CContainerUI() {
  // Children go first, while this container is still whole for their destructors.
  std::vector<CControlUI*> items;
  items.swap(m_items);
  for (CControlUI* item : items) {
    if (m_bAutoDestroy) delete item;
  }
}

const char* CContainerUI::GetClass() const { return "ContainerUI"; }

void* CContainerUI::GetInterface(const char* name) {
  if (name != nullptr && std::strcmp(name, "IContainer") == 0) return static_cast<IContainerUI*>(this);
  if (name != nullptr && std::strcmp(name, "Container") == 0) return static_cast<CContainerUI*>(this);
  return CControlUI::GetInterface(name);
}

CControlUI* CContainerUI::GetItemAt(int index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= m_items.size()) return nullptr;
  return m_items[static_cast<std::size_t>(index)];
}

int CContainerUI::GetItemIndex(CControlUI* control) const {
  auto it = std::find(m_items.begin(), m_items.end(), control);
  return it == m_items.end() ? -1 : static_cast<int>(it - m_items.begin());
}

bool CContainerUI::SetItemIndex(CControlUI* control, int index) {
  const int current = GetItemIndex(control);
  if (current < 0 || index < 0 || static_cast<std::size_t>(index) >= m_items.size()) return false;
  m_items.erase(m_items.begin() + current);
  m_items.insert(m_items.begin() + index, control);
  NeedUpdate();
  return true;
}

int CContainerUI::GetCount() const { return static_cast<int>(m_items.size()); }

// Add, Remove and their kin use these, never each other: a derived container that overrides one
// of them may call the base's version of another and get exactly the base's behaviour.
bool CContainerUI::InsertItem(CControlUI* control, int index) {
  if (control == nullptr || control == this || index < 0 || index > static_cast<int>(m_items.size())) return false;
  m_items.insert(m_items.begin() + index, control);
  if (m_pManager != nullptr) {
    m_pManager->InitControls(control, this);
  } else {
    control->SetManager(nullptr, this, false);
  }
  if (IsVisible()) {
    NeedUpdate();
  } else {
    control->SetInternVisible(false);
  }
  return true;
}

bool CContainerUI::EraseItem(int index, bool doNotDestroy) {
  if (index < 0 || static_cast<std::size_t>(index) >= m_items.size()) return false;
  CControlUI* control = m_items[static_cast<std::size_t>(index)];
  m_items.erase(m_items.begin() + index);
  if (m_bAutoDestroy && !doNotDestroy) {
    if (m_bDelayedDestroy && m_pManager != nullptr) {
      m_pManager->AddDelayedCleanup(control);
    } else {
      delete control;
    }
  }
  NeedUpdate();
  return true;
}

bool CContainerUI::Add(CControlUI* control) { return InsertItem(control, static_cast<int>(m_items.size())); }
bool CContainerUI::AddAt(CControlUI* control, int index) { return InsertItem(control, index); }

bool CContainerUI::Remove(CControlUI* control, bool doNotDestroy) {
  auto it = std::find(m_items.begin(), m_items.end(), control);
  return it != m_items.end() && EraseItem(static_cast<int>(it - m_items.begin()), doNotDestroy);
}

bool CContainerUI::RemoveAt(int index, bool doNotDestroy) { return EraseItem(index, doNotDestroy); }

void CContainerUI::RemoveAll() {
  while (!m_items.empty()) EraseItem(static_cast<int>(m_items.size()) - 1, false);
  m_szScrollPos = SIZE{};
  NeedUpdate();
}

void CContainerUI::SetInset(RECT inset) {
  m_rcInset = inset;
  NeedUpdate();
}

void CContainerUI::SetChildPadding(int padding) {
  m_iChildPadding = padding;
  NeedUpdate();
}

void CContainerUI::SetMouseChildEnabled(bool enabled) { m_bMouseChildEnabled = enabled; }

void CContainerUI::EnableScrollBar(bool vertical, bool horizontal) {
  m_bVScroll = vertical;
  m_bHScroll = horizontal;
  NeedUpdate();
}

void CContainerUI::SetScrollPos(SIZE pos) {
  pos.cx = std::clamp(pos.cx, 0L, m_szScrollRange.cx);
  pos.cy = std::clamp(pos.cy, 0L, m_szScrollRange.cy);
  if (pos.cx == m_szScrollPos.cx && pos.cy == m_szScrollPos.cy) return;
  m_szScrollPos = pos;
  SetPos(m_rcItem, true);
  Invalidate();
}

void CContainerUI::LineUp() { SetScrollPos(SIZE{m_szScrollPos.cx, m_szScrollPos.cy - kLineScroll}); }
void CContainerUI::LineDown() { SetScrollPos(SIZE{m_szScrollPos.cx, m_szScrollPos.cy + kLineScroll}); }

void CContainerUI::EnsureVisible(CControlUI* control) {
  if (control == nullptr || GetItemIndex(control) < 0) return;
  const RECT client = GetClientPos();
  const RECT& rc = control->GetPos();
  if (rc.top < client.top) {
    SetScrollPos(SIZE{m_szScrollPos.cx, m_szScrollPos.cy - (client.top - rc.top)});
  } else if (rc.bottom > client.bottom) {
    SetScrollPos(SIZE{m_szScrollPos.cx, m_szScrollPos.cy + (rc.bottom - client.bottom)});
  }
}

bool CContainerUI::HasVisibleVScroll() const { return m_bVScroll && m_szScrollRange.cy > 0; }

RECT CContainerUI::GetClientPos() const {
  RECT rc = m_rcItem;
  rc.left += m_rcInset.left;
  rc.top += m_rcInset.top;
  rc.right -= m_rcInset.right;
  rc.bottom -= m_rcInset.bottom;
  if (HasVisibleVScroll()) rc.right -= m_iScrollBarWidth;
  if (rc.right < rc.left) rc.right = rc.left;
  if (rc.bottom < rc.top) rc.bottom = rc.top;
  return rc;
}

void CContainerUI::ProcessScrollBar(RECT client, int, int requiredHeight) {
  const long range = m_bVScroll ? std::max(0L, requiredHeight - RectHeight(client)) : 0;
  m_szScrollRange.cy = range;
  m_szScrollPos.cy = std::clamp(m_szScrollPos.cy, 0L, range);
}

RECT CContainerUI::VerticalThumbRect() const {
  if (!HasVisibleVScroll()) return RECT{};
  RECT track = m_rcItem;
  track.top += m_rcInset.top;
  track.bottom -= m_rcInset.bottom;
  track.right -= m_rcInset.right;
  track.left = track.right - m_iScrollBarWidth;
  const long trackHeight = RectHeight(track);
  const long content = trackHeight + m_szScrollRange.cy;
  const long thumb = std::max(16L, trackHeight * trackHeight / std::max(1L, content));
  const long travel = std::max(0L, trackHeight - thumb);
  const long top = track.top + (m_szScrollRange.cy > 0 ? travel * m_szScrollPos.cy / m_szScrollRange.cy : 0);
  return RECT{track.left + 1, top, track.right - 1, top + thumb};
}

void CContainerUI::SetPos(RECT rc, bool needInvalidate) {
  CControlUI::SetPos(rc, needInvalidate);
  const RECT client = GetClientPos();
  for (std::size_t i = 0; i < m_items.size(); ++i) {
    CControlUI* item = m_items[i];
    if (!item->IsVisible()) continue;
    if (item->IsFloat()) {
      SetFloatPos(static_cast<int>(i));
      continue;
    }
    const RECT padding = item->GetPadding();
    RECT place{client.left + padding.left, client.top + padding.top, client.right - padding.right,
               client.bottom - padding.bottom};
    const SIZE size = item->EstimateSize(SIZE{RectWidth(place), RectHeight(place)});
    if (size.cx > 0) place.right = std::min(place.right, place.left + size.cx);
    if (size.cy > 0) place.bottom = std::min(place.bottom, place.top + size.cy);
    item->SetPos(place, needInvalidate);
  }
}

void CContainerUI::SetFloatPos(int index) {
  CControlUI* item = GetItemAt(index);
  if (item == nullptr || !item->IsVisible() || !item->IsFloat()) return;
  const SIZE xy = item->GetFixedXY();
  const SIZE size{item->GetFixedWidth(), item->GetFixedHeight()};
  RECT rc;
  // A negative offset counts from the right or bottom edge.
  rc.left = xy.cx >= 0 ? m_rcItem.left + xy.cx : m_rcItem.right + xy.cx - size.cx;
  rc.top = xy.cy >= 0 ? m_rcItem.top + xy.cy : m_rcItem.bottom + xy.cy - size.cy;
  rc.right = rc.left + size.cx;
  rc.bottom = rc.top + size.cy;
  item->SetPos(rc, true);
}

void CContainerUI::DoEvent(TEventUI& event) {
  if (m_bVScroll && HasVisibleVScroll()) {
    if (event.Type == UIEVENT_SCROLLWHEEL) {
      const short delta = static_cast<short>(HIWORD(event.wParam));
      for (int i = 0; i < 3; ++i) delta > 0 ? LineUp() : LineDown();
      return;
    }
    const RECT thumb = VerticalThumbRect();
    if (event.Type == UIEVENT_BUTTONDOWN && PtInRect(thumb, event.ptMouse)) {
      m_bThumbDragging = true;
      m_iThumbDragStartY = static_cast<int>(event.ptMouse.y);
      m_iThumbDragStartPos = m_szScrollPos.cy;
      return;
    }
    if (m_bThumbDragging && event.Type == UIEVENT_MOUSEMOVE) {
      const long trackHeight = RectHeight(GetPos()) - m_rcInset.top - m_rcInset.bottom;
      const long travel = std::max(1L, trackHeight - RectHeight(thumb));
      const long dy = event.ptMouse.y - m_iThumbDragStartY;
      SetScrollPos(SIZE{m_szScrollPos.cx, m_iThumbDragStartPos + dy * m_szScrollRange.cy / travel});
      return;
    }
    if (m_bThumbDragging && event.Type == UIEVENT_BUTTONUP) {
      m_bThumbDragging = false;
      return;
    }
  }
  CControlUI::DoEvent(event);
}

void CContainerUI::SetVisible(bool visible) {
  CControlUI::SetVisible(visible);
  for (CControlUI* item : m_items) item->SetInternVisible(IsVisible());
}

void CContainerUI::SetInternVisible(bool visible) {
  CControlUI::SetInternVisible(visible);
  for (CControlUI* item : m_items) item->SetInternVisible(IsVisible());
}

void CContainerUI::SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init) {
  for (CControlUI* item : m_items) item->SetManager(manager, this, init);
  CControlUI::SetManager(manager, parent, init);
}

CControlUI* CContainerUI::FindControl(FINDCONTROLPROC proc, void* data, UINT flags) {
  if ((flags & UIFIND_VISIBLE) != 0 && !IsVisible()) return nullptr;
  if ((flags & UIFIND_ENABLED) != 0 && !IsEnabled()) return nullptr;
  if ((flags & UIFIND_HITTEST) != 0) {
    const POINT pt = *static_cast<const POINT*>(data);
    if (!PtInRect(m_rcItem, pt)) return nullptr;
    if (!m_bMouseChildEnabled) return CControlUI::FindControl(proc, data, flags);
  }
  if ((flags & UIFIND_ME_FIRST) != 0) {
    if (CControlUI* found = CControlUI::FindControl(proc, data, flags)) return found;
  }
  const bool hitTest = (flags & UIFIND_HITTEST) != 0;
  const RECT client = GetClientPos();
  auto visit = [&](CControlUI* item) -> CControlUI* {
    // Outside the client area only floating children can be hit.
    if (hitTest && !item->IsFloat() && !PtInRect(client, *static_cast<const POINT*>(data))) return nullptr;
    return item->FindControl(proc, data, flags);
  };
  if ((flags & UIFIND_TOP_FIRST) != 0) {
    for (auto it = m_items.rbegin(); it != m_items.rend(); ++it) {
      if (CControlUI* found = visit(*it)) return found;
    }
  } else {
    for (CControlUI* item : m_items) {
      if (CControlUI* found = visit(item)) return found;
    }
  }
  if ((flags & UIFIND_ME_FIRST) == 0) return CControlUI::FindControl(proc, data, flags);
  return nullptr;
}

void CContainerUI::DoPaint(HDC hDC, const RECT& rcPaint) {
  RECT area;
  if (!IntersectRect(&area, rcPaint, m_rcItem)) return;
  ClipScope clip(hDC, area);
  CControlUI::PaintContent(hDC, rcPaint);
  RECT clientArea;
  if (IntersectRect(&clientArea, area, GetClientPos())) {
    ClipScope clipClient(hDC, clientArea);
    for (CControlUI* item : m_items) {
      RECT itemArea;
      if (item->IsVisible() && !item->IsFloat() && IntersectRect(&itemArea, clientArea, item->GetPos())) {
        item->DoPaint(hDC, clientArea);
      }
    }
  }
  // Floating children lie over the others and may use the inset.
  for (CControlUI* item : m_items) {
    if (item->IsVisible() && item->IsFloat()) item->DoPaint(hDC, area);
  }
  if (HasVisibleVScroll()) {
    const RECT thumb = VerticalThumbRect();
    CRenderEngine::DrawRoundColor(hDC, thumb, 6, 6, m_dwScrollThumbColor);
  }
  m_rcPaint = area;
  PaintBorder(hDC);
}

void CContainerUI::SetAttribute(const char* name, const char* value) {
  if (name == nullptr || value == nullptr) return;
  if (std::strcmp(name, "inset") == 0) {
    SetInset(ParseRectAttribute(value));
  } else if (std::strcmp(name, "childpadding") == 0) {
    SetChildPadding(ParseNumberAttribute(value));
  } else if (std::strcmp(name, "mousechild") == 0) {
    SetMouseChildEnabled(ParseBoolAttribute(value));
  } else if (std::strcmp(name, "vscrollbar") == 0) {
    EnableScrollBar(ParseBoolAttribute(value), m_bHScroll);
  } else if (std::strcmp(name, "hscrollbar") == 0) {
    EnableScrollBar(m_bVScroll, ParseBoolAttribute(value));
  } else if (std::strcmp(name, "scrollthumbcolor") == 0) {
    m_dwScrollThumbColor = ParseColorAttribute(value);
  } else {
    CControlUI::SetAttribute(name, value);
  }
}

}  // namespace ui

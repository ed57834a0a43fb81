#include "platform/ui/core/UIManager.h"

#include <algorithm>
#include <cstring>

#include "platform/os/Clock.h"
#include "platform/ui/core/MessageLoop.h"
#include "platform/ui/core/NativeWindow.h"
#include "platform/ui/core/ThreadQueue.h"
#include "platform/ui/core/UIContainer.h"
#include "platform/ui/core/UIRect.h"
#include "platform/ui/core/UIResource.h"

namespace ui {

struct CPaintManagerUI::TimerInfo {
  CControlUI* sender;
  UINT localId;
  UINT_PTR nativeId;
};

struct CPaintManagerUI::AsyncNotify {
  TNotifyUI msg;
  std::uint64_t sequence;
};

namespace {

thread_local std::vector<CPaintManagerUI*> t_managers;
thread_local std::map<int, TFontInfo> t_sharedFonts;

TFontInfo MakeFontInfo(const char* name, int size, bool bold, bool underline, bool italic) {
  TFontInfo info;
  FontSpec spec;
  spec.family = name != nullptr ? name : "";
  spec.size = size > 0 ? size : 12;
  spec.bold = bold;
  spec.underline = underline;
  spec.italic = italic;
  info.font = Font::Create(spec);
  info.sFontName = spec.family;
  info.iSize = spec.size;
  info.bBold = bold;
  info.bUnderline = underline;
  info.bItalic = italic;
  return info;
}

CControlUI* FindByName(CControlUI* control, void* data) {
  return control->GetName() == static_cast<const char*>(data) ? control : nullptr;
}

CControlUI* FindFromPoint(CControlUI* control, void*) { return control; }

struct Collect {
  std::vector<CControlUI*>* out;
};

CControlUI* CollectAll(CControlUI* control, void* data) {
  static_cast<Collect*>(data)->out->push_back(control);
  return nullptr;
}

std::vector<CControlUI*> Subtree(CControlUI* root) {
  std::vector<CControlUI*> all;
  Collect collect{&all};
  if (root != nullptr) root->FindControl(CollectAll, &collect, UIFIND_ALL);
  return all;
}

bool IsMouseButtonEvent(int type) {
  return type == UIEVENT_BUTTONDOWN || type == UIEVENT_BUTTONUP || type == UIEVENT_RBUTTONDOWN ||
         type == UIEVENT_DBLCLICK || type == UIEVENT_CONTEXTMENU;
}

WORD KeyStateNow() {
  WORD state = 0;
  if (GetKeyState(VK_SHIFT) < 0) state |= MK_SHIFT;
  if (GetKeyState(VK_CONTROL) < 0) state |= MK_CONTROL;
  if (GetKeyState(VK_MENU) < 0) state |= MK_ALT;
  if (GetKeyState(VK_LBUTTON) < 0) state |= MK_LBUTTON;
  if (GetKeyState(VK_RBUTTON) < 0) state |= MK_RBUTTON;
  return state;
}

}  // namespace

CPaintManagerUI::CPaintManagerUI() : m_self(std::make_shared<CPaintManagerUI*>(this)) {
  m_defaultFont = MakeFontInfo("", 12, false, false, false);
}

CPaintManagerUI::~CPaintManagerUI() {
  *m_self = nullptr;
  std::erase(t_managers, this);
  RemoveAllTimers();
  CControlUI* root = m_pRoot;
  m_pRoot = nullptr;
  delete root;
  DrainDelayedCleanup();
}

void CPaintManagerUI::Init(HWND hwnd) {
  m_hWndPaint = hwnd;
  if (std::find(t_managers.begin(), t_managers.end(), this) == t_managers.end()) t_managers.push_back(this);
}

SIZE CPaintManagerUI::GetClientSize() const {
  RECT rc{};
  GetClientRect(m_hWndPaint, &rc);
  return SIZE{RectWidth(rc), RectHeight(rc)};
}

void CPaintManagerUI::SetInitSize(int cx, int cy) { m_szInitWindowSize = SIZE{cx, cy}; }

void CPaintManagerUI::SetRoundCorner(int cx, int cy) {
  m_szRoundCorner = SIZE{cx, cy};
  if (m_hWndPaint != nullptr) SetWindowRoundCorner(m_hWndPaint, cx, cy);
}

bool CPaintManagerUI::AttachDialog(CControlUI* root) {
  if (root == nullptr) return false;
  if (m_pRoot != nullptr && m_pRoot != root) {
    CControlUI* old = m_pRoot;
    m_pRoot = nullptr;
    m_pFocus = m_pEventHover = m_pEventClick = m_pEventKey = nullptr;
    delete old;
  }
  m_pRoot = root;
  m_bUpdateNeeded = true;
  m_bFirstLayout = true;
  InitControls(root, nullptr);
  Invalidate();
  return true;
}

bool CPaintManagerUI::InitControls(CControlUI* control, CControlUI* parent) {
  if (control == nullptr) return false;
  control->SetManager(this, parent != nullptr ? parent : control->GetParent(), true);
  return true;
}

void CPaintManagerUI::ReapObjects(CControlUI* control) {
  if (control == nullptr) return;
  if (m_pFocus == control) m_pFocus = nullptr;
  if (m_pEventHover == control) m_pEventHover = nullptr;
  if (m_pEventClick == control) m_pEventClick = nullptr;
  if (m_pEventKey == control) m_pEventKey = nullptr;
  if (m_pFocusWatch == control) m_pFocusWatch = nullptr;
  if (m_pRoot == control) m_pRoot = nullptr;
  KillTimer(control);
  std::erase_if(m_asyncNotify, [&](const AsyncNotify& entry) { return entry.msg.pSender == control; });
}

void CPaintManagerUI::AddDelayedCleanup(CControlUI* control) {
  if (control == nullptr) return;
  // Out of the tree from now on: nothing may point at it or any control under it.
  for (CControlUI* item : Subtree(control)) ReapObjects(item);
  control->SetManager(this, nullptr, false);
  m_delayedCleanup.push_back(control);
  if (m_bCleanupPosted) return;
  m_bCleanupPosted = true;
  std::weak_ptr<CPaintManagerUI*> self = m_self;
  DeferToLoop([self] {
    if (auto manager = self.lock(); manager != nullptr && *manager != nullptr) (*manager)->DrainDelayedCleanup();
  });
}

void CPaintManagerUI::DrainDelayedCleanup() {
  m_bCleanupPosted = false;
  std::vector<CControlUI*> controls;
  controls.swap(m_delayedCleanup);
  for (CControlUI* control : controls) delete control;
}

CControlUI* CPaintManagerUI::FindControl(const char* name) const {
  if (m_pRoot == nullptr || name == nullptr) return nullptr;
  return m_pRoot->FindControl(FindByName, const_cast<char*>(name), UIFIND_ALL);
}

CControlUI* CPaintManagerUI::FindControl(POINT pt) const {
  if (m_pRoot == nullptr) return nullptr;
  return m_pRoot->FindControl(FindFromPoint, &pt, UIFIND_VISIBLE | UIFIND_HITTEST | UIFIND_TOP_FIRST);
}

CControlUI* CPaintManagerUI::FindSubControlByName(CControlUI* parent, const char* name) const {
  if (parent == nullptr) parent = m_pRoot;
  if (parent == nullptr || name == nullptr) return nullptr;
  return parent->FindControl(FindByName, const_cast<char*>(name), UIFIND_ALL);
}

CControlUI* CPaintManagerUI::FindSubControlByPoint(CControlUI* parent, POINT pt) const {
  if (parent == nullptr) parent = m_pRoot;
  if (parent == nullptr) return nullptr;
  return parent->FindControl(FindFromPoint, &pt, UIFIND_VISIBLE | UIFIND_HITTEST | UIFIND_TOP_FIRST);
}

bool CPaintManagerUI::AddNotifier(INotifyUI* notifier) {
  if (notifier == nullptr || std::find(m_notifiers.begin(), m_notifiers.end(), notifier) != m_notifiers.end()) {
    return false;
  }
  m_notifiers.push_back(notifier);
  return true;
}

bool CPaintManagerUI::RemoveNotifier(INotifyUI* notifier) { return std::erase(m_notifiers, notifier) > 0; }

void CPaintManagerUI::SendNotify(TNotifyUI& msg, bool async) {
  msg.ptMouse = m_ptLastMousePos;
  msg.dwTimestamp = static_cast<DWORD>(os::TickCountMs());
  if (async) {
    m_asyncNotify.push_back(AsyncNotify{msg, m_nextAsyncSequence++});
    if (!m_bAsyncPosted && m_hWndPaint != nullptr) {
      m_bAsyncPosted = true;
      std::weak_ptr<CPaintManagerUI*> self = m_self;
      MSG carrier;
      carrier.hwnd = m_hWndPaint;
      ThreadQueue::Current()->Post(carrier, [self] {
        if (auto manager = self.lock(); manager != nullptr && *manager != nullptr) (*manager)->DrainAsyncNotify();
      });
    }
    return;
  }
  std::weak_ptr<CPaintManagerUI*> self = m_self;
  const std::vector<INotifyUI*> notifiers = m_notifiers;
  for (INotifyUI* notifier : notifiers) {
    // A notifier may end the window or unregister others while it handles the notification.
    auto alive = self.lock();
    if (alive == nullptr || *alive == nullptr) return;
    if (std::find(m_notifiers.begin(), m_notifiers.end(), notifier) == m_notifiers.end()) continue;
    notifier->Notify(msg);
  }
}

void CPaintManagerUI::SendNotify(CControlUI* control, const char* type, WPARAM wParam, LPARAM lParam, bool async) {
  TNotifyUI msg;
  msg.pSender = control;
  msg.sType = type;
  msg.wParam = wParam;
  msg.lParam = lParam;
  SendNotify(msg, async);
}

void CPaintManagerUI::DrainAsyncNotify() {
  m_bAsyncPosted = false;
  // One at a time from the queue, so that a notifier may delete a sender whose notifications
  // still wait (ReapObjects drops them) or end this manager. What the notifiers send on goes to
  // the next drain.
  const std::uint64_t end = m_nextAsyncSequence;
  std::weak_ptr<CPaintManagerUI*> self = m_self;
  while (!m_asyncNotify.empty() && m_asyncNotify.front().sequence < end) {
    TNotifyUI msg = m_asyncNotify.front().msg;
    m_asyncNotify.erase(m_asyncNotify.begin());
    SendNotify(msg, false);
    auto alive = self.lock();
    if (alive == nullptr || *alive == nullptr) return;
  }
}

bool CPaintManagerUI::AddPreMessageFilter(IMessageFilterUI* filter) {
  if (filter == nullptr || std::find(m_preMessageFilters.begin(), m_preMessageFilters.end(), filter) !=
                               m_preMessageFilters.end()) {
    return false;
  }
  m_preMessageFilters.push_back(filter);
  return true;
}

bool CPaintManagerUI::RemovePreMessageFilter(IMessageFilterUI* filter) {
  return std::erase(m_preMessageFilters, filter) > 0;
}

bool CPaintManagerUI::AddMessageFilter(IMessageFilterUI* filter) {
  if (filter == nullptr ||
      std::find(m_messageFilters.begin(), m_messageFilters.end(), filter) != m_messageFilters.end()) {
    return false;
  }
  m_messageFilters.push_back(filter);
  return true;
}

bool CPaintManagerUI::RemoveMessageFilter(IMessageFilterUI* filter) { return std::erase(m_messageFilters, filter) > 0; }

bool CPaintManagerUI::SetTimer(CControlUI* control, UINT timerId, UINT elapse) {
  if (control == nullptr || m_hWndPaint == nullptr) return false;
  for (auto& timer : m_timers) {
    if (timer->sender == control && timer->localId == timerId) {
      return ::ui::SetTimer(m_hWndPaint, timer->nativeId, elapse) != 0;
    }
  }
  const UINT_PTR nativeId = m_nextTimerId++;
  if (::ui::SetTimer(m_hWndPaint, nativeId, elapse) == 0) return false;
  m_timers.push_back(std::make_unique<TimerInfo>(TimerInfo{control, timerId, nativeId}));
  return true;
}

bool CPaintManagerUI::KillTimer(CControlUI* control, UINT timerId) {
  for (auto it = m_timers.begin(); it != m_timers.end(); ++it) {
    if ((*it)->sender == control && (*it)->localId == timerId) {
      ::ui::KillTimer(m_hWndPaint, (*it)->nativeId);
      m_timers.erase(it);
      return true;
    }
  }
  return false;
}

void CPaintManagerUI::KillTimer(CControlUI* control) {
  std::erase_if(m_timers, [&](const std::unique_ptr<TimerInfo>& timer) {
    if (timer->sender != control) return false;
    ::ui::KillTimer(m_hWndPaint, timer->nativeId);
    return true;
  });
}

void CPaintManagerUI::RemoveAllTimers() {
  for (auto& timer : m_timers) ::ui::KillTimer(m_hWndPaint, timer->nativeId);
  m_timers.clear();
}

bool CPaintManagerUI::HandleTimer(WPARAM nativeId) {
  for (auto& timer : m_timers) {
    if (timer->nativeId != nativeId) continue;
    SendEvent(timer->sender, UIEVENT_TIMER, m_ptLastMousePos, timer->localId, 0);
    return true;
  }
  return false;
}

void CPaintManagerUI::SetFocus(CControlUI* control) {
  // The window itself takes the keyboard (an open edit window then closes); clearing the focus
  // takes it only from this window's own child windows, never from another window.
  const HWND nativeFocus = ::ui::GetFocus();
  if (m_hWndPaint != nullptr && control != m_pFocus && nativeFocus != m_hWndPaint &&
      (control != nullptr || IsChild(m_hWndPaint, nativeFocus))) {
    ::ui::SetFocus(m_hWndPaint);
  }
  if (control == m_pFocus) return;
  if (CControlUI* old = m_pFocus) {
    m_pFocus = nullptr;
    // The kill-focus handling may delete the old control; ReapObjects then clears the watch.
    m_pFocusWatch = old;
    SendEvent(old, UIEVENT_KILLFOCUS, m_ptLastMousePos, 0, reinterpret_cast<LPARAM>(control));
    if (m_pFocusWatch == old) SendNotify(old, "killfocus");
    m_pFocusWatch = nullptr;
  }
  if (control == nullptr || control->GetManager() != this || !control->IsVisible() || !control->IsEnabled()) return;
  m_pFocus = control;
  SendEvent(control, UIEVENT_SETFOCUS, m_ptLastMousePos);
  if (m_pFocus == control) SendNotify(control, "setfocus");
}

bool CPaintManagerUI::SetNextTabControl(bool forward) {
  std::vector<CControlUI*> stops;
  for (CControlUI* control : Subtree(m_pRoot)) {
    if (control->IsVisible() && control->IsEnabled() && control->IsKeyboardEnabled() &&
        (control->GetControlFlags() & UIFLAG_TABSTOP) != 0) {
      stops.push_back(control);
    }
  }
  if (stops.empty()) return false;
  auto current = std::find(stops.begin(), stops.end(), m_pFocus);
  std::size_t index = 0;
  if (current != stops.end()) {
    const std::size_t at = static_cast<std::size_t>(current - stops.begin());
    index = forward ? (at + 1) % stops.size() : (at + stops.size() - 1) % stops.size();
  } else if (!forward) {
    index = stops.size() - 1;
  }
  SetFocus(stops[index]);
  return true;
}

void CPaintManagerUI::SetCapture() {
  if (m_hWndPaint == nullptr) return;
  ::ui::SetCapture(m_hWndPaint);
  m_bMouseCapture = true;
}

void CPaintManagerUI::ReleaseCapture() {
  const bool had = m_bMouseCapture;
  m_bMouseCapture = false;
  if (had && ::ui::GetCapture() == m_hWndPaint) ::ui::ReleaseCapture();
}

int CPaintManagerUI::AddFont(int id, const char* name, int size, bool bold, bool underline, bool italic) {
  m_fonts[id] = MakeFontInfo(name, size, bold, underline, italic);
  return id;
}

void CPaintManagerUI::SetDefaultFont(const char* name, int size, bool bold, bool underline, bool italic) {
  m_defaultFont = MakeFontInfo(name, size, bold, underline, italic);
}

void CPaintManagerUI::AddSharedFont(int id, const char* name, int size, bool bold, bool underline, bool italic) {
  t_sharedFonts[id] = MakeFontInfo(name, size, bold, underline, italic);
}

const TFontInfo* CPaintManagerUI::GetFontInfo(int index) const {
  if (auto it = m_fonts.find(index); it != m_fonts.end()) return &it->second;
  if (auto it = t_sharedFonts.find(index); it != t_sharedFonts.end()) return &it->second;
  return &m_defaultFont;
}

HFONT CPaintManagerUI::GetFont(int index) const { return GetFontInfo(index)->font.get(); }
int CPaintManagerUI::GetFontHeight(int index) const { return GetFontInfo(index)->font->Height(); }

void CPaintManagerUI::AddDefaultAttributeList(const char* className, const char* list) {
  if (className == nullptr || list == nullptr) return;
  m_defaultAttributes[className] = list;
}

const char* CPaintManagerUI::GetDefaultAttributeList(const char* className) const {
  if (className == nullptr) return nullptr;
  auto it = m_defaultAttributes.find(className);
  return it != m_defaultAttributes.end() ? it->second.c_str() : nullptr;
}

ImageCache& CPaintManagerUI::GetImageCache() const {
  thread_local ImageCache cache([](const std::string& name) { return CResourceManagerUI::LoadResource(name); });
  return cache;
}

std::shared_ptr<const Image> CPaintManagerUI::GetImage(const char* name) const {
  return name != nullptr ? GetImageCache().Get(name) : nullptr;
}

void CPaintManagerUI::AddImage(const char* name, std::shared_ptr<const Image> image) {
  if (name != nullptr) GetImageCache().Add(name, std::move(image));
}

bool CPaintManagerUI::RemoveImage(const char* name) { return name != nullptr && GetImageCache().Remove(name); }


void CPaintManagerUI::Invalidate() {
  if (m_hWndPaint != nullptr) InvalidateRect(m_hWndPaint, nullptr);
}

void CPaintManagerUI::Invalidate(const RECT& rc) {
  if (m_hWndPaint != nullptr) InvalidateRect(m_hWndPaint, &rc);
}

void CPaintManagerUI::NeedUpdate() {
  m_bUpdateNeeded = true;
  if (m_bLayoutPosted || m_hWndPaint == nullptr) return;
  m_bLayoutPosted = true;
  MSG msg;
  msg.hwnd = m_hWndPaint;
  std::weak_ptr<CPaintManagerUI*> self = m_self;
  ThreadQueue::Current()->Post(msg, [self] {
    auto manager = self.lock();
    if (manager == nullptr || *manager == nullptr) return;
    (*manager)->m_bLayoutPosted = false;
    (*manager)->EnsureLayout();
  });
}

void CPaintManagerUI::EnsureLayout() {
  if (m_pRoot == nullptr || m_hWndPaint == nullptr) return;
  if (!m_bUpdateNeeded && !m_pRoot->IsUpdateNeeded()) return;
  m_bUpdateNeeded = false;
  RECT client{};
  GetClientRect(m_hWndPaint, &client);
  // A control that asked for a new layout invalidated itself; the controls that move with it
  // invalidate where they were and where they go. The rest of the window stays as it is.
  m_pRoot->SetPos(client, true);
}

void CPaintManagerUI::SendEvent(CControlUI* control, int type, POINT pt, WPARAM wParam, LPARAM lParam, char key,
                                WORD keyState) {
  if (control == nullptr) return;
  if (IsMouseButtonEvent(type) && !control->IsEnabled()) return;
  TEventUI event;
  event.Type = type;
  event.pSender = control;
  event.dwTimestamp = static_cast<DWORD>(os::TickCountMs());
  event.ptMouse = pt;
  event.chKey = key;
  event.wKeyState = keyState != 0 ? keyState : KeyStateNow();
  event.wParam = wParam;
  event.lParam = lParam;
  control->Event(event);
}

void CPaintManagerUI::UpdateHover(POINT pt, WPARAM keyState) {
  CControlUI* hover = FindControl(pt);
  if (hover != nullptr && hover->GetManager() != this) hover = nullptr;
  if (hover != m_pEventHover && m_pEventHover != nullptr) {
    CControlUI* old = m_pEventHover;
    m_pEventHover = nullptr;
    SendEvent(old, UIEVENT_MOUSELEAVE, pt, 0, 0, 0, static_cast<WORD>(keyState));
  }
  if (hover != nullptr && hover != m_pEventHover) {
    m_pEventHover = hover;
    SendEvent(hover, UIEVENT_MOUSEENTER, pt, 0, 0, 0, static_cast<WORD>(keyState));
  }
  if (m_pEventClick == nullptr) {
    if (m_pEventHover != nullptr && (m_pEventHover->GetControlFlags() & UIFLAG_SETCURSOR) != 0) {
      SendEvent(m_pEventHover, UIEVENT_SETCURSOR, pt);
    } else {
      ::ui::SetCursor(LoadCursor(nullptr, IDC_ARROW));
    }
  }
}

bool CPaintManagerUI::StartCaptionDrag(CControlUI* control, POINT pt) {
  const RECT& caption = m_rcCaption;
  if (RectHeight(caption) <= 0 || pt.y < caption.top || pt.y >= caption.bottom) return false;
  if (control != nullptr && ((control->GetControlFlags() & UIFLAG_TABSTOP) != 0 || control->GetInterface("Button") != nullptr)) {
    return false;
  }
  m_bCaptionDrag = true;
  m_ptCaptionDragStart = pt;
  SetCapture();
  return true;
}

bool CPaintManagerUI::HandleMouse(UINT message, WPARAM wParam, LPARAM lParam) {
  EnsureLayout();
  POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  if (message == WM_MOUSEWHEEL || message == WM_CONTEXTMENU) ScreenToClient(m_hWndPaint, &pt);
  const WORD keyState = static_cast<WORD>(wParam & 0xFFFF);
  if (message != WM_MOUSELEAVE) m_ptLastMousePos = pt;
  switch (message) {
    case WM_MOUSEMOVE: {
      if (m_bCaptionDrag) {
        RECT rc{};
        GetWindowRect(m_hWndPaint, &rc);
        MoveWindow(m_hWndPaint, rc.left + pt.x - m_ptCaptionDragStart.x, rc.top + pt.y - m_ptCaptionDragStart.y,
                   RectWidth(rc), RectHeight(rc), false);
        return true;
      }
      UpdateHover(pt, wParam);
      if (m_pEventClick != nullptr) {
        SendEvent(m_pEventClick, UIEVENT_MOUSEMOVE, pt, wParam, lParam, 0, keyState);
      } else if (m_pEventHover != nullptr) {
        SendEvent(m_pEventHover, UIEVENT_MOUSEMOVE, pt, wParam, lParam, 0, keyState);
      }
      return true;
    }
    case WM_MOUSELEAVE:
      if (m_pEventHover != nullptr && !m_bMouseCapture) {
        CControlUI* old = m_pEventHover;
        m_pEventHover = nullptr;
        SendEvent(old, UIEVENT_MOUSELEAVE, m_ptLastMousePos);
      }
      return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      CControlUI* control = FindControl(pt);
      if (StartCaptionDrag(control, pt)) return true;
      if (control == nullptr || control->GetManager() != this) {
        ::ui::SetFocus(m_hWndPaint);
        return true;
      }
      m_pEventClick = control;
      control->SetFocus();
      SetCapture();
      if (m_pEventClick == control) {
        SendEvent(control, message == WM_LBUTTONDOWN ? UIEVENT_BUTTONDOWN : UIEVENT_DBLCLICK, pt, wParam, lParam, 0,
                  keyState);
      }
      return true;
    }
    case WM_LBUTTONUP: {
      if (m_bCaptionDrag) {
        m_bCaptionDrag = false;
        ReleaseCapture();
        return true;
      }
      CControlUI* control = m_pEventClick;
      m_pEventClick = nullptr;
      ReleaseCapture();
      SendEvent(control, UIEVENT_BUTTONUP, pt, wParam, lParam, 0, keyState);
      return true;
    }
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK: {
      CControlUI* control = FindControl(pt);
      if (control == nullptr || control->GetManager() != this) return true;
      control->SetFocus();
      SendEvent(control, UIEVENT_RBUTTONDOWN, pt, wParam, lParam, 0, keyState);
      return true;
    }
    case WM_RBUTTONUP:
      return true;
    case WM_CONTEXTMENU: {
      CControlUI* control = FindControl(pt);
      if (control == nullptr || control->GetManager() != this) return true;
      SendEvent(control, UIEVENT_CONTEXTMENU, pt, wParam, reinterpret_cast<LPARAM>(control));
      return true;
    }
    case WM_MOUSEWHEEL: {
      CControlUI* control = FindControl(pt);
      if (control == nullptr || control->GetManager() != this) return true;
      SendEvent(control, UIEVENT_SCROLLWHEEL, pt, wParam, lParam, 0, keyState);
      return true;
    }
    default:
      return false;
  }
}

bool CPaintManagerUI::HandleKey(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (m_pFocus == nullptr) return false;
      m_pEventKey = m_pFocus;
      SendEvent(m_pFocus, message == WM_KEYDOWN ? UIEVENT_KEYDOWN : UIEVENT_SYSKEY, m_ptLastMousePos, wParam, lParam,
                static_cast<char>(wParam));
      return true;
    case WM_KEYUP:
      if (m_pEventKey == nullptr) return false;
      SendEvent(m_pEventKey, UIEVENT_KEYUP, m_ptLastMousePos, wParam, lParam, static_cast<char>(wParam));
      m_pEventKey = nullptr;
      return true;
    case WM_CHAR:
      if (m_pFocus == nullptr) return false;
      SendEvent(m_pFocus, UIEVENT_CHAR, m_ptLastMousePos, wParam, lParam, static_cast<char>(wParam & 0xFF));
      return true;
    default:
      return false;
  }
}

bool CPaintManagerUI::MessageHandler(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (m_hWndPaint == nullptr) return false;
  for (IMessageFilterUI* filter : std::vector<IMessageFilterUI*>(m_messageFilters)) {
    if (std::find(m_messageFilters.begin(), m_messageFilters.end(), filter) == m_messageFilters.end()) continue;
    bool handled = false;
    const LRESULT filtered = filter->MessageHandler(message, wParam, lParam, handled);
    if (handled) {
      result = filtered;
      return true;
    }
  }
  result = 0;
  switch (message) {
    case WM_PAINT: {
      auto* hDC = reinterpret_cast<HDC>(wParam);
      if (hDC == nullptr) return true;
      const bool firstLayout = m_bFirstLayout;
      const RECT clip = hDC->ClipBox();
      EnsureLayout();
      if (m_pRoot != nullptr) m_pRoot->DoPaint(hDC, clip);
      if (firstLayout && m_pRoot != nullptr) {
        m_bFirstLayout = false;
        SendNotify(m_pRoot, "windowinit");
      }
      return true;
    }
    case WM_SIZE:
      if (m_pRoot != nullptr) m_pRoot->NeedUpdate();
      m_bUpdateNeeded = true;
      Invalidate();
      return false;
    case WM_TIMER:
      return HandleTimer(wParam);
    case WM_MOUSEMOVE:
    case WM_MOUSELEAVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_CONTEXTMENU:
    case WM_MOUSEWHEEL:
      return HandleMouse(message, wParam, lParam);
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
      return HandleKey(message, wParam, lParam);
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != m_hWndPaint) {
        m_bMouseCapture = false;
        m_bCaptionDrag = false;
      }
      return false;
    case WM_COMMAND:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: {
      // Child controls get their own commands and colour requests back.
      const auto child = reinterpret_cast<HWND>(lParam);
      if (child == nullptr) return false;
      result = ::ui::SendMessage(child, OCM__BASE + message, wParam, lParam);
      return true;
    }
    case WM_CLOSE:
      SetFocus(nullptr);
      ReleaseCapture();
      return false;
    default:
      return false;
  }
}

bool CPaintManagerUI::PreMessageHandler(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  for (IMessageFilterUI* filter : std::vector<IMessageFilterUI*>(m_preMessageFilters)) {
    if (std::find(m_preMessageFilters.begin(), m_preMessageFilters.end(), filter) == m_preMessageFilters.end()) {
      continue;
    }
    bool handled = false;
    const LRESULT filtered = filter->MessageHandler(message, wParam, lParam, handled);
    if (handled) {
      result = filtered;
      return true;
    }
  }
  // Tab moves between the window's tab stops, also while a child window (an edit) has the keys.
  if (message == WM_KEYDOWN && wParam == VK_TAB &&
      (m_pFocus == nullptr || (m_pFocus->GetControlFlags() & UIFLAG_WANTRETURN) == 0)) {
    result = 0;
    SetNextTabControl(GetKeyState(VK_SHIFT) >= 0);
    return true;
  }
  return false;
}

void CPaintManagerUI::MessageLoop() {
  const bool outermost = CurrentLoopDepth() == 0;
  if (outermost) RunOutermostLoopHook(true);
  RunLoopUntil([] { return false; }, false);
  // What the loop deferred (windows and controls to delete) goes before the program tears down.
  if (outermost) {
    RunDeferred(true);
    RunOutermostLoopHook(false);
  }
}

CPaintManagerUI* CPaintManagerUI::FromPaintWindow(HWND hwnd) {
  for (CPaintManagerUI* manager : t_managers) {
    if (manager->GetPaintWindow() == hwnd && hwnd != nullptr) return manager;
  }
  return nullptr;
}

bool CPaintManagerUI::TranslateMessage(const MSG* msg) {
  if (msg == nullptr || msg->hwnd == nullptr) return false;
  for (CPaintManagerUI* manager : std::vector<CPaintManagerUI*>(t_managers)) {
    if (std::find(t_managers.begin(), t_managers.end(), manager) == t_managers.end()) continue;
    const HWND paint = manager->GetPaintWindow();
    if (paint != msg->hwnd && !IsChild(paint, msg->hwnd)) continue;
    LRESULT result = 0;
    if (manager->PreMessageHandler(msg->message, msg->wParam, msg->lParam, result)) return true;
  }
  return false;
}

}  // namespace ui

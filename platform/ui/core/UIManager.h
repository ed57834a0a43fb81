#pragma once
// CPaintManagerUI: the part of a window that holds its control tree. It turns the window's
// messages into control events (hot tracking, capture, focus, clicks, keys, wheel, timers), sends
// notifications to the window's notifiers, keeps fonts, default colours and per-class default
// attributes, and paints the tree. One paint manager per window, used on the window's thread.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/os/WinTypes.h"
#include "platform/ui/core/UIControl.h"
#include "platform/ui/core/UIEvents.h"
#include "platform/ui/render/Font.h"
#include "platform/ui/render/ImageCache.h"

namespace ui {

// The font handle that WM_SETFONT carries and GetFont returns; never owned by the receiver.
using HFONT = const Font*;

struct TFontInfo {
  std::shared_ptr<const Font> font;
  CDuiString sFontName;
  int iSize = 12;
  bool bBold = false;
  bool bUnderline = false;
  bool bItalic = false;
};

class CPaintManagerUI {
 public:
  CPaintManagerUI();
  ~CPaintManagerUI();
  CPaintManagerUI(const CPaintManagerUI&) = delete;
  CPaintManagerUI& operator=(const CPaintManagerUI&) = delete;

  // --- The window ---
  void Init(HWND hwnd);
  HWND GetPaintWindow() const { return m_hWndPaint; }
  SIZE GetClientSize() const;
  SIZE GetInitSize() const { return m_szInitWindowSize; }
  void SetInitSize(int cx, int cy);
  RECT GetSizeBox() const { return m_rcSizeBox; }
  void SetSizeBox(RECT box) { m_rcSizeBox = box; }
  RECT GetCaptionRect() const { return m_rcCaption; }
  void SetCaptionRect(RECT caption) { m_rcCaption = caption; }  // dragging there moves the window
  SIZE GetRoundCorner() const { return m_szRoundCorner; }
  void SetRoundCorner(int cx, int cy);
  SIZE GetMinInfo() const { return m_szMinWindow; }
  void SetMinInfo(int cx, int cy) { m_szMinWindow = SIZE{cx, cy}; }
  SIZE GetMaxInfo() const { return m_szMaxWindow; }
  void SetMaxInfo(int cx, int cy) { m_szMaxWindow = SIZE{cx, cy}; }
  POINT GetMousePos() const { return m_ptLastMousePos; }

  // --- The tree ---
  // Takes the root (and ownership of it), attaches the tree and lays it out on the next paint.
  bool AttachDialog(CControlUI* root);
  CControlUI* GetRoot() const { return m_pRoot; }
  // Attaches a subtree to this window (what SetManager does for each control).
  bool InitControls(CControlUI* control, CControlUI* parent = nullptr);
  // Forgets a control that is being deleted: focus, hot, capture, timers, pending notifications.
  void ReapObjects(CControlUI* control);
  // Deletes the control later, after the current event has been handled.
  void AddDelayedCleanup(CControlUI* control);

  CControlUI* FindControl(const char* name) const;
  CControlUI* FindControl(POINT pt) const;  // the topmost visible, enabled, hit-testable control
  CControlUI* FindSubControlByName(CControlUI* parent, const char* name) const;
  CControlUI* FindSubControlByPoint(CControlUI* parent, POINT pt) const;

  // --- Notifications ---
  bool AddNotifier(INotifyUI* notifier);
  bool RemoveNotifier(INotifyUI* notifier);
  // Delivers to every notifier now (async: after the current message, if the sender still lives).
  void SendNotify(TNotifyUI& msg, bool async = false);
  void SendNotify(CControlUI* control, const char* type, WPARAM wParam = 0, LPARAM lParam = 0, bool async = false);

  // --- Filters ---
  bool AddPreMessageFilter(IMessageFilterUI* filter);
  bool RemovePreMessageFilter(IMessageFilterUI* filter);
  bool AddMessageFilter(IMessageFilterUI* filter);
  bool RemoveMessageFilter(IMessageFilterUI* filter);

  // --- Timers (UIEVENT_TIMER to the control; a control's default turns it into "timer") ---
  bool SetTimer(CControlUI* control, UINT timerId, UINT elapse);
  bool KillTimer(CControlUI* control, UINT timerId);
  void KillTimer(CControlUI* control);
  void RemoveAllTimers();

  // --- Focus, capture, hot control ---
  CControlUI* GetFocus() const { return m_pFocus; }
  void SetFocus(CControlUI* control);  // nullptr clears the focus
  // Moves the focus to the next (or previous) tab stop; false when there is none.
  bool SetNextTabControl(bool forward = true);
  void SetCapture();
  void ReleaseCapture();
  bool IsCaptured() const { return m_bMouseCapture; }
  CControlUI* GetHotControl() const { return m_pEventHover; }

  // --- Fonts, by the id the layout gives (<Font id=...>) ---
  // Adds or replaces font `id` of this window; returns the id.
  int AddFont(int id, const char* name, int size, bool bold, bool underline, bool italic);
  void SetDefaultFont(const char* name, int size, bool bold, bool underline, bool italic);
  // The font of `index`; the window's default font when there is no such font (-1 included).
  HFONT GetFont(int index) const;
  const TFontInfo* GetFontInfo(int index) const;
  int GetFontHeight(int index) const;
  // Shared fonts (<Font shared="true">): every window of the thread falls back to them.
  static void AddSharedFont(int id, const char* name, int size, bool bold, bool underline, bool italic);

  // --- Default colours ---
  DWORD GetDefaultFontColor() const { return m_dwDefaultFontColor; }
  void SetDefaultFontColor(DWORD color) { m_dwDefaultFontColor = color; }
  DWORD GetDefaultDisabledColor() const { return m_dwDefaultDisabledColor; }
  void SetDefaultDisabledColor(DWORD color) { m_dwDefaultDisabledColor = color; }

  // --- Per-class default attributes (<Default name="Button" value="..."/>) ---
  void AddDefaultAttributeList(const char* className, const char* list);
  const char* GetDefaultAttributeList(const char* className) const;

  // --- Images: one cache per window thread, keyed by path ---
  ImageCache& GetImageCache() const;
  std::shared_ptr<const Image> GetImage(const char* name) const;
  void AddImage(const char* name, std::shared_ptr<const Image> image);
  bool RemoveImage(const char* name);

  // --- Painting ---
  void Invalidate();
  void Invalidate(const RECT& rc);
  // Lays the tree out again before the next paint (in a message of its own, so that what moves
  // is painted with the paint that follows).
  void NeedUpdate();
  bool IsUpdateNeeded() const { return m_bUpdateNeeded; }

  // --- Messages ---
  // The window's messages go here from its HandleMessage; true when handled (result in `result`).
  bool MessageHandler(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // The pre-message filters' turn, before the message is dispatched, then Tab navigation; true
  // when the message was handled.
  bool PreMessageHandler(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // Runs the thread's message loop until WM_QUIT.
  static void MessageLoop();
  // The paint manager of a window of this thread, or nullptr.
  static CPaintManagerUI* FromPaintWindow(HWND hwnd);
  // Offers a message to the pre-message filters of the windows that hold its window.
  static bool TranslateMessage(const MSG* msg);

 private:
  struct TimerInfo;
  struct AsyncNotify;

  // Lays the tree out when it changed.
  void EnsureLayout();
  void SendEvent(CControlUI* control, int type, POINT pt, WPARAM wParam = 0, LPARAM lParam = 0,
                 char key = 0, WORD keyState = 0);
  void UpdateHover(POINT pt, WPARAM keyState);
  bool HandleMouse(UINT message, WPARAM wParam, LPARAM lParam);
  bool HandleKey(UINT message, WPARAM wParam, LPARAM lParam);
  bool HandleTimer(WPARAM nativeId);
  void DrainDelayedCleanup();
  void DrainAsyncNotify();
  bool StartCaptionDrag(CControlUI* control, POINT pt);

  HWND m_hWndPaint = nullptr;
  CControlUI* m_pRoot = nullptr;
  CControlUI* m_pFocus = nullptr;
  CControlUI* m_pEventHover = nullptr;
  CControlUI* m_pEventClick = nullptr;
  CControlUI* m_pEventKey = nullptr;
  CControlUI* m_pFocusWatch = nullptr;
  bool m_bMouseCapture = false;
  bool m_bFirstLayout = true;
  bool m_bUpdateNeeded = true;
  bool m_bLayoutPosted = false;
  bool m_bCleanupPosted = false;
  bool m_bAsyncPosted = false;
  POINT m_ptLastMousePos{-1, -1};
  SIZE m_szInitWindowSize{};
  SIZE m_szMinWindow{};
  SIZE m_szMaxWindow{};
  SIZE m_szRoundCorner{};
  RECT m_rcSizeBox{};
  RECT m_rcCaption{};
  DWORD m_dwDefaultFontColor = 0xFF000000;
  DWORD m_dwDefaultDisabledColor = 0xFFA7A6AA;
  TFontInfo m_defaultFont;
  std::map<int, TFontInfo> m_fonts;
  std::map<std::string, std::string> m_defaultAttributes;
  std::vector<INotifyUI*> m_notifiers;
  std::vector<IMessageFilterUI*> m_preMessageFilters;
  std::vector<IMessageFilterUI*> m_messageFilters;
  std::vector<std::unique_ptr<TimerInfo>> m_timers;
  UINT_PTR m_nextTimerId = 1;
  std::vector<CControlUI*> m_delayedCleanup;
  std::vector<AsyncNotify> m_asyncNotify;
  std::uint64_t m_nextAsyncSequence = 0;
  bool m_bCaptionDrag = false;
  POINT m_ptCaptionDragStart{};
  // Lets work queued for later find out that this manager is gone.
  std::shared_ptr<CPaintManagerUI*> m_self;
};

}  // namespace ui

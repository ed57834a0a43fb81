#pragma once
// CControlUI: the base of every control. A control has a name, a text, a place in the tree of its
// window and a rectangle in the window's client coordinates; the paint manager gives it events
// and it paints itself into an HDC. Controls are used only on their window's thread.

#include <functional>

#include "platform/os/WinTypes.h"
#include "platform/ui/core/UIEvents.h"
#include "platform/ui/core/UIString.h"
#include "platform/ui/render/DrawContext.h"
#include "platform/ui/render/TextStyle.h"

namespace ui {

class CPaintManagerUI;
class CControlUI;

// Search callback of CControlUI::FindControl: returns the control when it is the one sought.
using FINDCONTROLPROC = CControlUI* (*)(CControlUI* control, void* data);

class CControlUI {
 public:
  CControlUI();
  virtual ~CControlUI();
  CControlUI(const CControlUI&) = delete;
  CControlUI& operator=(const CControlUI&) = delete;

  // --- Identity ---
  virtual CDuiString GetName() const;
  virtual void SetName(const char* name);
  virtual const char* GetClass() const;  // "ControlUI"
  // The object as the named interface ("Control", "Container", ...), or nullptr.
  virtual void* GetInterface(const char* name);
  virtual UINT GetControlFlags() const;  // UIFLAG_* bits
  // A user's action on the control (a click, Return or Space); false when it is disabled or hidden.
  virtual bool Activate();

  // --- Tree ---
  virtual CPaintManagerUI* GetManager() const;
  // Attaches the control (and its children) to a window. With `init`, DoInit runs once.
  virtual void SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init = true);
  virtual CControlUI* GetParent() const;

  // --- Texts and data ---
  virtual CDuiString GetText() const;
  virtual void SetText(const char* text);
  virtual CDuiString GetToolTip() const;
  virtual void SetToolTip(const char* text);
  virtual const CDuiString& GetUserData() const;
  virtual void SetUserData(const char* text);
  virtual UINT_PTR GetTag() const;
  virtual void SetTag(UINT_PTR tag);

  // --- Look ---
  DWORD GetBkColor() const { return m_dwBackColor; }
  void SetBkColor(DWORD color);
  DWORD GetBkColor2() const { return m_dwBackColor2; }
  void SetBkColor2(DWORD color);  // with a second colour the background is a vertical gradient
  DWORD GetBorderColor() const { return m_dwBorderColor; }
  void SetBorderColor(DWORD color);
  DWORD GetFocusBorderColor() const { return m_dwFocusBorderColor; }
  void SetFocusBorderColor(DWORD color);
  int GetBorderSize() const { return m_nBorderSize; }
  void SetBorderSize(int size);
  SIZE GetBorderRound() const { return m_cxyBorderRound; }
  void SetBorderRound(SIZE round);
  const CDuiString& GetBkImage() const { return m_sBkImage; }
  void SetBkImage(const char* image);
  // Text properties that every text-drawing control shares.
  int GetFont() const { return m_iFont; }
  void SetFont(int index);  // an index into the paint manager's fonts; -1 the default font
  DWORD GetTextColor() const { return m_dwTextColor; }
  void SetTextColor(DWORD color);
  DWORD GetDisabledTextColor() const { return m_dwDisabledTextColor; }
  void SetDisabledTextColor(DWORD color);
  UINT GetTextStyle() const { return m_uTextStyle; }
  void SetTextStyle(UINT style);  // DT_* flags
  RECT GetTextPadding() const { return m_rcTextPadding; }
  void SetTextPadding(RECT padding);
  // Draws an image description into the control's rectangle (false when it did not draw).
  bool DrawImage(HDC hDC, const char* image, const char* modify = nullptr);

  // --- Position ---
  virtual const RECT& GetPos() const;
  // Places the control; containers lay their children out here.
  virtual void SetPos(RECT rc, bool needInvalidate = true);
  virtual int GetWidth() const;
  virtual int GetHeight() const;
  virtual int GetX() const;
  virtual int GetY() const;
  virtual RECT GetPadding() const;
  virtual void SetPadding(RECT padding);  // the outer margin a layout leaves around the control
  virtual SIZE GetFixedXY() const;
  virtual void SetFixedXY(SIZE xy);  // a floating control's offset from its parent's top-left
  virtual int GetFixedWidth() const;
  virtual void SetFixedWidth(int width);  // 0: the layout decides
  virtual int GetFixedHeight() const;
  virtual void SetFixedHeight(int height);
  virtual int GetMinWidth() const;
  virtual void SetMinWidth(int width);
  virtual int GetMaxWidth() const;
  virtual void SetMaxWidth(int width);
  virtual int GetMinHeight() const;
  virtual void SetMinHeight(int height);
  virtual int GetMaxHeight() const;
  virtual void SetMaxHeight(int height);
  // The size the control wants within `available` (0 in a dimension: the layout decides).
  virtual SIZE EstimateSize(SIZE available);
  virtual bool IsFloat() const;
  virtual void SetFloat(bool isFloat = true);

  // --- State ---
  virtual bool IsVisible() const;  // visible itself and inside a visible parent
  virtual void SetVisible(bool visible = true);
  // Visibility given by the parent (a hidden container hides its children this way).
  virtual void SetInternVisible(bool visible = true);
  virtual bool IsEnabled() const;
  virtual void SetEnabled(bool enabled = true);
  virtual bool IsMouseEnabled() const;
  virtual void SetMouseEnabled(bool enabled = true);
  virtual bool IsKeyboardEnabled() const;
  virtual void SetKeyboardEnabled(bool enabled = true);
  virtual bool IsFocused() const;
  virtual void SetFocus();
  bool IsContextMenuUsed() const { return m_bMenuUsed; }
  void SetContextMenuUsed(bool used) { m_bMenuUsed = used; }

  // --- Search: visits the control (and, in containers, its children) ---
  virtual CControlUI* FindControl(FINDCONTROLPROC proc, void* data, UINT flags);

  // --- Invalidation and layout ---
  void Invalidate();
  bool IsUpdateNeeded() const { return m_bUpdateNeeded; }
  void NeedUpdate();        // lay this control out again
  void NeedParentUpdate();  // lay the parent out again (size changes)

  // --- Events ---
  void Init();
  virtual void DoInit();
  // The entry point for events; drops mouse events of controls that do not take them.
  void Event(TEventUI& event);
  virtual void DoEvent(TEventUI& event);

  // --- Attributes from layouts ---
  virtual void SetAttribute(const char* name, const char* value);
  // Applies a list of the form name="value" name2="value2".
  void ApplyAttributeList(const char* list);

  // --- Painting ---
  // Paints the control if it meets `rcPaint`: PaintContent, then PaintBorder.
  virtual void DoPaint(HDC hDC, const RECT& rcPaint);
  // Background colour, background image, status image and text, in this order.
  void PaintContent(HDC hDC, const RECT& rcPaint);
  virtual void PaintBkColor(HDC hDC);
  virtual void PaintBkImage(HDC hDC);
  virtual void PaintStatusImage(HDC hDC);
  virtual void PaintText(HDC hDC);
  virtual void PaintBorder(HDC hDC);

 protected:
  // The paint rectangle of the current DoPaint, for the Paint* hooks.
  RECT m_rcPaint{};

  CPaintManagerUI* m_pManager = nullptr;
  CControlUI* m_pParent = nullptr;
  CDuiString m_sName;
  CDuiString m_sText;
  CDuiString m_sToolTip;
  CDuiString m_sUserData;
  UINT_PTR m_pTag = 0;
  bool m_bUpdateNeeded = true;
  bool m_bMenuUsed = false;
  RECT m_rcItem{};
  RECT m_rcPadding{};
  SIZE m_cXY{};
  SIZE m_cxyFixed{};
  SIZE m_cxyMin{};
  SIZE m_cxyMax{9999, 9999};
  bool m_bVisible = true;
  bool m_bInternVisible = true;
  bool m_bEnabled = true;
  bool m_bMouseEnabled = true;
  bool m_bKeyboardEnabled = true;
  bool m_bFocused = false;
  bool m_bFloat = false;
  bool m_bSetPos = false;  // inside SetPos, so that NeedUpdate from a child does not recurse

  DWORD m_dwBackColor = 0;
  DWORD m_dwBackColor2 = 0;
  DWORD m_dwBorderColor = 0;
  DWORD m_dwFocusBorderColor = 0;
  int m_nBorderSize = 0;
  SIZE m_cxyBorderRound{};
  CDuiString m_sBkImage;
  int m_iFont = -1;
  DWORD m_dwTextColor = 0;
  DWORD m_dwDisabledTextColor = 0;
  UINT m_uTextStyle;
  RECT m_rcTextPadding{};
};

}  // namespace ui

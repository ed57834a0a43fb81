#pragma once
// What lists and combo boxes share with their rows: the look of the rows (TListInfoUI, with the
// column rectangles of the list's header), the owner's side (IListOwnerUI) and the row's side
// (IListItemUI).

#include "platform/os/WinTypes.h"
#include "platform/ui/core/UIControl.h"
#include "platform/ui/core/UIEvents.h"
#include "platform/ui/core/UIString.h"
#include "platform/ui/render/TextStyle.h"

namespace ui {

constexpr int UILIST_MAX_COLUMNS = 32;

struct TListInfoUI {
  int nColumns = 0;
  // Column rectangles in the window's client coordinates: left and right of each header item,
  // top and bottom of the list.
  RECT rcColumn[UILIST_MAX_COLUMNS]{};
  int nFont = -1;
  UINT uTextStyle = DT_VCENTER | DT_SINGLELINE;
  RECT rcTextPadding{4, 0, 4, 0};
  DWORD dwTextColor = 0;
  DWORD dwBkColor = 0;
  bool bAlternateBk = false;
  CDuiString sBkImage;
  DWORD dwSelectedTextColor = 0;
  DWORD dwSelectedBkColor = 0xFFBAE4FF;
  CDuiString sSelectedImage;
  DWORD dwHotTextColor = 0;
  DWORD dwHotBkColor = 0xFFE9F5FF;
  CDuiString sHotImage;
  DWORD dwDisabledTextColor = 0;
  DWORD dwDisabledBkColor = 0;
  CDuiString sDisabledImage;
  DWORD dwLineColor = 0;
};

class IListOwnerUI {
 public:
  virtual TListInfoUI* GetListInfo() = 0;
  virtual int GetCurSel() const = 0;
  // A change made by code: no notification. An index out of range selects nothing.
  virtual bool SelectItem(int index, bool takeFocus = false) = 0;
  // The user picked row `index` (a click; `keyState` holds MK_CONTROL / MK_SHIFT): the owner
  // selects it and sends "itemselect" when the selection changed.
  virtual void OnItemPicked(int index, WORD keyState) = 0;
  virtual void DoEvent(TEventUI& event) = 0;

 protected:
  ~IListOwnerUI() = default;
};

class IListItemUI {
 public:
  virtual int GetIndex() const = 0;
  virtual void SetIndex(int index) = 0;
  virtual IListOwnerUI* GetOwner() = 0;
  // `owner` answers GetInterface("IListOwner").
  virtual void SetOwner(CControlUI* owner) = 0;
  virtual bool IsSelected() const = 0;
  // Marks the row as selected or not (the owner's bookkeeping; no notification).
  virtual bool Select(bool select = true) = 0;
  // Draws the row's text into `rc` (a combo box shows its selected row this way).
  virtual void DrawItemText(HDC hDC, const RECT& rc) = 0;

 protected:
  ~IListItemUI() = default;
};

}  // namespace ui

#pragma once
// CTimePeriodPickerUI: a grid of 7 day rows by 24 hours on which the operator draws up to 8 weekly
// time periods as coloured bars (layout class "TimePeriodPicker"). Pressing and dragging on an
// empty place draws a bar, dragging a bar's middle moves it, dragging near an end (4 pixels)
// moves that end, a right click inside the selected bar adds or removes that day row, Delete
// removes the selected bar. Each bar is one entry of the picker's time segments, and the bound
// edit box shows the selected bar's entry as text and takes edits of it.
//
// The segments keep each period's exact times: only a bar that a drag created, moved or resized
// gets its times from pixels, and only the end that moved. A press without a drag changes nothing.

#include <random>

#include "configtool/controls/AdjustType.h"
#include "configtool/controls/NotifierLink.h"
#include "configtool/controls/TimePeriodBar.h"
#include "configtool/controls/TimeSegments.h"
#include "platform/ui/UIlib.h"

class CTimePeriodPickerUI : public ui::INotifyUI, public ui::CControlUI {
 public:
  static constexpr int kMinBarWidth = 4;

  CTimePeriodPickerUI();
  // Gives back the colours of its bars.
  ~CTimePeriodPickerUI() override;

  const char* GetClass() const override;          // "TimePeriodPickerUI"
  void* GetInterface(const char* name) override;  // "TimePeriodPicker"
  // A new place or size moves the bars to it (their times stay as they are).
  void SetPos(RECT rc, bool needInvalidate = true) override;
  void DoEvent(ui::TEventUI& event) override;
  void DoPaint(HDC hDC, const RECT& rcPaint) override;
  // "textchanged" of the bound edit box: a text that reads as one entry replaces the selected bar.
  void Notify(ui::TNotifyUI& msg) override;

  // Takes the schedule; the bars follow it before they are next drawn or touched.
  void SetSegments(const TimeSegmentsPacked& segments);
  const TimeSegmentsPacked& GetSegments() const { return m_segments; }
  void BindEditBox(ui::CControlUI* edit) { m_pEdit = edit; }
  // Receives the notifications of `manager` (the edit box's) until it changes window or dies.
  void ListenTo(ui::CPaintManagerUI* manager) { m_link.Attach(manager); }

  int GetSelected() const { return m_selected; }
  const TimePeriodBar& GetBar(int index) const { return m_bars[index]; }
  TimePeriodGrid Grid() const { return TimePeriodGrid::Of(m_rcItem); }

 private:
  struct SavedBar {
    int xStart = 0;
    int firstRow = 0;
    int xEnd = 0;
    int lastRow = 0;
    int days = 0;
  };

  void EnsureBars();
  void OnPress(POINT pt);
  void OnMove(POINT pt);
  void OnRelease(POINT pt);
  void OnRightClick(POINT pt);
  bool StartNewBar(const TimePeriodGrid& grid);
  void ApplyDrag(const TimePeriodGrid& grid, POINT pt);
  void DragEnds(const TimePeriodGrid& grid, TimePeriodBar& bar, POINT pt);
  void DragRows(const TimePeriodGrid& grid, TimePeriodBar& bar, POINT pt);
  void DragWhole(const TimePeriodGrid& grid, TimePeriodBar& bar, POINT pt);
  void SaveSelected();
  bool HasSelectedBar() const;
  // Writes bar `index` into its entry: its days, and the times of the ends given from its pixels.
  void StoreBar(int index, bool startFromPixels, bool endFromPixels);
  void DeleteBar(int index);
  void ShowSelectedText();
  void PaintGrid(HDC hDC, const TimePeriodGrid& grid);
  void PaintBar(HDC hDC, const TimePeriodGrid& grid, const TimePeriodBar& bar, bool selected);

  UINT m_uButtonState = 0;
  int m_selected = -1;
  AdjustType m_adjust;
  POINT m_ptPress{};
  SavedBar m_saved;
  bool m_reload = false;
  bool m_dragged = false;  // the pointer moved since the press
  bool m_created = false;  // this drag drew the selected bar
  ui::CControlUI* m_pEdit = nullptr;
  TimePeriodBar m_bars[kTimeSegmentCount];
  TimeSegmentsPacked m_segments{};
  std::minstd_rand m_random;
  NotifierLink m_link{this};
};

#pragma once
// CTimePeriodUI: an edit field that holds a weekly schedule of up to 8 time segments and shows it
// as text (layout class "TimePeriod"). Its text is always empty or the text of the schedule it
// holds: a text that does not read as a schedule, set by code, a layout or typed, changes nothing.
// A press on the focused field opens CTimePeriodWnd below it, where the schedule is drawn on a
// time-period picker; "btn_set" there writes the drawing back. Typing a schedule that reads sends
// "textchanged" and moves the open picker's bars along.

#include <string>

#include "configtool/controls/TimeSegments.h"
#include "platform/ui/UIlib.h"

class CTimePeriodWnd;

class CTimePeriodUI : public ui::CEditUI {
 public:
  CTimePeriodUI();
  // Destroys an open pop-up at once; it never writes to a field that is gone.
  ~CTimePeriodUI() override;

  const char* GetClass() const override;          // "TimePeriodUI"
  void* GetInterface(const char* name) override;  // "TimePeriod"
  void SetPos(RECT rc, bool needInvalidate = true) override;
  void DoEvent(ui::TEventUI& event) override;
  void SetAttribute(const char* name, const char* value) override;
  // The empty text clears the schedule; a schedule text replaces it and is shown as the field
  // writes it; anything else changes nothing.
  void SetText(const char* text) override;

  const TimeSegmentsPacked& GetSegments() const { return m_segments; }
  // Takes the schedule when it can be written as text and read back the same; false changes
  // nothing.
  bool SetSegments(const TimeSegmentsPacked& segments);
  // The open pop-up's window, or nullptr.
  HWND GetPopupWindow() const;

 protected:
  void CreateEditWindow() override;

 private:
  friend class CTimePeriodWnd;
  friend class CTimePeriodEditWnd;

  // Reads `text` as the field's new schedule: false (and no change) when it does not read;
  // `changed` tells whether the field's text changed. The open edit window is left alone.
  bool TakeText(const std::string& text, bool* changed);
  void TakeTypedText(const std::string& text);
  void OpenPopup();
  void ClosePopup();

  CTimePeriodWnd* m_pPopup = nullptr;
  TimeSegmentsPacked m_segments{};
};

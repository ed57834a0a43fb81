#include "configtool/controls/TimePeriodPickerUI.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "configtool/controls/PeriodColorPool.h"
#include "configtool/controls/TextScanner.h"
#include "platform/ui/controls/ControlHelpers.h"
#include "platform/ui/render/ClipScope.h"

using namespace ui;

namespace {

constexpr DWORD kGridColor = 0xFFAAAAAA;
constexpr DWORD kLabelColor = 0xFF555555;
constexpr int kLabelFont = 6;
constexpr std::uint8_t kSelectedAlpha = 160;
constexpr int kGridBottom = 175;  // the vertical lines end here, below the top

long Seconds(std::uint8_t hour, std::uint8_t minute, std::uint8_t second) { return hour * 3600L + minute * 60L + second; }

void SetTime(std::uint8_t& hour, std::uint8_t& minute, std::uint8_t& second, long seconds) {
  hour = static_cast<std::uint8_t>(seconds / 3600);
  minute = static_cast<std::uint8_t>(seconds % 3600 / 60);
  second = static_cast<std::uint8_t>(seconds % 60);
}

bool OnlyBlanks(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return IsAsciiBlank(c); });
}

int RowBits(int firstRow, int lastRow) {
  int bits = 0;
  for (int row = firstRow; row <= lastRow; ++row) bits |= 1 << row;
  return bits;
}

}  // namespace

CTimePeriodPickerUI::CTimePeriodPickerUI() : m_random(std::random_device{}()) { SetMouseEnabled(true); }

CTimePeriodPickerUI::~CTimePeriodPickerUI() {
  for (TimePeriodBar& bar : m_bars) PeriodColorPool::Instance().Release(bar.color);
}

const char* CTimePeriodPickerUI::GetClass() const { return "TimePeriodPickerUI"; }

void* CTimePeriodPickerUI::GetInterface(const char* name) {
  if (name != nullptr && std::strcmp(name, "TimePeriodPicker") == 0) return this;
  return CControlUI::GetInterface(name);
}

void CTimePeriodPickerUI::SetSegments(const TimeSegmentsPacked& segments) {
  m_segments = segments;
  m_reload = true;
  Invalidate();
}

void CTimePeriodPickerUI::SetPos(RECT rc, bool needInvalidate) {
  const RECT old = m_rcItem;
  CControlUI::SetPos(rc, needInvalidate);
  const bool moved = old.left != m_rcItem.left || old.top != m_rcItem.top || old.right != m_rcItem.right;
  // A drag under way keeps the pixels it started from; its bar is not stored yet.
  if (moved && (m_uButtonState & UISTATE_CAPTURED) == 0) m_reload = true;
}

// The bars follow the segments (after they were set or edited), with the grid as it is now.
void CTimePeriodPickerUI::EnsureBars() {
  if (!m_reload) return;
  m_reload = false;
  const TimePeriodGrid grid = Grid();
  for (int k = 0; k < kTimeSegmentCount; ++k) {
    const TimeSegmentEntry& entry = m_segments.entries[k];
    TimePeriodBar& bar = m_bars[k];
    bar.inUse = entry.enable != 0;
    if (!bar.inUse) {
      PeriodColorPool::Instance().Release(bar.color);
      continue;
    }
    bar.days = entry.days & kTimeSegmentDayMask;
    bar.xStart = grid.XOfSeconds(Seconds(entry.startHour, entry.startMinute, entry.startSecond));
    bar.xEnd = grid.XOfSeconds(Seconds(entry.endHour, entry.endMinute, entry.endSecond));
    if (!bar.color.HasColor()) PeriodColorPool::Instance().Take(bar.color, m_random);
    bar.RecomputeRows();
  }
  if (m_selected >= 0 && !m_bars[m_selected].inUse) m_selected = -1;
}

bool CTimePeriodPickerUI::HasSelectedBar() const { return m_selected >= 0 && m_bars[m_selected].inUse; }

void CTimePeriodPickerUI::DoEvent(TEventUI& event) {
  if (PassMouseToParent(*this, event)) return;
  switch (event.Type) {
    case UIEVENT_BUTTONDOWN:
      if (IsEnabled()) OnPress(event.ptMouse);
      return;
    case UIEVENT_MOUSEMOVE:
      if ((m_uButtonState & UISTATE_CAPTURED) != 0) OnMove(event.ptMouse);
      return;
    case UIEVENT_BUTTONUP:
      if ((m_uButtonState & UISTATE_CAPTURED) != 0) OnRelease(event.ptMouse);
      return;
    case UIEVENT_CONTEXTMENU:
      if (IsEnabled()) OnRightClick(event.ptMouse);
      return;
    case UIEVENT_KEYDOWN:
      if (event.wParam == VK_DELETE && HasSelectedBar()) DeleteBar(m_selected);
      break;
    default:
      break;
  }
  CControlUI::DoEvent(event);
}

void CTimePeriodPickerUI::OnPress(POINT pt) {
  EnsureBars();
  const TimePeriodGrid grid = Grid();
  m_uButtonState |= UISTATE_PUSHED | UISTATE_CAPTURED;
  m_adjust.Reset();
  m_dragged = false;
  m_created = false;
  m_ptPress = pt;
  if (!(HasSelectedBar() && m_bars[m_selected].Covers(grid, pt))) {
    m_selected = -1;
    for (int k = kTimeSegmentCount - 1; k >= 0; --k) {
      if (m_bars[k].Covers(grid, pt)) {
        m_selected = k;
        break;
      }
    }
  }
  if (m_selected >= 0) {
    const TimePeriodBar& bar = m_bars[m_selected];
    const int fromLeft = pt.x - bar.xStart;
    const int fromRight = bar.xEnd - pt.x;
    if (fromLeft < kMinBarWidth || fromRight < kMinBarWidth) {
      m_adjust.Set(fromLeft < fromRight ? AdjustType::kLeft : AdjustType::kRight);
    } else {
      m_adjust.Set(AdjustType::kMove);
    }
    SaveSelected();
  }
  Invalidate();
  ShowSelectedText();
}

void CTimePeriodPickerUI::OnMove(POINT pt) {
  if (!m_dragged && pt.x == m_ptPress.x && pt.y == m_ptPress.y) return;
  m_dragged = true;
  EnsureBars();
  const TimePeriodGrid grid = Grid();
  if (m_selected < 0 && !m_adjust.IsSet() && !StartNewBar(grid)) return;
  if (!m_adjust.IsSet() || !HasSelectedBar()) return;
  ApplyDrag(grid, pt);
  Invalidate();
}

bool CTimePeriodPickerUI::StartNewBar(const TimePeriodGrid& grid) {
  const auto row = grid.RowAt(m_ptPress.y);
  if (!grid.HasGrid() || !grid.InColumns(m_ptPress.x) || !row.has_value()) return false;
  const auto free = std::find_if(std::begin(m_bars), std::end(m_bars), [](const TimePeriodBar& bar) { return !bar.inUse; });
  if (free == std::end(m_bars)) return false;
  TimePeriodBar& bar = *free;
  bar.inUse = true;
  bar.days = 1 << *row;
  bar.xStart = bar.xEnd = m_ptPress.x;
  bar.firstRow = bar.lastRow = *row;
  PeriodColorPool::Instance().Take(bar.color, m_random);
  m_adjust.Reset();
  m_adjust.Set(AdjustType::kVertical);
  m_adjust.Set(AdjustType::kRight);
  m_adjust.Set(AdjustType::kBottom);
  m_selected = static_cast<int>(free - std::begin(m_bars));
  m_created = true;
  SaveSelected();
  return true;
}

void CTimePeriodPickerUI::SaveSelected() {
  const TimePeriodBar& bar = m_bars[m_selected];
  m_saved = SavedBar{bar.xStart, bar.firstRow, bar.xEnd, bar.lastRow, bar.days};
}

void CTimePeriodPickerUI::ApplyDrag(const TimePeriodGrid& grid, POINT pt) {
  TimePeriodBar& bar = m_bars[m_selected];
  DragEnds(grid, bar, pt);
  if (m_adjust.Has(AdjustType::kVertical)) DragRows(grid, bar, pt);
  if (m_adjust.Has(AdjustType::kMove)) DragWhole(grid, bar, pt);
  if (bar.xEnd < bar.xStart) std::swap(bar.xStart, bar.xEnd);
}

void CTimePeriodPickerUI::DragEnds(const TimePeriodGrid& grid, TimePeriodBar& bar, POINT pt) {
  const int x = static_cast<int>(pt.x);
  if (m_adjust.Has(AdjustType::kLeft)) {
    bar.xStart = x;
    if (x > bar.xEnd) {
      bar.xStart = bar.xEnd;
      m_adjust.Set(AdjustType::kRight);
    } else if (x < grid.x0) {
      bar.xStart = grid.x0;
    }
  } else if (m_adjust.Has(AdjustType::kRight)) {
    bar.xEnd = x;
    if (x < bar.xStart) {
      bar.xEnd = bar.xStart;
      m_adjust.Set(AdjustType::kLeft);
    } else if (x > grid.x1) {
      bar.xEnd = grid.x1;
    }
  }
}

void CTimePeriodPickerUI::DragRows(const TimePeriodGrid& grid, TimePeriodBar& bar, POINT pt) {
  const int row = grid.ClampedRowAt(pt.y);
  if (m_adjust.Has(AdjustType::kTop)) {
    if (row > bar.lastRow) {
      bar.firstRow = bar.lastRow;
      bar.lastRow = row;
      m_adjust.Set(AdjustType::kBottom);
    } else {
      bar.firstRow = row;
    }
  } else if (m_adjust.Has(AdjustType::kBottom)) {
    if (row < bar.firstRow) {
      bar.lastRow = bar.firstRow;
      bar.firstRow = row;
      m_adjust.Set(AdjustType::kTop);
    } else {
      bar.lastRow = row;
    }
  } else {
    return;
  }
  bar.days = RowBits(bar.firstRow, bar.lastRow);
}

void CTimePeriodPickerUI::DragWhole(const TimePeriodGrid& grid, TimePeriodBar& bar, POINT pt) {
  int dx = static_cast<int>(pt.x - m_ptPress.x);
  bar.xStart = m_saved.xStart + dx;
  if (bar.xStart < grid.x0) {
    bar.xStart = grid.x0;
    dx = grid.x0 - m_saved.xStart;
  }
  bar.xEnd = m_saved.xEnd + dx;
  if (bar.xEnd > grid.x1) {
    bar.xEnd = grid.x1;
    bar.xStart = grid.x1 - (m_saved.xEnd - m_saved.xStart);
  }
  const int dr = static_cast<int>((pt.y - m_ptPress.y) / grid.rowHeight);
  const int first = m_saved.firstRow + dr;
  const int last = m_saved.lastRow + dr;
  if (first < 0 || first >= TimePeriodGrid::kRows || last < 0 || last >= TimePeriodGrid::kRows) return;
  // The days keep their gaps: the whole pattern moves by the rows moved.
  bar.days = (dr >= 0 ? m_saved.days << dr : m_saved.days >> -dr) & kTimeSegmentDayMask;
  bar.firstRow = first;
  bar.lastRow = last;
}

void CTimePeriodPickerUI::OnRelease(POINT pt) {
  m_uButtonState &= ~(UISTATE_CAPTURED | UISTATE_PUSHED);
  if (!m_dragged || !m_adjust.IsSet() || !HasSelectedBar()) return;
  const TimePeriodGrid grid = Grid();
  ApplyDrag(grid, pt);
  m_adjust.Clear(AdjustType::kVertical);
  Invalidate();
  const TimePeriodBar& bar = m_bars[m_selected];
  const bool startMoved = m_created || bar.xStart != m_saved.xStart;
  const bool endMoved = m_created || bar.xEnd != m_saved.xEnd;
  if ((startMoved || endMoved) && bar.xEnd - bar.xStart < kMinBarWidth) {
    DeleteBar(m_selected);
    return;
  }
  StoreBar(m_selected, startMoved, endMoved);
  ShowSelectedText();
}

void CTimePeriodPickerUI::OnRightClick(POINT pt) {
  if (!HasSelectedBar()) return;
  EnsureBars();
  const TimePeriodGrid grid = Grid();
  TimePeriodBar& bar = m_bars[m_selected];
  const auto row = grid.RowAt(pt.y);
  if (!row.has_value() || pt.x < bar.xStart || pt.x > bar.xEnd) return;
  const int days = bar.days ^ (1 << *row);
  if ((days & kTimeSegmentDayMask) == 0) return;
  bar.days = days;
  bar.RecomputeRows();
  Invalidate();
  StoreBar(m_selected, false, false);
  ShowSelectedText();
}

void CTimePeriodPickerUI::StoreBar(int index, bool startFromPixels, bool endFromPixels) {
  const TimePeriodBar& bar = m_bars[index];
  TimeSegmentEntry& entry = m_segments.entries[index];
  const TimePeriodGrid grid = Grid();
  if (entry.enable == 0) entry.enable = 1;
  entry.days = static_cast<std::uint8_t>(bar.days);
  if (startFromPixels) SetTime(entry.startHour, entry.startMinute, entry.startSecond, grid.SecondsOfX(bar.xStart));
  if (endFromPixels) SetTime(entry.endHour, entry.endMinute, entry.endSecond, grid.SecondsOfX(bar.xEnd));
}

void CTimePeriodPickerUI::DeleteBar(int index) {
  m_segments.entries[index] = TimeSegmentEntry{};
  m_bars[index].inUse = false;
  PeriodColorPool::Instance().Release(m_bars[index].color);
  if (m_selected == index) m_selected = -1;
  // A drag under way ends with the bar: the rest of the gesture draws nothing new.
  m_adjust.Reset();
  m_uButtonState &= ~(UISTATE_CAPTURED | UISTATE_PUSHED);
  if (m_pEdit != nullptr) m_pEdit->SetText("");
  Invalidate();
}

void CTimePeriodPickerUI::ShowSelectedText() {
  if (m_pEdit == nullptr) return;
  m_pEdit->SetText(HasSelectedBar() ? FormatTimeSegment(m_segments.entries[m_selected]).c_str() : "");
}

void CTimePeriodPickerUI::Notify(TNotifyUI& msg) {
  if (msg.sType != "textchanged" || msg.pSender == nullptr || msg.pSender != m_pEdit || !HasSelectedBar()) return;
  const std::string text = m_pEdit->GetText().Str();
  std::string_view rest = text;
  TimeSegmentEntry entry{};
  if (!ParseTimeSegment(entry, rest) || !OnlyBlanks(rest)) return;
  m_segments.entries[m_selected] = entry;
  m_reload = true;
  Invalidate();
}

void CTimePeriodPickerUI::DoPaint(HDC hDC, const RECT& rcPaint) {
  if (!IntersectRect(&m_rcPaint, rcPaint, m_rcItem)) return;
  PaintContent(hDC, rcPaint);
  PaintBorder(hDC);
  EnsureBars();
  const TimePeriodGrid grid = Grid();
  ClipScope clip(hDC, m_rcItem);
  PaintGrid(hDC, grid);
  if (!grid.HasGrid()) return;
  for (int k = 0; k < kTimeSegmentCount; ++k) {
    if (k != m_selected && m_bars[k].inUse) PaintBar(hDC, grid, m_bars[k], false);
  }
  if (HasSelectedBar()) PaintBar(hDC, grid, m_bars[m_selected], true);
}

void CTimePeriodPickerUI::PaintGrid(HDC hDC, const TimePeriodGrid& grid) {
  const long left = m_rcItem.left;
  const long top = m_rcItem.top;
  const long hourWidth = grid.hourWidth;
  CRenderEngine::DrawColor(hDC, RECT{left, top, grid.x1, top + 1}, kGridColor);
  for (int g = 1; g <= 8; ++g) {
    const long y = top + 22L * g - 1;
    CRenderEngine::DrawColor(hDC, RECT{left, y, grid.x1, y + 1}, kGridColor);
  }
  CRenderEngine::DrawColor(hDC, RECT{left, top, left + 1, top + kGridBottom}, kGridColor);
  for (int k = 0; k <= 24; ++k) {
    const long x = grid.x0 - 1 + k * hourWidth;
    CRenderEngine::DrawColor(hDC, RECT{x, k == 24 ? top : top + 22, x + 1, top + kGridBottom}, kGridColor);
  }
  const Font* font = m_pManager != nullptr ? m_pManager->GetFont(kLabelFont) : nullptr;
  for (int row = 0; row < TimePeriodGrid::kRows; ++row) {
    RECT rc{left + 4, top + 26 + 22L * row, left + 47, top + 45 + 22L * row};
    CRenderEngine::DrawText(hDC, font, rc, std::string("星期").append(TimeSegmentDayWords[row]), kLabelColor,
                            DT_SINGLELINE | DT_VCENTER);
  }
  if (hourWidth <= 0) return;
  for (int hour = 0; hour < 24; ++hour) {
    RECT rc{left - hourWidth / 2 + 54 + hour * hourWidth, top + 4, left - hourWidth / 2 + hourWidth + 48 + hour * hourWidth,
            top + 23};
    char text[8];
    std::snprintf(text, sizeof text, "%02d", hour);
    CRenderEngine::DrawText(hDC, font, rc, text, kLabelColor, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
  }
}

void CTimePeriodPickerUI::PaintBar(HDC hDC, const TimePeriodGrid& grid, const TimePeriodBar& bar, bool selected) {
  for (int row = 0; row < TimePeriodGrid::kRows; ++row) {
    if ((bar.days & (1 << row)) == 0) continue;
    const long top = grid.y0 + 22L * row;
    const RECT rc{bar.xStart, top + 2, bar.xEnd, top + 20};
    CRenderEngine::DrawColor(hDC, rc, selected ? bar.color.Argb(kSelectedAlpha) : bar.color.Argb());
    if (selected) CRenderEngine::DrawRect(hDC, rc, 1, bar.color.Argb(255));
  }
}

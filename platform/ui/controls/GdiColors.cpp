#include "platform/ui/controls/GdiColors.h"

#include <cstdint>
#include <map>
#include <mutex>

#include "platform/ui/render/Color.h"

namespace ui {
namespace {

std::mutex g_brushMutex;
std::map<std::uintptr_t, COLORREF> g_brushes;
std::uintptr_t g_nextBrush = 0x100;

thread_local std::map<HDC, DcColors> t_dcColors;

}  // namespace

HBRUSH CreateSolidBrush(COLORREF color) {
  std::lock_guard lock(g_brushMutex);
  const std::uintptr_t id = g_nextBrush++;
  g_brushes[id] = color & 0x00FFFFFF;
  return reinterpret_cast<HBRUSH>(id);
}

bool DeleteObject(HBRUSH brush) {
  std::lock_guard lock(g_brushMutex);
  return g_brushes.erase(reinterpret_cast<std::uintptr_t>(brush)) != 0;
}

std::optional<COLORREF> GetBrushColor(HBRUSH brush) {
  std::lock_guard lock(g_brushMutex);
  auto it = g_brushes.find(reinterpret_cast<std::uintptr_t>(brush));
  if (it == g_brushes.end()) return std::nullopt;
  return it->second;
}

HBRUSH AnswerEditColors(HDC hdc, DWORD background, DWORD text, HBRUSH& brush) {
  if (brush == nullptr) brush = CreateSolidBrush(RGB(ColorRed(background), ColorGreen(background), ColorBlue(background)));
  SetBkMode(hdc, TRANSPARENT);
  if (text != 0) SetTextColor(hdc, RGB(ColorRed(text), ColorGreen(text), ColorBlue(text)));
  return brush;
}

int SetBkMode(HDC hdc, int mode) {
  DcColors& colors = t_dcColors[hdc];
  const int previous = colors.bkMode;
  colors.bkMode = mode;
  return previous;
}

COLORREF SetTextColor(HDC hdc, COLORREF color) {
  DcColors& colors = t_dcColors[hdc];
  const COLORREF previous = colors.textColor.value_or(CLR_INVALID);
  colors.textColor = color & 0x00FFFFFF;
  return previous;
}

COLORREF SetBkColor(HDC hdc, COLORREF color) {
  DcColors& colors = t_dcColors[hdc];
  const COLORREF previous = colors.bkColor.value_or(CLR_INVALID);
  colors.bkColor = color & 0x00FFFFFF;
  return previous;
}

DcColors TakeDcColors(HDC hdc) {
  auto it = t_dcColors.find(hdc);
  if (it == t_dcColors.end()) return DcColors{};
  DcColors colors = it->second;
  t_dcColors.erase(it);
  return colors;
}

}  // namespace ui

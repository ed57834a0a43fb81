#include "configtool/controls/PeriodColorPool.h"

#include <algorithm>
#include <vector>

namespace {

constexpr DWORD kColors[PeriodColorPool::kColorCount] = {
    0xFFF9680A, 0xFF846BE8, 0xFF1A9FF4, 0xFF0B9120, 0xFFE367FE, 0xFFDA7E0C, 0xFFE7C101, 0xFFF347BE,
    0xFFA29380, 0xFFE43721, 0xFF4AD585, 0xFF36C5EC, 0xFFFD6569, 0xFF80A6BA, 0xFF8FC31F,
};

}  // namespace

PeriodColorPool& PeriodColorPool::Instance() {
  static PeriodColorPool pool;
  return pool;
}

void PeriodColorPool::Take(PeriodColor& color, std::minstd_rand& random) {
  Release(color);
  const int fewest = *std::min_element(m_users.begin(), m_users.end());
  std::vector<int> candidates;
  for (int slot = 0; slot < kColorCount; ++slot) {
    if (m_users[slot] == fewest) candidates.push_back(slot);
  }
  const int slot = candidates[std::uniform_int_distribution<std::size_t>(0, candidates.size() - 1)(random)];
  ++m_users[slot];
  const DWORD argb = kColors[slot];
  color.slot = slot;
  color.alpha = static_cast<std::uint8_t>(argb >> 24);
  color.red = static_cast<std::uint8_t>(argb >> 16);
  color.green = static_cast<std::uint8_t>(argb >> 8);
  color.blue = static_cast<std::uint8_t>(argb);
}

void PeriodColorPool::Release(PeriodColor& color) {
  if (color.slot >= 0 && color.slot < kColorCount && m_users[color.slot] > 0) --m_users[color.slot];
  color.slot = -1;
}

int PeriodColorPool::Users(int slot) const { return slot >= 0 && slot < kColorCount ? m_users[slot] : 0; }

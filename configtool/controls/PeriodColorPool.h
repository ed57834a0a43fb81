#pragma once
// The 15 bar colours that all time-period pickers of the program share (window thread only). A
// new bar takes a free colour at random; when two pickers hold more than 15 bars together, a bar
// shares the colour that the fewest bars use, so asking for a colour never waits. A colour is free
// again once every bar that took it has given it back.

#include <array>
#include <random>

#include "configtool/controls/PeriodColor.h"

class PeriodColorPool {
 public:
  static constexpr int kColorCount = 15;

  static PeriodColorPool& Instance();

  // Gives `color` a colour of the pool (it gives back the one it held first).
  void Take(PeriodColor& color, std::minstd_rand& random);
  // Gives the colour back; a colour without a slot gives nothing back.
  void Release(PeriodColor& color);
  // How many bars hold the colour of `slot`.
  int Users(int slot) const;

 private:
  PeriodColorPool() = default;

  std::array<int, kColorCount> m_users{};
};

#pragma once
// Made-up plates of the kinds a lane sees: blue small cars, single-row yellow plates and green
// new-energy plates, each with a province character. Deterministic for a seed.

#include <cstdint>
#include <random>
#include <string>

namespace camsim {

struct SyntheticPlate {
  std::string text;    // UTF-8, e.g. "京A12345"
  int colourCode = 1;  // 1 blue, 2 yellow, 5 green
  std::string colourWord;  // UTF-8: "蓝", "黄", "绿"
  int plateType = 1;   // 1 blue small car, 3 single-row yellow, 19 new energy
};

class PlateGenerator {
 public:
  explicit PlateGenerator(std::uint64_t seed) : m_random(seed) {}
  SyntheticPlate Next();

 private:
  std::mt19937_64 m_random;
};

// The province characters the cameras know, in their list order (UTF-8).
const std::string& ProvinceCharacters();

}  // namespace camsim

#pragma once
// For the benchmarks that run Corvex itself: a temporary folder with the program, its libraries and
// its skin package copied from the build (so that its pictures and "user.ini" stay apart from the
// build), and a runtime folder for the programs on the private display. Removed with the object.

#include <filesystem>

namespace bench {

class CorvexCopy {
 public:
  CorvexCopy();
  ~CorvexCopy();
  CorvexCopy(const CorvexCopy&) = delete;
  CorvexCopy& operator=(const CorvexCopy&) = delete;

  const std::filesystem::path& Folder() const { return m_folder; }
  std::filesystem::path Program() const { return m_folder / "Corvex"; }
  std::filesystem::path Runtime() const { return m_folder / "run"; }

 private:
  std::filesystem::path m_folder;
};

}  // namespace bench

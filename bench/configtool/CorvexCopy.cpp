#include "CorvexCopy.h"

#include <stdlib.h>

#include <string>

namespace bench {

namespace fs = std::filesystem;

CorvexCopy::CorvexCopy() {
  std::string pattern = (fs::temp_directory_path() / "corvex-bench-XXXXXX").string();
  m_folder = ::mkdtemp(pattern.data());
  const fs::path bin = fs::path(LPR_BENCH_CORVEX).parent_path();
  for (const char* file : {"Corvex", "libJqLPRSDK.so", "libJQShareMem.so", "skin.dll"}) {
    fs::copy_file(bin / file, m_folder / file);
  }
  fs::create_directory(Runtime());
}

CorvexCopy::~CorvexCopy() {
  std::error_code ignored;
  fs::remove_all(m_folder, ignored);
}

}  // namespace bench

#pragma once
// What the camera benchmarks need of their own process: loopback addresses apart from the test
// processes' blocks, enough file descriptors for a thousand cameras, and its thread count.

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <string>

namespace bench {

// "127.A.B." of this process's own.
inline std::string LoopbackPrefix() {
  const auto pid = static_cast<unsigned>(::getpid());
  return "127." + std::to_string(20 + pid % 200) + "." + std::to_string((pid / 200) % 250 + 1) + ".";
}

// Raises the soft limit of open files to `wanted`; false when the hard limit is lower.
inline bool AllowOpenFiles(rlim_t wanted) {
  rlimit limit{};
  if (::getrlimit(RLIMIT_NOFILE, &limit) != 0) return false;
  if (limit.rlim_cur >= wanted) return true;
  limit.rlim_cur = std::min(wanted, limit.rlim_max);
  return ::setrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur >= wanted;
}

// The threads of this process now.
inline int ProcessThreads() {
  std::error_code error;
  const std::filesystem::directory_iterator tasks("/proc/self/task", error);
  if (error) return -1;
  return static_cast<int>(std::distance(begin(tasks), end(tasks)));
}

}  // namespace bench

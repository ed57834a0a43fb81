// Runs the single-instance step as a program entry does and tells the test on stdout:
//   "box <text>|<caption>"  the already-running box is up; the next input line closes it,
//   "running"               this copy goes on; the next input line makes it release and end,
//   "ended"                 this copy does not go on.
// Usage: single_instance_probe Corvex|Brenlo

#include <cstdio>
#include <cstring>
#include <string>

#include "common/SingleInstance.h"
#include "platform/os/NativeDialogs.h"

namespace {

void Report(const std::string& line) {
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

// Returns at the next line end or when the test closes our input.
void WaitForLine() {
  for (int c = std::getchar(); c != EOF && c != '\n'; c = std::getchar()) {
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const ApplicationIdentity& application = std::strcmp(argv[1], "Corvex") == 0 ? CorvexApplication() : BrenloApplication();
  os::SetPlainMessageBoxHandler([](HWND, const std::string& text, const std::string& caption) {
    Report("box " + text + "|" + caption);
    WaitForLine();
  });

  SingleInstance instance;
  if (!instance.Claim(application)) {
    Report("ended");
    return 0;
  }
  Report("running");
  WaitForLine();
  instance.Release();
  Report("released");
  return 0;
}

#include "platform/ui/test/ScriptRunner.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <sstream>
#include <thread>

#include "platform/os/Charset.h"
#include "platform/os/File.h"
#include "platform/ui/controls/UIPlayControl.h"
#include "platform/ui/core/NativeWindow.h"
#include "platform/ui/core/ThreadQueue.h"
#include "platform/ui/core/UIManager.h"

namespace ui::test {
namespace {

const std::map<std::string, UINT>& KeyNames() {
  static const std::map<std::string, UINT> names = {
      {"Return", VK_RETURN}, {"Escape", VK_ESCAPE}, {"Tab", VK_TAB},     {"Space", VK_SPACE},
      {"Up", VK_UP},         {"Down", VK_DOWN},     {"Left", VK_LEFT},   {"Right", VK_RIGHT},
      {"Delete", VK_DELETE}, {"Back", VK_BACK},     {"Home", VK_HOME},   {"End", VK_END},
  };
  return names;
}

std::optional<long> Number(const std::string& text) {
  if (text.empty()) return std::nullopt;
  char* end = nullptr;
  const long value = std::strtol(text.c_str(), &end, 10);
  if (end == nullptr || *end != '\0') return std::nullopt;
  return value;
}

// The text after the first `count` words of a line.
std::string AfterWords(const std::string& line, int count) {
  std::size_t pos = 0;
  for (int i = 0; i < count; ++i) {
    pos = line.find_first_not_of(" \t", pos);
    if (pos == std::string::npos) return {};
    pos = line.find_first_of(" \t", pos);
    if (pos == std::string::npos) return {};
  }
  pos = line.find_first_not_of(" \t", pos);
  return pos == std::string::npos ? std::string() : line.substr(pos);
}

// The window that shows `control` and the point (x, y) from the control's top-left in it.
bool ControlPoint(Driver& driver, const std::string& control, long x, long y, HWND* window, POINT* pt) {
  const std::optional<RECT> rc = driver.Rect(control);
  *window = driver.Get<HWND>([&]() -> HWND {
    CControlUI* found = driver.Control(control);
    return found != nullptr && found->GetManager() != nullptr ? found->GetManager()->GetPaintWindow() : nullptr;
  });
  if (!rc.has_value() || *window == nullptr) return false;
  *pt = POINT{rc->left + x, rc->top + y};
  return true;
}

// The numbers of arguments `first` onwards, when there are `count` of them.
std::optional<std::vector<long>> Numbers(const std::vector<std::string>& args, std::size_t first, std::size_t count) {
  if (args.size() != first + count) return std::nullopt;
  std::vector<long> numbers;
  for (std::size_t i = first; i < args.size(); ++i) {
    const auto number = Number(args[i]);
    if (!number.has_value()) return std::nullopt;
    numbers.push_back(*number);
  }
  return numbers;
}

bool PointStep(Driver& driver, const ScriptStep& step) {
  const auto& args = step.arguments;
  const bool drag = step.command == "dragat";
  const auto numbers = Numbers(args, 1, drag ? 4 : 2);
  if (!numbers.has_value()) return false;
  const std::string control = os::Utf8ToGbk(args[0]);
  HWND window = nullptr;
  POINT from{};
  if (!ControlPoint(driver, control, (*numbers)[0], (*numbers)[1], &window, &from)) return false;
  if (step.command == "clickat") return driver.ClickAt(window, from);
  if (step.command == "rclickat") return driver.RightClickAt(window, from);
  if (step.command == "dblclickat") return driver.DoubleClickAt(window, from);
  POINT to{};
  return ControlPoint(driver, control, (*numbers)[2], (*numbers)[3], &window, &to) && driver.DragAt(window, from, to);
}

bool CloseEverything(Driver& driver) {
  return driver.Run([] {
    for (;;) {
      const auto& windows = ThreadQueue::Current()->windows;
      auto root = std::find_if(windows.begin(), windows.end(), [](HWND hwnd) { return GetAncestorRoot(hwnd) == hwnd; });
      if (root == windows.end()) return;
      DestroyWindow(*root);
    }
  });
}

// Prints what the video window of a play control was given and showed.
bool PrintVideoCounts(Driver& driver, const std::string& control, const std::string& shownName) {
  const HWND video = driver.Get<HWND>([&]() -> HWND {
    auto* play = dynamic_cast<CPlayControlUI*>(driver.Control(control));
    return play != nullptr ? play->GetHandle() : nullptr;
  });
  if (video == nullptr) return false;
  const VideoFrameCounts counts = GetVideoFrameCounts(video);
  std::fprintf(stderr, "LPR_UI_SCRIPT: video %s: decoded %llu shown %llu skipped %llu replaced %llu\n",
               shownName.c_str(), static_cast<unsigned long long>(counts.decoded),
               static_cast<unsigned long long>(counts.shown), static_cast<unsigned long long>(counts.skipped),
               static_cast<unsigned long long>(counts.replaced));
  return true;
}

bool RunStep(Driver& driver, const ScriptStep& step) {
  const auto& args = step.arguments;
  const std::string& command = step.command;
  // Names and texts in the step file are UTF-8; the windows hold GBK.
  auto name = [&](std::size_t i) { return i < args.size() ? os::Utf8ToGbk(args[i]) : std::string(); };
  if (command == "wait-window") {
    if (args.empty()) return false;
    const auto timeout = args.size() > 1 ? Number(args[1]) : std::optional<long>(10000);
    if (!timeout.has_value()) return false;
    return driver.WaitForWindow(name(0), std::chrono::milliseconds(*timeout)) != nullptr;
  }
  if (command == "wait") {
    const auto ms = args.empty() ? std::nullopt : Number(args[0]);
    if (!ms.has_value() || *ms < 0) return false;
    driver.AdvanceClock(std::chrono::milliseconds(*ms));
    return true;
  }
  if (command == "click") return !args.empty() && driver.Click(name(0));
  if (command == "dblclick") return !args.empty() && driver.DoubleClick(name(0));
  if (command == "rclick") return !args.empty() && driver.RightClick(name(0));
  if (command == "clickat" || command == "rclickat" || command == "dblclickat" || command == "dragat") {
    return PointStep(driver, step);
  }
  if (command == "type") return !args.empty() && driver.Type(name(0), step.rest);
  if (command == "select") {
    const auto index = args.size() > 1 ? Number(args[1]) : std::nullopt;
    return index.has_value() && driver.Select(name(0), static_cast<int>(*index));
  }
  if (command == "key") {
    if (args.empty()) return false;
    UINT key = 0;
    if (auto it = KeyNames().find(args[0]); it != KeyNames().end()) {
      key = it->second;
    } else if (auto number = Number(args[0]); number.has_value() && *number > 0 && *number < 256) {
      key = static_cast<UINT>(*number);
    } else {
      return false;
    }
    driver.PressKey(key);
    return true;
  }
  if (command == "answer") {
    driver.AnswerNextMessageBox(args.empty() ? "ok" : args[0]);
    return true;
  }
  if (command == "answer-file") {
    driver.AnswerNextFileDialog(os::Utf8ToGbk(step.rest));
    return true;
  }
  if (command == "screenshot") {
    if (args.empty()) return false;
    const std::string path = os::Utf8ToGbk(args[0]);
    if (args.size() < 2) return driver.SaveDesktopScreenshot(path);
    const HWND window = driver.FindWindow(name(1));
    return window != nullptr && driver.SaveScreenshot(window, path);
  }
  if (command == "video") return !args.empty() && PrintVideoCounts(driver, name(0), args[0]);
  if (command == "quit") return CloseEverything(driver);
  return false;
}

}  // namespace

std::vector<ScriptStep> ParseScript(const std::string& text) {
  std::vector<ScriptStep> steps;
  std::istringstream lines(text);
  std::string line;
  int number = 0;
  while (std::getline(lines, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::istringstream words(line);
    ScriptStep step;
    step.line = number;
    if (!(words >> step.command) || step.command.front() == '#') continue;
    std::string word;
    while (words >> word) step.arguments.push_back(word);
    step.rest = AfterWords(line, step.command == "type" ? 2 : 1);
    steps.push_back(std::move(step));
  }
  return steps;
}

bool RunScriptStep(Driver& driver, const ScriptStep& step) {
  const bool ok = RunStep(driver, step);
  std::fprintf(stderr, "LPR_UI_SCRIPT: %d: %s %s\n", step.line, step.command.c_str(), ok ? "ok" : "failed");
  return ok;
}

bool RunScript(Driver& driver, const std::vector<ScriptStep>& steps) {
  bool all = true;
  for (const ScriptStep& step : steps) {
    if (!RunScriptStep(driver, step)) {
      all = false;
      break;
    }
    if (step.command == "quit") return all;
  }
  CloseEverything(driver);
  return all;
}

namespace {

struct EnvironmentScript {
  std::unique_ptr<Driver> driver;
  std::thread thread;
};

EnvironmentScript& Running() {
  static EnvironmentScript running;
  return running;
}

}  // namespace

void StartScriptFromEnvironment() {
  const char* path = std::getenv("LPR_UI_SCRIPT");
  if (path == nullptr || *path == '\0' || Running().driver != nullptr) return;
  const auto text = os::ReadWholeFile(os::Utf8ToGbk(path));
  if (!text.has_value()) {
    std::fprintf(stderr, "LPR_UI_SCRIPT: cannot read %s\n", path);
    return;
  }
  Running().driver = Driver::AttachToCurrentThread();
  Running().thread = std::thread([steps = ParseScript(*text)] { RunScript(*Running().driver, steps); });
}

void StopScriptFromEnvironment() {
  if (Running().driver == nullptr) return;
  ThreadQueue::Current()->CloseIdleWaiters();
  if (Running().thread.joinable()) Running().thread.join();
  Running().driver.reset();
}

}  // namespace ui::test

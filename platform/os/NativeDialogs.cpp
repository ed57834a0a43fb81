#include "platform/os/NativeDialogs.h"

#include <cstdio>
#include <mutex>
#include <utility>

#include "platform/os/Charset.h"

namespace os {
namespace {

// Made on first use, so that a handler installed while the program's statics start up is kept.
struct Handlers {
  std::mutex mutex;
  PlainMessageBoxHandler messageBox;
  OpenFileDialogHandler openFile;
};

Handlers& TheHandlers() {
  static Handlers handlers;
  return handlers;
}

std::string OneLine(std::string text) {
  for (char& c : text) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return text;
}

void PrintMessageBox(HWND, const std::string& text, const std::string& caption) {
  std::fprintf(stderr, "%s: %s\n", OneLine(GbkToUtf8(caption)).c_str(), OneLine(GbkToUtf8(text)).c_str());
}

}  // namespace

PlainMessageBoxHandler SetPlainMessageBoxHandler(PlainMessageBoxHandler handler) {
  std::lock_guard lock(TheHandlers().mutex);
  return std::exchange(TheHandlers().messageBox, std::move(handler));
}

void ShowPlainMessageBox(HWND owner, const std::string& text, const std::string& caption) {
  PlainMessageBoxHandler handler;
  {
    std::lock_guard lock(TheHandlers().mutex);
    handler = TheHandlers().messageBox;
  }
  // Called outside the lock: a box is modal and may run for as long as the user looks at it.
  if (handler) {
    handler(owner, text, caption);
  } else {
    PrintMessageBox(owner, text, caption);
  }
}

OpenFileDialogHandler SetOpenFileDialogHandler(OpenFileDialogHandler handler) {
  std::lock_guard lock(TheHandlers().mutex);
  return std::exchange(TheHandlers().openFile, std::move(handler));
}

std::string ShowOpenFileDialog(const OpenFileRequest& request) {
  OpenFileDialogHandler handler;
  {
    std::lock_guard lock(TheHandlers().mutex);
    handler = TheHandlers().openFile;
  }
  return handler ? handler(request) : std::string();
}

}  // namespace os

#include "platform/ui/test/Driver.h"

#include <algorithm>
#include <atomic>
#include <future>
#include <thread>

#include "platform/ui/core/MessageLoop.h"
#include "platform/ui/core/NativeWindow.h"
#include "platform/ui/core/ThreadQueue.h"
#include "platform/ui/core/UIContainer.h"
#include "platform/ui/core/UIManager.h"
#include "platform/ui/core/UIRect.h"
#include "platform/ui/host/Host.h"
#include "platform/ui/render/Canvas.h"
#include "platform/ui/render/DrawContext.h"
#include "platform/ui/render/RenderEngine.h"

namespace ui::test {
namespace {

constexpr const char* kMessageBoxClass = "UIMessageBox";
constexpr const char* kMessageBoxText = "msg_text";


bool IsRootWindow(HWND hwnd) { return hwnd != nullptr && GetAncestorRoot(hwnd) == hwnd; }

// The visible root windows of the calling thread, oldest first, the active one last.
std::vector<HWND> RootWindowsInZOrder() {
  std::vector<HWND> roots;
  for (HWND hwnd : ThreadQueue::Current()->windows) {
    if (IsRootWindow(hwnd) && IsWindowVisible(hwnd)) roots.push_back(hwnd);
  }
  const HWND active = GetActiveWindow();
  auto it = std::find(roots.begin(), roots.end(), active);
  if (it != roots.end()) std::rotate(it, it + 1, roots.end());
  return roots;
}

// Paint managers of a root window and of its child windows.
std::vector<CPaintManagerUI*> ManagersOf(HWND root) {
  std::vector<CPaintManagerUI*> managers;
  for (HWND hwnd : ThreadQueue::Current()->windows) {
    if (GetAncestorRoot(hwnd) != root) continue;
    if (CPaintManagerUI* manager = CPaintManagerUI::FromPaintWindow(hwnd)) managers.push_back(manager);
  }
  return managers;
}

// The part of the control that its parents show, in its window's client coordinates.
std::optional<RECT> ShownRect(CControlUI* control) {
  if (control == nullptr || !control->IsVisible()) return std::nullopt;
  RECT rc = control->GetPos();
  for (CControlUI* parent = control->GetParent(); parent != nullptr; parent = parent->GetParent()) {
    if (!IntersectRect(&rc, rc, parent->GetPos())) return std::nullopt;
  }
  if (RectWidth(rc) <= 0 || RectHeight(rc) <= 0) return std::nullopt;
  return rc;
}

// The root window and the point in its client area where a user clicks the control.
bool ClickPoint(CControlUI* control, HWND* root, POINT* pt) {
  CPaintManagerUI* manager = control != nullptr ? control->GetManager() : nullptr;
  if (manager == nullptr) return false;
  const HWND paint = manager->GetPaintWindow();
  *root = GetAncestorRoot(paint);
  UpdateWindow(*root);  // lays the windows out
  const auto rc = ShownRect(control);
  if (!rc.has_value()) return false;
  POINT p{(rc->left + rc->right) / 2, (rc->top + rc->bottom) / 2};
  ClientToScreen(paint, &p);
  ScreenToClient(*root, &p);
  *pt = p;
  return true;
}

// The control at the path "child/grandchild/..." inside `parent`, or nullptr.
CControlUI* FindInside(CControlUI* parent, const std::string& path) {
  std::size_t start = 0;
  CControlUI* current = parent;
  while (current != nullptr && start <= path.size()) {
    const std::size_t slash = path.find('/', start);
    const std::string part = path.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
    CPaintManagerUI* manager = current->GetManager();
    current = manager != nullptr ? manager->FindSubControlByName(current, part.c_str()) : nullptr;
    if (slash == std::string::npos) return current;
    start = slash + 1;
  }
  return nullptr;
}

// The edit window open over a control: the focused child window of its paint window, lying on it.
HWND EditWindowOver(CControlUI* control) {
  CPaintManagerUI* manager = control != nullptr ? control->GetManager() : nullptr;
  const HWND focus = GetFocus();
  if (manager == nullptr || focus == nullptr || !IsChild(manager->GetPaintWindow(), focus)) return nullptr;
  RECT edit{};
  GetWindowRect(focus, &edit);
  POINT centre{(edit.left + edit.right) / 2, (edit.top + edit.bottom) / 2};
  ScreenToClient(manager->GetPaintWindow(), &centre);
  return PtInRect(control->GetPos(), centre) ? focus : nullptr;
}

// A user's click (or double click) at a point of a root window's client area.
void InjectClick(HWND root, POINT pt, UINT down, UINT up, int times) {
  ThreadQueue::Current()->lastDownWindow = nullptr;  // a new click, however soon after the last one
  HostMouseEvent(root, WM_MOUSEMOVE, pt, 0);
  const WPARAM button = down == WM_RBUTTONDOWN ? MK_RBUTTON : MK_LBUTTON;
  for (int i = 0; i < times; ++i) {
    HostMouseEvent(root, down, pt, button);
    HostMouseEvent(root, up, pt, 0);
  }
}

// The window whose keyboard input goes to the focus: the focus's root, else the active window.
HWND KeyboardRoot() {
  const HWND focus = GetFocus();
  return focus != nullptr ? GetAncestorRoot(focus) : GetActiveWindow();
}

}  // namespace

struct Driver::ThreadState {
  std::thread thread;
  std::atomic<bool> stopping{false};
  std::atomic<int> quits{0};
};

Driver::Driver() : Driver(DriverOptions{}) {}

Driver::Driver(const DriverOptions& options) : m_options(options), m_ownThread(true) {
  if (m_options.virtualClock) {
    m_clock = std::make_unique<os::VirtualClock>();
    os::SetClock(m_clock.get());
  }
  InstallDialogHandlers();
  m_thread = std::make_unique<ThreadState>();
  std::promise<std::shared_ptr<ThreadQueue>> ready;
  auto queue = ready.get_future();
  m_thread->thread = std::thread([this, &ready] {
    ready.set_value(ThreadQueue::Current());
    ThreadMain();
  });
  m_queue = queue.get();
}

Driver::Driver(const DriverOptions& options, Attach) : m_options(options), m_queue(ThreadQueue::Current()) {
  m_options.virtualClock = false;
  InstallDialogHandlers();
}

std::unique_ptr<Driver> Driver::AttachToCurrentThread(const DriverOptions& options) {
  return std::unique_ptr<Driver>(new Driver(options, Attach{}));
}

Driver::~Driver() {
  if (m_ownThread) {
    m_thread->stopping = true;
    m_queue->Quit(0);
    m_thread->thread.join();
    if (m_clock != nullptr) os::SetClock(nullptr);
  }
  os::SetOpenFileDialogHandler(std::move(m_previousFileDialog));
  os::SetPlainMessageBoxHandler(std::move(m_previousPlainMessageBox));
}

void Driver::ThreadMain() {
  while (!m_thread->stopping) {
    CPaintManagerUI::MessageLoop();
    if (!m_thread->stopping) ++m_thread->quits;
  }
  // What the test left open goes with the thread.
  for (;;) {
    const auto& windows = ThreadQueue::Current()->windows;
    auto root = std::find_if(windows.begin(), windows.end(), IsRootWindow);
    if (root == windows.end()) break;
    DestroyWindow(*root);
  }
  RunDeferred(true);
}

void Driver::InstallDialogHandlers() {
  m_previousFileDialog = os::SetOpenFileDialogHandler([this](const os::OpenFileRequest& request) {
    std::lock_guard lock(m_mutex);
    m_fileRequests.push_back(request);
    if (m_fileAnswers.empty()) return std::string();
    std::string answer = m_fileAnswers.front();
    m_fileAnswers.erase(m_fileAnswers.begin());
    return answer;
  });
  m_previousPlainMessageBox = os::SetPlainMessageBoxHandler([this](HWND, const std::string& text,
                                                                     const std::string& caption) {
    std::lock_guard lock(m_mutex);
    m_plainBoxes.push_back(PlainMessageBox{text, caption});
  });
}

int Driver::QuitCount() const { return m_thread != nullptr ? m_thread->quits.load() : 0; }

bool Driver::PostAndWait(const std::function<void()>& code, bool* finished) {
  // `code` refers to the caller's frame: once the caller gave up waiting, it must never start.
  struct Command {
    std::mutex mutex;
    bool started = false;
    bool cancelled = false;
    std::atomic<bool> done{false};
  };
  auto command = std::make_shared<Command>();
  const std::uint64_t before = m_queue->PostCommand([code, command] {
    {
      std::lock_guard lock(command->mutex);
      if (command->cancelled) return;
      command->started = true;
    }
    code();
    command->done = true;
  });
  const bool idle = m_queue->WaitForIdle(before, m_options.idleTimeout);
  if (!idle) {
    std::lock_guard lock(command->mutex);
    if (!command->started) command->cancelled = true;
  }
  if (finished != nullptr) *finished = command->done;
  return idle;
}

bool Driver::Run(const std::function<void()>& code) {
  bool finished = false;
  // Code that ended the window thread's loop (it closed the last window) has done its part too.
  if (!PostAndWait(code, &finished)) return finished && m_queue->IdleWaitersClosed();
  AnswerPendingMessageBoxes();
  return finished;
}

bool Driver::WaitUntilIdle() {
  const bool idle = PostAndWait([] {}, nullptr);
  AnswerPendingMessageBoxes();
  return idle;
}

HWND Driver::FindMessageBox() {
  const auto roots = RootWindowsInZOrder();
  for (auto it = roots.rbegin(); it != roots.rend(); ++it) {
    if (GetWindowClassNameOf(*it) == kMessageBoxClass) return *it;
  }
  return nullptr;
}

void Driver::AnswerPendingMessageBoxes() {
  for (int guard = 0; guard < 64; ++guard) {
    HWND box = nullptr;
    std::string text;
    PostAndWait(
        [&] {
          box = FindMessageBox();
          if (box == nullptr) return;
          for (CPaintManagerUI* manager : ManagersOf(box)) {
            if (CControlUI* label = manager->FindControl(kMessageBoxText)) text = label->GetText().Str();
          }
        },
        nullptr);
    if (box == nullptr) return;
    std::string answer;
    {
      std::lock_guard lock(m_mutex);
      if (std::find(m_seenMessageBoxes.begin(), m_seenMessageBoxes.end(), box) == m_seenMessageBoxes.end()) {
        m_seenMessageBoxes.push_back(box);
        m_messageBoxTexts.push_back(text);
      }
      if (m_messageBoxAnswers.empty()) return;
      answer = m_messageBoxAnswers.front();
      m_messageBoxAnswers.erase(m_messageBoxAnswers.begin());
    }
    if (!ClickControl(answer, box, WM_LBUTTONDOWN, WM_LBUTTONUP, false)) return;
  }
}

void Driver::AdvanceClock(std::chrono::milliseconds duration) {
  if (m_clock == nullptr) {
    m_queue->SleepUnlessClosed(duration);
    WaitUntilIdle();
    return;
  }
  auto remaining = duration;
  while (remaining.count() > 0) {
    std::optional<os::Clock::Duration> next;
    PostAndWait([&] { next = m_queue->NextTimerIn(); }, nullptr);
    auto step = remaining;
    if (next.has_value() && *next < remaining) step = std::max(*next, os::Clock::Duration(1));
    m_clock->Advance(step);
    remaining -= step;
    WaitUntilIdle();
  }
}

HWND Driver::FindWindow(const std::string& name) {
  return Get<HWND>([&]() -> HWND {
    const auto roots = RootWindowsInZOrder();
    for (auto it = roots.rbegin(); it != roots.rend(); ++it) {
      if (GetWindowTextString(*it) == name || GetWindowClassNameOf(*it) == name) return *it;
    }
    return nullptr;
  });
}

HWND Driver::WaitForWindow(const std::string& name, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    const HWND hwnd = FindWindow(name);
    if (hwnd != nullptr && Get<bool>([hwnd] { return CurrentHost().WindowReady(hwnd); })) return hwnd;
    // After the window thread's loop ended no window comes any more.
    if (std::chrono::steady_clock::now() >= deadline || m_queue->IdleWaitersClosed()) return nullptr;
    if (m_clock != nullptr) {
      AdvanceClock(std::chrono::milliseconds(50));
    } else {
      m_queue->SleepUnlessClosed(std::chrono::milliseconds(20));
    }
  }
}

HWND Driver::ActiveWindow() { return Get<HWND>([] { return GetActiveWindow(); }); }

std::vector<HWND> Driver::VisibleWindows() {
  return Get<std::vector<HWND>>([] { return RootWindowsInZOrder(); });
}

std::string Driver::WindowName(HWND hwnd) {
  return Get<std::string>([hwnd] { return GetWindowTextString(hwnd); });
}

CControlUI* Driver::Control(const std::string& name, HWND window) {
  const std::size_t slash = name.find('/');
  std::vector<HWND> roots;
  if (window != nullptr) {
    roots.push_back(GetAncestorRoot(window));
  } else {
    roots = RootWindowsInZOrder();
    std::reverse(roots.begin(), roots.end());
  }
  const std::string first = name.substr(0, slash);
  for (HWND root : roots) {
    for (CPaintManagerUI* manager : ManagersOf(root)) {
      CControlUI* control = manager->FindControl(first.c_str());
      if (control == nullptr) continue;
      if (slash == std::string::npos) return control;
      if (CControlUI* inner = FindInside(control, name.substr(slash + 1))) return inner;
    }
  }
  return nullptr;
}

bool Driver::Exists(const std::string& control, HWND window) {
  return Get<bool>([&] { return Control(control, window) != nullptr; });
}

std::string Driver::Text(const std::string& control, HWND window) {
  return Get<std::string>([&] {
    CControlUI* found = Control(control, window);
    return found != nullptr ? found->GetText().Str() : std::string();
  });
}

bool Driver::IsEnabled(const std::string& control, HWND window) {
  return Get<bool>([&] {
    CControlUI* found = Control(control, window);
    return found != nullptr && found->IsEnabled();
  });
}

bool Driver::IsVisible(const std::string& control, HWND window) {
  return Get<bool>([&] {
    CControlUI* found = Control(control, window);
    return found != nullptr && found->IsVisible();
  });
}

std::optional<RECT> Driver::Rect(const std::string& control, HWND window) {
  return Get<std::optional<RECT>>([&]() -> std::optional<RECT> {
    CControlUI* found = Control(control, window);
    if (found == nullptr) return std::nullopt;
    if (found->GetManager() != nullptr) UpdateWindow(found->GetManager()->GetPaintWindow());
    return found->GetPos();
  });
}

bool Driver::ClickControl(const std::string& control, HWND window, UINT down, UINT up, bool twice) {
  bool clicked = false;
  PostAndWait(
      [&] {
        HWND root = nullptr;
        POINT pt{};
        if (!ClickPoint(Control(control, window), &root, &pt)) return;
        InjectClick(root, pt, down, up, twice ? 2 : 1);
        clicked = true;
      },
      nullptr);
  AnswerPendingMessageBoxes();
  return clicked;
}

bool Driver::Click(const std::string& control, HWND window) {
  return ClickControl(control, window, WM_LBUTTONDOWN, WM_LBUTTONUP, false);
}

bool Driver::DoubleClick(const std::string& control, HWND window) {
  return ClickControl(control, window, WM_LBUTTONDOWN, WM_LBUTTONUP, true);
}

bool Driver::RightClick(const std::string& control, HWND window) {
  return ClickControl(control, window, WM_RBUTTONDOWN, WM_RBUTTONUP, false);
}

bool Driver::Hover(const std::string& control, HWND window) {
  bool moved = false;
  PostAndWait(
      [&] {
        HWND root = nullptr;
        POINT pt{};
        if (!ClickPoint(Control(control, window), &root, &pt)) return;
        HostMouseEvent(root, WM_MOUSEMOVE, pt, 0);
        moved = true;
      },
      nullptr);
  return moved;
}

bool Driver::DragAt(HWND window, POINT from, POINT to, int steps) {
  bool dragged = false;
  steps = std::max(steps, 1);
  PostAndWait(
      [&] {
        const HWND root = GetAncestorRoot(window);
        if (root == nullptr) return;
        POINT start = from;
        POINT end = to;
        ClientToScreen(window, &start);
        ScreenToClient(root, &start);
        ClientToScreen(window, &end);
        ScreenToClient(root, &end);
        ThreadQueue::Current()->lastDownWindow = nullptr;
        HostMouseEvent(root, WM_MOUSEMOVE, start, 0);
        HostMouseEvent(root, WM_LBUTTONDOWN, start, MK_LBUTTON);
        for (int i = 1; i <= steps; ++i) {
          const POINT pt{start.x + (end.x - start.x) * i / steps, start.y + (end.y - start.y) * i / steps};
          HostMouseEvent(root, WM_MOUSEMOVE, pt, MK_LBUTTON);
        }
        HostMouseEvent(root, WM_LBUTTONUP, end, 0);
        dragged = true;
      },
      nullptr);
  AnswerPendingMessageBoxes();
  return dragged;
}

bool Driver::Drag(const std::string& control, int dx, int dy, int steps, HWND window) {
  HWND root = nullptr;
  POINT pt{};
  const bool found = Get<bool>([&] { return ClickPoint(Control(control, window), &root, &pt); });
  if (!found) return false;
  return DragAt(root, pt, POINT{pt.x + dx, pt.y + dy}, steps);
}

bool Driver::InjectAt(HWND window, POINT pt, const std::function<void(HWND root, POINT rootPoint)>& inject) {
  bool injected = false;
  PostAndWait(
      [&] {
        const HWND root = GetAncestorRoot(window);
        if (root == nullptr) return;
        POINT p = pt;
        ClientToScreen(window, &p);
        ScreenToClient(root, &p);
        inject(root, p);
        injected = true;
      },
      nullptr);
  AnswerPendingMessageBoxes();
  return injected;
}

bool Driver::ClickAt(HWND window, POINT pt) {
  return InjectAt(window, pt, [](HWND root, POINT p) { InjectClick(root, p, WM_LBUTTONDOWN, WM_LBUTTONUP, 1); });
}

bool Driver::DoubleClickAt(HWND window, POINT pt) {
  return InjectAt(window, pt, [](HWND root, POINT p) { InjectClick(root, p, WM_LBUTTONDOWN, WM_LBUTTONUP, 2); });
}

bool Driver::MoveAt(HWND window, POINT pt) {
  return InjectAt(window, pt, [](HWND root, POINT p) {
    HostMouseEvent(root, WM_MOUSEMOVE, p, GetKeyState(VK_LBUTTON) < 0 ? MK_LBUTTON : 0);
  });
}

bool Driver::PressAt(HWND window, POINT pt) {
  return InjectAt(window, pt, [](HWND root, POINT p) {
    ThreadQueue::Current()->lastDownWindow = nullptr;
    HostMouseEvent(root, WM_MOUSEMOVE, p, 0);
    HostMouseEvent(root, WM_LBUTTONDOWN, p, MK_LBUTTON);
  });
}

bool Driver::ReleaseAt(HWND window, POINT pt) {
  return InjectAt(window, pt, [](HWND root, POINT p) {
    HostMouseEvent(root, WM_MOUSEMOVE, p, GetKeyState(VK_LBUTTON) < 0 ? MK_LBUTTON : 0);
    HostMouseEvent(root, WM_LBUTTONUP, p, 0);
  });
}

bool Driver::RightClickAt(HWND window, POINT pt) {
  return InjectAt(window, pt, [](HWND root, POINT p) { InjectClick(root, p, WM_RBUTTONDOWN, WM_RBUTTONUP, 1); });
}

HWND Driver::OpenEditWindow(const std::string& control, HWND window) {
  HWND edit = Get<HWND>([&] { return EditWindowOver(Control(control, window)); });
  if (edit == nullptr && Click(control, window)) edit = Get<HWND>([&] { return EditWindowOver(Control(control, window)); });
  return edit;
}

bool Driver::SelectEditField(const std::string& control, int charIndex, HWND window) {
  const HWND edit = OpenEditWindow(control, window);
  if (edit == nullptr || charIndex < 0) return false;
  const std::optional<POINT> place = Get<std::optional<POINT>>([&]() -> std::optional<POINT> {
    const LRESULT position = SendMessage(edit, EM_POSFROMCHAR, static_cast<WPARAM>(charIndex), 0);
    RECT client{};
    if (position == -1 || !GetClientRect(edit, &client)) return std::nullopt;
    return POINT{GET_X_LPARAM(position) + 1, RectHeight(client) / 2};
  });
  return place.has_value() && DoubleClickAt(edit, *place);
}

bool Driver::Type(const std::string& control, const std::string& utf8, HWND window) {
  if (!Click(control, window)) return false;
  // Every key must reach what the click gave the keyboard to: had the focus moved on (another
  // window activated), the text would go elsewhere and be lost without a word.
  const HWND focus = Get<HWND>([] { return GetFocus(); });
  auto key = [&](UINT message, UINT virtualKey) {
    return InjectAtFocus(focus, [=] { HostKeyEvent(KeyboardRoot(), message, virtualKey); });
  };
  bool selected = key(WM_KEYDOWN, VK_HOME) && key(WM_KEYUP, VK_HOME) && key(WM_KEYDOWN, VK_SHIFT);
  if (selected) {
    selected = key(WM_KEYDOWN, VK_END) && key(WM_KEYUP, VK_END);
    KeyUp(VK_SHIFT);  // wherever the focus is now: never left held
  }
  return selected && InjectAtFocus(focus, [&] { HostTextInput(KeyboardRoot(), utf8); });
}

bool Driver::InjectAtFocus(HWND focus, const std::function<void()>& inject) {
  bool sent = false;
  PostAndWait(
      [&] {
        if (focus == nullptr || GetFocus() != focus) return;
        inject();
        sent = true;
      },
      nullptr);
  AnswerPendingMessageBoxes();
  return sent;
}

void Driver::TypeText(const std::string& utf8) {
  PostAndWait([&] { HostTextInput(KeyboardRoot(), utf8); }, nullptr);
  AnswerPendingMessageBoxes();
}

void Driver::KeyDown(UINT virtualKey) {
  PostAndWait([&] { HostKeyEvent(KeyboardRoot(), WM_KEYDOWN, virtualKey); }, nullptr);
  AnswerPendingMessageBoxes();
}

void Driver::KeyUp(UINT virtualKey) {
  PostAndWait([&] { HostKeyEvent(KeyboardRoot(), WM_KEYUP, virtualKey); }, nullptr);
  AnswerPendingMessageBoxes();
}

void Driver::PressKey(UINT virtualKey) {
  KeyDown(virtualKey);
  KeyUp(virtualKey);
}

void Driver::Wheel(const std::string& control, int delta, HWND window) {
  PostAndWait(
      [&] {
        HWND root = nullptr;
        POINT pt{};
        if (ClickPoint(Control(control, window), &root, &pt)) HostWheelEvent(root, pt, delta, 0);
      },
      nullptr);
  AnswerPendingMessageBoxes();
}

bool Driver::Select(const std::string& control, int index, HWND window) {
  bool isCombo = false;
  bool exists = false;
  PostAndWait(
      [&] {
        CControlUI* found = Control(control, window);
        exists = found != nullptr && found->GetInterface("IContainer") != nullptr;
        isCombo = exists && found->GetInterface("Combo") != nullptr;
      },
      nullptr);
  if (!exists) return false;
  if (isCombo && !Click(control, window)) return false;
  bool clicked = false;
  PostAndWait(
      [&] {
        CControlUI* found = Control(control, window);
        auto* items = found != nullptr ? static_cast<IContainerUI*>(found->GetInterface("IContainer")) : nullptr;
        CControlUI* item = items != nullptr ? items->GetItemAt(index) : nullptr;
        if (item == nullptr || item->GetManager() == nullptr) return;
        UpdateWindow(item->GetManager()->GetPaintWindow());
        if (auto* scroller = dynamic_cast<CContainerUI*>(item->GetParent())) scroller->EnsureVisible(item);
        HWND root = nullptr;
        POINT pt{};
        if (!ClickPoint(item, &root, &pt)) return;
        InjectClick(root, pt, WM_LBUTTONDOWN, WM_LBUTTONUP, 1);
        clicked = true;
      },
      nullptr);
  AnswerPendingMessageBoxes();
  return clicked;
}

void Driver::AnswerNextMessageBox(const std::string& button) {
  {
    std::lock_guard lock(m_mutex);
    m_messageBoxAnswers.push_back(button);
  }
  AnswerPendingMessageBoxes();
}

std::optional<std::string> Driver::OpenMessageBoxText() {
  std::optional<std::string> text;
  PostAndWait(
      [&] {
        HWND box = FindMessageBox();
        if (box == nullptr) return;
        text = std::string();
        for (CPaintManagerUI* manager : ManagersOf(box)) {
          if (CControlUI* label = manager->FindControl(kMessageBoxText)) *text = label->GetText().Str();
        }
      },
      nullptr);
  return text;
}

bool Driver::AnswerMessageBox(const std::string& button) {
  const HWND box = Get<HWND>([this] { return FindMessageBox(); });
  return box != nullptr && ClickControl(button, box, WM_LBUTTONDOWN, WM_LBUTTONUP, false);
}

std::vector<std::string> Driver::MessageBoxTexts() const {
  std::lock_guard lock(m_mutex);
  return m_messageBoxTexts;
}

void Driver::AnswerNextFileDialog(const std::string& path) {
  std::lock_guard lock(m_mutex);
  m_fileAnswers.push_back(path);
}

std::vector<os::OpenFileRequest> Driver::FileDialogRequests() const {
  std::lock_guard lock(m_mutex);
  return m_fileRequests;
}

std::vector<PlainMessageBox> Driver::PlainMessageBoxes() const {
  std::lock_guard lock(m_mutex);
  return m_plainBoxes;
}

bool Driver::SaveScreenshot(HWND window, const std::string& path) {
  return Get<bool>([&] {
    const HWND root = GetAncestorRoot(window);
    if (root == nullptr) return false;
    InvalidateRect(root, nullptr);
    const Canvas* picture = HostWindowPicture(root);
    return picture != nullptr && picture->SavePng(path);
  });
}

bool Driver::SaveDesktopScreenshot(const std::string& path) {
  return Get<bool>([&] {
    const RECT work = CurrentHost().WorkArea();
    Canvas desktop(static_cast<int>(RectWidth(work)), static_cast<int>(RectHeight(work)));
    desktop.Clear(0xFF5B7A99);
    DrawContext dc(desktop);
    const RECT all{0, 0, desktop.Width(), desktop.Height()};
    for (HWND root : RootWindowsInZOrder()) {
      InvalidateRect(root, nullptr);
      const Canvas* picture = HostWindowPicture(root);
      auto image = picture != nullptr ? picture->ToImage() : nullptr;
      if (image == nullptr) continue;
      RECT rc{};
      GetWindowRect(root, &rc);
      rc = OffsetRect(rc, POINT{-work.left, -work.top});
      const RECT shadow = OffsetRect(rc, POINT{3, 3});
      CRenderEngine::DrawColor(&dc, shadow, 0x50000000);
      CRenderEngine::DrawImage(&dc, *image, rc, all, RECT{0, 0, image->Width(), image->Height()}, RECT{});
      CRenderEngine::DrawRect(&dc, RECT{rc.left - 1, rc.top - 1, rc.right + 1, rc.bottom + 1}, 1, 0xFF2F4A66);
    }
    return desktop.SavePng(path);
  });
}

}  // namespace ui::test

#include "tests/configtool/support/MainWindowHarness.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

#include "cameraclient/CameraClient.h"
#include "common/SkinPackage.h"
#include "configtool/controls/PlateListItem.h"
#include "platform/os/AppDirectory.h"
#include "platform/os/Charset.h"
#include "platform/ui/UIlib.h"
#include "platform/ui/render/ImageDescription.h"
#include "tests/support/LoopbackBlock.h"

namespace configtool::test {
namespace {

std::filesystem::path MakeAppFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "corvex-test-XXXXXX").string();
  const char* made = ::mkdtemp(pattern.data());
  return made != nullptr ? std::filesystem::path(made) : std::filesystem::path();
}

ui::CListUI* ListOf(CMainWnd* window, const std::string& name) {
  return dynamic_cast<ui::CListUI*>(window->GetPaintManager()->FindControl(name.c_str()));
}

}  // namespace

MainWindowHarness::MainWindowHarness() : m_appFolder(MakeAppFolder()), m_base(lpr::test::ProcessLoopbackPrefix()) {
  os::SetApplicationDirectoryForTesting(m_appFolder.string());
  m_driver = std::make_unique<ui::test::Driver>();
  std::uint32_t size = 0;
  m_skin.reset(LoadSkinPackage(LPR_TEST_SKIN_PACKAGE, size));
  if (m_skin) ui::CResourceManagerUI::SetResourceZipPtr(m_skin.get(), size);
  ui::CStyleManagerUI::InitInstance();
  ui::CStyleManagerUI::Instance()->LoadStyles("style.xml");
  ui::CStyleManagerUI::Instance()->ApplyStyle("light blue");

  camsim::SimulatorOptions options;
  options.clock = m_driver->Clock();
  options.multicastGroup.clear();
  m_simulator = std::make_unique<camsim::Simulator>(options);
  CameraClient_Setup();
}

MainWindowHarness::~MainWindowHarness() {
  // The window's end closes its camera, so it goes before the library.
  m_driver->Run([this] {
    if (m_hwnd != nullptr && ui::IsWindow(m_hwnd)) ui::DestroyWindow(m_hwnd);
  });
  CameraClient_Cleanup();
  m_simulator->Stop();
  m_simulator.reset();
  m_driver.reset();
  ui::CResourceManagerUI::SetResourceZipPtr(nullptr, 0);
  ui::CStyleManagerUI::FreeInstance();
  os::SetApplicationDirectoryForTesting("");
  std::error_code ignored;
  std::filesystem::remove_all(m_appFolder, ignored);
}

bool MainWindowHarness::AddCameras(std::size_t count, const camsim::CameraProfile& profile) {
  std::string error;
  const bool added = m_simulator->AddCameras(count, m_base + std::to_string(m_simulator->Count() + 1),
                                             profile.port, profile, &error);
  if (!added) std::fprintf(stderr, "cameras not started: %s\n", error.c_str());
  ::setenv("CAMERACLIENT_SEARCH_TARGETS", m_simulator->SearchTargets().c_str(), 1);
  return added;
}

CMainWnd* MainWindowHarness::OpenMainWindow() {
  m_driver->Run([this] {
    m_window = new CMainWnd;
    if (m_window->CreateWnd("skin.xml", nullptr, "Corvex", m_window->ControlFactory(), false, false, true, 1) ==
        nullptr) {
      m_window = nullptr;
      return;
    }
    m_hwnd = m_window->GetHWND();
    m_window->GetPaintManager()->AddMessageFilter(&m_plateResults);
    m_window->CenterWindow();
    m_window->ShowWindow(true, true);
  });
  return m_window;
}

void MainWindowHarness::OpenWith(const std::string& ip, const std::string& port, const std::string& user,
                                 const std::string& password, const std::string& userPassword) {
  auto setText = [this](const char* control, const std::string& utf8) {
    m_driver->Run([&] { m_driver->Control(control)->SetText(os::Utf8ToGbk(utf8).c_str()); });
  };
  // The IP is typed, as the operator does, so that the window sees the change.
  m_driver->Run([&] { m_driver->Control("edit_device_ip")->SetText(""); });
  m_driver->Type("edit_device_ip", ip);
  setText("edit_device_port", port);
  setText("edit_device_username", user);
  setText("edit_device_login_pwd", password);
  setText("edit_device_user_pwd", userPassword);
  m_driver->Click("btn_open");
}

void MainWindowHarness::OpenCamera(std::size_t index, const std::string& userPassword) {
  OpenWith(Camera(index).Ip(), std::to_string(Camera(index).Port()), "qorvt", "qorvt", userPassword);
}

OpenDeviceState MainWindowHarness::DeviceState() {
  return m_driver->Get<OpenDeviceState>([this] { return m_window->DeviceState(); });
}

SelectedSearchRow MainWindowHarness::SelectedRow() {
  return m_driver->Get<SelectedSearchRow>([this] { return m_window->SelectedRow(); });
}

int MainWindowHarness::RowCount(const std::string& list) {
  return m_driver->Get<int>([&] {
    ui::CListUI* control = ListOf(m_window, list);
    return control != nullptr ? control->GetCount() : -1;
  });
}

std::string MainWindowHarness::RowText(const std::string& list, int index) {
  return m_driver->Get<std::string>([&] {
    ui::CListUI* control = ListOf(m_window, list);
    ui::CControlUI* row = control != nullptr ? control->GetItemAt(index) : nullptr;
    return row != nullptr ? row->GetText().Str() : std::string();
  });
}

std::string MainWindowHarness::PlateRowText(int index, const std::string& name) {
  return m_driver->Get<std::string>([&] {
    ui::CListUI* list = ListOf(m_window, "plate_result_list");
    ui::CControlUI* row = list != nullptr ? list->GetItemAt(index) : nullptr;
    ui::CControlUI* control = row != nullptr ? m_window->GetPaintManager()->FindSubControlByName(row, name.c_str()) : nullptr;
    return control != nullptr ? control->GetText().Str() : std::string();
  });
}

std::string MainWindowHarness::PlateRowPicture(int index) {
  return m_driver->Get<std::string>([&] {
    ui::CListUI* list = ListOf(m_window, "plate_result_list");
    auto* row = dynamic_cast<CPlateListItem*>(list != nullptr ? list->GetItemAt(index) : nullptr);
    return row != nullptr ? row->PicturePath() : std::string();
  });
}

std::optional<SIZE> MainWindowHarness::PlateRowShownPicture(int index) {
  return m_driver->Get<std::optional<SIZE>>([&]() -> std::optional<SIZE> {
    ui::CPaintManagerUI* manager = m_window->GetPaintManager();
    ui::CListUI* list = ListOf(m_window, "plate_result_list");
    ui::CControlUI* row = list != nullptr ? list->GetItemAt(index) : nullptr;
    ui::CControlUI* picture = row != nullptr ? manager->FindSubControlByName(row, "container_plate_img") : nullptr;
    if (picture == nullptr) return std::nullopt;
    // As the renderer reads the background: an image description, then the image of its file.
    const std::optional<ui::ImageDescription> description = ui::ParseImageDescription(picture->GetBkImage().Str());
    if (!description) return std::nullopt;
    const std::shared_ptr<const ui::Image> image = manager->GetImage(description->file.c_str());
    if (image == nullptr) return std::nullopt;
    return SIZE{image->Width(), image->Height()};
  });
}

LRESULT MainWindowHarness::PlateResultCounter::MessageHandler(UINT message, WPARAM, LPARAM, bool& handled) {
  handled = false;
  if (message == WM_PLATE_RESULT) {
    std::lock_guard lock(m_mutex);
    ++m_count;
    m_handled.notify_all();
  }
  return 0;
}

bool MainWindowHarness::PlateResultCounter::WaitFor(int count, std::chrono::milliseconds limit) {
  std::unique_lock lock(m_mutex);
  return m_handled.wait_for(lock, limit, [&] { return m_count >= count; });
}

bool MainWindowHarness::WaitForPlateResults(int count, std::chrono::milliseconds limit) {
  const bool handled = m_plateResults.WaitFor(count, limit);
  m_driver->WaitUntilIdle();
  return handled;
}

bool MainWindowHarness::Eventually(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  for (;;) {
    m_driver->WaitUntilIdle();
    if (condition()) return true;
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

std::string MainWindowHarness::LastMessage() const {
  const std::vector<std::string> texts = Messages();
  return texts.empty() ? std::string() : texts.back();
}

std::string MainWindowHarness::DismissMessageBox(const std::string& button) {
  const std::optional<std::string> text = m_driver->OpenMessageBoxText();
  if (!text) return {};
  m_driver->AnswerMessageBox(button);
  return *text;
}

std::string MainWindowHarness::ReadFile(const std::filesystem::path& path) const {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

}  // namespace configtool::test

#include "tests/batch/ui/BatchProgram.h"

#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <set>
#include <thread>

#include <gtest/gtest.h>

#include "batch/BatchListItem.h"
#include "batch/BatchThreads.h"
#include "batch/ConfigFile.h"
#include "batch/CountingSemaphore.h"
#include "batch/DlgBatchOperationCfg.h"
#include "cameraclient/CameraClient.h"
#include "common/SkinPackage.h"
#include "common/StringUtil.h"
#include "platform/camera/protocol/FirmwareImage.h"
#include "platform/os/AppDirectory.h"
#include "platform/os/File.h"
#include "platform/ui/UIlib.h"
#include "tests/support/LoopbackBlock.h"

namespace {

constexpr std::uint16_t kPort = 8080;
constexpr std::chrono::milliseconds kStep{100};

const char* const kTabOptions[] = {"tab_update", "tab_config", "tab_update_self"};

ui::CControlUI* FirstNamed(ui::CControlUI* row, std::initializer_list<const char*> names) {
  for (const char* name : names) {
    if (ui::CControlUI* control = row->GetManager() != nullptr
                                      ? row->GetManager()->FindSubControlByName(row, name)
                                      : nullptr) {
      return control;
    }
  }
  return nullptr;
}

std::string TextOf(ui::CControlUI* row, std::initializer_list<const char*> names) {
  ui::CControlUI* control = FirstNamed(row, names);
  return control != nullptr ? control->GetText().Str() : std::string();
}

RowView ViewOf(CBatchListItem* row) {
  RowView view;
  view.ip = TextOf(row, {"lbl_device_ip"});
  view.port = TextOf(row, {"lbl_device_port"});
  view.version = TextOf(row, {"lbl_current_version", "lbl_cur_version"});
  view.image = TextOf(row, {"lbl_update_version"});
  view.status = TextOf(row, {"lbl_import_status", "lbl_update_status"});
  view.percent = TextOf(row, {"lbl_import_progress", "lbl_update_progress"});
  if (auto* progress = dynamic_cast<ui::CProgressUI*>(FirstNamed(row, {"prog_import_pos", "prog_update_pos"}))) {
    view.progress = progress->GetValue();
  }
  if (auto* login = dynamic_cast<ui::CButtonUI*>(FirstNamed(row, {"dlg_btn_login"}))) {
    view.loggedIn = login->GetNormalImage().Find("btn_hot_connect.png") >= 0;
    view.loginEnabled = login->IsEnabled();
  }
  if (ui::CControlUI* action = FirstNamed(row, {"dlg_btn_import", "dlg_btn_update"})) {
    view.actionEnabled = action->IsEnabled();
  }
  view.checked = row->IsChecked();
  view.busy = row->IsBusy();
  return view;
}

}  // namespace

BatchProgram::BatchProgram(camsim::SimulatorOptions options, bool realTime)
    : m_realTime(realTime), m_driver(ui::test::DriverOptions{!realTime, std::chrono::seconds(60)}) {
  m_previousFolder = std::filesystem::current_path().string();
  std::filesystem::current_path(m_folder.Path());
  os::SetApplicationDirectoryForTesting(m_folder.Path());
  static const int setUp = CameraClient_Setup();
  (void)setUp;
  // What an earlier test of this process left loaded.
  LoadConfigFile(m_folder.Path("none.json"));
  GetBatchThreads().ResetPeak();

  std::uint32_t size = 0;
  m_skin.reset(LoadSkinPackage(LPR_SKIN_PACKAGE, size));
  if (m_skin != nullptr) {
    m_driver.Run([&] {
      ui::CResourceManagerUI::SetResourceZipPtr(m_skin.get(), size);
      ui::CStyleManagerUI::Instance()->LoadStyles("style.xml");
      ui::CStyleManagerUI::Instance()->ApplyStyle("light blue");
    });
  }
  options.clock = m_driver.Clock();
  options.multicastGroup.clear();
  m_simulator = std::make_unique<camsim::Simulator>(options);
}

BatchProgram::~BatchProgram() {
  if (m_window != nullptr && m_driver.Get<bool>([&] { return ui::IsWindow(m_window); })) Destroy();
  m_simulator.reset();
  m_driver.Run([] { ui::CResourceManagerUI::SetResourceZipPtr(nullptr, 0); });
  os::SetApplicationDirectoryForTesting("");
  std::filesystem::current_path(m_previousFolder);
}

void BatchProgram::AddCameras(int count, camsim::CameraProfile profile) {
  for (int i = 0; i < count; ++i) AddCameraAt(m_nextHost++, profile);
}

void BatchProgram::AddCameraAt(int host, camsim::CameraProfile profile) {
  profile.ip = lpr::test::ProcessLoopbackPrefix() + std::to_string(host);
  profile.port = kPort;
  profile.idLow = static_cast<std::uint32_t>(host);
  profile.idHigh = 0x5B000000u + static_cast<std::uint32_t>(::getpid());
  std::string error;
  if (m_simulator->AddCamera(profile, &error) == nullptr) ADD_FAILURE() << "camera " << profile.ip << ": " << error;
}

void BatchProgram::Start() {
  const std::string targets = m_simulator->SearchTargets();
  setenv("CAMERACLIENT_SEARCH_TARGETS", targets.c_str(), 1);
  std::vector<std::string> addresses;
  SplitString(targets, ",", addresses);
  m_searchTargets = std::set<std::string>(addresses.begin(), addresses.end());
  ASSERT_NE(m_skin, nullptr) << "no skin package at " << LPR_SKIN_PACKAGE;
  m_driver.Run([&] {
    m_dialog = GetBatchDialog();
    if (m_dialog->CreateWnd("Dlg_Batch_Operation_Cfg.xml", nullptr, "batch_operation", m_dialog->ControlFactory(),
                            false, false, true, 1) != nullptr) {
      m_dialog->CenterWindow();
      m_dialog->ShowWindow(true, true);
      m_window = m_dialog->GetHWND();
    }
  });
  ASSERT_NE(m_window, nullptr);
}

bool BatchProgram::ThreadsQuiet() {
  const int waiting = DiscoverySlots().Waiters() + ImportSlots().Waiters() + UpdateSlots().Waiters() +
                      SelfUpdateSlots().Waiters();
  BatchThreads& threads = GetBatchThreads();
  return threads.Paused() + waiting >= threads.Running();
}

bool BatchProgram::SearchReportedAll() {
  const std::optional<std::set<std::string>> found = m_driver.Get<std::optional<std::set<std::string>>>(
      [&]() -> std::optional<std::set<std::string>> {
        if (m_dialog == nullptr || !ui::IsWindow(m_window) || m_dialog->Discovery() == nullptr) return std::nullopt;
        std::set<std::string> addresses;
        for (const auto& device : m_dialog->Discovery()->FoundDevices()) {
          addresses.insert(device->Ip() + ":" + std::to_string(device->Port()));
        }
        return addresses;
      });
  if (!found) return true;  // no window, no search
  for (std::size_t i = 0; i < m_simulator->Count(); ++i) {
    const camsim::SimCamera& camera = m_simulator->Camera(i);
    const std::string address = camera.Address();
    if (camera.IsUp() && m_searchTargets.contains(address) && !found->contains(address)) return false;
  }
  return true;
}

void BatchProgram::WaitUntilQuiet() {
  // Search answers and camera replies come in real time; give them that time.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  for (;;) {
    // Quiet threads post nothing more until time moves: what they posted is handled next.
    const bool quiet = SearchReportedAll() && ThreadsQuiet();
    m_simulator->Settle();
    m_driver.WaitUntilIdle();
    if ((quiet && ThreadsQuiet()) || std::chrono::steady_clock::now() > deadline) return;
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
}

bool BatchProgram::RunUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
  const auto end = Now() + limit;
  for (;;) {
    WaitUntilQuiet();
    if (done()) return true;
    if (Now() >= end) return false;
    if (m_realTime) {
      std::this_thread::sleep_for(kStep);
    } else {
      Clock().Advance(kStep);
    }
  }
}

void BatchProgram::RunFor(std::chrono::milliseconds duration) {
  RunUntil([] { return false; }, duration);
}

std::chrono::milliseconds BatchProgram::Now() const {
  return std::chrono::duration_cast<std::chrono::milliseconds>(os::CurrentClock().Now());
}

bool BatchProgram::WaitForRows(std::size_t count, std::chrono::milliseconds limit) {
  return RunUntil(
      [&] {
        for (BatchTab tab : {kUpdateTab, kConfigTab, kSelfTab}) {
          if (Rows(tab).size() < count) return false;
        }
        return true;
      },
      limit);
}

std::vector<RowView> BatchProgram::Rows(BatchTab tab) {
  return m_driver.Get<std::vector<RowView>>([&] {
    std::vector<RowView> views;
    if (m_dialog == nullptr || !ui::IsWindow(m_window)) return views;
    for (CBatchListItem* row : m_dialog->Operator(tab)->Rows()) views.push_back(ViewOf(row));
    return views;
  });
}

RowView BatchProgram::Row(BatchTab tab, const std::string& ip) {
  for (const RowView& row : Rows(tab)) {
    if (row.ip == ip) return row;
  }
  ADD_FAILURE() << "no row for " << ip << " in tab " << tab;
  return {};
}

bool BatchProgram::AllRowsShow(BatchTab tab, const std::string& status) {
  for (const RowView& row : Rows(tab)) {
    if (row.busy || row.status != status) return false;
  }
  return true;
}

bool BatchProgram::ShowTab(BatchTab tab) {
  if (m_driver.Get<int>([&] { return m_dialog->CurrentKey(); }) == tab) return true;
  return m_driver.Click(kTabOptions[tab], m_window);
}

bool BatchProgram::ClickRow(BatchTab tab, const std::string& ip, const std::string& control) {
  if (!ShowTab(tab)) return false;
  std::optional<POINT> point;
  m_driver.Run([&] {
    CBatchOpratorBase* op = m_dialog->Operator(tab);
    for (CBatchListItem* row : op->Rows()) {
      if (TextOf(row, {"lbl_device_ip"}) != ip) continue;
      op->List()->EnsureVisible(op->List()->GetItemIndex(row));
      ui::UpdateWindow(m_window);
      ui::CControlUI* target = FirstNamed(row, {control.c_str()});
      if (target == nullptr || !target->IsVisible()) return;
      const RECT rc = target->GetPos();
      point = POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    }
  });
  return point.has_value() && m_driver.ClickAt(m_window, *point);
}

bool BatchProgram::CheckRows(BatchTab tab, const std::vector<std::string>& ips) {
  for (const std::string& ip : ips) {
    if (!ClickRow(tab, ip, tab == kConfigTab ? "opt_select_config" : "opt_select")) return false;
  }
  return true;
}

bool BatchProgram::ClickHeader(BatchTab tab, const std::string& title) {
  if (!ShowTab(tab)) return false;
  std::optional<POINT> point;
  m_driver.Run([&] {
    ui::CListHeaderUI* header = m_dialog->Operator(tab)->List()->GetHeader();
    for (int i = 0; i < header->GetCount(); ++i) {
      ui::CControlUI* item = header->GetItemAt(i);
      if (item->GetText().Str() != title) continue;
      ui::UpdateWindow(m_window);
      const RECT rc = item->GetPos();
      point = POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    }
  });
  return point.has_value() && m_driver.ClickAt(m_window, *point);
}

void BatchProgram::DestroyWithMovingTime(const std::function<void()>& destroy) {
  if (m_realTime) {
    destroy();
    m_driver.WaitUntilIdle();
    return;
  }
  std::atomic<bool> gone{false};
  std::thread mover([&] {
    while (!gone) {
      Clock().Advance(kStep);
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  });
  destroy();
  m_driver.WaitUntilIdle();
  gone = true;
  mover.join();
}

void BatchProgram::Destroy() {
  DestroyWithMovingTime([&] { m_driver.Run([&] { ui::DestroyWindow(m_window); }); });
  m_dialog = nullptr;
}

bool BatchProgram::Close() {
  bool clicked = false;
  DestroyWithMovingTime([&] { clicked = m_driver.Click("closebtn", m_window); });
  const bool gone = clicked && !m_driver.Get<bool>([&] { return ui::IsWindow(m_window); });
  if (gone) m_dialog = nullptr;
  return gone;
}

std::string BatchProgram::WriteImage(const std::string& name, const std::array<std::uint32_t, 4>& version) {
  const std::string path = m_folder.Path(name);
  os::CreateDirectories(std::filesystem::path(path).parent_path().string());
  std::vector<std::uint8_t> body(4096);
  for (std::size_t i = 0; i < body.size(); ++i) body[i] = static_cast<std::uint8_t>(i * 7 + version[3]);
  camera::protocol::FirmwareVersion firmware;
  firmware.numbers = version;
  const auto image = camera::protocol::BuildFirmwareImage(firmware, body);
  if (!image) return {};
  os::WriteWholeFile(path, std::string(image->begin(), image->end()));
  return path;
}

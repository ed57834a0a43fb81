#pragma once
// The batch program as the tests run it: its main dialog on the test driver's window thread,
// simulated cameras on this process's own loopback addresses, the search pointed at them, and
// everything on the driver's virtual clock. Time moves in 100 ms steps, each taken once the
// search has reported every camera it can see, the program's threads all pause (or wait for a
// permit), the window thread is idle and the cameras have done what fell due, so that the virtual
// times are those the program's waits give.
// On real time (for measuring) the same calls just let the time pass.

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/ui/test/Driver.h"
#include "sim/Simulator.h"
#include "tests/batch/support/TempFolder.h"

class CDlgBatchOperationCfg;

enum BatchTab { kUpdateTab = 0, kConfigTab = 1, kSelfTab = 2 };

// One row as the operator sees it.
struct RowView {
  std::string ip;
  std::string port;
  std::string version;  // the current version label
  std::string image;    // the update tab's image label
  std::string status;
  std::string percent;
  int progress = 0;
  bool loggedIn = false;  // the login button shows the logged-in picture
  bool loginEnabled = false;
  bool actionEnabled = false;  // import or update button
  bool checked = false;
  bool busy = false;
};

class BatchProgram {
 public:
  explicit BatchProgram(camsim::SimulatorOptions options = {}, bool realTime = false);
  ~BatchProgram();
  BatchProgram(const BatchProgram&) = delete;
  BatchProgram& operator=(const BatchProgram&) = delete;

  // Cameras at this process's addresses .1, .2, ... (after those added before), port 8080.
  void AddCameras(int count, camsim::CameraProfile profile = {});
  // One camera at this process's address .host.
  void AddCameraAt(int host, camsim::CameraProfile profile = {});
  camsim::SimCamera& Camera(int index) { return m_simulator->Camera(static_cast<std::size_t>(index)); }
  std::string Ip(int index) { return Camera(index).Ip(); }
  camsim::Simulator& Simulator() { return *m_simulator; }

  // Shows the main dialog, which loads the saved logins and starts the search.
  void Start();
  // Moves time until every tab lists `count` rows.
  bool WaitForRows(std::size_t count, std::chrono::milliseconds limit = std::chrono::seconds(120));
  // Moves time until `done` (asked before every step) or until `limit` has passed.
  bool RunUntil(const std::function<bool()>& done, std::chrono::milliseconds limit);
  void RunFor(std::chrono::milliseconds duration);
  // Time on the program's clock since the driver started.
  std::chrono::milliseconds Now() const;

  std::vector<RowView> Rows(BatchTab tab);
  RowView Row(BatchTab tab, const std::string& ip);
  // Every row of the tab settled (not busy) with this status.
  bool AllRowsShow(BatchTab tab, const std::string& status);

  // As the operator does it.
  bool ShowTab(BatchTab tab);
  bool ClickRow(BatchTab tab, const std::string& ip, const std::string& control);
  bool CheckRows(BatchTab tab, const std::vector<std::string>& ips);
  bool ClickHeader(BatchTab tab, const std::string& title);
  bool Click(const std::string& control) { return m_driver.Click(control, m_window); }
  // Closes with the close button; true when the window has gone (the dialog's closing wait
  // has run on moving time).
  bool Close();
  // Destroys the window as a program's end would, without the close button.
  void Destroy();

  ui::test::Driver& Driver() { return m_driver; }
  // Virtual time only.
  os::VirtualClock& Clock() { return *m_driver.Clock(); }
  HWND Window() const { return m_window; }
  CDlgBatchOperationCfg* Dialog() const { return m_dialog; }
  const TempFolder& Folder() const { return m_folder; }
  // A firmware image of the version in the current folder's "version" folder (or at `path`).
  std::string WriteImage(const std::string& name, const std::array<std::uint32_t, 4>& version);

  // The program's threads all pause or wait for a permit.
  static bool ThreadsQuiet();

 private:
  void WaitUntilQuiet();
  // Every camera that is up at an address the search probes has been reported to the program.
  // Search answers travel in real time: until they are in, time must not move.
  bool SearchReportedAll();
  // Destroys the window while time moves freely, so that the dialog's closing wait runs out.
  void DestroyWithMovingTime(const std::function<void()>& destroy);

  TempFolder m_folder;
  std::string m_previousFolder;
  bool m_realTime;
  ui::test::Driver m_driver;
  std::unique_ptr<unsigned char[]> m_skin;
  std::unique_ptr<camsim::Simulator> m_simulator;
  int m_nextHost = 1;
  std::set<std::string> m_searchTargets;  // "ip:port", as the running search was given them
  CDlgBatchOperationCfg* m_dialog = nullptr;
  HWND m_window = nullptr;
};

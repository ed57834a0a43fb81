#pragma once
// The main window on the headless host against simulated cameras in this process: the real skin
// package, the camera library, a virtual clock shared by the window thread and the cameras, and
// an application folder of the test's own (for "user.ini", pictures and logs).

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "configtool/MainWnd.h"
#include "platform/ui/UIlib.h"
#include "platform/ui/test/Driver.h"
#include "sim/Simulator.h"

namespace configtool::test {

class MainWindowHarness {
 public:
  MainWindowHarness();
  ~MainWindowHarness();
  MainWindowHarness(const MainWindowHarness&) = delete;
  MainWindowHarness& operator=(const MainWindowHarness&) = delete;

  // Starts `count` cameras on this process's loopback addresses; false when one did not start.
  bool AddCameras(std::size_t count, const camsim::CameraProfile& profile = {});
  camsim::SimCamera& Camera(std::size_t index) { return m_simulator->Camera(index); }
  camsim::Simulator& Simulator() { return *m_simulator; }

  // Builds and shows the main window as the program's start does.
  CMainWnd* OpenMainWindow();
  CMainWnd* Window() const { return m_window; }
  ui::test::Driver& Driver() { return *m_driver; }

  // Types the login of camera `index` (default account) and clicks "btn_open".
  void OpenCamera(std::size_t index, const std::string& userPassword = "");
  // Types the inputs (UTF-8) and clicks "btn_open".
  void OpenWith(const std::string& ip, const std::string& port, const std::string& user, const std::string& password,
                const std::string& userPassword = "");

  // The state of the window, read on its thread.
  OpenDeviceState DeviceState();
  SelectedSearchRow SelectedRow();
  int RowCount(const std::string& list);
  std::string RowText(const std::string& list, int index);
  // The text of a sub-control of row `index` of "plate_result_list".
  std::string PlateRowText(int index, const std::string& control);
  // The picture file row `index` was given ("" for none), and the size of the picture it shows.
  std::string PlateRowPicture(int index);
  std::optional<SIZE> PlateRowShownPicture(int index);

  // Waits until the window has handled `count` live plate results since it opened (a result is
  // shown, or dropped, when its message is handled). The limit only guards against a hang: the
  // wait ends when the results are handled, however slow the machine.
  bool WaitForPlateResults(int count, std::chrono::milliseconds limit = std::chrono::minutes(2));

  // Polls (real time) until `condition` holds, handling the window's messages meanwhile.
  bool Eventually(const std::function<bool()>& condition, std::chrono::milliseconds limit = std::chrono::seconds(10));
  // Message box texts seen so far (GBK).
  std::vector<std::string> Messages() const { return m_driver->MessageBoxTexts(); }
  std::string LastMessage() const;
  // Answers the open message box with `button` and returns its text; empty when none is open.
  std::string DismissMessageBox(const std::string& button = "ok");

  const std::filesystem::path& AppFolder() const { return m_appFolder; }
  std::string ReadFile(const std::filesystem::path& path) const;

 private:
  // Counts the plate-result messages the main window handles, on its thread.
  class PlateResultCounter : public ui::IMessageFilterUI {
   public:
    LRESULT MessageHandler(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;
    bool WaitFor(int count, std::chrono::milliseconds limit);

   private:
    std::mutex m_mutex;
    std::condition_variable m_handled;
    int m_count = 0;
  };

  PlateResultCounter m_plateResults;
  std::filesystem::path m_appFolder;
  std::string m_base;
  std::unique_ptr<ui::test::Driver> m_driver;
  std::unique_ptr<camsim::Simulator> m_simulator;
  std::unique_ptr<unsigned char[]> m_skin;
  CMainWnd* m_window = nullptr;
  HWND m_hwnd = nullptr;
};

}  // namespace configtool::test

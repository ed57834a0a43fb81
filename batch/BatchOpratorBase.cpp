#include "batch/BatchOpratorBase.h"

#include <algorithm>

#include "batch/BatchConstants.h"
#include "batch/BatchListItem.h"
#include "batch/DialogBuilderCallbackEx.h"
#include "batch/LoginStore.h"
#include "batch/VersionNumber.h"
#include "common/AddressUtil.h"
#include "common/StringUtil.h"

namespace {

constexpr UINT kWatchTimerId = 1;
constexpr UINT kWatchPeriodMs = 1000;

// Program-wide: the direction of the next sort by version (descending first), whichever tab
// sorts, and the guard while a row's check is spread to the other highlighted rows.
bool g_nextVersionSortAscending = false;
bool g_spreadingOptionClick = false;

bool HasFourParts(const std::string& ip, std::vector<std::string>& parts) {
  parts.clear();
  SplitString(ip, ".", parts);
  return parts.size() == 4;
}

}  // namespace

CBatchOpratorBase::CBatchOpratorBase(ui::CPaintManagerUI* manager, DeviceClaims& claims)
    : m_pManager(manager), m_claims(claims) {}

CBatchOpratorBase::~CBatchOpratorBase() = default;

HWND CBatchOpratorBase::Window() const { return m_pManager != nullptr ? m_pManager->GetPaintWindow() : nullptr; }

std::vector<CBatchListItem*> CBatchOpratorBase::Rows() const {
  std::vector<CBatchListItem*> rows;
  if (m_pList == nullptr) return rows;
  for (int i = 0; i < m_pList->GetCount(); ++i) {
    if (auto* row = dynamic_cast<CBatchListItem*>(m_pList->GetItemAt(i))) rows.push_back(row);
  }
  return rows;
}

void CBatchOpratorBase::StopAll() {
  for (CBatchListItem* row : Rows()) {
    row->ClearRunFlag();
    row->StopHook();
  }
}

void CBatchOpratorBase::BindControls() {}

bool CBatchOpratorBase::IpOrderLess(const std::string& a, const std::string& b, bool ascending) {
  if (!ascending) return IpOrderLess(b, a, true);
  // A text that is no address never compares less than an address, so it goes last (first
  // in descending order); among themselves such texts are equal.
  std::vector<std::string> parts;
  const bool aValid = HasFourParts(a, parts);
  const bool bValid = HasFourParts(b, parts);
  if (aValid != bValid) return aValid;
  return aValid && DottedQuadLess(a, b);
}

void CBatchOpratorBase::AddDevice(std::shared_ptr<DeviceInfo> device, bool sorted) {
  if (device == nullptr || m_pList == nullptr) return;
  CBatchListItem* row = CreateRow(device);
  if (row == nullptr) return;
  const int index = sorted ? InsertDeviceSorted(device) : AppendDevice(device);
  m_pList->AddAt(row, ListPositionFor(static_cast<std::size_t>(index)));
}

int CBatchOpratorBase::InsertDeviceSorted(const std::shared_ptr<DeviceInfo>& device) {
  const std::string ip = device->Ip();
  const auto at = std::find_if(m_devices.begin(), m_devices.end(), [&](const std::shared_ptr<DeviceInfo>& other) {
    return IpOrderLess(ip, other->Ip(), m_ipAscending);
  });
  const auto index = at - m_devices.begin();
  m_devices.insert(at, device);
  return static_cast<int>(index);
}

int CBatchOpratorBase::AppendDevice(const std::shared_ptr<DeviceInfo>& device) {
  m_devices.push_back(device);
  return static_cast<int>(m_devices.size()) - 1;
}

int CBatchOpratorBase::ListPositionFor(std::size_t index) const {
  // Rows the operator removed leave gaps: count the rows of the devices before this one.
  int position = 0;
  for (CBatchListItem* row : Rows()) {
    const auto it = std::find(m_devices.begin(), m_devices.end(), row->Device());
    if (static_cast<std::size_t>(it - m_devices.begin()) >= index) break;
    ++position;
  }
  return position;
}

void CBatchOpratorBase::SortByIp() {
  const bool ascending = !m_ipAscending;
  std::stable_sort(m_devices.begin(), m_devices.end(),
                   [ascending](const std::shared_ptr<DeviceInfo>& a, const std::shared_ptr<DeviceInfo>& b) {
                     return IpOrderLess(a->Ip(), b->Ip(), ascending);
                   });
  m_ipAscending = ascending;
}

void CBatchOpratorBase::SortByVersion() {
  const bool ascending = g_nextVersionSortAscending;
  std::stable_sort(m_devices.begin(), m_devices.end(),
                   [ascending](const std::shared_ptr<DeviceInfo>& a, const std::shared_ptr<DeviceInfo>& b) {
                     const std::string va = a->GetVersion4Text();
                     const std::string vb = b->GetVersion4Text();
                     return ascending ? VersionLess(va, vb) : VersionLess(vb, va);
                   });
  g_nextVersionSortAscending = !ascending;
}

int CBatchOpratorBase::Notify(ui::TNotifyUI& msg) {
  if (msg.sType == "headerclick" && msg.pSender != nullptr) {
    const ui::CDuiString title = msg.pSender->GetText();
    if (title == "设备IP") {
      SortByIp();
    } else if (title == "当前版本") {
      SortByVersion();
    } else {
      return 2;
    }
    RefreshList();
    return 1;
  }
  // Only a row's own check option spreads; a tab option's click is no row's business.
  if (msg.sType == "option_click" && !g_spreadingOptionClick && IsRowCheckOption(msg.pSender)) {
    g_spreadingOptionClick = true;
    const int result = SelectHighlightedRows(static_cast<ui::COptionUI*>(msg.pSender)->IsSelected());
    g_spreadingOptionClick = false;
    return result;
  }
  if (msg.sType == "timer" && msg.pSender != nullptr && msg.pSender == m_pWatchButton && msg.wParam == kWatchTimerId) {
    ScanSelectedRows();
    return 1;
  }
  return 2;
}

bool CBatchOpratorBase::IsRowCheckOption(ui::CControlUI* control) const {
  const CBatchListItem* row = FindOwningRow(control);
  return row != nullptr && control == row->CheckOption();
}

int CBatchOpratorBase::SelectHighlightedRows(bool selected) {
  if (m_pList == nullptr || m_pList->GetSelectItemCount() < 2) return 2;
  int left = m_pList->GetSelectItemCount();
  for (int i = 0; i < m_pList->GetCount() && left > 0; ++i) {
    auto* row = dynamic_cast<CBatchListItem*>(m_pList->GetItemAt(i));
    if (row == nullptr || !row->ui::CListContainerElementUI::IsSelected()) continue;
    row->SetSelected(selected);
    --left;
  }
  return 1;
}

bool CBatchOpratorBase::IsBusy() const {
  const std::vector<CBatchListItem*> rows = Rows();
  return std::any_of(rows.begin(), rows.end(), [](const CBatchListItem* row) { return row->IsBusy(); });
}

void CBatchOpratorBase::ForEachRow(bool selected) {
  for (CBatchListItem* row : Rows()) row->SetSelected(selected);
}

void CBatchOpratorBase::RefreshRows() {
  for (CBatchListItem* row : Rows()) row->Refresh();
}

void CBatchOpratorBase::RefreshDeviceRows(const DeviceInfo& device) {
  for (CBatchListItem* row : Rows()) {
    if (row->Device().get() == &device) row->Refresh();
  }
}

void CBatchOpratorBase::RefreshList() {
  if (m_pList == nullptr) return;
  // A busy row keeps its worker's status: it is taken out and put back in its place.
  std::vector<CBatchListItem*> busy;
  for (CBatchListItem* row : Rows()) {
    if (!row->IsBusy()) continue;
    m_pList->Remove(row, true);
    busy.push_back(row);
  }
  m_pList->RemoveAll();
  for (const std::shared_ptr<DeviceInfo>& device : m_devices) {
    const auto kept = std::find_if(busy.begin(), busy.end(), [&](CBatchListItem* row) { return row->Device() == device; });
    CBatchListItem* row = nullptr;
    if (kept != busy.end()) {
      row = *kept;
      busy.erase(kept);
    } else {
      row = CreateRow(device);
    }
    if (row == nullptr) break;
    m_pList->Add(row);
  }
  for (CBatchListItem* row : busy) m_pList->Add(row);
}

CBatchListItem* CBatchOpratorBase::BuildRow(const char* layout, std::shared_ptr<DeviceInfo> device) {
  CDialogBuilderCallbackEx callback;
  ui::CDialogBuilder builder;
  ui::CControlUI* built = builder.Create(layout, nullptr, &callback, m_pManager);
  auto* row = dynamic_cast<CBatchListItem*>(built);
  if (row == nullptr) {
    delete built;
    return nullptr;
  }
  row->BindControls();
  row->SetOwnerOperator(this);
  row->SetDevice(std::move(device));
  return row;
}

CBatchListItem* CBatchOpratorBase::FindOwningRow(ui::CControlUI* control) const {
  for (ui::CControlUI* at = control; at != nullptr; at = at->GetParent()) {
    if (auto* row = dynamic_cast<CBatchListItem*>(at)) return row->Owner() == this ? row : nullptr;
  }
  return nullptr;
}

int CBatchOpratorBase::LoginRow(CBatchListItem* row) {
  if (row == nullptr) return 2;
  const int result = row->Login();
  if (result == 1) SaveLoginInfo(m_devices);
  return result;
}

void CBatchOpratorBase::RemoveRow(CBatchListItem* row, const char* busyText) {
  if (row == nullptr) return;
  if (row->IsBusy()) {
    ui::UIMessageBox(Window(), busyText);
    return;
  }
  // The device stays in the device list: the next RefreshList shows it again.
  m_pList->Remove(row);
}

int CBatchOpratorBase::HandleRowClick(ui::TNotifyUI& msg, const char* actionText,
                                      const std::function<void(CBatchListItem&)>& action, const char* busyText) {
  CBatchListItem* row = FindOwningRow(msg.pSender);
  if (row == nullptr) return 2;
  const ui::CDuiString text = msg.pSender->GetText();
  if (text == actionText) {
    action(*row);
    return 2;
  }
  if (text == "移除") {
    RemoveRow(row, busyText);
    return 1;
  }
  if (msg.pSender->GetUserData() == BatchConstants::kLoginMarker) return LoginRow(row);
  return 2;
}

void CBatchOpratorBase::WatchSelectedRows(ui::CButtonUI* button, bool scanAtOnce) {
  if (button == nullptr) return;
  m_pWatchButton = button;
  button->SetEnabled(false);
  if (scanAtOnce) {
    ScanSelectedRows();
    if (m_pWatchButton == nullptr) return;
  }
  m_pManager->SetTimer(button, kWatchTimerId, kWatchPeriodMs);
}

int CBatchOpratorBase::StartSelectedRows(ui::CButtonUI* button, const std::function<void(CBatchListItem&)>& start) {
  for (CBatchListItem* row : Rows()) {
    if (row->IsChecked()) start(*row);
  }
  WatchSelectedRows(button, false);
  return 2;
}

void CBatchOpratorBase::ScanSelectedRows() {
  if (m_pWatchButton == nullptr || (IsRunning() && HasSelectedBusyRow())) return;
  m_pManager->KillTimer(m_pWatchButton, kWatchTimerId);
  m_pWatchButton->SetEnabled(true);
  m_pWatchButton = nullptr;
}

bool CBatchOpratorBase::HasSelectedBusyRow() const {
  const std::vector<CBatchListItem*> rows = Rows();
  return std::any_of(rows.begin(), rows.end(), [](const CBatchListItem* row) { return row->IsChecked() && row->IsBusy(); });
}

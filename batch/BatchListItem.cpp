#include "batch/BatchListItem.h"

#include <map>
#include <mutex>

#include "batch/BatchOpratorBase.h"
#include "batch/BatchThreads.h"
#include "batch/DialogBuilderCallbackEx.h"
#include "batch/Login.h"

namespace {

// Rows by the number their workers post. Rows are made and deleted on the window thread; the
// lock only keeps the map sound should a second window thread ever build rows.
std::mutex g_rowsMutex;
LPARAM g_lastPostId = 0;

std::map<LPARAM, CBatchListItem*>& LiveRows() {
  static auto* const rows = new std::map<LPARAM, CBatchListItem*>;
  return *rows;
}

LPARAM RegisterRow(CBatchListItem* row) {
  std::lock_guard<std::mutex> lock(g_rowsMutex);
  const LPARAM postId = ++g_lastPostId;
  LiveRows().emplace(postId, row);
  return postId;
}

}  // namespace

CBatchListItem::CBatchListItem(RowStatusFields initial)
    : m_status(std::make_shared<RowStatus>(std::move(initial))), m_postId(RegisterRow(this)) {}

CBatchListItem::~CBatchListItem() {
  std::lock_guard<std::mutex> lock(g_rowsMutex);
  LiveRows().erase(m_postId);
}

CBatchListItem* CBatchListItem::FromPostId(LPARAM postId) {
  std::lock_guard<std::mutex> lock(g_rowsMutex);
  const auto it = LiveRows().find(postId);
  return it == LiveRows().end() ? nullptr : it->second;
}

void CBatchListItem::SetDevice(std::shared_ptr<DeviceInfo> device) {
  m_device = std::move(device);
  Refresh();
}

void CBatchListItem::SetSelected(bool selected) {
  if (m_pCheck != nullptr) m_pCheck->Selected(selected);
}

bool CBatchListItem::IsChecked() const { return m_pCheck != nullptr && m_pCheck->IsSelected(); }

int CBatchListItem::Login() {
  if (m_device == nullptr || IsDeviceClaimed()) return 2;
  auto* dialog = new CLogin;
  CDialogBuilderCallbackEx callback;
  // A dialog that could not be built is deleted by the framework.
  if (dialog->CreateWnd("Dlg_BatchLogin.xml", Window(), "batchlogin", &callback, false, false, false, 0) == nullptr) {
    return 2;
  }
  dialog->SetDevice(m_device);
  dialog->CenterWindow();
  dialog->ShowModal();
  // The framework deletes the dialog once this click has been handled.
  const int result = dialog->IsAccepted() ? 1 : 2;
  Refresh();
  return result;
}

bool CBatchListItem::IsDeviceClaimed() const {
  return m_device != nullptr && m_owner != nullptr && m_owner->Claims().IsClaimed(*m_device);
}

bool CBatchListItem::BeginWork(const RowStatusFields& starting) {
  if (m_busy || m_device == nullptr || m_owner == nullptr) return false;
  if (!m_owner->Claims().Claim(*m_device)) return false;
  m_busy = true;
  m_status->BeginRun();
  m_status->Store(starting);
  Refresh();
  return true;
}

void CBatchListItem::StartWorker(const RowStatusFields& starting, const RowStatusFields& failed,
                                 std::function<void()> worker) {
  if (!BeginWork(starting)) return;
  try {
    GetBatchThreads().Start(std::move(worker));
  } catch (...) {
    // No worker will post: the row would stay busy and its camera claimed for ever.
    m_status->Store(failed);
    EndWork();
  }
}

RowReporter CBatchListItem::Reporter() const { return RowReporter(m_status, Window(), m_postId); }

HWND CBatchListItem::Window() const { return m_owner != nullptr ? m_owner->Window() : nullptr; }

void CBatchListItem::HandleItemPost() {
  m_status->PostHandled();
  if (m_busy && m_status->RunHandled()) {
    EndWork();
    return;
  }
  Refresh();
}

void CBatchListItem::EndWork() {
  m_busy = false;
  // Giving the camera back also refreshes its rows in the other tabs.
  m_owner->Claims().Release(*m_device);
  Refresh();
}

void CBatchListItem::ShowLoginButton(ui::CButtonUI* button) const {
  if (button == nullptr) return;
  if (m_device != nullptr && m_device->Handle() != 0) {
    button->SetNormalImage("file = 'btn_hot_connect.png' width='15'");
    button->SetHotImage("file = 'btn_hot_connect.png' dest = '3,3,18,18'");
  } else {
    button->SetNormalImage("file='btn_disable_connect.png'");
    button->SetHotImage("file = 'btn_disable_connect.png' dest = '3,3,18,18'");
  }
  button->SetEnabled(!IsDeviceClaimed());
}

void CBatchListItem::ShowDevice(ui::CLabelUI* ip, ui::CLabelUI* port, ui::CLabelUI* version) const {
  if (m_device == nullptr) return;
  if (ip != nullptr) ip->SetText(m_device->Ip().c_str());
  if (port != nullptr) port->SetText(std::to_string(m_device->Port()).c_str());
  if (version != nullptr) version->SetText(m_device->GetVersion4Text().c_str());
}

void CBatchListItem::ShowStatus(ui::CLabelUI* status, ui::CLabelUI* percent, ui::CProgressUI* progress) const {
  const RowStatusFields fields = Status();
  if (status != nullptr) status->SetText(fields.status.c_str());
  if (percent != nullptr) percent->SetText(std::to_string(fields.percent).c_str());
  if (progress != nullptr) progress->SetValue(fields.progress);
}

void CBatchListItem::ShowActionButton(ui::CButtonUI* button, bool idleEnabled) const {
  if (button == nullptr) return;
  button->SetEnabled(m_busy ? Status().actionEnabled : idleEnabled && !IsDeviceClaimed());
}

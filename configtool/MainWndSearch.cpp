// The LAN search and its list "lst_device_find", sorted by address.

#include <cstdlib>
#include <vector>

#include "common/AddressUtil.h"
#include "common/DecimalText.h"
#include "common/FixedText.h"
#include "common/StringUtil.h"
#include "configtool/MainWnd.h"
#include "configtool/SearchResultRecord.h"

void CMainWnd::StartDeviceSearch() {
  if (m_pDeviceList != nullptr) m_pDeviceList->RemoveAll();
  CameraClient_StartFindDeviceEx(&CMainWnd::OnSearchResult, this);
  m_device.searching = 1;
  if (m_pBtnStartSearch != nullptr) m_pBtnStartSearch->SetEnabled(false);
  if (m_pBtnStopSearch != nullptr) m_pBtnStopSearch->SetEnabled(true);
}

void CMainWnd::StopDeviceSearch() {
  CameraClient_StopFindDevice();
  m_device.searching = 0;
  if (m_pBtnStartSearch != nullptr) m_pBtnStartSearch->SetEnabled(true);
  if (m_pBtnStopSearch != nullptr) m_pBtnStopSearch->SetEnabled(false);
}

// On the library's search thread: only the record and the window handle are touched.
int CMainWnd::OnSearchResult(int, const char* ip, int port, int value, std::uint32_t idLow, std::uint32_t idHigh,
                             const char* netmask, const char* gateway, void* user) {
  auto* window = static_cast<CMainWnd*>(user);
  if (window == nullptr) return 0;
  SearchResultRecord* record = NewSearchResultRecord(ip, port, value, idLow, idHigh, netmask, gateway);
  if (record == nullptr) return 0;
  if (!os::PostMessage(window->m_hWnd, WM_SEARCH_RESULT, 0, reinterpret_cast<LPARAM>(record))) std::free(record);
  return 0;
}

void CMainWnd::AddSearchResultRow(const SearchResultRecord& record) {
  if (m_pDeviceList == nullptr) return;
  auto* row = new ui::CListLabelElementUI;
  row->SetText(SearchRowText(record).c_str());
  row->SetUserData(SearchRowUserData(record).c_str());
  const std::string ip = FieldText(record.ip);
  for (int i = 0; i < m_pDeviceList->GetCount(); ++i) {
    std::vector<std::string> pieces;
    SplitString(m_pDeviceList->GetItemAt(i)->GetText().Str(), ":", pieces);
    if (DottedQuadLess(ip, pieces.front())) {
      m_pDeviceList->AddAt(row, i);
      return;
    }
  }
  m_pDeviceList->Add(row);
}

void CMainWnd::OnSearchRowSelected() {
  if (m_pDeviceList == nullptr) return;
  const int index = m_pDeviceList->GetCurSel();
  ui::CControlUI* row = index >= 0 ? m_pDeviceList->GetItemAt(index) : nullptr;
  if (row == nullptr) return;
  const SearchRowFields fields = ParseSearchRow(row->GetText().Str(), row->GetUserData().Str());
  const bool closed = m_device.deviceClosed != 0;
  if (!fields.ip.empty()) {
    m_selected.ip = fields.ip;
    if (closed) SetDeviceIpText(fields.ip);
  }
  if (!fields.port.empty()) {
    if (closed && m_pEditPort != nullptr) m_pEditPort->SetText(fields.port.c_str());
    m_selected.port = static_cast<int>(ParseDecimalText(fields.port));
  }
  if (fields.idHigh) m_selected.idHigh = *fields.idHigh;
  if (fields.idLow) m_selected.idLow = *fields.idLow;
  if (fields.netmask) m_selected.netmask = *fields.netmask;
  if (fields.gateway) m_selected.gateway = *fields.gateway;
}

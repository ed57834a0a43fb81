#include "configtool/features/platequery/PlateQueryDlg.h"

#include <cstdio>

#include "configtool/controls/CalendarUI.h"
#include "configtool/controls/JqListTextElementUI.h"
#include "configtool/dialogs/DialogControls.h"
#include "configtool/features/platequery/PlateExportEvent.h"
#include "configtool/features/platequery/PlateQueryTexts.h"

namespace {

int PageCountOf(int count) { return count / kPlatePageRecords + (count % kPlatePageRecords != 0 ? 1 : 0); }

std::string TextOf(const CCalendarUI* calendar) {
  return calendar != nullptr ? calendar->GetValue().Format().Str() : DateTimeValue{}.Format().Str();
}

}  // namespace

CPlateQueryDlg::CPlateQueryDlg(CameraClientHandle handle) : m_handle(handle) {}

CPlateQueryDlg::~CPlateQueryDlg() = default;

void CPlateQueryDlg::BindControls() {
  m_pBtnQuery = FindDialogControl<ui::CButtonUI>(m_pm, "btn_query");
  m_pBtnExport = FindDialogControl<ui::CButtonUI>(m_pm, "btn_export");
  m_pLblProgress = FindDialogControl<ui::CLabelUI>(m_pm, "lbl_progress_value");
  m_pBtnPrev = FindDialogControl<ui::CButtonUI>(m_pm, "btn_prev_page");
  m_pBtnNext = FindDialogControl<ui::CButtonUI>(m_pm, "btn_next_page");
  m_pBtnClose = FindDialogControl<ui::CButtonUI>(m_pm, "closebtn");
  m_pDtStart = FindDialogControl<CCalendarUI>(m_pm, "plate_dt_start");
  m_pDtEnd = FindDialogControl<CCalendarUI>(m_pm, "plate_dt_End");
  m_pList = FindDialogControl<ui::CListUI>(m_pm, "plate_record_list");
  m_pEditPlate = FindDialogControl<ui::CEditUI>(m_pm, "edit_plate");
  m_pLblMsg = FindDialogControl<ui::CLabelUI>(m_pm, "lbl_plate_msg");
  m_pImage = m_pm.FindControl("imgControl");
  if (m_pDtStart != nullptr) {
    const DateTimeValue now = DateTimeValue::Now();
    m_pDtStart->SetDateTime(now.GetYear(), now.GetMonth(), now.GetDay(), 0, 0, 0);
  }
  // Records and pictures come with payloads, which the queue frees should the window go first.
  ui::SetPostedMessageDiscarder(m_hWnd, DeletePlateQueryPayload);
  m_feed = std::make_shared<PlateRecordFeed>(m_handle, m_hWnd);
  m_export = std::make_unique<PlateCsvExport>(m_feed, m_hWnd, GetPlateExportEvent());
}

void CPlateQueryDlg::Notify(ui::TNotifyUI& msg) {
  if (msg.sType == "click" && msg.pSender != nullptr) {
    if (msg.pSender == m_pBtnQuery) OnQuery();
    if (msg.pSender == m_pBtnPrev) ShowPrevPage();
    if (msg.pSender == m_pBtnNext) ShowNextPage();
    if (msg.pSender == m_pBtnExport) StartExport();
  } else if (msg.sType == "list_item_selected") {
    OnRecordSelected();
  } else if (msg.sType == "timer" && msg.pSender != nullptr && msg.pSender == m_pImage) {
    OnDownloadSlow();
  }
  CDialogWnd::Notify(msg);
}

void CPlateQueryDlg::EnableButtons(bool enable) {
  EnableControls({m_pBtnQuery, m_pBtnExport, m_pBtnPrev, m_pBtnNext, m_pBtnClose}, enable);
}

void CPlateQueryDlg::UpdateButtons() { EnableButtons(!m_export->Running() && !m_downloadLate); }

PlateQueryTexts CPlateQueryDlg::QueryTexts() const {
  return PlateQueryTexts{TextOf(m_pDtStart), TextOf(m_pDtEnd), DialogControlText(m_pEditPlate)};
}

void CPlateQueryDlg::OnQuery() {
  if (m_handle == 0) return;
  m_pageCount = 0;
  m_exporting = false;
  if (m_pList != nullptr) m_pList->RemoveAll();
  const PlateQueryTexts query = QueryTexts();
  const std::optional<int> count = m_feed->Count(query);
  if (!count || *count < 1) {
    m_total = 0;
    SetDialogControlText(m_pLblMsg, "共0条记录");
    if (!count) ui::UIMessageBox(m_hWnd, kCountFailed);
    return;
  }
  m_total = *count;
  m_pageCount = PageCountOf(*count);
  m_query = query;
  m_page = 0;
  ShowPageLabel();
  LoadPage(0);
}

void CPlateQueryDlg::ShowNextPage() {
  m_exporting = false;
  if (m_page + 1 >= m_pageCount) {
    ui::UIMessageBox(m_hWnd, "无下一页记录! ");
    return;
  }
  LoadPage(++m_page);
  ShowPageLabel();
}

void CPlateQueryDlg::ShowPrevPage() {
  m_exporting = false;
  if (m_page - 1 < 0) {
    ui::UIMessageBox(m_hWnd, "无上一页记录! ");
    return;
  }
  LoadPage(--m_page);
  ShowPageLabel();
}

void CPlateQueryDlg::LoadPage(int page) {
  if (m_pList != nullptr) m_pList->RemoveAll();
  // The new page is registered first: from then on nothing of the page before is posted.
  m_feed->NewPage();
  DiscardQueuedRecords();
  const int first = page * kPlatePageRecords;
  if (m_feed->Ask(m_query, first, first + kPlatePageRecords) != 0) ui::UIMessageBox(m_hWnd, kCountFailed);
}

void CPlateQueryDlg::DiscardQueuedRecords() {
  MSG msg;
  while (ui::PeekMessage(&msg, m_hWnd, WM_PLATE_QUERY_RECORD, WM_PLATE_QUERY_RECORD, PM_REMOVE)) {
    DeletePlateQueryPayload(msg.message, msg.wParam, msg.lParam);
  }
}

void CPlateQueryDlg::ShowPageLabel() {
  char text[64];
  std::snprintf(text, sizeof text, "共%d条记录, %d/%d", m_total, m_page + 1, m_pageCount);
  SetDialogControlText(m_pLblMsg, text);
}

LRESULT CPlateQueryDlg::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PLATE_QUERY_RECORD:
      OnRecord(std::unique_ptr<PlateQueryRecordMessage>(reinterpret_cast<PlateQueryRecordMessage*>(wParam)));
      break;
    case WM_PLATE_IMAGE_LOADED:
      OnPictureLoaded(std::unique_ptr<PlateImageLoaded>(reinterpret_cast<PlateImageLoaded*>(wParam)));
      break;
    case WM_PLATE_EXPORT_DONE:
      if (wParam != 0) OnExportDone(lParam != 0);
      break;
    default:
      break;
  }
  return CDialogWnd::HandleMessage(message, wParam, lParam);
}

void CPlateQueryDlg::OnRecord(std::unique_ptr<PlateQueryRecordMessage> message) {
  if (message == nullptr) return;
  if (m_exporting) {
    if (m_export->Take(*message)) ShowExportProgress();
  } else if (m_feed->IsCurrent(*message)) {
    AddRow(*message);
  }
}

void CPlateQueryDlg::AddRow(const PlateQueryRecordMessage& message) {
  if (m_pList == nullptr) return;
  auto* row = new CJqListTextElementUI;
  m_pList->Add(row);
  const PlateQueryRowTexts texts = MakePlateQueryRowTexts(message.record, message.trigger);
  for (std::size_t i = 0; i < texts.size(); ++i) row->SetText(static_cast<int>(i), texts[i].c_str());
}

// Whatever closes the window, the export's worker is stopped and gone, and no record is posted
// any more.
LRESULT CPlateQueryDlg::OnDestroy(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
  if (m_export != nullptr) m_export->StopAndWait();
  if (m_feed != nullptr) m_feed->Stop();
  return CDialogWnd::OnDestroy(message, wParam, lParam, handled);
}

// The plate query's CSV export: every record of the query, page by page on the export's worker,
// into the file once the last page is in.

#include <cstdio>

#include "common/FileUtil.h"
#include "configtool/dialogs/DialogControls.h"
#include "configtool/features/platequery/PlateQueryDlg.h"
#include "platform/os/LocalTime.h"

void CPlateQueryDlg::StartExport() {
  if (m_handle == 0) return;
  const PlateQueryTexts query = QueryTexts();
  const std::optional<int> count = m_feed->Count(query);
  if (!count) {
    ui::UIMessageBox(m_hWnd, kCountFailed);
    return;
  }
  if (*count < 1) {
    ui::UIMessageBox(m_hWnd, "导出数据失败，未查询出车牌历史记录! ");
    return;
  }
  m_total = *count;
  m_query = query;
  m_exporting = true;
  if (m_pList != nullptr) m_pList->RemoveAll();
  m_export->Start(query, *count);
  ShowExportProgress();
  EnableButtons(false);
}

void CPlateQueryDlg::ShowExportProgress() {
  char text[32];
  std::snprintf(text, sizeof text, "%d/%d", m_export->Rows(), m_total);
  SetDialogControlText(m_pLblProgress, text);
}

// A page that failed or did not come whole leaves the file unwritten: it would lack records.
void CPlateQueryDlg::OnExportDone(bool whole) {
  const std::optional<std::string> path =
      whole ? m_export->WriteFile(GetAppDirectory(), os::GetLocalTime()) : std::nullopt;
  if (!whole) m_export->DropText();
  if (path) {
    const std::string notice = "导出成功,文件路径:" + *path + "\n";
    ui::UIMessageBox(m_hWnd, notice.c_str());
  } else {
    ui::UIMessageBox(m_hWnd, "导出车牌查询失败，请重试!");
  }
  UpdateButtons();
}

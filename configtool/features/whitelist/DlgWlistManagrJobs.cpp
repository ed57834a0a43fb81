// The whitelist manager's two jobs: the CSV import and export on their workers, their progress and
// end messages, and the close that stops them.

#include <cstdio>
#include <memory>

#include "common/CsvFileDialog.h"
#include "common/FileUtil.h"
#include "configtool/dialogs/DialogControls.h"
#include "configtool/features/whitelist/DlgWlistManagr.h"
#include "configtool/features/whitelist/WlistExportJob.h"
#include "configtool/features/whitelist/WlistImportJob.h"

void CDlgWlistManagr::StartExport() {
  if (m_handle == 0) return;
  EnableButtons(false);
  ShowProgressLabels("导出进度：");
  StartWlistExport(WlistExportTask{m_handle, m_hWnd, GetAppDirectory(), m_cameraIp, m_segments, m_job});
}

void CDlgWlistManagr::StartImport() {
  const std::string path = SelectCsvFile(m_hWnd);
  if (path.empty()) return;
  EnableButtons(false);
  ShowProgressLabels("导入进度：");
  StartWlistImport(WlistImportTask{m_handle, m_hWnd, path, m_segments, m_job});
}

void CDlgWlistManagr::ShowProgressLabels(const char* text) {
  SetDialogControlText(m_pLblProgressText, text);
  SetDialogControlText(m_pLblProgressValue, "");
  if (m_pLblProgressText != nullptr) m_pLblProgressText->SetVisible(true);
  if (m_pLblProgressValue != nullptr) m_pLblProgressValue->SetVisible(true);
}

void CDlgWlistManagr::ShowProgress(int done, int total) {
  char text[32];
  std::snprintf(text, sizeof text, "%d/%d", done, total);
  SetDialogControlText(m_pLblProgressValue, text);
}

LRESULT CDlgWlistManagr::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_WLIST_IMPORT_PROGRESS || message == WM_WLIST_EXPORT_PROGRESS) {
    OnJobMessage(message, wParam, lParam);
  }
  return CDialogWnd::HandleMessage(message, wParam, lParam);
}

void CDlgWlistManagr::OnJobMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (wParam == 0) return ShowProgress(m_job->Done(), m_job->Total());
  const std::unique_ptr<WlistJobEnd> end(reinterpret_cast<WlistJobEnd*>(lParam));
  if (end != nullptr) OnJobEnd(message, *end);
}

void CDlgWlistManagr::OnJobEnd(UINT message, const WlistJobEnd& end) {
  ShowProgress(end.done, end.total);
  m_job->Finish();
  EnableButtons(true);
  Notice(end.notice);
  // Records may have gone in, also when the import stopped half-way.
  if (message == WM_WLIST_IMPORT_PROGRESS && (end.succeeded || end.done > 0)) {
    if (m_pList != nullptr) m_pList->RemoveAll();
    RefreshCount(true);
  }
}

bool CDlgWlistManagr::ConfirmClose() {
  const char* question = nullptr;
  switch (m_job->Kind()) {
    case WlistJobKind::None:
      return true;
    case WlistJobKind::Import:
      question = "正在导入白名单。关闭窗口将停止导入，确定要关闭吗？";
      break;
    case WlistJobKind::Export:
      question = "正在导出白名单。关闭窗口将停止导出，确定要关闭吗？";
      break;
  }
  if (ui::UIMessageBox2(m_hWnd, question) != 0) return false;
  m_job->StopAndWait();
  return true;
}

// Whatever closes the window, no worker outlives it.
LRESULT CDlgWlistManagr::OnDestroy(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
  if (m_job->Kind() != WlistJobKind::None) m_job->StopAndWait();
  return CDialogWnd::OnDestroy(message, wParam, lParam, handled);
}

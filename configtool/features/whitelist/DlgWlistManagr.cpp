#include "configtool/features/whitelist/DlgWlistManagr.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <vector>

#include "configtool/DialogBuilderCallbackEx.h"
#include "configtool/controls/JqListTextElementUI.h"
#include "configtool/controls/TextScanner.h"
#include "configtool/dialogs/DialogControls.h"
#include "configtool/features/whitelist/DlgWlistInfo.h"
#include "configtool/features/whitelist/WlistCsvFormat.h"
#include "configtool/features/whitelist/WlistEditContext.h"
#include "configtool/features/whitelist/WlistQuery.h"
#include "configtool/features/whitelist/WlistRowTexts.h"

namespace {

constexpr const char* kQueryFailed = "查询白名单失败，请重试!";
constexpr const char* kSelectRecord = "请选择一条白名单记录! ";

std::string Format(const char* format, int a, int b = 0) {
  char text[64];
  std::snprintf(text, sizeof text, format, a, b);
  return text;
}

WlistEditContext ContextOf(const CJqListTextElementUI& row) {
  WlistEditContext context;
  context.recordId = LeadingInt(row.GetUserData().Str());
  for (std::size_t i = 0; i < context.texts.size(); ++i) context.texts[i] = row.GetText(static_cast<int>(i)).Str();
  context.enabled = context.texts[kWlistEnabledColumn] == WlistYesNo(1);
  context.useSegments = context.texts[kWlistUseSegmentsColumn] == WlistYesNo(1);
  context.alarm = context.texts[kWlistAlarmColumn] == WlistYesNo(1);
  return context;
}

}  // namespace

CDlgWlistManagr::CDlgWlistManagr(CameraClientHandle handle, std::string cameraIp)
    : m_handle(handle), m_cameraIp(std::move(cameraIp)) {}

CDlgWlistManagr::~CDlgWlistManagr() = default;

void CDlgWlistManagr::BindControls() {
  m_pBtnQuery = FindDialogControl<ui::CButtonUI>(m_pm, "btn_query");
  m_pBtnAdd = FindDialogControl<ui::CButtonUI>(m_pm, "btn_add");
  m_pBtnEdit = FindDialogControl<ui::CButtonUI>(m_pm, "btn_edit");
  m_pBtnDelete = FindDialogControl<ui::CButtonUI>(m_pm, "btn_delete");
  m_pBtnClear = FindDialogControl<ui::CButtonUI>(m_pm, "btn_clear");
  m_pLblCount = FindDialogControl<ui::CLabelUI>(m_pm, "lbl_count_msg");
  m_pEditPlate = FindDialogControl<ui::CEditUI>(m_pm, "edit_plate");
  m_pLblPage = FindDialogControl<ui::CLabelUI>(m_pm, "lbl_page_msg");
  m_pBtnFirst = FindDialogControl<ui::CButtonUI>(m_pm, "btn_first_page");
  m_pBtnPrev = FindDialogControl<ui::CButtonUI>(m_pm, "btn_prev_page");
  m_pBtnNext = FindDialogControl<ui::CButtonUI>(m_pm, "btn_next_page");
  m_pBtnLast = FindDialogControl<ui::CButtonUI>(m_pm, "btn_last_page");
  m_pBtnJump = FindDialogControl<ui::CButtonUI>(m_pm, "btn_jump");
  m_pEditPage = FindDialogControl<ui::CEditUI>(m_pm, "edit_page");
  m_pBtnImport = FindDialogControl<ui::CButtonUI>(m_pm, "btn_import");
  m_pBtnExport = FindDialogControl<ui::CButtonUI>(m_pm, "btn_export");
  m_pBtnClose = FindDialogControl<ui::CButtonUI>(m_pm, "closebtn");
  m_pLblProgressValue = FindDialogControl<ui::CLabelUI>(m_pm, "lbl_progress_value");
  m_pLblProgressText = FindDialogControl<ui::CLabelUI>(m_pm, "lbl_progress_text");
  m_pList = FindDialogControl<ui::CListUI>(m_pm, "wlist_record_list");
  // The jobs' end messages carry a payload, which the queue frees should the window go first.
  ui::SetPostedMessageDiscarder(m_hWnd, DeleteWlistJobPayload);
  if (m_pLblProgressValue != nullptr) m_pLblProgressValue->SetVisible(false);
  if (m_pLblProgressText != nullptr) m_pLblProgressText->SetVisible(false);
  RefreshCount(true);
}

void CDlgWlistManagr::Notify(ui::TNotifyUI& msg) {
  if (msg.sType == "click" && msg.pSender != nullptr && OnClick(msg.pSender)) return;
  CDialogWnd::Notify(msg);
}

// True when the click was this window's to handle (the base's close included, when refused).
bool CDlgWlistManagr::OnClick(ui::CControlUI* sender) {
  if (sender == m_pBtnQuery) {
    if (m_pList != nullptr) m_pList->RemoveAll();
    RefreshCount(true);
  } else if (sender == m_pBtnAdd) {
    OpenRecordDialog(false);
  } else if (sender == m_pBtnEdit) {
    OpenRecordDialog(true);
  } else if (sender == m_pBtnDelete) {
    DeleteSelected();
  } else if (sender == m_pBtnClear) {
    ClearAll();
  } else if (sender == m_pBtnFirst) {
    ShowFirstPage();
  } else if (sender == m_pBtnPrev) {
    ShowPrevPage();
  } else if (sender == m_pBtnNext) {
    ShowNextPage();
  } else if (sender == m_pBtnLast) {
    ShowLastPage();
  } else if (sender == m_pBtnJump) {
    JumpToPage();
  } else if (sender == m_pBtnImport) {
    StartImport();
  } else if (sender == m_pBtnExport) {
    StartExport();
  } else if (sender == m_pBtnClose) {
    return !ConfirmClose();
  } else {
    return false;
  }
  return true;
}

void CDlgWlistManagr::EnableButtons(bool enable) {
  EnableControls({m_pBtnQuery, m_pBtnAdd, m_pBtnEdit, m_pBtnDelete, m_pBtnClear, m_pBtnFirst, m_pBtnPrev, m_pBtnNext,
                  m_pBtnLast, m_pBtnJump, m_pBtnImport, m_pBtnExport},
                 enable);
}

void CDlgWlistManagr::RefreshCount(bool loadPage) {
  m_total = 0;
  m_page = 0;
  m_pageCount = 0;
  m_filter = DialogControlText(m_pEditPlate);
  const auto count = QueryWlistCount(m_handle, m_filter);
  if (count) {
    m_total = static_cast<int>(std::min<std::uint32_t>(*count, std::numeric_limits<int>::max()));
    m_pageCount = WlistPageCount(static_cast<std::uint32_t>(m_total), kWlistPageRows);
  }
  ShowPageLabel(1, m_pageCount);
  ShowCountLabel(m_total);
  if (!count) return Notice(kQueryFailed);
  if (loadPage) LoadPage(0);
}

void CDlgWlistManagr::LoadPage(int page) {
  WlistRowCollector rows(m_handle);
  if (QueryWlistRows(m_handle, m_filter, page * kWlistPageRows, kWlistPageRows) != 0) return Notice(kQueryFailed);
  for (const CameraClientWhiteListRecord& record : rows.Take()) AddRow(record);
}

void CDlgWlistManagr::ShowPage(int page) {
  if (m_pList != nullptr) m_pList->RemoveAll();
  m_page = page;
  ShowPageLabel(page + 1, m_pageCount);
  LoadPage(page);
}

void CDlgWlistManagr::ShowFirstPage() { ShowPage(0); }

void CDlgWlistManagr::ShowPrevPage() {
  if (m_page - 1 < 0) return Notice("无上一页记录!");
  ShowPage(m_page - 1);
}

void CDlgWlistManagr::ShowNextPage() {
  if (m_page + 1 >= m_pageCount) return Notice("无下一页记录!");
  ShowPage(m_page + 1);
}

// With no records there is no last page but the first.
void CDlgWlistManagr::ShowLastPage() { ShowPage(std::max(m_pageCount - 1, 0)); }

void CDlgWlistManagr::JumpToPage() {
  const int page = LeadingInt(DialogControlText(m_pEditPage));
  if (page < 1 || page > m_pageCount) return Notice("输入的页超出范围，请重新输入!");
  ShowPage(page - 1);
}

void CDlgWlistManagr::ShowPageLabel(int shownPage, int pageCount) {
  SetDialogControlText(m_pLblPage, Format("第%d/%d页", shownPage, pageCount));
}

void CDlgWlistManagr::ShowCountLabel(int count) { SetDialogControlText(m_pLblCount, Format("共%d条记录", count)); }

void CDlgWlistManagr::AddRow(const CameraClientWhiteListRecord& record) {
  if (m_pList == nullptr) return;
  auto* row = new CJqListTextElementUI;
  m_pList->Add(row);
  std::string segments;
  m_segments.format(record.segments, segments);
  const WlistRowTexts texts = MakeWlistRowTexts(record, segments);
  for (std::size_t i = 0; i < texts.size(); ++i) row->SetText(static_cast<int>(i), texts[i].c_str());
  row->SetUserData(std::to_string(record.recordId).c_str());
}

CJqListTextElementUI* CDlgWlistManagr::SelectedRow() const {
  if (m_pList == nullptr || m_pList->GetCurSel() < 0) return nullptr;
  return dynamic_cast<CJqListTextElementUI*>(m_pList->GetItemAt(m_pList->GetCurSel()));
}

CJqListTextElementUI* CDlgWlistManagr::RowOfRecord(int recordId) const {
  if (m_pList == nullptr) return nullptr;
  for (int i = 0; i < m_pList->GetCount(); ++i) {
    auto* row = dynamic_cast<CJqListTextElementUI*>(m_pList->GetItemAt(i));
    if (row != nullptr && LeadingInt(row->GetUserData().Str()) == recordId) return row;
  }
  return nullptr;
}

void CDlgWlistManagr::DeleteSelected() {
  const CJqListTextElementUI* row = SelectedRow();
  if (row == nullptr) return Notice(kSelectRecord);
  if (ui::UIMessageBox2(m_hWnd, "确定要删除此条白名单记录吗?") != 0) return;
  // A row without a camera id names no record: nothing can be deleted.
  const int recordId = LeadingInt(row->GetUserData().Str());
  if (recordId <= 0 || CameraClient_DeleteWhiteList(m_handle, recordId) != 0) {
    return Notice("删除白名单失败，请重试! ");
  }
  Notice("删除白名单记录成功! ");
  if (m_pList != nullptr) m_pList->RemoveAll();
  RefreshCount(true);
}

void CDlgWlistManagr::ClearAll() {
  if (ui::UIMessageBox2(m_hWnd, "确定要清空白名单记录吗?") != 0) return;
  if (CameraClient_ClearWhiteList(m_handle) != 0) return Notice("清空白名单失败，请重试! ");
  m_total = 0;
  m_page = 0;
  m_pageCount = 0;
  ShowPageLabel(1, 1);
  ShowCountLabel(0);
  if (m_pList != nullptr) m_pList->RemoveAll();
  Notice("清空白名单成功! ");
}

void CDlgWlistManagr::OpenRecordDialog(bool edit) {
  WlistEditContext context;
  if (edit) {
    const CJqListTextElementUI* row = SelectedRow();
    if (row == nullptr) return Notice(kSelectRecord);
    context = ContextOf(*row);
  }
  WlistDialogOutcome outcome;
  CDialogBuilderCallbackEx callback;
  auto* dialog = new CDlgWlistInfo(m_handle, edit ? &context : nullptr, &outcome);
  dialog->CreateWnd("Dlg_Wlist_Info.xml", m_hWnd, "wlist_info", &callback);
  dialog->CenterWindow();
  dialog->ShowModal();
  if (edit && outcome.updated) {
    // Found again by its id: the list may have changed while the dialog was open.
    if (CJqListTextElementUI* row = RowOfRecord(context.recordId)) ShowRow(row, context);
  }
  if (!edit && outcome.added) {
    if (m_pList != nullptr) m_pList->RemoveAll();
    RefreshCount(false);
    ShowLastPage();
  }
}

void CDlgWlistManagr::ShowRow(CJqListTextElementUI* row, const WlistEditContext& context) {
  WlistRowTexts texts = context.texts;
  texts[kWlistEnabledColumn] = WlistYesNo(context.enabled ? 1 : 0);
  texts[kWlistUseSegmentsColumn] = WlistYesNo(context.useSegments ? 1 : 0);
  texts[kWlistAlarmColumn] = WlistYesNo(context.alarm ? 1 : 0);
  for (std::size_t i = 0; i < texts.size(); ++i) row->SetText(static_cast<int>(i), texts[i].c_str());
}

void CDlgWlistManagr::Notice(const std::string& text) { ui::UIMessageBox(m_hWnd, text.c_str()); }

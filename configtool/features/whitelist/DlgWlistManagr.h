#pragma once
// CDlgWlistManagr: the open camera's whitelist in pages of 20, filtered by plate, with add, edit
// (CDlgWlistInfo), delete and clear, and the CSV import and export on workers with their progress.
// A row shows what the camera holds: it is written only from what the camera sent or took. While a
// job runs, every button but "closebtn" is disabled, and closing asks first, then stops the job and
// waits for its worker (at most the library call it is in).

#include <memory>
#include <string>

#include "cameraclient/CameraClient.h"
#include "configtool/features/whitelist/WlistJobControl.h"
#include "configtool/features/whitelist/WlistJobMessages.h"
#include "configtool/features/whitelist/WlistSegmentCodec.h"
#include "platform/ui/UIlib.h"

class CJqListTextElementUI;
struct WlistEditContext;

class CDlgWlistManagr : public ui::CDialogWnd, public ui::INotifyUI {
 public:
  // `cameraIp` names the export's file.
  CDlgWlistManagr(CameraClientHandle handle, std::string cameraIp);
  ~CDlgWlistManagr() override;

  void BindControls() override;
  void Notify(ui::TNotifyUI& msg) override;

  // Counts the records that hold the filter of "edit_plate" (kept for the pages), shows the count
  // and the page label, and loads page 0 when asked.
  void RefreshCount(bool loadPage);
  // Adds the rows of page `page` to the list (the callers empty it first).
  void LoadPage(int page);
  void ShowFirstPage();
  void ShowPrevPage();
  void ShowNextPage();
  void ShowLastPage();
  void JumpToPage();
  void DeleteSelected();
  void ClearAll();
  void OpenRecordDialog(bool edit);
  void AddRow(const CameraClientWhiteListRecord& record);
  void StartImport();
  void StartExport();
  // "closebtn": true when the window may close (no job, or the operator chose to stop it).
  bool ConfirmClose();
  // The twelve buttons; "closebtn" stays enabled.
  void EnableButtons(bool enable);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  LRESULT OnDestroy(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

 private:
  bool OnClick(ui::CControlUI* sender);
  // Empties the list, loads `page` and makes it the current one.
  void ShowPage(int page);
  void ShowPageLabel(int shownPage, int pageCount);
  void ShowCountLabel(int count);
  void ShowProgress(int done, int total);
  void ShowProgressLabels(const char* text);
  void OnJobMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OnJobEnd(UINT message, const WlistJobEnd& end);
  CJqListTextElementUI* SelectedRow() const;
  CJqListTextElementUI* RowOfRecord(int recordId) const;
  void ShowRow(CJqListTextElementUI* row, const WlistEditContext& context);
  void Notice(const std::string& text);

  const CameraClientHandle m_handle;
  const std::string m_cameraIp;
  const WlistSegmentCodec m_segments = WlistTimeSegmentCodec();
  std::shared_ptr<WlistJobControl> m_job = std::make_shared<WlistJobControl>();

  // Paging.
  int m_total = 0;
  int m_page = 0;
  int m_pageCount = 0;
  std::string m_filter;

  ui::CButtonUI* m_pBtnQuery = nullptr;
  ui::CButtonUI* m_pBtnAdd = nullptr;
  ui::CButtonUI* m_pBtnEdit = nullptr;
  ui::CButtonUI* m_pBtnDelete = nullptr;
  ui::CButtonUI* m_pBtnClear = nullptr;
  ui::CLabelUI* m_pLblCount = nullptr;
  ui::CEditUI* m_pEditPlate = nullptr;
  ui::CLabelUI* m_pLblPage = nullptr;
  ui::CButtonUI* m_pBtnFirst = nullptr;
  ui::CButtonUI* m_pBtnPrev = nullptr;
  ui::CButtonUI* m_pBtnNext = nullptr;
  ui::CButtonUI* m_pBtnLast = nullptr;
  ui::CButtonUI* m_pBtnJump = nullptr;
  ui::CEditUI* m_pEditPage = nullptr;
  ui::CButtonUI* m_pBtnImport = nullptr;
  ui::CButtonUI* m_pBtnExport = nullptr;
  ui::CButtonUI* m_pBtnClose = nullptr;
  ui::CLabelUI* m_pLblProgressValue = nullptr;
  ui::CLabelUI* m_pLblProgressText = nullptr;
  ui::CListUI* m_pList = nullptr;
};

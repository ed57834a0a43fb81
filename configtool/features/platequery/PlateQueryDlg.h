#pragma once
// CPlateQueryDlg: the plate records stored in the open camera, by time range and plate, in pages of
// 20 (PlateRecordFeed), with the picture of the selected record (downloaded on a worker) and the
// export of every match to a CSV file (PlateCsvExport).
//
// The window thread never waits for the camera's pictures: a download that is not back in 800 ms
// disables the buttons until it is. One download runs at a time; the picture shown is always the
// selected record's. During an export the buttons, "closebtn" included, stay disabled; a frame
// close then stops the export and waits for its worker (at most one page request).

#include <memory>
#include <optional>
#include <string>

#include "cameraclient/CameraClient.h"
#include "configtool/features/platequery/PlateCsvExport.h"
#include "configtool/features/platequery/PlateRecordFeed.h"
#include "platform/ui/UIlib.h"

class CCalendarUI;

class CPlateQueryDlg : public ui::CDialogWnd, public ui::INotifyUI {
 public:
  explicit CPlateQueryDlg(CameraClientHandle handle);
  ~CPlateQueryDlg() override;

  void BindControls() override;
  void Notify(ui::TNotifyUI& msg) override;

  void OnQuery();
  void ShowPrevPage();
  void ShowNextPage();
  void StartExport();
  void OnRecordSelected();
  // "btn_query", "btn_export", "btn_prev_page", "btn_next_page" and "closebtn".
  void EnableButtons(bool enable);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  LRESULT OnDestroy(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

 private:
  PlateQueryTexts QueryTexts() const;
  // Empties the list and asks the records of page `page` with the kept texts.
  void LoadPage(int page);
  void ShowPageLabel();
  void OnRecord(std::unique_ptr<PlateQueryRecordMessage> message);
  void AddRow(const PlateQueryRecordMessage& message);
  void ShowExportProgress();
  void OnExportDone(bool whole);
  // Records of the page asked before, still queued: they are not the list's any more.
  void DiscardQueuedRecords();

  void StartDownload(int recordId);
  void OnPictureLoaded(std::unique_ptr<PlateImageLoaded> loaded);
  void OnDownloadSlow();
  // The id in the first column of the selected row; nullopt when no row is selected.
  std::optional<int> SelectedRecordId() const;
  void ShowPicture(const std::string& path);
  // Buttons enabled unless an export runs or a download is late.
  void UpdateButtons();

  static constexpr const char* kCountFailed = "查询车牌记录失败，请重试!";

  const CameraClientHandle m_handle;
  std::shared_ptr<PlateRecordFeed> m_feed;
  std::unique_ptr<PlateCsvExport> m_export;

  PlateQueryTexts m_query;
  int m_total = 0;
  int m_page = 0;
  int m_pageCount = 0;
  // Set from an export's start until the next query or page button: records go to the CSV text.
  bool m_exporting = false;

  bool m_downloading = false;
  bool m_downloadLate = false;
  std::string m_shownPicture;

  ui::CButtonUI* m_pBtnQuery = nullptr;
  ui::CButtonUI* m_pBtnExport = nullptr;
  ui::CLabelUI* m_pLblProgress = nullptr;
  ui::CButtonUI* m_pBtnPrev = nullptr;
  ui::CButtonUI* m_pBtnNext = nullptr;
  ui::CButtonUI* m_pBtnClose = nullptr;
  CCalendarUI* m_pDtStart = nullptr;
  CCalendarUI* m_pDtEnd = nullptr;
  ui::CListUI* m_pList = nullptr;
  ui::CEditUI* m_pEditPlate = nullptr;
  ui::CLabelUI* m_pLblMsg = nullptr;
  ui::CControlUI* m_pImage = nullptr;
};

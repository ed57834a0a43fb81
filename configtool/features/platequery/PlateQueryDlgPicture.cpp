// The picture of the selected plate record: downloaded on a worker into the pictures folder and
// shown in "imgControl", one download at a time.

#include "common/FileUtil.h"
#include "configtool/controls/JqListTextElementUI.h"
#include "configtool/controls/TextScanner.h"
#include "configtool/features/platequery/PlateImageDownload.h"
#include "configtool/features/platequery/PlatePictureFiles.h"
#include "configtool/features/platequery/PlateQueryDlg.h"
#include "platform/os/File.h"

namespace {

// How long the buttons stay usable while a picture is on its way.
constexpr UINT kDownloadTimer = 1;
constexpr UINT kDownloadPatience = 800;

}  // namespace

void CPlateQueryDlg::OnRecordSelected() {
  const std::optional<int> recordId = SelectedRecordId();
  // A download on its way is followed by the one of the row then selected.
  if (!recordId || m_downloading) return;
  StartDownload(*recordId);
}

std::optional<int> CPlateQueryDlg::SelectedRecordId() const {
  if (m_pList == nullptr || m_pList->GetCurSel() < 0) return std::nullopt;
  const auto* row = dynamic_cast<const CJqListTextElementUI*>(m_pList->GetItemAt(m_pList->GetCurSel()));
  if (row == nullptr) return std::nullopt;
  return LeadingInt(row->GetText(0).Str());
}

void CPlateQueryDlg::StartDownload(int recordId) {
  const std::string app = GetAppDirectory();
  for (const std::string& folder : DownloadedPictureFolders(app)) os::CreateDirectory(folder);
  m_downloading = true;
  StartPlateImageDownload(m_handle, m_hWnd, recordId, DownloadedPicturePath(app, recordId));
  if (m_pImage != nullptr) m_pm.SetTimer(m_pImage, kDownloadTimer, kDownloadPatience);
}

void CPlateQueryDlg::OnDownloadSlow() {
  if (m_pImage != nullptr) m_pm.KillTimer(m_pImage, kDownloadTimer);
  if (!m_downloading) return;
  m_downloadLate = true;
  UpdateButtons();
}

void CPlateQueryDlg::OnPictureLoaded(std::unique_ptr<PlateImageLoaded> loaded) {
  if (loaded == nullptr) return;
  m_downloading = false;
  if (m_pImage != nullptr) m_pm.KillTimer(m_pImage, kDownloadTimer);
  if (m_downloadLate) {
    m_downloadLate = false;
    UpdateButtons();
  }
  const std::optional<int> selected = SelectedRecordId();
  if (!selected) return;
  if (*selected != loaded->recordId) return StartDownload(*selected);
  // A record without a picture shows none, rather than another record's.
  ShowPicture(loaded->path);
}

void CPlateQueryDlg::ShowPicture(const std::string& path) {
  if (m_pImage == nullptr) return;
  // The file may be the one shown before, written again: the cache must read it anew.
  if (!m_shownPicture.empty()) m_pm.RemoveImage(m_shownPicture.c_str());
  m_pImage->SetBkImage(path.c_str());
  m_pImage->Invalidate();
  m_shownPicture = path;
}

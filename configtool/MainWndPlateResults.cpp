// Live plate results: saved as JPEG files on the library's thread, shown on the window thread.

#include <cstdlib>
#include <cstring>
#include <optional>

#include "common/FileUtil.h"
#include "configtool/MainWnd.h"
#include "configtool/PlateImagePath.h"
#include "configtool/PlateResultTexts.h"
#include "configtool/controls/PlateListItem.h"
#include "platform/os/File.h"
#include "platform/os/LocalTime.h"

namespace {

constexpr int kJpegQuality = 100;

// A copy of the path that the window frees with delete[].
char* NewPathBlock(const std::string& path) {
  auto* block = new char[path.size() + 1];
  std::memcpy(block, path.c_str(), path.size() + 1);
  return block;
}

bool MakeFolders(const std::vector<std::string>& folders) {
  for (const std::string& folder : folders) {
    if (!FileExists(folder) && !os::CreateDirectory(folder)) return false;
  }
  return true;
}

}  // namespace

int CMainWnd::OnPlateResult(CameraClientHandle, void* user, const CameraClientPlateResult* results, int, int count,
                            int, CameraClientImageHandle clip) {
  if (count <= 0 || results == nullptr || user == nullptr) return 0;
  static_cast<CMainWnd*>(user)->SavePlateResult(results[0], clip);
  return 0;
}

// On the library's thread: touches no control, only the window handle and the copy of the IP text.
void CMainWnd::SavePlateResult(const CameraClientPlateResult& result, CameraClientImageHandle clip) {
  auto* copy = static_cast<CameraClientPlateResult*>(std::malloc(sizeof(CameraClientPlateResult)));
  if (copy == nullptr) return;
  std::memcpy(copy, &result, sizeof result);
  char* path = nullptr;
  if (clip != 0) {
    const os::LocalTime now = os::GetLocalTime();
    const std::vector<std::string> folders =
        PlateImageFolders(GetAppDirectory(), now, m_deviceIpText.Get(), result.triggerType);
    const std::optional<std::string> plate =
        IsHiddenPlate(result) ? std::nullopt : std::optional<std::string>(PlateTextOf(result));
    const std::string file = PlateImageFilePath(folders.back(), now, plate);
    // A picture that was not written is not named to the window.
    if (MakeFolders(folders) && CameraClient_SaveImageJpeg(clip, file.c_str(), kJpegQuality) == 0) {
      path = NewPathBlock(file);
    }
  }
  if (!os::PostMessage(m_hWnd, WM_PLATE_RESULT, reinterpret_cast<WPARAM>(copy), reinterpret_cast<LPARAM>(path))) {
    std::free(copy);
    delete[] path;
  }
}

void CMainWnd::ShowPlateResult(const CameraClientPlateResult& result, const char* path) {
  if (m_pPlateList == nullptr) return;
  CPlateListItem* row = CPlateListItem::Create(&m_pm);
  if (row == nullptr) return;
  m_pPlateList->AddAt(row, 0);
  const PlateRowTexts texts = MakePlateRowTexts(result);
  row->SetRecord(texts.time.c_str(), texts.plate.c_str(), texts.colour.c_str(), texts.trigger.c_str(),
                 texts.plateType.c_str(), path, result.colorCode, texts.hidden, result.plateType, texts.width.c_str());
  if (m_pPlateList->GetCount() > PlateResultListLimit) m_pPlateList->RemoveAt(m_pPlateList->GetCount() - 1);
}

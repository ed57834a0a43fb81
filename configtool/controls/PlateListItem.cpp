#include "configtool/controls/PlateListItem.h"

#include <cstdint>
#include <memory>

#include "cameraclient/CameraClient.h"
#include "configtool/DialogBuilderCallbackEx.h"
#include "configtool/controls/PlateViewerUI.h"

namespace {

constexpr int kCivilAviationPlate = 18;
constexpr int kNewEnergyPlate = 19;

// The viewer's background for a result's colour; none for a colour the viewer cannot show.
int BackgroundOf(int colourCode, int plateType) {
  switch (colourCode) {
    case CAMERACLIENT_PLATE_COLOR_BLUE:
      return kPlateBackgroundBlue;
    case CAMERACLIENT_PLATE_COLOR_YELLOW:
      return kPlateBackgroundYellow;
    case CAMERACLIENT_PLATE_COLOR_WHITE:
      return kPlateBackgroundWhite;
    case CAMERACLIENT_PLATE_COLOR_BLACK:
      return kPlateBackgroundBlack;
    case CAMERACLIENT_PLATE_COLOR_GREEN:
      if (plateType == kCivilAviationPlate) return kPlateBackgroundAviation;
      if (plateType == kNewEnergyPlate) return kPlateBackgroundEnergy;
      return kPlateBackgroundNone;
    default:
      return kPlateBackgroundNone;
  }
}

void SetLabel(ui::CControlUI* label, const char* text) {
  if (label != nullptr) label->SetText(text != nullptr ? text : "");
}

}  // namespace

CPlateListItem::~CPlateListItem() {
  // The picture was decoded for this row alone; keep the window's image cache small.
  if (m_pPlateImage != nullptr && m_pManager != nullptr && !m_pPlateImage->GetBkImage().IsEmpty()) {
    m_pManager->RemoveImage(m_pPlateImage->GetBkImage());
  }
}

std::string CPlateListItem::PictureName() const {
  return "plate_result_picture_" + std::to_string(reinterpret_cast<std::uintptr_t>(this));
}

void CPlateListItem::ShowPicture(const char* path) {
  m_picturePath = path;
  if (m_pPlateImage == nullptr || m_pManager == nullptr) return;
  // The path holds outside text (the IP text, the plate, the program's folder), so it never goes
  // into an image description, where "='" would be read as an attribute: the picture is loaded by
  // its file name and shown under a name of the row's own. A file of that path may have been
  // replaced on disk since it was last loaded.
  m_pManager->RemoveImage(path);
  std::shared_ptr<const ui::Image> picture = m_pManager->GetImage(path);
  m_pManager->RemoveImage(path);
  if (picture == nullptr) return;
  const std::string name = PictureName();
  m_pManager->AddImage(name.c_str(), std::move(picture));
  m_pPlateImage->SetBkImage(name.c_str());
}

CPlateListItem* CPlateListItem::Create(ui::CPaintManagerUI* manager) {
  return CreateRowFromTemplate<CPlateListItem>("PlateListItem.xml", manager);
}

void CPlateListItem::BindSubControls() {
  auto find = [this](const char* name) -> ui::CControlUI* {
    return m_pManager != nullptr ? m_pManager->FindSubControlByName(this, name) : nullptr;
  };
  m_pRecordTime = find("lbl_RecordTime");
  m_pPlateNumber = find("lbl_PlateNumber");
  m_pPlateColor = find("lbl_PlateColor");
  m_pResultType = find("lbl_result_type");
  m_pPlateType = find("lbl_plate_type");
  m_pPlateWidth = find("lbl_plate_width");
  m_pPlateView = dynamic_cast<CPlateViewerUI*>(find("virtual_plate_view"));
  m_pPlateImage = find("container_plate_img");
}

void CPlateListItem::SetRecord(const char* time, const char* plate, const char* colour, const char* trigger,
                               const char* plateType, const char* picturePath, int colourCode, bool hidden,
                               int plateTypeCode, const char* width) {
  BindSubControls();
  SetLabel(m_pRecordTime, time);
  SetLabel(m_pPlateNumber, plate);
  SetLabel(m_pPlateColor, colour);
  SetLabel(m_pResultType, trigger);
  SetLabel(m_pPlateType, plateType);
  SetLabel(m_pPlateWidth, width);
  if (!hidden && m_pPlateView != nullptr) {
    const int background = BackgroundOf(colourCode, plateTypeCode);
    if (background != kPlateBackgroundNone) m_pPlateView->SetPlate(plate, background);
  }
  if (picturePath != nullptr && *picturePath != '\0') ShowPicture(picturePath);
}

int CPlateListItem::ColumnAt(POINT point) {
  ui::IListOwnerUI* owner = GetOwner();
  if (owner == nullptr) return 0;
  const ui::TListInfoUI* info = owner->GetListInfo();
  const RECT& row = GetPos();
  if (point.y < row.top || point.y >= row.bottom) return 0;
  for (int column = 0; column < info->nColumns && column < ui::UILIST_MAX_COLUMNS; ++column) {
    const RECT& rc = info->rcColumn[column];
    if (point.x >= rc.left && point.x < rc.right) return column;
  }
  return 0;
}

void CPlateListItem::DoEvent(ui::TEventUI& event) {
  ui::CListContainerElementUI::DoEvent(event);
  if (event.Type != ui::UIEVENT_DBLCLICK || !IsEnabled() || m_pManager == nullptr) return;
  m_pManager->SendNotify(this, "listitemdblclick", 0, ColumnAt(event.ptMouse));
}

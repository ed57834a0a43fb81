#pragma once
// CPlateListItem: one row of the main window's live results, built from "PlateListItem.xml": the
// result's texts in labels, the plate drawn by a plate viewer and the clip picture, scaled to its
// cell once, as the background of a container.

#include <string>

#include "platform/ui/UIlib.h"

class CPlateViewerUI;

class CPlateListItem : public ui::CListContainerElementUI {
 public:
  ~CPlateListItem() override;

  // A new row from the template, or nullptr when the template does not build into a row.
  static CPlateListItem* Create(ui::CPaintManagerUI* manager);

  // Fills the row. `picturePath` may be null; `hidden` leaves the plate viewer empty.
  void SetRecord(const char* time, const char* plate, const char* colour, const char* trigger, const char* plateType,
                 const char* picturePath, int colourCode, bool hidden, int plateTypeCode, const char* width);

  // A double click sends "listitemdblclick" with the column under the pointer in lParam.
  void DoEvent(ui::TEventUI& event) override;

  // The picture's file as SetRecord was given it; empty for none.
  const std::string& PicturePath() const { return m_picturePath; }

 private:
  void BindSubControls();
  void ShowPicture(const char* path);
  // The size of the picture's cell as the template gives it; a side is 0 when it gives none.
  SIZE PictureCellSize() const;
  // The name the row's picture is kept under in the window's image cache.
  std::string PictureName() const;

  ui::CControlUI* m_pRecordTime = nullptr;
  ui::CControlUI* m_pPlateNumber = nullptr;
  ui::CControlUI* m_pPlateColor = nullptr;
  ui::CControlUI* m_pResultType = nullptr;
  ui::CControlUI* m_pPlateType = nullptr;
  ui::CControlUI* m_pPlateWidth = nullptr;
  CPlateViewerUI* m_pPlateView = nullptr;
  ui::CControlUI* m_pPlateImage = nullptr;
  std::string m_picturePath;
};

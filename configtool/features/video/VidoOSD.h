#pragma once
// CVidoOSD: the on-screen text page (tab 1) of the video settings: date, time and one free text
// over the picture, each with a switch and a position in percent of the picture. Cameras of the
// zoom model have four overlay switches more. Everything goes to the camera with the OK button.

#include <array>
#include <optional>

#include "configtool/features/video/TabBase.h"

class CVidoOSD : public CTabBase {
 public:
  CVidoOSD(ui::CPaintManagerUI* pm, CameraClientHandle handle, CVideoCfg* dialog);
  ~CVidoOSD() override;

  int Notify(ui::TNotifyUI& msg) override;

 private:
  void BindControls();
  void ReadCamera();
  void ShowRecord();
  int Save();
  // The six percent values in the order of the edits; nullopt after the boxes were shown.
  std::optional<std::array<int, 6>> ReadPercents();
  // Builds the record from the page; false when a format combo has no selection.
  bool BuildRecord(const std::array<int, 6>& percents);
  bool IsZoomModel() const;

  CameraClientOsdParam m_osd{};
  CameraClientOsdOverlay m_overlay{};

  ui::COptionUI* m_pOptDate = nullptr;
  ui::COptionUI* m_pOptTime = nullptr;
  ui::COptionUI* m_pOptContent = nullptr;
  ui::CComboUI* m_pCmbDateFormat = nullptr;
  ui::CComboUI* m_pCmbTimeFormat = nullptr;
  ui::CEditUI* m_pEditDateX = nullptr;
  ui::CEditUI* m_pEditDateY = nullptr;
  ui::CEditUI* m_pEditTimeX = nullptr;
  ui::CEditUI* m_pEditTimeY = nullptr;
  ui::CEditUI* m_pEditContentX = nullptr;
  ui::CEditUI* m_pEditContentY = nullptr;
  ui::CEditUI* m_pEditContent = nullptr;
  ui::CLabelUI* m_pLblDateXPer = nullptr;
  ui::CLabelUI* m_pLblDateYPer = nullptr;
  ui::CLabelUI* m_pLblTimeXPer = nullptr;
  ui::CLabelUI* m_pLblTimeYPer = nullptr;
  ui::CLabelUI* m_pLblTextXPer = nullptr;
  ui::CLabelUI* m_pLblTextYPer = nullptr;
  ui::CButtonUI* m_pBtnOsdOk = nullptr;
  ui::COptionUI* m_pOptRealtime = nullptr;
  ui::COptionUI* m_pOptRule = nullptr;
  ui::COptionUI* m_pOptPos = nullptr;
  ui::COptionUI* m_pOptDistance = nullptr;
  ui::CControlUI* m_pLayoutXShow = nullptr;

  // 2 on hardware type 2 (a 720 pixel wide picture), 1 otherwise (704 pixels).
  int m_nPictureClass = 0;
  int m_nModelId = 0;
  // The camera gave its record (with the overlay switches on the zoom model).
  bool m_bRecordRead = false;
};

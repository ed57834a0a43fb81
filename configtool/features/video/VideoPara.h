#pragma once
// CVideoPara: the image page (tab 2) of the video settings: brightness, contrast, saturation and
// hue (maximum gain on type 3) on four sliders, flicker, shutter, flip and noise reduction in
// combos, and the page's defaults. Each change goes to the camera at once. What the page shows,
// and the values it sends, depend on the hardware type it reads when it is built.

#include <optional>

#include "configtool/features/video/TabBase.h"
#include "configtool/features/video/VideoOptionTables.h"

class CVideoPara : public CTabBase {
 public:
  CVideoPara(ui::CPaintManagerUI* pm, CameraClientHandle handle, CVideoCfg* dialog);
  ~CVideoPara() override;

  int Notify(ui::TNotifyUI& msg) override;

 private:
  struct SliderValues {
    int brightness;
    int contrast;
    int saturation;
    int fourth;  // hue, or maximum gain on type 3
  };

  void BindControls();
  void LoadPicture();
  void LoadType0();
  void LoadType2();
  void LoadType3();
  // False on type 3 without the camera's record: the fourth value then reaches the camera nowhere.
  bool FourthValueSendable() const;
  // Lets the operator move only the sliders whose sends carry no unknown value.
  void EnableSliders();
  bool IsSlider(const ui::CControlUI* control) const;
  SliderValues CurrentSliderValues() const;
  // Shows the values; unless only the mouse moved, sends them. True when every call succeeded.
  bool SendSliderValues(const SliderValues& values, bool mouseMoveOnly);
  int SetShutter();
  int SetNoiseReduction();
  // Writes the page type's defaults and shows one box for them all; true when every call succeeded.
  bool RestoreDefaults();
  SliderValues DefaultSliderValues() const;
  // The further calls of types 0 and 2, stopping at the first failure.
  bool RestoreType0();
  bool RestoreType2();
  bool RestoreType3();

  int m_nPageType = 0;
  VideoIndexMap m_shutterMapType0;
  VideoIndexMap m_shutterMapType2;

  ui::CSliderUI* m_pSliderBrt = nullptr;
  ui::CSliderUI* m_pSliderCst = nullptr;
  ui::CSliderUI* m_pSliderSat = nullptr;
  ui::CSliderUI* m_pSliderHue = nullptr;
  ui::CLabelUI* m_pLblBrt = nullptr;
  ui::CLabelUI* m_pLblCst = nullptr;
  ui::CLabelUI* m_pLblSat = nullptr;
  ui::CLabelUI* m_pLblHue = nullptr;
  ui::CLabelUI* m_pLblHueTitle = nullptr;
  ui::CLabelUI* m_pLblDnMode = nullptr;
  ui::CLabelUI* m_pLblDnStrength = nullptr;
  ui::CLabelUI* m_pLblFrequency = nullptr;
  ui::CControlUI* m_pCtlDnMode = nullptr;
  ui::CControlUI* m_pCtlDnStrength = nullptr;
  ui::CControlUI* m_pCtlFrequency = nullptr;
  ui::CControlUI* m_pCtlShutter = nullptr;
  ui::CControlUI* m_pHorDnMode = nullptr;
  ui::CControlUI* m_pHorDnStrength = nullptr;
  ui::CControlUI* m_pHorFrequency = nullptr;
  ui::CComboUI* m_pCmbFrequency = nullptr;
  ui::CComboUI* m_pCmbShutter = nullptr;
  ui::CComboUI* m_pCmbFlip = nullptr;
  ui::CComboUI* m_pCmbDnMode = nullptr;
  ui::CComboUI* m_pCmbDnStrength = nullptr;
  ui::CButtonUI* m_pBtnVideoRecov = nullptr;

  // The camera's brightness, contrast, saturation and hue are known: read, or written since.
  bool m_bPictureKnown = false;
  // Type 3: the camera's image-adjust record, kept as read apart from the values the page writes.
  CameraClientImageAdjust m_adjust{};
  // Type 3: false when the record could not be read; it is then never sent back, which would
  // write zeros over the camera's settings.
  bool m_bAdjustRead = false;
};

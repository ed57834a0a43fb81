#pragma once
// CPtzButtonUI: a button for actions that last while it is held (zoom and focus): a press sends
// "ptz_button_down", the release sends "ptz_button_up", wherever the pointer is then. It sends no
// "click". Disabling it while it is held releases it, so the action never keeps running.

#include "platform/ui/controls/UIButton.h"

namespace ui {

class CPtzButtonUI : public CButtonUI {
 public:
  const char* GetClass() const override;          // "PtzButtonUI"
  void* GetInterface(const char* name) override;  // "PtzButton"
  bool Activate() override;
  void SetEnabled(bool enabled = true) override;

 protected:
  bool OnPress(TEventUI& event) override;
  void OnRelease(TEventUI& event, bool inside) override;
};

}  // namespace ui

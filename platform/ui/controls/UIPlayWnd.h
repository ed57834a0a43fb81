#pragma once
// CPlayWnd: the child window of a CPlayControlUI. It paints the newest video picture (or calls the
// control's paint callback), and turns presses, moves and double clicks into the control's
// notifications. It deletes itself after its last message.

#include "platform/ui/core/UIWindow.h"

namespace ui {

class CPlayControlUI;

class CPlayWnd : public CWindowWnd {
 public:
  explicit CPlayWnd(CPlayControlUI* owner) : m_pOwner(owner) {}
  // Creates the window as a child of the owner's paint window over the owner's rectangle.
  HWND Init();
  void DetachOwner() { m_pOwner = nullptr; }

 protected:
  const char* GetWindowClassName() const override;  // "PlayWnd"
  UINT GetClassStyle() const override;              // double clicks
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnFinalMessage(HWND hwnd) override;

 private:
  void Notify(const char* type, LPARAM lParam);

  CPlayControlUI* m_pOwner;
};

}  // namespace ui

#pragma once
// CPlayControlUI: the live-video surface. On demand it creates a child window over itself (its
// handle is what the camera library paints video into through os::PresentVideo) and detaches it
// again. Mouse actions in the window arrive as the notifications "play_control_buttondown",
// "play_control_mousemove" and "play_control_dbclick" with the position in the window's client
// coordinates, x in wParam and y in lParam. With a paint callback set, the window is painted by
// the callback instead of showing the last video picture.

#include "platform/ui/controls/PlayOnPaintCallBack.h"
#include "platform/ui/core/UIControl.h"

namespace ui {

class CPlayWnd;

class CPlayControlUI : public CControlUI {
 public:
  CPlayControlUI();
  ~CPlayControlUI() override;

  const char* GetClass() const override;          // "PlayControlUI"
  void* GetInterface(const char* name) override;  // "PlayControl"

  // The video window, or nullptr when none was created (or it was detached).
  HWND GetHandle() const;
  // Creates the video window when there is none; returns it (nullptr when the control has no
  // window to live in).
  HWND CreatePlayWindow();
  // Destroys the video window; the next CreatePlayWindow makes a new one.
  void DetachPlayWindow();

  void SetPlayOnPaintCallBack(IPlayOnPaintCallBack* callback);
  IPlayOnPaintCallBack* GetPlayOnPaintCallBack() const { return m_pCallback; }

  void SetPos(RECT rc, bool needInvalidate = true) override;
  void SetVisible(bool visible = true) override;
  void SetInternVisible(bool visible = true) override;

 private:
  friend class CPlayWnd;

  void UpdateWindow();

  CPlayWnd* m_pWindow = nullptr;
  IPlayOnPaintCallBack* m_pCallback = nullptr;
};

}  // namespace ui

// The rule editor's video: its window-less stream, the frames on the library's thread, and the
// first frame that loads the camera's rules.

#include "configtool/features/rules/GraphObjectManager.h"
#include "configtool/features/rules/RuleCfgDlg.h"

int CRuleCfgDlg::OnRuleVideoFrame(CameraClientHandle, void* user, const CameraClientFrame* frame) {
  if (user == nullptr || frame == nullptr) return 0;
  static_cast<CRuleCfgDlg*>(user)->OnVideoFrame(frame);
  return 0;
}

// The library's frame thread: the surface takes the picture; the first picture tells the window.
void CRuleCfgDlg::OnVideoFrame(const CameraClientFrame* frame) {
  if (!m_surface.OnFrame(frame)) return;
  if (!m_firstFrame.exchange(true)) ui::PostMessage(m_frameTarget.load(), WM_RULE_FIRST_FRAME, 0, 0);
}

void CRuleCfgDlg::StartStream() {
  if (m_handle == 0) return;
  m_frameTarget.store(m_hWnd);
  // The callback is in place before the first frame can come.
  CameraClient_SetFrameCallback(m_handle, &CRuleCfgDlg::OnRuleVideoFrame, this);
  m_frameCallbackSet = true;
  const CameraClientPlayHandle play = CameraClient_StartStream(m_handle, 0, 0, 0);
  if (play == -1 || play == 0) {
    CameraClient_SetFrameCallback(m_handle, nullptr, nullptr);
    m_frameCallbackSet = false;
    return;
  }
  m_playHandle = play;
  const HWND window = m_pPlayControl != nullptr ? m_pPlayControl->CreatePlayWindow() : nullptr;
  RECT client{};
  ui::GetClientRect(window, &client);
  m_surface.Attach(window, static_cast<int>(RectWidth(client)), static_cast<int>(RectHeight(client)));
}

void CRuleCfgDlg::StopVideo() {
  if (m_playHandle != 0) {
    CameraClient_StopRealPlay(m_playHandle);
    m_playHandle = 0;
  }
  if (m_frameCallbackSet) {
    CameraClient_SetFrameCallback(m_handle, nullptr, nullptr);
    m_frameCallbackSet = false;
  }
  m_surface.Detach();
  if (m_pPlayControl != nullptr) {
    m_pm.KillTimer(m_pPlayControl, kPaintTimer);
    m_pPlayControl->DetachPlayWindow();
  }
}

void CRuleCfgDlg::OnFirstFrame() {
  // The shapes are placed in pixels of the picture the frame brought.
  m_surface.PresentFrame();
  LoadLoop();
  LoadRegion();
}

SIZE CRuleCfgDlg::ViewSize() const {
  RECT client{};
  const HWND window = m_pPlayControl != nullptr ? m_pPlayControl->GetHandle() : nullptr;
  if (window != nullptr && ui::GetClientRect(window, &client)) return SIZE{RectWidth(client), RectHeight(client)};
  if (m_pPlayControl == nullptr) return SIZE{};
  const RECT& pos = m_pPlayControl->GetPos();
  return SIZE{RectWidth(pos), RectHeight(pos)};
}

GraphPoint CRuleCfgDlg::ImagePoint(const ui::TNotifyUI& msg) const {
  return GraphObjectManager::Instance().ScreenToImage(
      GraphPoint{static_cast<std::int32_t>(static_cast<int>(msg.wParam)), static_cast<std::int32_t>(msg.lParam)});
}

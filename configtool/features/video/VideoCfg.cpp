#include "configtool/features/video/VideoCfg.h"

#include <iterator>

#include "configtool/dialogs/DialogControls.h"
#include "configtool/features/video/TabBase.h"
#include "configtool/features/video/VideoFrame.h"
#include "configtool/features/video/VideoPara.h"
#include "configtool/features/video/VidoOSD.h"

namespace {

struct TabOption {
  const char* name;
  int tab;
};

constexpr TabOption kTabOptions[] = {{"tab_videoframe", 0}, {"tab_videoosd", 1}, {"tab_videosource", 2}};

}  // namespace

CVideoCfg::CVideoCfg(CameraClientHandle handle) : m_handle(handle) {}

CVideoCfg::~CVideoCfg() = default;

void CVideoCfg::BindControls() {
  // Each page binds its controls and reads the camera while it is built.
  m_pFramePage = std::make_unique<CVideoFrame>(&m_pm, m_handle, this);
  m_pOsdPage = std::make_unique<CVidoOSD>(&m_pm, m_handle, this);
  m_pParaPage = std::make_unique<CVideoPara>(&m_pm, m_handle, this);
  m_bReady = true;
}

void CVideoCfg::Notify(ui::TNotifyUI& msg) {
  if (!m_bReady) return;
  Route(msg);
  CDialogWnd::Notify(msg);
}

void CVideoCfg::Route(ui::TNotifyUI& msg) {
  auto* tabs = FindDialogControl<ui::CTabLayoutUI>(m_pm, "switch");
  if (tabs == nullptr) return;
  if (msg.sType == "selectchanged") {
    const ui::CDuiString sender = msg.pSender != nullptr ? msg.pSender->GetName() : ui::CDuiString();
    for (const TabOption& option : kTabOptions) {
      if (sender == option.name) tabs->SelectItem(option.tab);
    }
    return;
  }
  CTabBase* const pages[] = {m_pFramePage.get(), m_pOsdPage.get(), m_pParaPage.get()};
  const int current = tabs->GetCurSel();
  if (current >= 0 && current < static_cast<int>(std::size(pages))) pages[current]->Notify(msg);
}

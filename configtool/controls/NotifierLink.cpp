#include "configtool/controls/NotifierLink.h"

void NotifierLink::Attach(ui::CPaintManagerUI* manager) {
  if (manager == m_pManager) return;
  Detach();
  if (manager == nullptr) return;
  manager->AddNotifier(m_pNotifier);
  m_pManager = manager;
}

void NotifierLink::Detach() {
  if (m_pManager != nullptr) m_pManager->RemoveNotifier(m_pNotifier);
  m_pManager = nullptr;
}

#include "configtool/features/whitelist/WlistJobControl.h"

void WlistJobControl::Begin(WlistJobKind kind) {
  m_goOn = true;
  m_done = 0;
  m_total = 0;
  m_ended.Reset();
  m_kind = kind;
}

void WlistJobControl::StopAndWait() {
  m_goOn = false;
  m_ended.Wait();
}

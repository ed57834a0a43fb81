#include "configtool/features/rules/GOjbect.h"

void CGOjbect::SetDragStartCallback(DragStartCallback callback, void* user) {
  m_dragStart = callback;
  m_dragStartUser = user;
  m_dragStartCalled = false;
}

void CGOjbect::NotifyDragStart() {
  if (m_dragStart == nullptr || m_dragStartCalled) return;
  m_dragStartCalled = true;
  m_dragStart(m_dragStartUser);
}

#pragma once
// A control that listens to its window's notifications registers with the window's paint manager.
// The link keeps that registration to one manager at a time and ends it when the control changes
// window or dies, so no paint manager ever calls a notifier that is gone.

#include "platform/ui/UIlib.h"

class NotifierLink {
 public:
  explicit NotifierLink(ui::INotifyUI* notifier) : m_pNotifier(notifier) {}
  ~NotifierLink() { Detach(); }
  NotifierLink(const NotifierLink&) = delete;
  NotifierLink& operator=(const NotifierLink&) = delete;

  // Registers with `manager`, leaving the manager registered with before (nullptr: none).
  void Attach(ui::CPaintManagerUI* manager);
  void Detach();
  ui::CPaintManagerUI* Manager() const { return m_pManager; }

 private:
  ui::INotifyUI* m_pNotifier;
  ui::CPaintManagerUI* m_pManager = nullptr;
};

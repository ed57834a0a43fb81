#include "configtool/features/platequery/PlateRecordFeed.h"

#include <memory>

#include "platform/os/WindowSystem.h"

PlateRecordFeed::~PlateRecordFeed() { Stop(); }

std::optional<int> PlateRecordFeed::Count(const PlateQueryTexts& query) const {
  const int count = CameraClient_QueryPlateCount(m_handle, query.start.c_str(), query.end.c_str(), query.plate.c_str());
  if (count < 0) return std::nullopt;
  return count;
}

std::uint64_t PlateRecordFeed::NewPage() {
  std::lock_guard lock(m_pageMutex);
  // Registered again first: once this returns, no record of an earlier page arrives, so every
  // record stamped with the new number below belongs to the page asked next.
  CameraClient_SetQueryCallback(m_handle, OnPlateQueryRecord, this);
  return ++m_page;
}

int PlateRecordFeed::Ask(const PlateQueryTexts& query, int first, int end) const {
  return CameraClient_QueryPlatePage(m_handle, query.start.c_str(), query.end.c_str(), query.plate.c_str(), first,
                                     end);
}

int PlateRecordFeed::RequestPage(const PlateQueryTexts& query, int first, int end) {
  NewPage();
  return Ask(query, first, end);
}

void PlateRecordFeed::Stop() { CameraClient_SetQueryCallback(m_handle, nullptr, nullptr); }

int PlateRecordFeed::OnPlateQueryRecord(CameraClientHandle handle, void* user, const CameraClientPlateResult* record,
                                        int, int trigger) {
  if (handle == 0 || user == nullptr || record == nullptr) return 0;
  auto* feed = static_cast<PlateRecordFeed*>(user);
  auto message = std::make_unique<PlateQueryRecordMessage>();
  message->record = *record;
  message->trigger = trigger;
  message->page = feed->m_page;
  if (os::PostMessage(feed->m_window, WM_PLATE_QUERY_RECORD, reinterpret_cast<WPARAM>(message.get()), trigger)) {
    message.release();
  }
  return 0;
}

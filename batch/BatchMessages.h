#pragma once
// The batch program's own window messages, posted to the main dialog.

#include "platform/os/WinTypes.h"

// A row's status changed: lParam names the row (CBatchListItem::PostId), wParam is 0.
constexpr UINT WM_ITEM_REFRESH = WM_USER + 208;
// Device threads have logged in to cameras that now wait to be listed (DeviceDiscovery::TakeReady).
constexpr UINT WM_DEVICE_READY = WM_USER + 209;

#pragma once
// The download of one plate record's picture on a worker: the picture goes into a buffer of
// 921 600 bytes (a bigger one is refused) and then into its file; the worker posts
// WM_PLATE_IMAGE_LOADED (PlateQueryMessages.h) with the record's id and the path when it saved it.
// It touches nothing of the window.

#include <string>

#include "cameraclient/CameraClient.h"
#include "platform/os/WinTypes.h"

inline constexpr int kPlatePictureBufferBytes = 921600;

// Starts the worker, detached.
void StartPlateImageDownload(CameraClientHandle handle, HWND window, int recordId, std::string path);
// The worker's whole run.
void RunPlateImageDownload(CameraClientHandle handle, HWND window, int recordId, const std::string& path);

#include "configtool/features/platequery/PlateQueryMessages.h"

void DeletePlateQueryPayload(UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_PLATE_QUERY_RECORD) delete reinterpret_cast<PlateQueryRecordMessage*>(wParam);
  if (message == WM_PLATE_IMAGE_LOADED) delete reinterpret_cast<PlateImageLoaded*>(wParam);
}

#include "common/CsvFileDialog.h"

#include "platform/os/NativeDialogs.h"

std::string SelectCsvFile(HWND owner) {
  os::OpenFileRequest request;
  request.owner = owner;
  request.filterName = "CSV文件 *.csv";
  request.pattern = "*.csv";
  return os::ShowOpenFileDialog(request);
}

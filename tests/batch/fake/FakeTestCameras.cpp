#include "tests/batch/fake/FakeCameraClient.h"
#include "tests/batch/support/TestCameras.h"

std::vector<TestCamera> StartTestCameras(int count) {
  FakeCameraNetwork::Instance().Reset();
  std::vector<TestCamera> cameras;
  for (int i = 1; i <= count; ++i) {
    cameras.push_back({"127.0.10." + std::to_string(i), 8080});
    FakeCameraNetwork::Instance().Add(cameras.back().ip, cameras.back().port);
  }
  return cameras;
}

void StopTestCameras() { FakeCameraNetwork::Instance().Reset(); }

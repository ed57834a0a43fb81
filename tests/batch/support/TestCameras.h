#pragma once
// The cameras a backend-neutral test talks to through the camera library: the fake library's
// cameras in memory, or simulated cameras on loopback. Each backend defines these.

#include <string>
#include <vector>

struct TestCamera {
  std::string ip;
  int port = 0;
};

// Starts `count` cameras of hardware type 0 that accept the default login, on 127.0.10.1, .2, ...
std::vector<TestCamera> StartTestCameras(int count);
void StopTestCameras();

#pragma once
// The items of "intell_cmb_prov": "无" (no default province), then one per province character the
// camera reports.

#include <string>
#include <vector>

#include "cameraclient/CameraClient.h"

struct ProvinceChoice {
  std::vector<std::string> items;
  int selection = -1;  // -1: nothing selected
};

// Without a camera answer (`info` null) only "无", with nothing selected.
ProvinceChoice MakeProvinceChoice(const CameraClientProvinceInfo* info);
